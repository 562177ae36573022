#pragma once
// PID and name searches over station-list lines.

namespace ds {
} // namespace ds
