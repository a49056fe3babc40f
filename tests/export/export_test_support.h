// Helpers shared by the file tests: scratch folders, whole-file reads, tables
// built by hand, and independent checks of what the writers produce.
#pragma once

#include "decode/table_of.h"
#include "decode/track_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with everything in it.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string path(const std::string& name) const { return (root_ / name).string(); }
    const std::filesystem::path& root() const { return root_; }

private:
    std::filesystem::path root_;
};

// Runs the test inside a folder, for writers that use the working directory.
class WorkingDirectoryGuard {
public:
    explicit WorkingDirectoryGuard(const std::filesystem::path& folder);
    ~WorkingDirectoryGuard();

private:
    std::filesystem::path previous_;
};

// A file in a folder that is not there, and one whose writes fail (a full
// disk), each with the reason a save names.
struct UnwritableFile {
    std::string path;
    std::string reason;
};
std::vector<UnwritableFile> UnwritableFiles(const ScratchFolder& folder, const std::string& name);

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

// Lines of a text whose every line must end in CR LF; a failure names the first that does not.
std::vector<std::string> CrLfLines(const std::string& text);

// The XOR of the characters between "$" and "*", compared with the two hex digits after "*".
testing::AssertionResult HasValidNmeaChecksum(const std::string& line);

// Parsed by a real XML reader to the end, without error.
testing::AssertionResult IsWellFormedXml(const std::string& document);

// Byte for byte equal to tests/export/golden/<name>; on a difference, the first
// differing line. With DROVIK_UPDATE_GOLDEN set, writes the golden file instead.
testing::AssertionResult MatchesGolden(const std::string& actual, const std::string& name);

// The columns a decoded table with the usual mask has, in the decoder's order.
std::vector<std::string> DecodedHeaders();
