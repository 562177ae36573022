#pragma once
// Reading any text file as lines for the raw view.
#include <string>
#include <vector>

#include "platform/progress.h"

namespace ds {

// Every line of the file, line end removed, whole whatever its length.
// Progress at the first line and every 200th. False when it cannot be opened
// or a read from it fails.
bool readRawFile(const std::string& path, platform::ProgressSink& progress, std::vector<std::string>& lines);

} // namespace ds
