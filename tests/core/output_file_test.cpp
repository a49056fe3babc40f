#include "core/output_file.h"

#include "export/export_test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
namespace fs = std::filesystem;

// Fits in a pipe's buffer, and is past the file-size limit a case may set.
const std::string kNewText(48 * 1024, 'n');
constexpr rlim_t kFileSizeLimit = 16 * 1024;
constexpr mode_t kUmask = 027;
constexpr uid_t kNobody = 65534;

struct SaveResult {
    bool saved = false;
    std::string failure;
};

struct ChildLimits {
    bool fileSizeLimit = false;
    bool asAnotherUser = false; // root writes anywhere; nobody does not
    bool closes = true;
};

// What a pipe brings until every writer closed it; the read end is closed then.
std::string ReadToTheEnd(int readEnd)
{
    std::string text;
    char buffer[4096];
    for (ssize_t got; (got = read(readEnd, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(got));
    close(readEnd);
    return text;
}

// Saves kNewText in a child process, so a limit or a change of user stays there.
SaveResult SaveInChild(const std::string& path, const ChildLimits& limits)
{
    int channel[2];
    if (pipe(channel) != 0)
        throw std::runtime_error("pipe");
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        umask(kUmask);
        if (limits.fileSizeLimit) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{kFileSizeLimit, kFileSizeLimit};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        if (limits.asAnotherUser && geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0))
            _exit(2);
        SaveResult result;
        {
            OutputFile file(path);
            file.write(kNewText);
            result.saved = limits.closes && file.close();
            result.failure = file.failure();
        }
        const std::string report = (result.saved ? "1" : "0") + result.failure;
        _exit(write(channel[1], report.data(), report.size()) == static_cast<ssize_t>(report.size()) ? 0 : 3);
    }
    close(channel[1]);
    const std::string report = ReadToTheEnd(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || report.empty())
        throw std::runtime_error("the saving child failed");
    return {report[0] == '1', report.substr(1)};
}

// Every entry below the folder, as "name" or "folder/name".
std::set<std::string> EntriesOf(const fs::path& root)
{
    std::set<std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        entries.insert(entry.path().lexically_relative(root).string());
    return entries;
}

mode_t ModeOf(const std::string& path)
{
    struct stat status {};
    return stat(path.c_str(), &status) == 0 ? status.st_mode & 0777 : 0;
}

TEST(OutputFile, ReplacesItsTargetInOneStepOrLeavesItByteForByte)
{
    const std::string old = "the old file, byte for byte\r\n";
    struct Case {
        const char* name;
        std::function<void(const ScratchFolder&)> prepare;
        const char* target;
        ChildLimits limits;
        const char* holdsWhenDone; // the file that must hold kNewText, or nullptr
        const char* reason;        // nullptr: no failure
        std::set<std::string> entries;
    };
    const auto oldFile = [&](const char* name) {
        return [=](const ScratchFolder& folder) { WriteFileBytes(folder.path(name), old); };
    };
    const Case cases[] = {
        {"a new file", [](const ScratchFolder&) {}, "out.csv", {}, "out.csv", nullptr, {"out.csv"}},
        {"an existing file", oldFile("out.csv"), "out.csv", {}, "out.csv", nullptr, {"out.csv"}},
        {"a file-size limit, as on a full disk",
         oldFile("out.csv"),
         "out.csv",
         {.fileSizeLimit = true},
         nullptr,
         "File too large",
         {"out.csv"}},
        {"a folder that cannot be written",
         [&](const ScratchFolder& folder) {
             fs::create_directory(folder.path("locked"));
             WriteFileBytes(folder.path("locked/out.csv"), old);
             fs::permissions(folder.root(), fs::perms::owner_all | fs::perms::others_exec);
             fs::permissions(folder.path("locked"), fs::perms::owner_read | fs::perms::owner_exec |
                                                        fs::perms::others_read | fs::perms::others_exec);
         },
         "locked/out.csv",
         {.asAnotherUser = true},
         nullptr,
         "Permission denied",
         {"locked", "locked/out.csv"}},
        {"a folder where the file should be",
         [](const ScratchFolder& folder) { fs::create_directory(folder.path("out.csv")); },
         "out.csv",
         {},
         nullptr,
         "Is a directory",
         {"out.csv"}},
        {"a link: the file it names is replaced, the link stays",
         [&](const ScratchFolder& folder) {
             fs::create_directory(folder.path("real"));
             WriteFileBytes(folder.path("real/out.csv"), old);
             fs::create_symlink("real/out.csv", folder.path("link.csv"));
         },
         "link.csv",
         {},
         "real/out.csv",
         nullptr,
         {"link.csv", "real", "real/out.csv"}},
        {"given up before close()", oldFile("out.csv"), "out.csv", {.closes = false}, nullptr, nullptr, {"out.csv"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        c.prepare(folder);
        const bool link = fs::is_symlink(folder.path(c.target));
        const SaveResult result = SaveInChild(folder.path(c.target), c.limits);
        EXPECT_EQ(result.saved, c.holdsWhenDone != nullptr);
        EXPECT_EQ(result.failure, c.reason ? folder.path(c.target) + ": " + c.reason : "");
        EXPECT_EQ(EntriesOf(folder.root()), c.entries) << "nothing but the target, no temporary file";
        EXPECT_EQ(fs::is_symlink(folder.path(c.target)), link);
        if (c.holdsWhenDone) {
            EXPECT_TRUE(ReadFileBytes(folder.path(c.holdsWhenDone)) == kNewText) << "holds all that was written";
            EXPECT_EQ(ModeOf(folder.path(c.holdsWhenDone)), 0666 & ~kUmask) << "as any new file, umask applied";
        } else if (fs::is_regular_file(folder.path(c.target))) {
            EXPECT_EQ(ReadFileBytes(folder.path(c.target)), old);
        }
    }
}

TEST(OutputFile, WritesAPipeAsItStandsAsStandardOutputIs)
{
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    // The saving child inherits the write end; its name is a link to "pipe:[N]".
    const SaveResult result = SaveInChild("/dev/fd/" + std::to_string(pipeEnds[1]), {});
    close(pipeEnds[1]);
    const std::string arrived = ReadToTheEnd(pipeEnds[0]);
    EXPECT_TRUE(result.saved) << result.failure;
    EXPECT_TRUE(arrived == kNewText) << arrived.size() << " bytes arrived";
}

TEST(OutputBatch, PutsItsFilesInPlaceTogetherOrLeavesEveryTargetAsItWas)
{
    for (const bool commits : {true, false}) {
        SCOPED_TRACE(commits ? "committed" : "given up");
        ScratchFolder folder;
        WriteFileBytes(folder.path("a.csv"), "old a");
        {
            OutputBatch batch;
            for (const char* name : {"a.csv", "b.csv"}) {
                OutputFile file(folder.path(name));
                file.write(name);
                ASSERT_TRUE(file.close());
            }
            EXPECT_EQ(ReadFileBytes(folder.path("a.csv")), "old a") << "nothing in place before the commit";
            if (commits) {
                EXPECT_TRUE(batch.commit());
                EXPECT_EQ(batch.placed(), (std::vector<std::string>{folder.path("a.csv"), folder.path("b.csv")}));
            }
        }
        EXPECT_EQ(EntriesOf(folder.root()),
                  (commits ? std::set<std::string>{"a.csv", "b.csv"} : std::set<std::string>{"a.csv"}));
        EXPECT_EQ(ReadFileBytes(folder.path("a.csv")), commits ? "a.csv" : "old a");
    }
}
} // namespace
