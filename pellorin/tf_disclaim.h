#pragma once
// Pellorin's name for the disclaimer window shown once at start-up.
#include "datasheet/forms/tf_disclam.h"

namespace pellorin {

using TFDisclaim = TFDisclam;

extern TFDisclaim* FDisclaim;

} // namespace pellorin
