// A memory image of any bytes, decoded whole and as the start of one sector,
// and in each dialect a user may name for it.
#include "fuzz_target.h"

#include "decode/log_decoder.h"
#include "decode/log_dialect.h"
#include "decode/log_image.h"
#include "decode/satellite_info.h"

#include <algorithm>
#include <array>

namespace {

// The readers' rules hold, and no record is shorter than two bytes (one in a
// Holux layout, which has no separator), so an image holds at most one row
// per two bytes (or per byte).
void CheckTable(const TrackTable& table, std::size_t imageSize, std::size_t shortestRecord)
{
    if (table.rowCount() == 0)
        return;
    FUZZ_CHECK(static_cast<std::size_t>(table.rowCount() - 1) <= imageSize / shortestRecord);
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

void Decode(ByteView image, LogDialect dialect = LogDialect::Detect)
{
    TrackTable table;
    DecodeLogImage(image, table, dialect);
    const bool generic = dialect == LogDialect::Detect && !HoldsHoluxMarker(image);
    CheckTable(table, image.size(), generic ? 2 : 1);
}
} // namespace

int FuzzDecoder(const std::uint8_t* data, std::size_t size)
{
    // Told dialects also read an image's last part sector, filling it out with 0xFF themselves.
    for (const LogDialect dialect : {LogDialect::Detect, LogDialect::M241, LogDialect::Gr245, LogDialect::M1000C})
        Decode(ByteView(data, size), dialect);
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
