// Files far bigger than a fuzz input, for the CSV reader: each ends with a
// table or a message in time, never a crash or a hang.
#include "export/csv_reader.h"

#include "export/export_test_support.h"

#include <gtest/gtest.h>

namespace {
class CsvReaderBigFiles : public testing::Test {
protected:
    void loadAndCheck(const std::string& bytes)
    {
        const std::string path = folder.path("big.csv");
        WriteFileBytes(path, bytes);
        TrackTable table;
        const LoadResult result = ReadCsvFile(path, table);
        // A failed load says why; a good one has nothing to say.
        EXPECT_EQ(result.loaded(), LoadFailureText(result).empty());
        EXPECT_EQ(result.rows, std::max(0, table.rowCount() - 1));
        EXPECT_LE(table.columnCount(), kMaxCsvColumns);
        // Every row loaded came from a line with some text.
        for (int row = 0; row < table.rowCount(); ++row) {
            bool hasText = false;
            for (int column = 0; column < table.columnCount() && !hasText; ++column)
                hasText = !table.cell(column, row).empty();
            EXPECT_TRUE(hasText) << "row " << row;
        }
    }

    ScratchFolder folder;
};

TEST_F(CsvReaderBigFiles, TenMegabytesOnOneLine)
{
    loadAndCheck(std::string(10 << 20, 'x') + ",\r\n");
    loadAndCheck(std::string(10 << 20, 'y'));
    loadAndCheck("\"" + std::string(10 << 20, 'z'));
}

TEST_F(CsvReaderBigFiles, TenMegabytesOfCommas)
{
    loadAndCheck("H,\r\n1" + std::string(10 << 20, ',') + "\r\n");
}

TEST_F(CsvReaderBigFiles, TenMegabytesOfShortLines)
{
    std::string bytes;
    while (bytes.size() < (10u << 20))
        bytes += "12345,2007/05/24,09:46:40,SPS,24.123456,N,\r\n";
    const std::string path = folder.path("big.csv");
    WriteFileBytes(path, bytes);
    TrackTable table;
    ASSERT_TRUE(ReadCsvFile(path, table).loaded());
    EXPECT_EQ(table.columnCount(), 6);
    EXPECT_GT(table.rowCount(), 200000);
}
} // namespace
