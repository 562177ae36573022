#pragma once
// Pellorin's two station lists: the OLD file's and the UPDATE file's, each
// a list of station-list lines with a six-character tag (PID at index 7-12)
// and, at the same index, a list of PID/offset lines.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "datasheet/station_loader.h"
#include "platform/file_identity.h"
#include "platform/line_list.h"
#include "platform/progress.h"

namespace pellorin {

inline constexpr std::string_view kChangeTag = "change";
inline constexpr std::string_view kNewTag = "NEW";
inline constexpr std::string_view kOldOnlyTag = "";
inline constexpr std::size_t kPidIndex = 7;

// The PID field of a list line (index 7-12), shorter or empty for a short line.
std::string_view listPid(std::string_view listLine);

// Which PIDs a station list holds (InUpList, InOldList): the answer of a
// scan from the first line comparing over the PID's length, from a map that
// is rebuilt whenever the list has changed. An empty PID matches nothing.
class ListPids {
public:
    explicit ListPids(const platform::LineList& list) : list_(list) {}

    bool contains(std::string_view pid) const;

private:
    void rebuild() const;

    const platform::LineList& list_;
    // The PID fields packed into numbers, rebuilt whenever the list has changed.
    mutable std::unordered_set<std::uint64_t> pids_;
    mutable std::uint64_t builtRevision_ = ~std::uint64_t{0};
};

// A last station without a DESIGNATION line: it has no list line, yet the
// merge carries it.
struct UndesignatedStation {
    ds::StationFields fields;
    std::uint64_t offset = 0;
};

struct LoadedList {
    std::vector<std::string> listLines;
    std::vector<std::string> locLines;
    std::optional<UndesignatedStation> undesignated;
    // The file as it was when the load began.
    platform::FileIdentity identity;
};

// Reads a datasheet file into list lines tagged `foundTag` when `other`
// holds the station's PID, else `missingTag`. False when the file cannot be
// opened (out is then empty).
bool loadStationList(const std::string& path, platform::ProgressSink& progress, const ListPids& other,
                     std::string_view foundTag, std::string_view missingTag, LoadedList& out);

// The lists of one UPDATE: the OLD file's list lines and offset lines, the
// UPDATE file's, and what the merge needs to know of the loads.
struct UpdateLists {
    platform::LineList oldList, oldLocList, upList, upLocList;
    platform::FileIdentity oldIdentity, upIdentity;
    std::optional<UndesignatedStation> upUndesignated;

    // Each fills its pair of lists, tagged against the other list: an old
    // station "change" or six blanks, an update station "change" or "NEW".
    // False when the file cannot be opened (its lists are then empty).
    bool LoadOldList(const std::string& path, platform::ProgressSink& progress);
    bool LoadUpList(const std::string& path, platform::ProgressSink& progress);
    void clear();
};

// A list line of the fields with Pellorin's six-character tag.
std::string makePellorinListLine(std::string_view tag, const ds::StationFields& fields);

} // namespace pellorin
