#include "progress_line.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <algorithm>
#include <cstdio>

namespace {
constexpr int kBarWidth = 20;

std::string TimeText(double seconds)
{
    const long whole = static_cast<long>(seconds + 0.5);
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    return text;
}
} // namespace

std::string ProgressLine(uint64_t done, uint64_t total, std::chrono::duration<double> elapsed, uint64_t carried)
{
    const double fraction = total ? std::min(1.0, static_cast<double>(done) / static_cast<double>(total)) : 1.0;
    const int filled = static_cast<int>(fraction * kBarWidth);
    const double fetched = static_cast<double>(done - std::min(carried, done));
    const double rate = elapsed.count() > 0 ? fetched / elapsed.count() : 0.0;
    const std::string left = rate > 0 ? TimeText(static_cast<double>(total - std::min(done, total)) / rate) : "?";

    char text[160];
    std::snprintf(text, sizeof text, "[%s%s] %3d%%  %llu/%llu bytes  %.1f KiB/s  %s left",
                  std::string(filled, '#').c_str(), std::string(kBarWidth - filled, '-').c_str(),
                  static_cast<int>(fraction * 100), static_cast<unsigned long long>(done),
                  static_cast<unsigned long long>(total), rate / 1024, left.c_str());
    return text;
}

bool StderrIsTerminal()
{
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(STDERR_FILENO) != 0;
#endif
}
