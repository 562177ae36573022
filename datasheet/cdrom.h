#pragma once
// The datasheet CD-ROM under a drive's root path:
//   <drive>/DATA/<ST>/county.<ST>            county list of a state
//   <drive>/DATA/Pacific/<ST>/...            Pacific territories
//   <drive>/DATA/OUTSIDE/<ST>/...            outside territories
//   .../<ST>/<ST>000.dat                     a territory's single file
// Discs mount with upper- or lower-case names, so every name is looked up
// exactly first, then case-insensitively. Codes are used as given (a typed
// "az" looks for county.az, which finds county.AZ).
#include <string>
#include <vector>

namespace ds {

// The state and territory directories of the disc: the entries of DATA, then
// those of DATA/Pacific (when it exists), each in name order, that are codes
// (isStateDir). False when DATA cannot be listed.
bool listStateDirs(const std::string& drive, std::vector<std::string>& codes);

// Path of the county list of the code, in the directory of the first table
// that holds it; empty for a code in no table.
std::string countyListPath(const std::string& drive, const std::string& code);

// Path of a county's datasheet file, named by the first 9 characters of its
// county list entry; empty for a code in no table. A name that is not on the
// disc gives the path as built, so that opening it fails.
std::string countyDataPath(const std::string& drive, const std::string& code, const std::string& countyFile);

// True when a county file name names a file of the state's own directory:
// no '/' or '\\' and no "..".
bool isPlainCountyFile(const std::string& countyFile);

// For a Pacific or outside territory whose <ST>000.dat exists: the entry
// "<ST>000.dat | <countryName>" that stands in for its county list.
// Empty otherwise (a state, a code in no table, no such file).
std::string territoryEntry(const std::string& drive, const std::string& code, const std::string& countryName);

// The lines of a county list, unchanged but for their line ends (CR LF or
// LF), whole whatever their length. False when it cannot be opened.
bool readCountyList(const std::string& path, std::vector<std::string>& lines);

} // namespace ds
