#pragma once
// Area and point-radius searches over station-list lines.

namespace ds {
} // namespace ds
