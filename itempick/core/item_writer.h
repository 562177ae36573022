#pragma once
// ITEMPICK output: the header line and one delimited record per station.
//
// An ItemSession is made once per save or join from the build and the
// settings of the form's last OK; it resolves each selected item's line
// rules then, so the extraction never looks names up per line.
//
// Kavro's save writes through StationItemWriter, one call per listed
// station; Morvane's join through FileItemWriter, one call per input file.
// Both write CR LF line ends.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "datasheet/list_save.h"
#include "itempick/core/item_build.h"
#include "itempick/core/item_settings.h"
#include "platform/crlf_writer.h"
#include "platform/line_reader.h"
#include "platform/notices.h"
#include "platform/progress.h"

namespace itempick {

class Extractor;

class ItemSession {
public:
    ItemSession(const Build& build, Settings settings);
    ~ItemSession();
    ItemSession(const ItemSession&) = delete;
    ItemSession& operator=(const ItemSession&) = delete;

    const Build& build() const { return build_; }
    const Settings& settings() const { return settings_; }

    // Kavro's header line (the item names, or their header texts, joined by
    // the field delimiter), without its line end.
    std::string HeaderLine() const;
    // Morvane's header line (WriteItemHeader's texts), without its line end.
    std::string MorvaneHeaderLine() const;

    const Extractor& extractor() const { return *extractor_; }

private:
    const Build& build_;
    Settings settings_;
    std::unique_ptr<Extractor> extractor_;
};

// Kavro: TFSelect::WriteStationItems for each station of the list being
// saved, through one reader of the data file for the whole save.
class StationItemWriter {
public:
    // `lookup` gives a PID's offset as the PID/offset index does (first
    // match wins), -1 when it has none.
    StationItemWriter(const ItemSession& session, std::string dataPath, ds::OffsetLookup lookup,
                      platform::NoticeSink& notices);
    ~StationItemWriter();

    // Appends to `out` what the station writes, every line ended by CR LF:
    // the header line first when `index` is 0 and Include Header is on, then
    // the record with the lines of its multi-line items. Notices (caption
    // "NOTICE"), the station then writing nothing: "Offset Location not
    // found for %s" (returns true: the save goes on), "Cannot Open file %s
    // for read." when the data file cannot be opened or a read from it fails
    // (returns false: the save must stop, `out` is as it was). The caller
    // drops the lines without a letter or digit (ds::HasAlnum).
    bool WriteStationItems(std::string_view pid, std::size_t index, std::string& out);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Morvane: the join's ITEMPICK output.
class FileItemWriter {
public:
    explicit FileItemWriter(const ItemSession& session);
    ~FileItemWriter();

    // TFSelect::WriteItemHeader: once per join, after the output is opened;
    // nothing when Include Header is off.
    void WriteItemHeader(platform::CrlfWriter& out) const;

    // TFSelect::WriteFileItems: indexes the input (a reader opened on one
    // input file; read from its start), then writes one record per station
    // (ds::StationRule: one whose header line is damaged too) that passes
    // the type code, in file order. Lines without a letter or
    // digit are left out as they are written (the join's clean-up), so the
    // output needs no second pass. Progress moves at station 0 and every
    // 20th.
    void WriteFileItems(platform::LineReader& input, platform::CrlfWriter& out, std::string_view typeCode,
                        platform::ProgressSink& progress);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace itempick
