#include "export/csv_reader.h"

#include "decode/track_table.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {
enum class LineEnd { Complete, EndOfFile, OpenQuoteAtEnd };

struct CsvLine {
    std::vector<std::string> fields;
    bool tooWide = false;

    bool hasText() const
    {
        return std::any_of(fields.begin(), fields.end(), [](const std::string& f) { return !f.empty(); });
    }
};

// Splits the file into lines ending in LF (a CR before it dropped) and the
// lines into fields at commas; RFC 4180 quotes may hold commas, quotes and line ends.
class CsvLineReader {
public:
    explicit CsvLineReader(std::FILE* file) : file_(file) {}

    LineEnd next(CsvLine& line)
    {
        line.fields.clear();
        line.tooWide = false;
        field_.clear();
        state_ = State::FieldStart;
        pendingCr_ = false;
        commaSeen_ = false;
        while (position_ < filled_ || refill()) {
            if (takeRun())
                continue;
            if (consume(buffer_[position_++], line))
                return LineEnd::Complete;
        }
        if (state_ == State::Quoted)
            return LineEnd::OpenQuoteAtEnd;
        // Editors and other programs often end a file without a line end.
        const bool lastLineOpen = commaSeen_ || pendingCr_ || state_ != State::FieldStart;
        if (!lastLineOpen)
            return LineEnd::EndOfFile;
        endLine(line);
        return LineEnd::Complete;
    }

private:
    enum class State { FieldStart, Unquoted, Quoted, AfterQuote };

    bool refill()
    {
        filled_ = std::fread(buffer_.get(), 1, kChunk, file_);
        position_ = 0;
        return filled_ > 0;
    }

    // Most bytes are plain cell text: take a run of them at once. True when any were taken.
    bool takeRun()
    {
        const char* begin = buffer_.get() + position_;
        const char* end = buffer_.get() + filled_;
        const char* stop = begin;
        if (state_ == State::Quoted)
            stop = std::find(begin, end, '"');
        else if ((state_ == State::FieldStart || state_ == State::Unquoted) && !pendingCr_)
            stop = std::find_if(begin, end, [](char c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; });
        if (stop == begin)
            return false;
        field_.append(begin, stop);
        position_ += stop - begin;
        if (state_ == State::FieldStart)
            state_ = State::Unquoted;
        return true;
    }

    // True when c ended the line.
    bool consume(char c, CsvLine& line)
    {
        if (state_ == State::Quoted) {
            if (c == '"')
                state_ = State::AfterQuote;
            else
                field_ += c;
            return false;
        }
        if (pendingCr_) {
            pendingCr_ = false;
            if (c == '\n')
                return endLine(line);
            field_ += '\r';
            state_ = State::Unquoted;
        }
        switch (c) {
        case '\r':
            pendingCr_ = true;
            return false;
        case '\n':
            return endLine(line);
        case ',':
            commaSeen_ = true;
            endField(line);
            return false;
        case '"':
            if (state_ == State::FieldStart) {
                state_ = State::Quoted;
                return false;
            }
            if (state_ == State::AfterQuote) {
                field_ += '"';
                state_ = State::Quoted;
                return false;
            }
            break;
        default:
            break;
        }
        field_ += c;
        state_ = State::Unquoted;
        return false;
    }

    void endField(CsvLine& line)
    {
        if (static_cast<int>(line.fields.size()) < kMaxCsvColumns)
            line.fields.push_back(std::move(field_));
        else
            line.tooWide = true;
        field_.clear();
        state_ = State::FieldStart;
    }

    bool endLine(CsvLine& line)
    {
        // The comma the writer puts after every cell opens no further field.
        const bool trailingComma = commaSeen_ && state_ == State::FieldStart;
        if (!trailingComma)
            endField(line);
        return true;
    }

    static constexpr std::size_t kChunk = 1 << 16;
    std::FILE* file_;
    std::unique_ptr<char[]> buffer_ = std::make_unique_for_overwrite<char[]>(kChunk);
    std::size_t filled_ = 0;
    std::size_t position_ = 0;
    std::string field_;
    State state_ = State::FieldStart;
    bool pendingCr_ = false;
    bool commaSeen_ = false;
};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
} // namespace

LoadResult ReadCsvFile(const std::string& path, TrackTable& table, const LoadProgress& progress)
{
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return {LoadResult::Outcome::CannotOpen};
    table.clearCells();
    // A file does not say it holds shifted or corrected dates, so its texts count as UTC.
    table.clearDateChanges();
    table.setColumnCount(2);
    table.setRowCount(2);

    CsvLineReader reader(file.get());
    CsvLine line;
    int row = 0;
    int columns = 0;
    LoadResult result;
    for (;;) {
        const LineEnd end = reader.next(line);
        if (end == LineEnd::EndOfFile)
            break;
        if (end == LineEnd::OpenQuoteAtEnd || !line.hasText() || line.tooWide) {
            result.outcome = LoadResult::Outcome::Malformed;
            break;
        }
        // Right to left, so the row's cell store grows once to its full width.
        for (int column = static_cast<int>(line.fields.size()) - 1; column >= 0; --column)
            table.setCell(column, row, std::move(line.fields[column]));
        columns = std::max(columns, static_cast<int>(line.fields.size()));
        ++row;
        if (progress && row > 1)
            progress(row - 1);
    }
    table.setColumnCount(columns);
    table.setRowCount(row);
    result.rows = std::max(0, row - 1);
    return result;
}
