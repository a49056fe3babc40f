// Hostile images of whole sectors, and large ones, through the decoder: sizes
// no fuzz input reaches. It must neither crash nor hang, and the table it
// leaves must obey the readers' rules.
#include "decode/log_decoder.h"
#include "testbed/log_image_writer.h"

#include <gtest/gtest.h>

#include <random>

namespace {
using Bytes = std::vector<std::uint8_t>;

class HostileImages {
public:
    explicit HostileImages(unsigned seed) : random_(seed) {}

    Bytes next()
    {
        const int sectors = 1 + static_cast<int>(random_() % 3);
        Bytes image;
        for (int sector = 0; sector < sectors; ++sector)
            appendSector(image);
        if (random_() % 4 == 0)
            image.resize(random_() % (image.size() + 1));
        return image;
    }

private:
    std::uint32_t mask()
    {
        switch (random_() % 4) {
        case 0:
            return 0xFFFFFFFF;
        case 1:
            return 0x0001E000 | static_cast<std::uint32_t>(random_());
        default:
            return static_cast<std::uint32_t>(random_());
        }
    }

    std::uint8_t byte() { return static_cast<std::uint8_t>(random_()); }

    // Bytes that look like a record: satellite counts and checksums are
    // often plausible, so the reader goes deep.
    Bytes recordLike()
    {
        Bytes bytes(random_() % 120);
        for (auto& b : bytes) {
            const auto roll = random_() % 8;
            b = roll == 0 ? 0xFF : roll == 1 ? 0x00 : roll == 2 ? 0x03 : byte();
        }
        std::uint8_t sum = 0;
        for (std::uint8_t b : bytes)
            sum ^= b;
        bytes.push_back('*');
        bytes.push_back(random_() % 2 ? sum : byte());
        return bytes;
    }

    void appendSector(Bytes& image)
    {
        LogImageWriter writer;
        writer.beginSector(mask(),
                           random_() % 8 == 0 ? static_cast<std::uint32_t>(random_()) : logimage::kSectorMarker);
        if (random_() % 3 == 0) {
            Bytes noise(writer.remaining());
            for (auto& b : noise)
                b = byte();
            writer.raw(noise);
        } else {
            for (bool more = true; more;) {
                const auto roll = random_() % 10;
                Bytes entry = recordLike();
                if (roll == 0 && writer.remaining() >= 16)
                    writer.formatChange(mask());
                else if (roll == 1 && writer.remaining() >= 16)
                    writer.special(byte(), static_cast<std::uint32_t>(random_()));
                else if (entry.size() <= writer.remaining())
                    writer.raw(entry);
                else
                    more = false;
                if (random_() % 500 == 0)
                    more = false;
            }
        }
        image.insert(image.end(), writer.image().begin(), writer.image().end());
    }

    std::mt19937 random_;
};

// The readers' rules: an empty header right after the last column, rows
// numbered 1.. up to the row count, and an empty row right after them.
void ExpectReadableTable(const TrackTable& table)
{
    if (table.rowCount() == 0)
        return;
    ASSERT_EQ(table.usedColumnCount(), table.columnCount());
    ASSERT_EQ(table.usedRowCount(), table.rowCount());
    for (int row = 1; row < table.rowCount(); ++row)
        ASSERT_EQ(table.cell(0, row), std::to_string(row));
}
} // namespace

TEST(LogDecoderFuzz, RandomAndHostileImagesFromMemory)
{
    HostileImages images(2024);
    for (int run = 0; run < 300; ++run) {
        TrackTable table;
        int told = 0;
        const LoadResult result = DecodeLogImage(images.next(), table, LogDialect::Detect, [&](int) { ++told; });
        ExpectReadableTable(table);
        ASSERT_TRUE(result.loaded());
        ASSERT_EQ(result.rows, std::max(0, table.rowCount() - 1));
        ASSERT_EQ(told, result.rows);
    }
}

TEST(LogDecoderFuzz, FormatChangeAfterEveryRecordStaysLinear)
{
    // Alternating wide and narrow layouts in every sector over a large table.
    TrackRecord record;
    record.utc = 1180000000;
    LogImageWriter writer;
    for (int sector = 0; sector < 8; ++sector) {
        writer.beginSector(0x000FFFFF);
        while (writer.remaining() >= 2 * 16 + 66 + 6) {
            writer.formatChange(0x000FFFFF).record(record);
            writer.formatChange(0x1).record(record);
        }
    }
    TrackTable table;
    DecodeLogImage(writer.image(), table);
    ExpectReadableTable(table);
    EXPECT_GT(table.rowCount(), 8 * 1000);
    EXPECT_EQ(table.columnCount(), 3);
    EXPECT_EQ(table.cell(19, 1), "      0.00 m"); // a wide row keeps its cells under the narrow header
}

TEST(LogDecoderFuzz, MostRowsAnImageCanHold)
{
    // Mask 0: every two zero bytes are a valid record.
    LogImageWriter writer;
    for (int sector = 0; sector < 4; ++sector)
        writer.beginSector(0).raw(Bytes(logimage::kSectorSize - logimage::kSectorHeaderSize, 0x00));
    TrackTable table;
    DecodeLogImage(writer.image(), table);
    EXPECT_EQ(table.rowCount(), 4 * (logimage::kSectorSize - logimage::kSectorHeaderSize) / 2 + 1);
    ExpectReadableTable(table);
}
