#pragma once
// Saving list lines and datasheets, and merging datasheets into a file.

namespace ds {
} // namespace ds
