#pragma once
// The pieces a split leaves in its output directory, as the existing-output
// and output-list windows list them: numbered pieces "dsdata." followed by
// digits, or PID pieces of two capitals, four digits and ".out".
#include <string>
#include <string_view>
#include <vector>

#include "platform/notices.h"

namespace morvane {

inline constexpr int kPidPieces = 0;
inline constexpr int kNumberedPieces = 1;

bool isPieceName(std::string_view name, int mode);

// The names of the directory's pieces of that kind, in name order.
std::vector<std::string> listPieces(const std::string& directory, int mode);

// Deletes, for every line that is exactly one of the listed names, that file
// of the directory; other lines (edited, added) delete nothing. A file that
// cannot be deleted gives a notice and the answer false.
bool deleteListedPieces(const std::string& directory, const std::vector<std::string>& lines,
                        const std::vector<std::string>& listed, platform::NoticeSink& notices);

} // namespace morvane
