// A pipe standing in for the serial port: the link writes into it, the test
// reads back every byte that was sent.
#pragma once

#include "link/device_link_state.h"

#include <fcntl.h>
#include <unistd.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

class WireTap {
public:
    explicit WireTap(DeviceLinkState& link)
    {
        if (::pipe2(ends_, O_NONBLOCK) != 0)
            throw std::runtime_error("no pipe for the wire tap");
        // Room for every sentence a test sends without draining it.
        ::fcntl(ends_[1], F_SETPIPE_SZ, 1 << 20);
        link.PortHandle = ends_[1];
    }
    ~WireTap()
    {
        ::close(ends_[0]);
        ::close(ends_[1]);
    }
    WireTap(const WireTap&) = delete;
    WireTap& operator=(const WireTap&) = delete;

    // Every byte written since the last take.
    std::string take()
    {
        char chunk[4096];
        for (ssize_t n; (n = ::read(ends_[0], chunk, sizeof chunk)) > 0;)
            pending_.append(chunk, static_cast<std::size_t>(n));
        return std::exchange(pending_, {});
    }

    // Every whole sentence written since the last call, CR LF included.
    std::vector<std::string> sentences()
    {
        pending_ = take();
        std::vector<std::string> sent;
        for (std::size_t end; (end = pending_.find("\r\n")) != std::string::npos;) {
            sent.push_back(pending_.substr(0, end + 2));
            pending_.erase(0, end + 2);
        }
        return sent;
    }

private:
    int ends_[2] = {-1, -1};
    std::string pending_;
};
