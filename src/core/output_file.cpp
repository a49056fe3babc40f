#include "core/output_file.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#else
#include <unistd.h>
#endif

namespace {
namespace fs = std::filesystem;

constexpr std::size_t kBufferSize = 1 << 16;
constexpr int kMaxLinkHops = 40;
// Longer names would take the temporary's name past what a folder allows.
constexpr std::size_t kLongestNamedTemporary = 200;

// The file that a replacement of the path replaces: the file a link names,
// so the link stays a link. A link that names nothing yet is followed by hand.
fs::path FileToReplace(const fs::path& path, fs::file_type type)
{
    std::error_code error;
    if (type == fs::file_type::regular) {
        const fs::path file = fs::canonical(path, error);
        return error ? path : file;
    }
    fs::path file = path;
    for (int hops = 0; hops < kMaxLinkHops && fs::is_symlink(file, error); ++hops) {
        const fs::path next = fs::read_symlink(file, error);
        if (error)
            break;
        file = file.parent_path() / next;
    }
    return file;
}

thread_local OutputBatch* openBatch = nullptr;

std::string UniqueSuffix()
{
    static std::atomic<std::uint32_t> counter{0};
    const auto ticks = static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    const auto mixed = static_cast<std::uint32_t>((ticks * 0x9E3779B97F4A7C15ull) >> 32) + counter++;
    char text[9];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(mixed));
    return text;
}

#ifdef _WIN32
constexpr int kCreateFlags = O_WRONLY | O_CREAT | O_EXCL | O_BINARY;
constexpr int kNewFileMode = _S_IREAD | _S_IWRITE;
#else
constexpr int kCreateFlags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC;
constexpr int kNewFileMode = 0666; // what the umask leaves of it, as for any new file
#endif

std::FILE* StreamOf(int descriptor)
{
    std::FILE* file = ::fdopen(descriptor, "wb");
    if (!file) {
        const int reason = errno;
        ::close(descriptor);
        errno = reason;
    }
    return file;
}

// Opens a new file in the target's folder and names it in `temporary`.
std::FILE* CreateBeside(const fs::path& target, std::string& temporary)
{
    const std::string name = target.filename().string();
    const std::string stem = name.size() <= kLongestNamedTemporary ? name : "drovik";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = (target.parent_path() / (stem + "." + UniqueSuffix() + ".tmp")).string();
        const int descriptor = ::open(temporary.c_str(), kCreateFlags, kNewFileMode);
        if (descriptor >= 0)
            return StreamOf(descriptor);
        if (errno != EEXIST)
            break;
    }
    temporary.clear();
    return nullptr;
}
} // namespace

OutputFile::OutputFile(std::string path) : path_(std::move(path))
{
    std::error_code error;
    const fs::file_type type = fs::status(path_, error).type();
    if (type == fs::file_type::regular || type == fs::file_type::not_found) {
        target_ = FileToReplace(path_, type).string();
        file_ = CreateBeside(target_, temporary_);
    } else {
        // A device or a pipe (standard output) cannot be replaced; a folder fails here.
        file_ = std::fopen(path_.c_str(), "wb");
    }
    if (!file_) {
        fail(std::strerror(errno));
        return;
    }
    std::setvbuf(file_, nullptr, _IOFBF, kBufferSize);
}

OutputFile::~OutputFile()
{
    if (file_)
        std::fclose(file_);
    discardTemporary();
}

void OutputFile::write(std::string_view text)
{
    if (!file_ || !failure_.empty() || text.empty())
        return;
    if (std::fwrite(text.data(), 1, text.size(), file_) != text.size())
        fail(std::strerror(errno));
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
    const bool replacing = !temporary_.empty();
    // A pipe or a device has no disk to flush to.
    const bool flushed = replacing ? FlushToDisk(file_) : std::fflush(file_) == 0;
    if (!flushed)
        fail(std::strerror(errno));
    if (std::fclose(file_) != 0)
        fail(std::strerror(errno));
    file_ = nullptr;
    if (replacing && failure_.empty() && openBatch) {
        openBatch->finished_.push_back({path_, temporary_, target_});
        temporary_.clear();
        return true;
    }
    if (replacing && failure_.empty()) {
        std::error_code error;
        fs::rename(temporary_, target_, error);
        if (error)
            fail(error.message());
        else
            temporary_.clear();
    }
    discardTemporary();
    return failure_.empty();
}

void OutputFile::fail(const std::string& reason)
{
    if (failure_.empty())
        failure_ = path_ + ": " + reason;
}

void OutputFile::discardTemporary()
{
    if (temporary_.empty())
        return;
    std::error_code ignored;
    fs::remove(temporary_, ignored);
    temporary_.clear();
}

OutputBatch::OutputBatch() : outer_(openBatch)
{
    openBatch = this;
}

OutputBatch::~OutputBatch()
{
    openBatch = outer_;
    discardFinished();
}

bool OutputBatch::commit()
{
    auto file = finished_.begin();
    for (; file != finished_.end(); ++file) {
        std::error_code error;
        fs::rename(file->temporary, file->target, error);
        if (error) {
            failure_ = file->path + ": " + error.message();
            break;
        }
        placed_.push_back(file->path);
    }
    finished_.erase(finished_.begin(), file);
    discardFinished();
    return failure_.empty();
}

void OutputBatch::discardFinished()
{
    for (const Finished& file : finished_) {
        std::error_code ignored;
        fs::remove(file.temporary, ignored);
    }
    finished_.clear();
}

bool FlushToDisk(std::FILE* file)
{
    if (std::fflush(file) != 0)
        return false;
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}
