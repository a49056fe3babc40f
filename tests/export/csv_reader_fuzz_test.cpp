// Hostile files for the CSV reader: it must end with a table or a message,
// never a crash or a hang.
#include "export/csv_reader.h"

#include "export/export_test_support.h"
#include "support/fake_dialogs.h"

#include <gtest/gtest.h>

#include <random>

namespace {
class CsvReaderFuzz : public testing::Test {
protected:
    void loadAndCheck(const std::string& bytes)
    {
        const std::string path = folder.path("hostile.csv");
        WriteFileBytes(path, bytes);
        FakeDialogs dialogs;
        TrackTable table;
        const bool loaded = ReadCsvFile(path, table, dialogs);
        // A failed load says so; a good one says nothing.
        EXPECT_EQ(loaded, dialogs.messages.empty());
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
    std::mt19937 random{20070524};
};

TEST_F(CsvReaderFuzz, RandomBinaryData)
{
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(1 + round * 37, '\0');
        for (char& c : bytes)
            c = static_cast<char>(byte(random));
        loadAndCheck(bytes);
    }
}

TEST_F(CsvReaderFuzz, RandomMixturesOfSeparatorsAndQuotes)
{
    const std::string alphabet = ",,,\"\"\r\n\nab ";
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    for (int round = 0; round < 500; ++round) {
        std::string bytes(round % 200, ' ');
        for (char& c : bytes)
            c = alphabet[pick(random)];
        loadAndCheck(bytes);
    }
}

TEST_F(CsvReaderFuzz, LoneQuotes)
{
    for (const char* text :
         {"\"", "\"\r\n", "a,\"\r\n", "\"\"\"\r\n", "H,\r\n\"", "H,\r\n1,\"x\r\n2,\r\n", "\"a\"\"\r\n", "a\"\r\n"})
        loadAndCheck(text);
}

TEST_F(CsvReaderFuzz, TenMegabytesOnOneLine)
{
    loadAndCheck(std::string(10 << 20, 'x') + ",\r\n");
    loadAndCheck(std::string(10 << 20, 'y'));
    loadAndCheck("\"" + std::string(10 << 20, 'z'));
}

TEST_F(CsvReaderFuzz, TenMegabytesOfCommas)
{
    loadAndCheck("H,\r\n1" + std::string(10 << 20, ',') + "\r\n");
}

TEST_F(CsvReaderFuzz, TenMegabytesOfShortLines)
{
    std::string bytes;
    while (bytes.size() < (10u << 20))
        bytes += "12345,2007/05/24,09:46:40,SPS,24.123456,N,\r\n";
    const std::string path = folder.path("big.csv");
    WriteFileBytes(path, bytes);
    FakeDialogs dialogs;
    TrackTable table;
    ASSERT_TRUE(ReadCsvFile(path, table, dialogs));
    EXPECT_EQ(table.columnCount(), 6);
    EXPECT_GT(table.rowCount(), 200000);
}
} // namespace
