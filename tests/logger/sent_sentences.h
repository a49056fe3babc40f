// A pipe standing in for the serial port: the link writes into it, the test
// reads back every sentence that was sent.
#pragma once

#include "link/device_link_state.h"

#include <fcntl.h>
#include <unistd.h>

#include <string>
#include <vector>

class SentSentences {
public:
    explicit SentSentences(DeviceLinkState& link)
    {
        if (::pipe(fds_) == 0) {
            ::fcntl(fds_[0], F_SETFL, O_NONBLOCK);
            // Room for every sentence a test sends without a reader draining it.
            ::fcntl(fds_[1], F_SETPIPE_SZ, 1 << 20);
            link.PortHandle = fds_[1];
        }
    }
    ~SentSentences()
    {
        ::close(fds_[0]);
        ::close(fds_[1]);
    }
    SentSentences(const SentSentences&) = delete;
    SentSentences& operator=(const SentSentences&) = delete;

    // Every sentence written since the last call, in order.
    std::vector<std::string> take()
    {
        char buffer[4096];
        for (ssize_t n; (n = ::read(fds_[0], buffer, sizeof buffer)) > 0;)
            pending_.append(buffer, static_cast<std::size_t>(n));
        std::vector<std::string> sentences;
        for (std::size_t end; (end = pending_.find("\r\n")) != std::string::npos;) {
            sentences.push_back(pending_.substr(0, end + 2));
            pending_.erase(0, end + 2);
        }
        return sentences;
    }

private:
    int fds_[2] = {-1, -1};
    std::string pending_;
};
