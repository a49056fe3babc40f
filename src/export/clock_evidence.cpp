#include "export/clock_evidence.h"

#include "core/output_file.h"
#include "export/iso_time.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {
constexpr const char* kReceiverKey = "receiver ";
constexpr const char* kComputerKey = "computer ";
constexpr std::int64_t kMillisecondsPerSecond = 1000;

std::optional<std::int64_t> SecondsAfter(const std::string& line, const std::string& key)
{
    if (!line.starts_with(key))
        return std::nullopt;
    const auto milliseconds = ParseIsoTime(std::string_view(line).substr(key.size()));
    if (!milliseconds)
        return std::nullopt;
    return *milliseconds / kMillisecondsPerSecond;
}
} // namespace

std::string ClockEvidencePath(const std::string& imagePath)
{
    return imagePath + ".clock";
}

std::string WriteClockEvidence(const std::string& imagePath, const std::optional<ClockReading>& reading)
{
    const std::string path = ClockEvidencePath(imagePath);
    if (!reading) {
        std::error_code error;
        std::filesystem::remove(path, error);
        return error ? path + ": " + error.message() : std::string();
    }
    OutputFile file(path);
    file.write(std::string(kReceiverKey) + IsoTimeText(reading->receiverUtc * kMillisecondsPerSecond) + "\n" +
               kComputerKey + IsoTimeText(reading->computerUtc * kMillisecondsPerSecond) + "\n");
    return file.close() ? std::string() : file.failure();
}

std::optional<ClockReading> ReadClockEvidence(const std::string& imagePath)
{
    std::ifstream file(ClockEvidencePath(imagePath));
    std::string receiverLine;
    std::string computerLine;
    if (!std::getline(file, receiverLine) || !std::getline(file, computerLine))
        return std::nullopt;
    const auto receiver = SecondsAfter(receiverLine, kReceiverKey);
    const auto computer = SecondsAfter(computerLine, kComputerKey);
    if (!receiver || !computer)
        return std::nullopt;
    return ClockReading{*receiver, *computer};
}
