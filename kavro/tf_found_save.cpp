// Save As of the results window.
#include "kavro/tf_found.h"

void TFFound::SaveClick() {}
