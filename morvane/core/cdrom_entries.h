#pragma once
// The entries of Morvane's CD-ROM list: one per county datasheet file of
// every state whose directory is under <drive>/DATA, and one per Pacific
// territory under <drive>/DATA/Pacific. An entry's text is what the list
// shows, the path of the file followed by the rest of its county-list line
// ("<drive>/DATA/AZ/AZ001.DAT | APACHE"); its path is kept apart, so a
// drive path with blanks in it is never cut.
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

struct ListEntry {
    std::string text;
    std::string path;
    bool operator==(const ListEntry&) const = default;
};

// Morvane's own list of 61 directory codes (the Pacific codes among them,
// "VI" where the state table has "VQ"), compared case-sensitively with the
// first two characters of the name: "AZX" counts as AZ, "az" does not.
bool isStateDir(std::string_view name);

// The entries of one county list (read whole lines, CR LF or LF). `state`
// is the state directory's code (its first two characters count). Every
// line gives an entry, an empty one too (its path is then the state's
// directory, which cannot be joined); a line whose file part holds '/',
// '\' or ".." gives none. False when the list cannot be read.
bool countyEntries(const std::string& drive, std::string_view state, const std::string& countyListPath,
                   std::vector<ListEntry>& entries);

// The entry of a Pacific territory directory: <drive>/DATA/Pacific/<XX>/<name>000.dat.
ListEntry pacificEntry(const std::string& drive, const std::string& directoryName);

// The DATA directory of the drive (any case); empty when there is none.
std::string dataDirectory(const std::string& drive);

// Directory names under `directory` in name order; false when it cannot be listed.
bool listSubdirectories(const std::string& directory, std::vector<std::string>& names);

} // namespace morvane
