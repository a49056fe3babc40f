#include "decode/log_decoder.h"

#include "decode/track_columns.h"

#include <filesystem>
#include <fstream>

namespace {
class TableFiller : public SectorEntryHandler {
public:
    TableFiller(TrackTable& table, UserDialogs& dialogs) : table_(table), dialogs_(dialogs) {}

    void decodeSector(ByteView sector)
    {
        const SectorHeader header = ReadSectorHeader(sector);
        if (!header.holdsData())
            return;
        // Decoded texts are UTC again.
        table_.clearDateChanges();
        buildHeaderRow(header.mask);
        ReadSectorEntries(sector, *this);
        table_.setRowCount(nextRow_);
        table_.clearRow(nextRow_);
    }

    void onFormatChange(std::uint32_t mask) override { buildHeaderRow(mask); }

    void onRecord(const TrackRecord& record) override
    {
        if (!record.checksumValid)
            return;
        std::vector<std::string> texts = TrackRowTexts(record, nextRow_);
        const int count = static_cast<int>(texts.size());
        for (int column = 0; column < count; ++column)
            table_.setCell(column, nextRow_, std::move(texts[column]));
        // Cells left past this row's own, from earlier content, would show
        // under a wider header.
        table_.clearRow(nextRow_, count);
        ++nextRow_;
        dialogs_.processEvents();
    }

private:
    // Widths are set for every column, so a narrow hint left by an earlier
    // layout does not stick to whatever column takes its place.
    void buildHeaderRow(std::uint32_t mask)
    {
        const std::vector<TrackColumn> columns = TrackColumnsFor(mask);
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
    UserDialogs& dialogs_;
    int nextRow_ = 1;
};

std::uint64_t SizeOf(std::ifstream& file)
{
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    file.seekg(0);
    return size > 0 ? static_cast<std::uint64_t>(size) : 0;
}
} // namespace

void DecodeLogFile(const std::string& path, TrackTable& table, UserDialogs& dialogs)
{
    std::error_code ignored;
    std::ifstream file;
    if (!std::filesystem::is_directory(path, ignored))
        file.open(path, std::ios::binary);
    if (!file.is_open()) {
        dialogs.error("Read fail!");
        return;
    }
    const std::size_t sectorCount = SectorCount(SizeOf(file));
    std::vector<std::uint8_t> sector(logimage::kSectorSize);
    TableFiller filler(table, dialogs);
    for (std::size_t index = 0; index < sectorCount; ++index) {
        if (!file.read(reinterpret_cast<char*>(sector.data()), static_cast<std::streamsize>(sector.size())))
            return;
        filler.decodeSector(sector);
    }
}

void DecodeLogImage(ByteView image, TrackTable& table, UserDialogs& dialogs)
{
    TableFiller filler(table, dialogs);
    for (std::size_t index = 0; index < SectorCount(image.size()); ++index)
        filler.decodeSector(image.subspan(index * logimage::kSectorSize, logimage::kSectorSize));
}
