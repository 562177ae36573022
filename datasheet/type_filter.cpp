#include "datasheet/type_filter.h"

namespace ds {
} // namespace ds
