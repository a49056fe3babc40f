// A memory image of any bytes, decoded whole and as the start of one sector.
#include "fuzz_target.h"

#include "core/user_dialogs.h"
#include "decode/log_decoder.h"
#include "decode/log_image.h"
#include "decode/satellite_info.h"

#include <vector>

namespace {
SilentDialogs silent;

// The readers' rules hold, and no record is shorter than two bytes, so an
// image holds at most one row per two bytes.
void CheckTable(const TrackTable& table, std::size_t imageSize)
{
    if (table.rowCount() == 0)
        return;
    FUZZ_CHECK(static_cast<std::size_t>(table.rowCount() - 1) <= imageSize / 2);
    FUZZ_CHECK(table.usedColumnCount() == table.columnCount());
    FUZZ_CHECK(table.usedRowCount() == table.rowCount());
    for (int row = 1; row < table.rowCount(); ++row)
        FUZZ_CHECK(table.cell(0, row) == std::to_string(row));
    for (int column = 0; column < table.columnCount(); ++column)
        for (int row = 0; row <= table.rowCount(); ++row)
            SatelliteInfoText(table, column, row);
}

void Decode(ByteView image)
{
    TrackTable table;
    DecodeLogImage(image, table, silent);
    CheckTable(table, image.size());
}
} // namespace

int FuzzDecoder(const std::uint8_t* data, std::size_t size)
{
    Decode(ByteView(data, size));
    if (size < logimage::kSectorSize) {
        std::vector<std::uint8_t> sector(logimage::kSectorSize, 0xFF);
        std::copy(data, data + size, sector.begin());
        Decode(ByteView(sector.data(), sector.size()));
    }
    return 0;
}
