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
// "[#####---------------]  25%", and the time left at the rate so far.
std::string Bar(double fraction)
{
    const int filled = static_cast<int>(fraction * kBarWidth);
    char text[64];
    std::snprintf(text, sizeof text, "[%s%s] %3d%%", std::string(filled, '#').c_str(),
                  std::string(kBarWidth - filled, '-').c_str(), static_cast<int>(fraction * 100));
    return text;
}

double Fraction(uint64_t done, uint64_t total)
{
    return total ? std::min(1.0, static_cast<double>(done) / static_cast<double>(total)) : 1.0;
}

std::string TimeLeft(uint64_t done, uint64_t total, double rate)
{
    return rate > 0 ? TimeText(static_cast<double>(total - std::min(done, total)) / rate) : "?";
}
} // namespace

std::string ProgressLine(uint64_t done, uint64_t total, std::chrono::duration<double> elapsed, uint64_t carried)
{
    const double fetched = static_cast<double>(done - std::min(carried, done));
    const double rate = elapsed.count() > 0 ? fetched / elapsed.count() : 0.0;
    char text[160];
    std::snprintf(text, sizeof text, "%s  %llu/%llu bytes  %.1f KiB/s  %s left", Bar(Fraction(done, total)).c_str(),
                  static_cast<unsigned long long>(done), static_cast<unsigned long long>(total), rate / 1024,
                  TimeLeft(done, total, rate).c_str());
    return text;
}

std::string CountProgressLine(uint64_t done, uint64_t total, const char* things, std::chrono::duration<double> elapsed)
{
    const double rate = elapsed.count() > 0 ? static_cast<double>(done) / elapsed.count() : 0.0;
    char text[160];
    std::snprintf(text, sizeof text, "%s  %llu/%llu %s  %s left", Bar(Fraction(done, total)).c_str(),
                  static_cast<unsigned long long>(done), static_cast<unsigned long long>(total), things,
                  TimeLeft(done, total, rate).c_str());
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
