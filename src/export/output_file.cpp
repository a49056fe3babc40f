#include "export/output_file.h"

namespace {
constexpr std::size_t kBufferSize = 1 << 16;
}

OutputFile::OutputFile(const std::string& path) : file_(std::fopen(path.c_str(), "wb"))
{
    if (file_)
        std::setvbuf(file_, nullptr, _IOFBF, kBufferSize);
}

OutputFile::~OutputFile()
{
    close();
}

void OutputFile::write(std::string_view text)
{
    if (!file_ || failed_ || text.empty())
        return;
    if (std::fwrite(text.data(), 1, text.size(), file_) != text.size())
        failed_ = true;
}

void OutputFile::writeWhenFull(std::string& pending)
{
    if (pending.size() < kOutputBlock)
        return;
    write(pending);
    pending.clear();
}

bool OutputFile::close()
{
    if (!file_)
        return false;
    const bool flushed = std::fflush(file_) == 0 && !std::ferror(file_);
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    failed_ = failed_ || !flushed || !closed;
    return !failed_;
}
