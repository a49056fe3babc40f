#include "command_reader.h"

#include "link/sentences.h"

#include <cerrno>
#include <poll.h>
#include <stdexcept>
#include <unistd.h>

std::vector<ReceivedSentence> CommandFramer::feed(std::string_view bytes)
{
    std::vector<ReceivedSentence> done;
    auto finish = [&](bool framed) {
        bool valid = framed && VerifyChecksum(pending_);
        done.push_back({std::move(pending_), valid});
        pending_.clear();
        inSentence_ = false;
    };
    for (char c : bytes) {
        if (c == '$') {
            if (inSentence_)
                finish(false);
            inSentence_ = true;
            pending_ = "$";
        } else if (!inSentence_) {
            continue;
        } else if (c == '\r' || c == '\n') {
            finish(true);
        } else {
            pending_ += c;
            if (pending_.size() >= kMaxLength)
                finish(false);
        }
    }
    return done;
}

CommandReader::CommandReader(int fd, int stopFd, const std::string& logPath, Deliver deliver)
    : fd_(fd), stopFd_(stopFd), deliver_(std::move(deliver))
{
    if (!logPath.empty()) {
        log_.open(logPath, std::ios::app | std::ios::binary);
        if (!log_)
            throw std::runtime_error("cannot open log " + logPath);
    }
}

void CommandReader::run()
{
    char buffer[4096];
    while (true) {
        pollfd fds[2] = {{fd_, POLLIN, 0}, {stopFd_, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0 && errno != EINTR)
            return;
        if (fds[1].revents)
            return;
        if (fds[0].revents & POLLIN) {
            ssize_t count = read(fd_, buffer, sizeof buffer);
            if (count > 0) {
                for (const ReceivedSentence& sentence : framer_.feed({buffer, size_t(count)}))
                    handle(sentence);
                continue;
            }
        }
        // Nobody has the slave end open: look again in a while.
        if (fds[0].revents & (POLLHUP | POLLERR)) {
            pollfd stop = {stopFd_, POLLIN, 0};
            poll(&stop, 1, 20);
        }
    }
}

void CommandReader::handle(const ReceivedSentence& sentence)
{
    if (log_.is_open())
        log_ << (sentence.valid ? "" : "BAD ") << sentence.text << '\n' << std::flush;
    if (sentence.valid)
        deliver_(sentence.text);
}
