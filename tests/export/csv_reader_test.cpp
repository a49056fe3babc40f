#include "export/csv_reader.h"

#include "export/csv_writer.h"
#include "export/export_test_support.h"

#include <gtest/gtest.h>

namespace {
using Rows = std::vector<std::vector<std::string>>;

// Every cell of the table within its counts.
Rows CellsOf(const TrackTable& table)
{
    Rows rows(table.rowCount());
    for (int row = 0; row < table.rowCount(); ++row)
        for (int column = 0; column < table.columnCount(); ++column)
            rows[row].push_back(table.cell(column, row));
    return rows;
}

class CsvReader : public testing::Test {
protected:
    bool load(const std::string& text)
    {
        const std::string path = folder.path("in.csv");
        WriteFileBytes(path, text);
        result = ReadCsvFile(path, table, [this](int rows) { progress.push_back(rows); });
        return result.loaded();
    }

    ScratchFolder folder;
    TrackTable table;
    LoadResult result;
    std::vector<int> progress; // the row counts the reader told, in order
};

TEST_F(CsvReader, ATableSavedAsCsvComesBackCellForCell)
{
    const Rows saved = {{"INDEX", "RCR", "DATE", "VALID", "NOTE", "DISTANCE"},
                        {"1", "", "2007/05/24", "SPS", "a,b", "      5.00 m"},
                        {"2", "TD", "2007/05/24", "", "say \"hi\"", "     10.00 m"},
                        {"3", "B", "", "DGPS", "two\r\nlines", ""}};
    const std::string path = folder.path("trip.csv");
    ASSERT_TRUE(WriteCsvFile(path, TableOf(saved)).saved());

    ASSERT_TRUE(ReadCsvFile(path, table).loaded());
    EXPECT_EQ(CellsOf(table), saved);
    EXPECT_EQ(table.rowCount(), 4);
    EXPECT_EQ(table.columnCount(), 6);
}

TEST_F(CsvReader, SplitsLinesIntoFields)
{
    struct Case {
        const char* line;
        std::vector<std::string> cells;
    };
    const Case cases[] = {
        {"a,,b,", {"a", "", "b"}}, // empty fields stay in their columns
        {"a,b", {"a", "b"}},       // no trailing comma
        {"a,b,,", {"a", "b", ""}}, // the last comma is the writer's, the one before ends an empty cell
        {",a,", {"", "a"}},
        {"\"a,b\",c,", {"a,b", "c"}}, // quoted comma
        {"\"say \"\"hi\"\"\",", {"say \"hi\""}},
        {"\"\",x,", {"", "x"}},
        {"ab\"c,d", {"ab\"c", "d"}}, // a quote inside an unquoted cell is text
        {"\"ab\"c,d", {"abc", "d"}}, // text after a closing quote is kept
        {"a\rb,c", {"a\rb", "c"}},   // a CR not before LF is text
        {"  spaced  ,x", {"  spaced  ", "x"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        ASSERT_TRUE(load(std::string("H,\r\n") + c.line + "\r\n"));
        std::vector<std::string> cells;
        for (int column = 0; column < table.columnCount(); ++column)
            cells.push_back(table.cell(column, 1));
        while (cells.size() > c.cells.size() && cells.back().empty())
            cells.pop_back();
        EXPECT_EQ(cells, c.cells);
    }
}

TEST_F(CsvReader, TakesLfOrCrLfAsLineEnds)
{
    ASSERT_TRUE(load("A,B,\nC,D,\r\nE,F,\n"));
    EXPECT_EQ(CellsOf(table), (Rows{{"A", "B"}, {"C", "D"}, {"E", "F"}}));
}

TEST_F(CsvReader, ALastLineWithoutLineEndIsLoadedLikeEveryOtherNotLost)
{
    for (const char* last : {"3,4,", "3,4", "3,4,\r"}) {
        SCOPED_TRACE(last);
        ASSERT_TRUE(load(std::string("A,B,\r\n1,2,\r\n") + last));
        EXPECT_EQ(CellsOf(table), (Rows{{"A", "B"}, {"1", "2"}, {"3", "4"}}));
        EXPECT_EQ(result.rows, 2);
    }
}

TEST_F(CsvReader, AnEmptyLineEndsTheLoadWithAMessageKeepingTheLinesBefore)
{
    for (const char* emptyLine : {"\r\n", ",\r\n", ",,,\r\n", "\"\",\r\n"}) {
        SCOPED_TRACE(emptyLine);
        EXPECT_FALSE(load(std::string("H1,H2,\r\n1,a,\r\n2,b,\r\n3,c,\r\n4,d,\r\n") + emptyLine + "6,f,\r\n"));
        EXPECT_EQ(result.outcome, LoadResult::Outcome::Malformed);
        EXPECT_EQ(LoadFailureText(result), "READ FILE FAIL!!");
        EXPECT_EQ(result.rows, 4) << "the lines before it";
        EXPECT_EQ(table.rowCount(), 5);
        EXPECT_EQ(table.columnCount(), 2);
        EXPECT_EQ(table.cell(0, 4), "4");
        EXPECT_EQ(table.cell(0, 5), "");
    }
}

TEST_F(CsvReader, AQuoteLeftOpenAtTheEndIsReported)
{
    EXPECT_FALSE(load("H,\r\n1,\r\n\"open,\r\n2,\r\n"));
    EXPECT_EQ(LoadFailureText(result), "READ FILE FAIL!!");
    EXPECT_EQ(table.rowCount(), 2);
}

TEST_F(CsvReader, LinesHaveNoLengthLimit)
{
    const std::string longCell(100000, 'x');
    ASSERT_TRUE(load("H,I,\r\n" + longCell + ",y,\r\n"));
    EXPECT_EQ(table.cell(0, 1), longCell);
    EXPECT_EQ(table.cell(1, 1), "y");
}

TEST_F(CsvReader, ALoadReplacesTheWholeTable)
{
    Rows big = {{"INDEX", "A", "B", "C", "D"}};
    for (int i = 1; i <= 100; ++i)
        big.push_back({std::to_string(i), "a", "b", "c", "d"});
    table = TableOf(big);
    table.setTimeShiftHours(2);
    table.setWeekRollovers(1);
    ASSERT_TRUE(load("X,Y,\r\n1,2,\r\n3,4,\r\n"));
    EXPECT_EQ(table.timeShiftHours(), 0);
    EXPECT_EQ(table.weekRollovers(), 0);
    EXPECT_EQ(table.rowCount(), 3);
    EXPECT_EQ(table.columnCount(), 2);
    EXPECT_EQ(table.cell(0, 3), "");
    EXPECT_EQ(table.cell(2, 1), "");
    EXPECT_EQ(table.usedRowCount(), 3);
}

TEST_F(CsvReader, TheColumnCountCoversTheWidestLine)
{
    ASSERT_TRUE(load("A,B,C,\r\n1,2,\r\n"));
    EXPECT_EQ(table.columnCount(), 3);
}

TEST_F(CsvReader, TellsTheRowsLoadedAfterEveryRow)
{
    ASSERT_TRUE(load("A,\r\n1,\r\n2,\r\n"));
    EXPECT_EQ(progress, (std::vector<int>{1, 2}));
    EXPECT_EQ(result.rows, 2);
}

TEST_F(CsvReader, AFileThatCannotBeOpenedLeavesTheTableAlone)
{
    table = TableOf({{"KEEP"}, {"1"}});
    const LoadResult absent = ReadCsvFile(folder.path("absent.csv"), table);
    EXPECT_EQ(absent.outcome, LoadResult::Outcome::CannotOpen);
    EXPECT_EQ(LoadFailureText(absent), "Read fail!");
    EXPECT_EQ(table.cell(0, 0), "KEEP");
    EXPECT_EQ(table.rowCount(), 2);
}

TEST_F(CsvReader, ALineWiderThanAnyTableEndsTheLoad)
{
    std::string wide = "1";
    for (int i = 0; i < kMaxCsvColumns; ++i)
        wide += ",x";
    EXPECT_FALSE(load("H,\r\n2,\r\n" + wide + "\r\n"));
    EXPECT_EQ(LoadFailureText(result), "READ FILE FAIL!!");
    EXPECT_EQ(table.rowCount(), 2);
}

TEST_F(CsvReader, AnEmptyFileGivesAnEmptyTable)
{
    ASSERT_TRUE(load(""));
    EXPECT_EQ(table.rowCount(), 0);
    EXPECT_EQ(table.columnCount(), 0);
    EXPECT_TRUE(result.loaded());
    EXPECT_EQ(result.rows, 0);
}
} // namespace
