#include "logger/logger_line.h"

#include "link/sentences.h"

#include <algorithm>

bool AskLogger(LoggerLine& line, std::string_view query, const std::string& replyKind,
               std::chrono::milliseconds timeout)
{
    using namespace std::chrono_literals;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int32_t refusals = 0;
    line.locked([&] {
        line.replies().forget(replyKind);
        refusals = line.link().QueryRefusals;
    });
    const auto answered = [&] { return line.replies().heard(replyKind) || line.link().QueryRefusals != refusals; };
    for (auto now = std::chrono::steady_clock::now(); now < deadline; now = std::chrono::steady_clock::now()) {
        line.locked([&] { SendSentence(line.link(), query); });
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now);
        if (line.waitUntil(answered, std::min<std::chrono::milliseconds>(1s, left))) {
            bool heard = false;
            line.locked([&] { heard = line.replies().heard(replyKind); });
            return heard;
        }
    }
    return false;
}
