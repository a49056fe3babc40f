// A file written in large blocks that remembers any failure, so a writer can
// tell a full disk from success when it closes the file.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

// Writers gather text up to about this size before handing it over.
inline constexpr std::size_t kOutputBlock = 1 << 20;

class OutputFile {
public:
    // Creates the file or empties it.
    explicit OutputFile(const std::string& path);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool isOpen() const { return file_ != nullptr; }
    void write(std::string_view text);
    // Writes and empties `pending` once it holds a block, so writers can gather
    // text cheaply and still never hold a whole file.
    void writeWhenFull(std::string& pending);
    // True when the file was open and every byte written reached it.
    bool close();

private:
    std::FILE* file_ = nullptr;
    bool failed_ = false;
};
