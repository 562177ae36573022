#include "pellorin/core/station_lists.h"

#include "datasheet/list_lines.h"
#include "datasheet/profile.h"

namespace pellorin {

std::string_view listPid(std::string_view listLine)
{
    return listLine.size() > kPidIndex ? listLine.substr(kPidIndex, 6) : std::string_view();
}

namespace {

// Up to six characters and their count in one number.
std::uint64_t packPid(std::string_view field)
{
    std::uint64_t key = field.size();
    for (std::size_t i = 0; i < 6; ++i)
        key = (key << 8) | (i < field.size() ? static_cast<unsigned char>(field[i]) : 0u);
    return key;
}

} // namespace

void ListPids::rebuild() const
{
    if (builtRevision_ == list_.revision())
        return;
    pids_.clear();
    pids_.reserve(list_.size());
    for (const std::string& line : list_.lines())
        pids_.insert(packPid(listPid(line)));
    builtRevision_ = list_.revision();
}

bool ListPids::contains(std::string_view pid) const
{
    if (pid.empty())
        return false;
    rebuild();
    if (pid.size() >= 6)
        return pids_.count(packPid(pid.substr(0, 6))) != 0;
    // A shorter PID matches every line whose PID field begins with it.
    for (const std::string& line : list_.lines())
        if (listPid(line).substr(0, pid.size()) == pid)
            return true;
    return false;
}

std::string makePellorinListLine(std::string_view tag, const ds::StationFields& f)
{
    return ds::MakeListLine(tag, f.pid, f.horizontal, f.vertical, f.latitude, f.longitude, f.designation,
                            ds::kPellorin.tagWidth);
}

bool loadStationList(const std::string& path, platform::ProgressSink& progress, const ListPids& other,
                     std::string_view foundTag, std::string_view missingTag, LoadedList& out)
{
    out = LoadedList{};
    out.identity = platform::FileIdentity::of(path);
    return ds::scanStations(
        path, ds::kPellorin, progress,
        [&](const ds::StationFields& f, std::uint64_t offset) {
            out.listLines.push_back(makePellorinListLine(other.contains(f.pid) ? foundTag : missingTag, f));
            out.locLines.push_back(ds::MakeLocLine(f.pid, static_cast<std::int64_t>(offset)));
        },
        [&](const ds::StationFields& f, std::uint64_t offset) { out.undesignated = UndesignatedStation{f, offset}; });
}

} // namespace pellorin

namespace pellorin {

bool UpdateLists::LoadOldList(const std::string& path, platform::ProgressSink& progress)
{
    LoadedList loaded;
    const ListPids upPids(upList);
    const bool opened = loadStationList(path, progress, upPids, kChangeTag, kOldOnlyTag, loaded);
    oldList.assign(std::move(loaded.listLines));
    oldLocList.assign(std::move(loaded.locLines));
    oldIdentity = loaded.identity;
    return opened;
}

bool UpdateLists::LoadUpList(const std::string& path, platform::ProgressSink& progress)
{
    LoadedList loaded;
    const ListPids oldPids(oldList);
    const bool opened = loadStationList(path, progress, oldPids, kChangeTag, kNewTag, loaded);
    upList.assign(std::move(loaded.listLines));
    upLocList.assign(std::move(loaded.locLines));
    upIdentity = loaded.identity;
    upUndesignated = loaded.undesignated;
    return opened;
}

void UpdateLists::clear()
{
    oldList.clear();
    oldLocList.clear();
    upList.clear();
    upLocList.clear();
    oldIdentity = {};
    upIdentity = {};
    upUndesignated.reset();
}

} // namespace pellorin
