// Runs drovik-sim for a test: starts it in a folder of its own, hands out the
// path of its pseudo-terminal, what it received and its current settings,
// offers a raw client for its line, and runs drovik-cli on its ports.
// Header-only.
#pragma once

#include "link/sentences.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace simharness {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using LinePredicate = std::function<bool(const std::string&)>;

// Asks `probe` every 10 ms until it gives a value or the time is up.
template <typename T>
std::optional<T> PollFor(std::chrono::milliseconds timeout, const std::function<std::optional<T>()>& probe)
{
    const auto deadline = Clock::now() + timeout;
    while (true) {
        if (auto value = probe())
            return value;
        if (Clock::now() >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(10ms);
    }
}

inline std::string FileText(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline std::vector<std::string> ReadLines(const std::filesystem::path& path)
{
    std::vector<std::string> lines;
    std::ifstream file(path, std::ios::binary);
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

// Starts `args` (the program first) with `portDirectory` as its port
// directory and `fd` as its descriptor `target`, ended with SIGTERM should
// the test die; the child's pid, or -1.
inline pid_t Spawn(std::vector<std::string> args, const std::filesystem::path& portDirectory, int target, int fd)
{
    // Everything the child needs is built before fork: after it, only
    // async-signal-safe calls are allowed.
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::vector<std::string> envStrings{"DROVIK_PORTS=" + portDirectory.string()};
    for (char** entry = environ; *entry; ++entry)
        if (!std::string_view(*entry).starts_with("DROVIK_PORTS="))
            envStrings.push_back(*entry);
    std::vector<char*> envp;
    for (std::string& entry : envStrings)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        dup2(fd, target);
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    return pid;
}

class SimProcess {
public:
    // Starts the simulator with these options (besides --log and --state, which
    // the harness adds) and waits until it has printed its terminal's path.
    // The simulator's port directory is `portDirectory`, or a fresh one in the
    // harness's folder. Throws std::runtime_error when it does not come up.
    explicit SimProcess(std::vector<std::string> args = {}, std::filesystem::path portDirectory = {})
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "drovik-sim-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("no temporary folder for the simulator");
        directory_ = pattern;
        portDirectory_ = portDirectory.empty() ? directory_ / "ports" : portDirectory;
        args.insert(args.end(), {"--log", logPath().string(), "--state", statePath().string()});
        try {
            launch(args);
            slavePath_ = readFirstLine(20s);
        } catch (...) {
            stop();
            std::filesystem::remove_all(directory_);
            throw;
        }
    }

    // With DROVIK_KEEP_SIM_FILES set, the folder stays for a look afterwards.
    ~SimProcess()
    {
        // A sanitizer's report ends the simulator with a failure (ThreadSanitizer's
        // exit 66) that no other check would see; the test must not pass over it.
        if (const int status = stop(); status != -1 && !(WIFEXITED(status) && WEXITSTATUS(status) == 0)) {
            std::fprintf(stderr, "drovik-sim ended with wait status %d; its report is above\n", status);
            std::abort();
        }
        if (std::getenv("DROVIK_KEEP_SIM_FILES")) {
            std::fprintf(stderr, "drovik-sim files kept in %s\n", directory_.c_str());
            return;
        }
        std::error_code ignored;
        std::filesystem::remove_all(directory_, ignored);
    }

    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    const std::string& slavePath() const { return slavePath_; }
    const std::filesystem::path& portDirectory() const { return portDirectory_; }
    // The harness's folder, removed with it; tests may put their files here.
    const std::filesystem::path& directory() const { return directory_; }
    std::filesystem::path logPath() const { return directory_ / "received.log"; }
    std::filesystem::path statePath() const { return directory_ / "state.txt"; }

    // Every sentence the simulator received, without CR LF; bad ones start "BAD ".
    std::vector<std::string> receivedLines() const { return ReadLines(logPath()); }

    // The first received line that satisfies the predicate, waiting for it.
    std::optional<std::string> waitForLine(const LinePredicate& matches, std::chrono::milliseconds timeout = 5s) const
    {
        return PollFor<std::string>(timeout, [&]() -> std::optional<std::string> {
            for (const std::string& line : receivedLines())
                if (matches(line))
                    return line;
            return std::nullopt;
        });
    }
    bool waitForLine(std::string_view line, std::chrono::milliseconds timeout = 5s) const
    {
        return waitForLine([line](const std::string& received) { return received == line; }, timeout).has_value();
    }
    // True once at least `count` lines were received.
    bool waitForLineCount(std::size_t count, std::chrono::milliseconds timeout = 5s) const
    {
        return PollFor<bool>(timeout,
                             [&]() -> std::optional<bool> {
                                 return receivedLines().size() >= count ? std::optional(true) : std::nullopt;
                             })
            .has_value();
    }

    // The simulator's settings as it last wrote them (mask, method, logging,
    // status, next_address, record_count, periods, erasing, erases, ...).
    std::map<std::string, std::string> state() const
    {
        std::map<std::string, std::string> values;
        for (const std::string& line : ReadLines(statePath())) {
            auto equals = line.find('=');
            if (equals != std::string::npos)
                values[line.substr(0, equals)] = line.substr(equals + 1);
        }
        return values;
    }
    std::string stateValue(const std::string& key) const
    {
        auto values = state();
        auto found = values.find(key);
        return found == values.end() ? std::string() : found->second;
    }
    bool waitForState(const std::string& key, const std::string& value, std::chrono::milliseconds timeout = 5s) const
    {
        return PollFor<bool>(timeout,
                             [&]() -> std::optional<bool> {
                                 return stateValue(key) == value ? std::optional(true) : std::nullopt;
                             })
            .has_value();
    }

    // The logger is unplugged: its end of the line closes.
    void unplug() const
    {
        if (pid_ > 0)
            kill(pid_, SIGUSR1);
    }

    // SIGTERM, then waits for the exit (SIGKILL after 5 s). Returns the wait
    // status, or -1 when it had stopped already.
    int stop()
    {
        if (pid_ <= 0)
            return -1;
        kill(pid_, SIGTERM);
        int status = 0;
        const auto deadline = Clock::now() + 5s;
        while (waitpid(pid_, &status, WNOHANG) == 0) {
            if (Clock::now() >= deadline) {
                kill(pid_, SIGKILL);
                waitpid(pid_, &status, 0);
                break;
            }
            std::this_thread::sleep_for(5ms);
        }
        pid_ = -1;
        if (output_ >= 0)
            close(output_);
        output_ = -1;
        return status;
    }

private:
    void launch(const std::vector<std::string>& args)
    {
        std::vector<std::string> argStrings{DROVIK_SIM_PATH};
        argStrings.insert(argStrings.end(), args.begin(), args.end());
        int pipeFds[2];
        if (pipe2(pipeFds, O_CLOEXEC) != 0)
            throw std::runtime_error("no pipe for the simulator");
        pid_ = Spawn(argStrings, portDirectory_, STDOUT_FILENO, pipeFds[1]);
        close(pipeFds[1]);
        output_ = pipeFds[0];
        if (pid_ < 0)
            throw std::runtime_error("cannot fork the simulator");
    }

    std::string readFirstLine(std::chrono::milliseconds timeout)
    {
        std::string line;
        const auto deadline = Clock::now() + timeout;
        while (Clock::now() < deadline) {
            pollfd input{output_, POLLIN, 0};
            if (poll(&input, 1, 20) <= 0)
                continue;
            char c;
            if (read(output_, &c, 1) != 1)
                throw std::runtime_error("the simulator ended before it was ready");
            if (c == '\n')
                return line;
            line += c;
        }
        throw std::runtime_error("the simulator did not report its terminal in time");
    }

    std::filesystem::path directory_;
    std::filesystem::path portDirectory_;
    std::string slavePath_;
    pid_t pid_ = -1;
    int output_ = -1;
};

struct CliRun {
    int exitCode = -1;
    std::string output; // what it wrote to stdout
    std::string errors; // what it wrote to stderr
};

// Runs drovik-cli with these words, the simulator's port directory its own;
// `runAs` goes before the program (another user, for instance).
inline CliRun RunCli(const SimProcess& sim, const std::vector<std::string>& words, const std::string& runAs = "",
                     const std::string& program = DROVIK_CLI_PATH)
{
    const auto output = sim.directory() / "cli-output.txt";
    const auto errors = sim.directory() / "cli-errors.txt";
    std::string command = "DROVIK_PORTS='" + sim.portDirectory().string() + "' " + runAs + " '" + program + "'";
    for (const std::string& word : words)
        command += " '" + word + "'";
    command += " > '" + output.string() + "' 2> '" + errors.string() + "'";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, FileText(output), FileText(errors)};
}

// drovik-cli running beside the test, the simulator's port directory its own,
// for what happens while it runs (a pulled cable, Ctrl-C).
class CliProcess {
public:
    CliProcess(const SimProcess& sim, const std::vector<std::string>& words)
        : errorsPath_(sim.directory() / "cli-process-errors.txt")
    {
        std::vector<std::string> args{DROVIK_CLI_PATH};
        args.insert(args.end(), words.begin(), words.end());
        const int errors = open(errorsPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (errors < 0)
            throw std::runtime_error("no file for drovik-cli's errors");
        pid_ = Spawn(args, sim.portDirectory(), STDERR_FILENO, errors);
        close(errors);
        if (pid_ < 0)
            throw std::runtime_error("cannot fork drovik-cli");
    }
    ~CliProcess()
    {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    CliProcess(const CliProcess&) = delete;
    CliProcess& operator=(const CliProcess&) = delete;

    void signal(int number) const { kill(pid_, number); }
    // The exit code once it has ended, nothing when it runs on past the time-out.
    std::optional<int> wait(std::chrono::milliseconds timeout = 20s)
    {
        const auto status = PollFor<int>(timeout, [&]() -> std::optional<int> {
            int status = 0;
            return waitpid(pid_, &status, WNOHANG) == pid_ ? std::optional(status) : std::nullopt;
        });
        if (!status)
            return std::nullopt;
        pid_ = -1;
        return WIFEXITED(*status) ? WEXITSTATUS(*status) : 128 + WTERMSIG(*status);
    }
    // What it wrote to stderr so far.
    std::string errors() const { return FileText(errorsPath_); }

private:
    std::filesystem::path errorsPath_;
    pid_t pid_ = -1;
};

// The far end of the simulator's line, raw, as the program opens it.
class SimClient {
public:
    explicit SimClient(const std::string& path)
    {
        fd_ = open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (fd_ < 0)
            throw std::runtime_error("cannot open " + path);
        termios raw{};
        tcgetattr(fd_, &raw);
        cfmakeraw(&raw);
        tcsetattr(fd_, TCSANOW, &raw);
    }
    ~SimClient() { close(fd_); }
    SimClient(const SimClient&) = delete;
    SimClient& operator=(const SimClient&) = delete;

    void send(std::string_view bytes)
    {
        while (!bytes.empty()) {
            ssize_t written = write(fd_, bytes.data(), bytes.size());
            if (written < 0)
                throw std::runtime_error("write to the simulator failed");
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
    }
    // Body from '$' through '*'; checksum and CR LF are added.
    void sendCommand(std::string_view body) { send(AppendChecksum(body)); }

    // The next line, without its CR LF, or nothing when none is complete in time.
    std::optional<std::string> readLine(std::chrono::milliseconds timeout = 5s)
    {
        const auto deadline = Clock::now() + timeout;
        while (true) {
            if (auto end = pending_.find('\n'); end != std::string::npos) {
                std::string line = pending_.substr(0, end);
                pending_.erase(0, end + 1);
                if (!line.empty() && line.back() == '\r')
                    line.pop_back();
                return line;
            }
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left <= 0ms || !readSome(left))
                return std::nullopt;
        }
    }

    // Reads lines until one satisfies the predicate and returns it; every line
    // read on the way, the match included, is appended to `seen` if given.
    std::optional<std::string> waitForLine(const LinePredicate& matches, std::chrono::milliseconds timeout = 5s,
                                           std::vector<std::string>* seen = nullptr)
    {
        const auto deadline = Clock::now() + timeout;
        while (true) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            auto line = readLine(std::max(left, 0ms));
            if (!line)
                return std::nullopt;
            if (seen)
                seen->push_back(*line);
            if (matches(*line))
                return line;
        }
    }

    // What a terminal holds for a reader that does not read (N_TTY's buffer, 4 KiB less one byte).
    static constexpr int kTerminalInputBuffer = 4095;
    // True once at least `bytes` wait unread on the line.
    bool waitForQueued(int bytes, std::chrono::milliseconds timeout = 5s) const
    {
        return PollFor<bool>(timeout,
                             [&]() -> std::optional<bool> {
                                 int queued = 0;
                                 return ioctl(fd_, FIONREAD, &queued) == 0 && queued >= bytes ? std::optional(true)
                                                                                              : std::nullopt;
                             })
            .has_value();
    }

private:
    bool readSome(std::chrono::milliseconds timeout)
    {
        pollfd input{fd_, POLLIN, 0};
        if (poll(&input, 1, static_cast<int>(timeout.count())) <= 0)
            return false;
        char buffer[65536];
        ssize_t count = read(fd_, buffer, sizeof buffer);
        if (count <= 0)
            return false;
        pending_.append(buffer, static_cast<std::size_t>(count));
        return true;
    }

    int fd_ = -1;
    std::string pending_;
};

// A file in the temporary folder, removed with the object.
class TempFile {
public:
    explicit TempFile(const std::vector<std::uint8_t>& bytes)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "drovik-image-XXXXXX").string();
        int fd = mkstemp(pattern.data());
        if (fd < 0)
            throw std::runtime_error("no temporary file");
        close(fd);
        path_ = pattern;
        std::ofstream(path_, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    ~TempFile()
    {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    std::string path() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

// One memory data reply, $PMTK182,8,<address>,<hex>*<checksum>.
struct DataReply {
    std::uint32_t address = 0;
    std::string hex;
    bool checksumHolds = false;
};

inline std::optional<DataReply> ParseDataReply(std::string_view line)
{
    line = line.substr(std::min(line.size(), line.find('$')));
    constexpr std::string_view kPrefix = "$PMTK182,8,";
    auto comma = line.find(',', kPrefix.size());
    auto star = line.find('*');
    if (!line.starts_with(kPrefix) || comma == std::string_view::npos || star == std::string_view::npos || star < comma)
        return std::nullopt;
    DataReply reply;
    reply.address = static_cast<std::uint32_t>(
        std::stoul(std::string(line.substr(kPrefix.size(), comma - kPrefix.size())), nullptr, 16));
    reply.hex = std::string(line.substr(comma + 1, star - comma - 1));
    reply.checksumHolds = VerifyChecksum(line);
    return reply;
}

// What one memory read brought: the data replies in order of arrival, and
// whether the read acknowledgement $PMTK001,182,7,3 ended it.
struct MemoryRead {
    std::vector<DataReply> replies;
    bool acknowledged = false;
};

// Sends the read and collects its replies until the acknowledgement, or until
// no reply has come for `quiet` (NMEA and other sentences are passed over).
inline MemoryRead ReadMemory(SimClient& client, std::string_view readBody, std::chrono::milliseconds quiet = 2s)
{
    client.sendCommand(readBody);
    MemoryRead read;
    auto deadline = Clock::now() + quiet;
    while (true) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        auto line = left > 0ms ? client.readLine(left) : std::nullopt;
        if (!line)
            return read;
        if (auto reply = ParseDataReply(*line)) {
            read.replies.push_back(*reply);
            deadline = Clock::now() + quiet;
        } else if (line->find("$PMTK001,182,7,") != std::string::npos) {
            read.acknowledged = line->find("$PMTK001,182,7,3*") != std::string::npos;
            return read;
        }
    }
}

// Predicate for lines beginning with `prefix`; noise before the '$' is skipped.
inline LinePredicate StartsWith(std::string prefix)
{
    return [prefix = std::move(prefix)](const std::string& line) {
        auto dollar = line.find('$');
        return dollar != std::string::npos && std::string_view(line).substr(dollar).starts_with(prefix);
    };
}

} // namespace simharness
