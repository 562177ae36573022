#include "datasheet/position_search.h"

namespace ds {
} // namespace ds
