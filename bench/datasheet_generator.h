#pragma once
// Synthetic datasheet text for tests, benchmarks and the sample CD-ROM tree.
//
// The output depends on the options alone: the generator has its own PRNG
// (splitmix64) and uses integer arithmetic only, so the same options give the
// same bytes on every machine and with every compiler. Stations come from one
// PRNG stream, so the first N stations of a longer run are the same bytes as
// a run of N stations.
//
// Every line of a station's body carries the station's PID at index 1-6 and
// fits 149 characters, unless longLines asks for longer description lines.
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>

namespace dsgen {

enum class LineEnd { CrLf, Lf };

struct Options {
    // Number of stations; not used when targetBytes is above 0.
    std::size_t stations = 100;
    // Above 0: stations are added until the output holds at least this many
    // bytes. The last station is written whole, so the output runs over.
    std::uint64_t targetBytes = 0;
    std::uint64_t seed = 1;
    // Two letters, written in capitals in the STATE/COUNTY line. AZ, NM, CO,
    // GU and KS have position and height ranges of their own; other codes share
    // a mainland range.
    std::string state = "AZ";
    // 0-999; names the county in the STATE/COUNTY line when countyName is
    // empty ("COUNTY 001").
    int county = 1;
    std::string countyName;
    // Two capital letters. PIDs run from pidPrefix + firstPidNumber upwards,
    // one per station; past 9999 the prefix's second letter steps on
    // (QA9999, QB0000), then its first.
    std::string pidPrefix = "QA";
    int firstPidNumber = 1;
    // Header text from index 54, e.g. "OCTOBER 14, 2004"; empty: one is drawn
    // from the seed. The same date stands in every header of the output.
    std::string retrievalDate;
    LineEnd lineEnd = LineEnd::CrLf;
    // About one station in eight (and always the first) gets one description
    // line of 160 to 300 characters.
    bool longLines = false;
    // Above 0: every station lies within this many arc seconds, in latitude
    // and in longitude, of the point nearLatitude ("dd mm ss") and
    // nearLongitude ("ddd mm ss"), in the region's hemispheres, instead of
    // anywhere in the region.
    int nearSeconds = 0;
    std::string nearLatitude;
    std::string nearLongitude;
};

// Throws std::invalid_argument when an option is out of range.
void validate(const Options& options);

// Writes the datasheets to the stream and returns the number of stations.
// Throws std::invalid_argument when an option is out of range. The caller
// checks the stream for write errors.
std::size_t generate(const Options& options, std::ostream& out);

std::string generateString(const Options& options);

} // namespace dsgen
