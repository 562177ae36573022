#include "datasheet/list_search.h"

namespace ds {
} // namespace ds
