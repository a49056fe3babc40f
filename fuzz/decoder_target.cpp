// A memory image of any bytes, decoded whole and as the start of one sector.
#include "fuzz_target.h"

#include "core/user_dialogs.h"
#include "decode/log_decoder.h"
#include "decode/log_image.h"
#include "decode/satellite_info.h"

#include <algorithm>
#include <array>

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
    for (int column = 1; column < table.columnCount(); ++column) {
        if (!table.cell(column, 0).starts_with("SAT INFO"))
            continue;
        // Only the first such column pops up; one is all the decoder makes.
        for (int row = 1; row < table.rowCount(); ++row)
            FUZZ_CHECK(SatelliteInfoText(table, column, row).has_value() == !table.cell(column, row).empty());
        FUZZ_CHECK(!SatelliteInfoText(table, column, 0) && !SatelliteInfoText(table, 0, 1));
        break;
    }
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
        // Erased flash reads as 0xFF; kept between inputs, as filling 64 KiB
        // on every input would cost more than decoding it.
        static std::array<std::uint8_t, logimage::kSectorSize> sector = [] {
            std::array<std::uint8_t, logimage::kSectorSize> erased;
            erased.fill(0xFF);
            return erased;
        }();
        std::copy(data, data + size, sector.begin());
        Decode(ByteView(sector.data(), sector.size()));
        std::fill_n(sector.begin(), size, 0xFF);
    }
    return 0;
}
