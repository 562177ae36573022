#pragma once
// Loading a datasheet file into station-list lines and PID/offset lines.
// Datasheets stay in the file; the lists hold one short line per station.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "datasheet/profile.h"
#include "platform/file_identity.h"
#include "platform/progress.h"

namespace ds {

// The fields of one station that go into its station-list line.
struct StationFields {
    std::string pid;
    std::string designation;
    std::string latitude;
    std::string longitude;
    std::string horizontal;
    std::string vertical;
    std::string ellipsoid;
    void clear();
};

// Reads the file the way the loaders do (pieces of profile.readLength()) and
// calls `emit` once per station (ds::StationRule) with its fields and the
// byte offset of its header line; a station whose header line is damaged
// is emitted on its own, at the offset of its first body line. Labels read
// before the first station are its fields. Progress: the first and every 20th station. Returns false when
// the file cannot be opened (nothing is emitted then). A last station
// without a DESIGNATION line is not emitted; `undesignated`, when given,
// hears of it instead. `readError`, when given, tells whether the reading
// stopped on an I/O error before the end of the file.
using StationEmitter = std::function<void(const StationFields&, std::uint64_t offset)>;
bool scanStations(const std::string& path, const Profile& profile, platform::ProgressSink& progress,
                  const StationEmitter& emit, const StationEmitter& undesignated = {},
                  bool* readError = nullptr);

// Takes the labelled lines that make a station-list line (DESIGNATION,
// POSITION or "* NAD", the orders) into the fields; other lines change nothing.
void parseStationLine(std::string_view line, StationFields& fields, const Profile& profile);

struct LoadedStations {
    std::vector<std::string> listLines; // one ListLine per station, empty tag
    std::vector<std::string> locLines;  // one LocLine per station, same order
    // The file as it was read; work that reads it again by offset checks
    // it first. When the file changed while it was read, this identity
    // matches neither its old nor its new state.
    platform::FileIdentity identity;
};

// Decides whether the station with the PID whose header is at the offset is
// kept (ds::makeTypeTest makes the station-type test).
using TypeTest = std::function<bool(std::string_view pid, std::uint64_t offset)>;

// Fills `out` from the file; with a type test only the stations that pass.
// Returns false when the file cannot be opened or a read from it fails (out
// stays empty).
bool loadStations(const std::string& path, const Profile& profile, platform::ProgressSink& progress,
                  LoadedStations& out, const TypeTest& typeTest = {});

} // namespace ds
