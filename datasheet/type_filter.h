#pragma once
// Station-type codes and the type test of one station's datasheet.

namespace ds {
} // namespace ds
