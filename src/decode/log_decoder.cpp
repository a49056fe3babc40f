#include "decode/log_decoder.h"

#include "decode/track_columns.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <utility>

using namespace fieldbit;

namespace {
// Setting blocks that tell where a track starts.
constexpr std::uint8_t kPeriodType = 3;
constexpr std::uint8_t kDistanceType = 4;
constexpr std::uint8_t kLoggingType = 7;
constexpr std::uint32_t kLoggingOnBit = 0x2;
constexpr std::uint16_t kButtonReason = 0x8;

// A position that no place on earth has is noise, not a point of the track.
bool HoldsAPlace(const TrackRecord& record)
{
    const auto within = [](const std::optional<double>& degrees, double limit) {
        return !degrees || std::fabs(*degrees) <= limit; // false for NaN too
    };
    return within(record.latitude, 90) && within(record.longitude, 180);
}

class TableFiller : public SectorEntryHandler {
public:
    TableFiller(TrackTable& table, LogDialect dialect, const LoadProgress& progress)
        : table_(table), progress_(progress), rules_(RulesOf(dialect))
    {
    }

    void decodeSector(ByteView sector)
    {
        const SectorHeader header = ReadSectorHeader(sector);
        if (!header.holdsData())
            return;
        // Decoded texts are UTC again.
        table_.clearDateChanges();
        mask_ = SectorMask(header.mask, rules_.layout);
        buildHeaderRow();
        ReadSectorEntries(sector, *this, rules_);
        table_.setRowCount(nextRow_);
        table_.clearRow(nextRow_);
    }

    // Holux tools save an image up to its last byte in use, not in whole sectors.
    bool readsPartialSector(ByteView part) const
    {
        if (part.size() < logimage::kSectorHeaderSize)
            return false;
        return rules_.layout != RecordLayout::Generic ||
               (rules_.markers == MarkerRule::ChooseLayout && HoldsHoluxMarker(part));
    }

    LoadResult result() const
    {
        LoadResult result = result_;
        result.rows = nextRow_ - 1;
        return result;
    }

    void onFormatChange(std::uint32_t mask) override
    {
        mask_ = mask;
        buildHeaderRow();
    }

    void onSpecialEntry(const SpecialEntry& entry) override
    {
        if (entry.type == kPeriodType || entry.type == kDistanceType)
            settingGroupSeen_ = true;
        else if (entry.type == kLoggingType && (entry.value & kLoggingOnBit))
            loggingOnSeen_ = true;
    }

    void onMarker(const HoluxMarker& marker) override
    {
        waypointNext_ = marker.waypoint;
        if (shownMask() != shownMask_)
            buildHeaderRow();
    }

    void onRecord(const TrackRecord& record) override
    {
        const bool waypoint = std::exchange(waypointNext_, false);
        if (!record.checksumValid)
            return;
        if (!HoldsAPlace(record)) {
            ++result_.recordsPassedOver;
            return;
        }
        if (loggingOnSeen_ || settingGroupSeen_ || track_ == 0)
            takeTrackStart();
        if (record.mask == shownMask_ && !waypoint) {
            writeRow(record);
            return;
        }
        // The button reason is how the table shows a waypoint.
        TrackRecord shown = record;
        shown.mask = shownMask_;
        shown.rcr = static_cast<std::uint16_t>(record.rcr.value_or(0) | (waypoint ? kButtonReason : 0));
        writeRow(shown);
    }

private:
    // Loggers that mark waypoints get the RCR column to show them in, logged or not.
    std::uint32_t shownMask() const
    {
        const bool marksWaypoints = rules_.layout != RecordLayout::Generic && rules_.markers != MarkerRule::Ignore;
        return marksWaypoints ? mask_ | kRcr : mask_;
    }

    // Generic loggers start a track when logging is switched on; Holux loggers
    // write that block anywhere, and start one with a group of criteria blocks.
    void takeTrackStart()
    {
        const bool starts = rules_.layout == RecordLayout::Generic ? loggingOnSeen_ : settingGroupSeen_;
        loggingOnSeen_ = settingGroupSeen_ = false;
        if (starts || track_ == 0)
            ++track_;
        if (starts && !trackColumn_) {
            trackColumn_ = true;
            buildHeaderRow();
        }
    }

    void writeRow(const TrackRecord& record)
    {
        std::vector<std::string> texts = TrackRowTexts(record, nextRow_);
        if (trackColumn_)
            texts.push_back(std::to_string(track_));
        const int count = static_cast<int>(texts.size());
        for (int column = 0; column < count; ++column)
            table_.setCell(column, nextRow_, std::move(texts[column]));
        // Cells left past this row's own, from earlier content, would show
        // under a wider header.
        table_.clearRow(nextRow_, count);
        ++nextRow_;
        if (progress_)
            progress_(nextRow_ - 1);
    }

    // Widths are set for every column, so a narrow hint left by an earlier
    // layout does not stick to whatever column takes its place.
    void buildHeaderRow()
    {
        shownMask_ = shownMask();
        std::vector<TrackColumn> columns = TrackColumnsFor(shownMask_);
        if (trackColumn_)
            columns.push_back({std::string(header::kTrack), 0});
        const int count = static_cast<int>(columns.size());
        for (int column = 0; column < count; ++column) {
            table_.setCell(column, 0, columns[column].header);
            table_.setColumnWidth(column, columns[column].width);
        }
        table_.setColumnCount(count);
        // The empty header ends the columns for every reader; the data rows
        // keep their cells, so rows written under a wider mask stay whole.
        table_.clearRow(0, count);
    }

    TrackTable& table_;
    const LoadProgress& progress_;
    DialectRules rules_;
    LoadResult result_;
    std::uint32_t mask_ = 0;
    std::uint32_t shownMask_ = 0;
    int nextRow_ = 1;
    bool waypointNext_ = false;
    bool settingGroupSeen_ = false;
    bool loggingOnSeen_ = false;
    // Rows are numbered by track once the memory has told where one starts;
    // rows before that form a track of their own, without a number.
    int track_ = 0;
    bool trackColumn_ = false;
};

std::uint64_t SizeOf(std::ifstream& file)
{
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    file.seekg(0);
    return size > 0 ? static_cast<std::uint64_t>(size) : 0;
}
} // namespace

LoadResult DecodeLogImageFile(const std::string& path, TrackTable& table, LogDialect dialect,
                              const LoadProgress& progress)
{
    std::error_code ignored;
    std::ifstream file;
    if (!std::filesystem::is_directory(path, ignored))
        file.open(path, std::ios::binary);
    if (!file.is_open())
        return {LoadResult::Outcome::CannotOpen};
    const std::uint64_t size = SizeOf(file);
    const std::size_t sectorCount = SectorCount(size);
    std::vector<std::uint8_t> sector(logimage::kSectorSize);
    TableFiller filler(table, dialect, progress);
    for (std::size_t index = 0; index < sectorCount; ++index) {
        if (!file.read(reinterpret_cast<char*>(sector.data()), static_cast<std::streamsize>(sector.size())))
            return filler.result();
        filler.decodeSector(sector);
    }
    const auto partSize = static_cast<std::size_t>(size % logimage::kSectorSize);
    if (partSize == 0 || !file.read(reinterpret_cast<char*>(sector.data()), static_cast<std::streamsize>(partSize)))
        return filler.result();
    if (filler.readsPartialSector(ByteView(sector).first(partSize))) {
        std::fill(sector.begin() + static_cast<std::ptrdiff_t>(partSize), sector.end(), 0xFF);
        filler.decodeSector(sector);
    }
    return filler.result();
}

LoadResult DecodeLogImage(ByteView image, TrackTable& table, LogDialect dialect, const LoadProgress& progress)
{
    TableFiller filler(table, dialect, progress);
    const std::size_t sectorCount = SectorCount(image.size());
    for (std::size_t index = 0; index < sectorCount; ++index)
        filler.decodeSector(image.subspan(index * logimage::kSectorSize, logimage::kSectorSize));
    const ByteView part = image.subspan(sectorCount * logimage::kSectorSize);
    if (filler.readsPartialSector(part)) {
        std::vector<std::uint8_t> sector(logimage::kSectorSize, 0xFF);
        std::copy(part.begin(), part.end(), sector.begin());
        filler.decodeSector(sector);
    }
    return filler.result();
}
