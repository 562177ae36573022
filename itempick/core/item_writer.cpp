#include "itempick/core/item_writer.h"

#include "datasheet/datasheet_format.h"
#include "datasheet/type_filter.h"
#include "itempick/core/collectors.h"
#include "itempick/core/extractor.h"
#include "itempick/core/formatters.h"
#include "itempick/core/record_format.h"

namespace itempick {

namespace {

std::string headerLine(const ItemSession& session, bool morvane)
{
    const Settings& settings = session.settings();
    std::string line;
    const auto& entries = session.extractor().entries();
    for (std::size_t j = 0; j < entries.size(); ++j) {
        if (j > 0)
            line += settings.fieldDelim;
        line += HeaderText(session.build(), settings, {entries[j].name, entries[j].width}, morvane);
    }
    return line;
}

bool carriesPid(std::string_view line, std::string_view pid)
{
    return line.size() > 1 && line.substr(1, 6) == pid;
}

// The record of one station: each item's field, by the item's kind, and
// the field delimiter after it. Kavro ends the record with a line end;
// Morvane begins it with one and sets the delimiter also by whether the
// station had data.
void writeRecord(const Extractor& extractor, const StationData& data, std::string_view pid, bool morvane,
                 bool hasData, std::string& out)
{
    const Settings& settings = extractor.settings();
    const CollectContext context{extractor.build(), settings};
    const auto& entries = extractor.entries();
    if (morvane)
        out += "\r\n";
    for (std::size_t j = 0; j < entries.size(); ++j) {
        const ResolvedEntry& entry = entries[j];
        // The entries stand in the order of the settings' items.
        const ItemChoice& item = settings.items[j];
        const LineList& lines = data.lines[j];
        switch (entry.field) {
        case FieldKind::Value:
            WriteItemValue(out, settings, item, data.values[j]);
            break;
        case FieldKind::GpsSuit:
            if (!data.dated[j]) {
                // Nothing, or the letter of a suitability line without a
                // date line: the letter's field and an empty date.
                const std::string_view letter = std::string_view(data.values[j]).substr(0, 1);
                if (settings.fixedField) {
                    AppendFixed(out, letter, 1);
                    out += settings.fieldDelim;
                    out.append(8, ' ');
                } else {
                    out += letter;
                    out += settings.fieldDelim;
                }
            } else {
                WriteItemValue(out, settings, item, data.values[j]);
            }
            break;
        case FieldKind::PlaneCoords:
        case FieldKind::CombinedFactor: {
            // A station without the item's line still gets its fields, all
            // empty, so the columns after it stay under their header.
            std::string value = data.values[j];
            if (value.empty()) {
                if (entry.field == FieldKind::PlaneCoords)
                    FormatPlaneCoords({}, settings, value);
                else
                    FormatCombinedFactor({}, settings, value);
            }
            WriteItemValue(out, settings, item, value);
            break;
        }
        case FieldKind::ListLines:
        case FieldKind::RecLines: {
            const bool rec = entry.field == FieldKind::RecLines;
            auto writeOne = [&](std::string_view line) {
                if (entry.fixedColumn > 0)
                    WriteColumnLine(out, settings, item, rec, line, entry.fixedColumn);
                else if (rec)
                    WriteRecLine(out, settings, pid, item, line);
                else
                    WriteListLine(out, settings, pid, entry.name, line);
            };
            // An item that writes inside the record (LAST, SUPER_) and has
            // no line still writes its empty fields, so that the columns
            // after it stay under their header; with Fixed Field its lines
            // take the same width.
            if (lines.empty() && entry.inRecord)
                WriteEmptyLine(out, settings, item, rec, EmptyCollectedLine(context, entry.name));
            for (const std::string& line : lines)
                writeOne(line);
            break;
        }
        }
        const bool lastItem = j + 1 == entries.size();
        if (!lastItem && (morvane ? hasData && entry.morvaneDelimiterAfter : entry.delimiterAfter))
            out += settings.fieldDelim;
    }
    if (!morvane && !entries.empty())
        out += "\r\n";
}

// Appends the text's lines that hold a letter or a digit, each with CR LF.
void writeKeptLines(std::string_view text, platform::CrlfWriter& out)
{
    while (!text.empty()) {
        const std::size_t lf = text.find('\n');
        std::string_view line = text.substr(0, lf);
        text = lf == std::string_view::npos ? std::string_view() : text.substr(lf + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (ds::HasAlnum(line))
            out.writeLine(line);
    }
}

// Reads one station from `offset` (ds::StationLines) and extracts the lines
// that carry its PID; a stray line of another PID is passed over. Returns
// whether any line carried the PID.
bool extractStation(const Extractor& extractor, platform::LineReader& reader, std::uint64_t offset,
                    std::string_view pid, StationData& data)
{
    ds::StationLines station(reader, offset, pid);
    bool hasData = false;
    const NextLine next = [&station](std::string& line) {
        std::string_view following;
        if (!station.next(following))
            return false;
        line.assign(following);
        return true;
    };
    std::string_view part;
    while (station.next(part)) {
        const std::string_view line = CutLineEnd(part);
        if (carriesPid(line, pid)) {
            hasData = true;
            // A recovery text title reads the following line: the view of
            // this one is then gone, but nothing uses it after that.
            extractor.ExtractLineItems(line, next, data);
        }
    }
    return hasData;
}

} // namespace

ItemSession::ItemSession(const Build& build, Settings settings)
    : build_(build), settings_(std::move(settings)), extractor_(std::make_unique<Extractor>(build_, settings_))
{
}

ItemSession::~ItemSession() = default;

std::string ItemSession::HeaderLine() const
{
    return headerLine(*this, false);
}

std::string ItemSession::MorvaneHeaderLine() const
{
    return headerLine(*this, true);
}

// --- Kavro ---

struct StationItemWriter::Impl {
    Impl(const ItemSession& session, std::string dataPath, ds::OffsetLookup lookup, platform::NoticeSink& notices)
        : session(session), dataPath(std::move(dataPath)), lookup(std::move(lookup)), notices(notices)
    {
    }
    const ItemSession& session;
    std::string dataPath;
    ds::OffsetLookup lookup;
    platform::NoticeSink& notices;
    platform::LineReader reader{0};
    StationData data;
};

StationItemWriter::StationItemWriter(const ItemSession& session, std::string dataPath, ds::OffsetLookup lookup,
                                     platform::NoticeSink& notices)
    : impl_(std::make_unique<Impl>(session, std::move(dataPath), std::move(lookup), notices))
{
}

StationItemWriter::~StationItemWriter() = default;

bool StationItemWriter::WriteStationItems(std::string_view pid, std::size_t index, std::string& out)
{
    Impl& impl = *impl_;
    const std::int64_t offset = impl.lookup ? impl.lookup(pid) : -1;
    if (offset < 0) {
        impl.notices.notice("NOTICE", "Offset Location not found for " + std::string(pid));
        return true;
    }
    const std::size_t before = out.size();
    const Settings& settings = impl.session.settings();
    if (index == 0 && settings.includeHeader) {
        out += impl.session.HeaderLine();
        out += "\r\n";
    }
    if (!impl.reader.isOpen() && !impl.reader.open(impl.dataPath)) {
        impl.notices.notice("NOTICE", "Cannot Open file " + impl.dataPath + " for read.");
        out.resize(before);
        return false;
    }
    const Extractor& extractor = impl.session.extractor();
    impl.data.reset(extractor.entries().size());
    extractStation(extractor, impl.reader, static_cast<std::uint64_t>(offset), pid, impl.data);
    if (impl.reader.failed()) {
        impl.notices.notice("NOTICE", "Cannot Open file " + impl.dataPath + " for read.");
        out.resize(before);
        return false;
    }
    writeRecord(extractor, impl.data, pid, false, true, out);
    return true;
}

// --- Morvane ---

struct FileItemWriter::Impl {
    const ItemSession& session;
    StationData data;
    std::string record;
    std::vector<std::pair<std::string, std::uint64_t>> stations;
};

FileItemWriter::FileItemWriter(const ItemSession& session) : impl_(std::make_unique<Impl>(Impl{session, {}, {}, {}}))
{
}

FileItemWriter::~FileItemWriter() = default;

void FileItemWriter::WriteItemHeader(platform::CrlfWriter& out) const
{
    if (!impl_->session.settings().includeHeader)
        return;
    out.writeLine(impl_->session.MorvaneHeaderLine());
}

void FileItemWriter::WriteFileItems(platform::LineReader& input, platform::CrlfWriter& out, std::string_view typeCode,
                                    platform::ProgressSink& progress)
{
    Impl& impl = *impl_;
    const std::size_t pieceLength = input.pieceLength();
    input.setPieceLength(0);

    // Pass 1: where every station opens (ds::StationRule) and its PID: at a
    // header line, the characters 1-6 of the line after it (a header right
    // after a header takes that header's and is indexed itself as well); at
    // the first body line of a station whose header is damaged, that line's.
    impl.stations.clear();
    input.seek(0);
    const auto add = [&impl](std::string_view pid, std::uint64_t offset) {
        impl.stations.emplace_back(pid, offset);
        impl.stations.back().first.resize(6, ' ');
    };
    ds::StationRule rule;
    bool afterHeader = false;
    std::uint64_t headerOffset = 0;
    std::string_view piece;
    while (input.next(piece)) {
        const std::uint64_t pieceOffset = input.pieceOffset();
        ds::forEachLineIn(piece, [&](std::string_view part, std::size_t at, bool breaksInside) {
            if (afterHeader) {
                const std::string_view line = CutLineEnd(part);
                add(line.size() > 1 ? line.substr(1, 6) : std::string_view(), headerOffset);
                afterHeader = false;
            }
            switch (rule.next(part, breaksInside)) {
            case ds::StationRule::Opening::Header:
                afterHeader = true;
                headerOffset = pieceOffset + at;
                break;
            case ds::StationRule::Opening::Body:
                add(ds::heldPid(part), pieceOffset + at);
                break;
            case ds::StationRule::Opening::None:
                break;
            }
            return true;
        });
    }

    // Pass 2: one record per station that passes the type code.
    const Extractor& extractor = impl.session.extractor();
    const std::size_t count = impl.stations.size();
    const bool anyType = ds::isAnyType(typeCode);
    for (std::size_t i = 0; i < count; ++i) {
        if (i % 20 == 0)
            progress.set(static_cast<int>(100 * i / count));
        const auto& [pid, offset] = impl.stations[i];
        if (!anyType && !ds::StationMatchesType(typeCode, pid, input, offset, ds::kMorvane))
            continue;
        impl.data.reset(extractor.entries().size());
        const bool hasData = extractStation(extractor, input, offset, pid, impl.data);
        impl.record.clear();
        writeRecord(extractor, impl.data, pid, true, hasData, impl.record);
        writeKeptLines(impl.record, out);
    }
    input.setPieceLength(pieceLength);
}

} // namespace itempick
