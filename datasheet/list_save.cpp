#include "datasheet/list_save.h"

namespace ds {
} // namespace ds
