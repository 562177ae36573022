#pragma once
// Morvane's name for the disclaimer window shown once at start-up.
#include "datasheet/forms/tf_disclam.h"

using TFDisclaim = TFDisclam;

extern TFDisclaim* FDisclaim;
