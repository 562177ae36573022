#pragma once
// Steps that the index and split windows share.
#include <string>

namespace morvane {

// "\r\n       ERROR - The split utility only works with ..." with the path.
void notSplitFile(const std::string& path);

// Shows FOutDir modally for a split's output ("TARGET LOCATION for output",
// the index name box hidden) or for an index file (its name shown, with the
// caption given). False when it was closed without Okay.
bool askOutputDirectory(const std::string& caption, const std::string& indexName);

// True, after a notice, when a file the split reads (its input, its index)
// is a file of the output directory that a split of that mode (numbered or
// PID pieces) would list, delete or write: by its name, or as the file that
// a piece of the directory names (a symbolic or hard link), compared by
// device and inode.
bool inputIsAPiece(const std::string& input, int mode);

} // namespace morvane
