// The receiving side of the simulator: cuts the incoming bytes into sentences,
// records every one of them, and passes the sound ones on.
#pragma once

#include <fstream>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct ReceivedSentence {
    std::string text; // from '$' up to the line end, without CR LF
    bool valid;       // framed whole and the checksum holds
};

class CommandFramer {
public:
    // Longer sentences are cut off and reported as bad.
    static constexpr size_t kMaxLength = 1024;

    // Returns the sentences completed by these bytes, in order. Bytes outside
    // a sentence are ignored; a '$' inside one ends it as bad.
    std::vector<ReceivedSentence> feed(std::string_view bytes);

private:
    std::string pending_;
    bool inSentence_ = false;
};

class CommandReader {
public:
    using Deliver = std::function<void(std::string sentence)>;

    // logPath may be empty for no log. Throws std::runtime_error when the log
    // cannot be opened.
    CommandReader(int fd, int stopFd, const std::string& logPath, Deliver deliver);

    // Reads until stopFd becomes readable.
    void run();

private:
    void handle(const ReceivedSentence& sentence);

    int fd_;
    int stopFd_;
    std::ofstream log_;
    Deliver deliver_;
    CommandFramer framer_;
};
