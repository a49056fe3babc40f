#include "line_writer.h"

#include <algorithm>
#include <cerrno>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace {
// Longer than any scheduling hiccup: a line behind by more than this was idle.
constexpr auto kIdleSlack = std::chrono::milliseconds(50);
} // namespace

LineWriter::LineWriter(int fd, int stopFd, long bytesPerSecond, bool noise)
    : fd_(fd), stopFd_(stopFd), bytesPerSecond_(bytesPerSecond),
      // About 10 ms of line time per write keeps the output smooth.
      pieceSize_(std::max<size_t>(1, bytesPerSecond / 100)), noise_(noise)
{
}

void LineWriter::send(std::string_view sentence)
{
    if (noise_)
        transmit(noiseBytes());
    transmit(sentence);
}

void LineWriter::transmit(std::string_view bytes)
{
    if (bytesPerSecond_ == 0) {
        writeAll(bytes);
        return;
    }
    while (!bytes.empty()) {
        size_t piece = std::min(bytes.size(), pieceSize_);
        waitForLine(piece);
        if (!writeAll(bytes.substr(0, piece)))
            return;
        bytes.remove_prefix(piece);
    }
}

// Each piece leaves when the emulated line has finished sending it; the
// schedule is kept in absolute time so sleeps do not add up to drift.
void LineWriter::waitForLine(size_t bytes)
{
    auto deadline = [this] {
        return lineStart_ + std::chrono::nanoseconds(lineBytes_ * 1'000'000'000 / bytesPerSecond_);
    };
    Clock::time_point now = Clock::now();
    if (now > deadline() + kIdleSlack) {
        lineStart_ = now;
        lineBytes_ = 0;
    }
    lineBytes_ += static_cast<int64_t>(bytes);
    std::this_thread::sleep_until(deadline());
}

bool LineWriter::writeAll(std::string_view bytes)
{
    while (!bytes.empty()) {
        pollfd fds[2] = {{fd_, POLLOUT, 0}, {stopFd_, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (fds[1].revents || (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)))
            return false;
        ssize_t written = write(fd_, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EAGAIN || errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// Bytes a noisy line may show between sentences; never a '$', which would
// start a sentence.
std::string LineWriter::noiseBytes()
{
    std::uniform_int_distribution<int> length(1, 8);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes(length(random_), '\0');
    for (char& c : bytes) {
        do
            c = static_cast<char>(byte(random_));
        while (c == '$');
    }
    return bytes;
}
