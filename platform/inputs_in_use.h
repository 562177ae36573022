#pragma once
// The files the program reads as its input while they are in use: Kavro's
// data file, Morvane's file to split and the files listed for its join. A
// file the program writes for its own keeping (the print settings, the item
// form's state, an index from the editor) must never be another name of one
// of them (a symbolic or hard link): writing it would write over the data.
#include <functional>
#include <string>
#include <vector>

#include "platform/notices.h"

namespace platform {

using InputsInUse = std::function<std::vector<std::string>()>;

// Who tells the inputs in use; an empty function (the default) tells none.
void setInputsInUse(InputsInUse inputs);

// The first input in use that is the same file as `path` (device and inode);
// empty when there is none.
std::string inputInUseNamedBy(const std::string& path);

// True, after the notice "Not saved: <path> is another name of the data file
// in use, <input>." (caption "NOTICE"), when `path` names an input in use.
bool refuseInputInUse(const std::string& path, NoticeSink& notices);

} // namespace platform
