#include "export/export_test_support.h"

#include "export/xml_tree.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

ScratchFolder::ScratchFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "drovik-export-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a scratch folder");
    root_ = pattern;
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::permissions(root_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(root_, ignored);
}

WorkingDirectoryGuard::WorkingDirectoryGuard(const std::filesystem::path& folder)
    : previous_(std::filesystem::current_path())
{
    std::filesystem::current_path(folder);
}

WorkingDirectoryGuard::~WorkingDirectoryGuard()
{
    std::filesystem::current_path(previous_);
}

std::vector<UnwritableFile> UnwritableFiles(const ScratchFolder& folder, const std::string& name)
{
    return {{folder.path("no/such/folder/" + name), "No such file or directory"},
            {"/dev/full", "No space left on device"}};
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << bytes;
}

std::vector<std::string> CrLfLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "text after the last CR LF: " << text.substr(start, 80);
            break;
        }
        const std::string line = text.substr(start, end - start);
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "lone CR or LF in line " << lines.size() + 1;
        lines.push_back(line);
        start = end + 2;
    }
    return lines;
}

testing::AssertionResult HasValidNmeaChecksum(const std::string& line)
{
    const std::size_t star = line.find('*');
    if (line.empty() || line.front() != '$' || star == std::string::npos || star + 3 != line.size())
        return testing::AssertionFailure() << "not $...*hh: " << line;
    unsigned sum = 0;
    for (std::size_t i = 1; i < star; ++i)
        sum ^= static_cast<unsigned char>(line[i]);
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", sum);
    if (line.substr(star + 1) != digits)
        return testing::AssertionFailure()
               << "checksum " << line.substr(star + 1) << " should be " << digits << ": " << line;
    return testing::AssertionSuccess();
}

testing::AssertionResult IsWellFormedXml(const std::string& document)
{
    const XmlTree tree = ReadXmlTree(document);
    if (!tree.root)
        return testing::AssertionFailure() << "XML error at " << tree.error;
    return testing::AssertionSuccess();
}

namespace {
std::filesystem::path GoldenFolder()
{
    return std::filesystem::path(DROVIK_TESTS_DIR) / "export" / "golden";
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}
} // namespace

testing::AssertionResult MatchesGolden(const std::string& actual, const std::string& name)
{
    const std::string path = (GoldenFolder() / name).string();
    if (std::getenv("DROVIK_UPDATE_GOLDEN")) {
        WriteFileBytes(path, actual);
        return testing::AssertionSuccess();
    }
    if (!std::filesystem::exists(path))
        return testing::AssertionFailure() << "no golden file " << path;
    const std::string expected = ReadFileBytes(path);
    if (actual == expected)
        return testing::AssertionSuccess();
    const auto want = Lines(expected);
    const auto got = Lines(actual);
    for (std::size_t i = 0; i < std::max(want.size(), got.size()); ++i) {
        const std::string a = i < got.size() ? got[i] : "<end of output>";
        const std::string e = i < want.size() ? want[i] : "<end of golden file>";
        if (a != e)
            return testing::AssertionFailure()
                   << name << " differs at line " << i + 1 << "\n  expected: " << e << "\n  actual:   " << a;
    }
    return testing::AssertionFailure() << name << " differs in line ends or bytes after the last line";
}

std::vector<std::string> DecodedHeaders()
{
    return {"INDEX",
            "RCR",
            "DATE",
            "TIME",
            "VALID",
            "LATITUDE",
            "N/S",
            "LONGITUDE",
            "E/W",
            "HEIGHT",
            "SPEED",
            "PDOP",
            "HDOP",
            "VDOP",
            "NSAT (USED/VIEW)",
            "SAT INFO (SID-ELE-AZI-SNR)"};
}
