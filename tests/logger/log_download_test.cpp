#include "logger/log_download.h"

#include "core/app_error.h"
#include "link/sentences.h"
#include "support/wire_tap.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>

namespace {
using namespace std::chrono_literals;
using Replies = std::vector<std::string>;

constexpr uint32_t kChunk = LogDownload::kChunkSize;
constexpr uint32_t kReply = LogDownload::kReplyBytes;

unsigned char MemoryByte(uint32_t address)
{
    return static_cast<unsigned char>(address * 7 + (address >> 8) + (address >> 16));
}

std::string Hex8(uint32_t value)
{
    char text[9];
    std::snprintf(text, sizeof text, "%08X", value);
    return text;
}

std::string ReplyHex(uint32_t address)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    for (uint32_t a = address; a < address + kReply; ++a) {
        hex += digits[MemoryByte(a) >> 4];
        hex += digits[MemoryByte(a) & 15];
    }
    return hex;
}

std::string MemoryReply(uint32_t address, const std::string& hex)
{
    return AppendChecksum("$PMTK182,8," + Hex8(address) + "," + hex + "*");
}

// blank: the erased memory's all 0xFF.
Replies ChunkReplies(uint32_t chunkAddress, bool blank = false)
{
    Replies replies;
    for (uint32_t a = chunkAddress; a < chunkAddress + kChunk; a += kReply)
        replies.push_back(MemoryReply(a, blank ? std::string(2 * kReply, 'F') : ReplyHex(a)));
    return replies;
}

std::vector<unsigned char> ExpectedMemory(uint32_t size)
{
    std::vector<unsigned char> bytes(size);
    for (uint32_t a = 0; a < size; ++a)
        bytes[a] = MemoryByte(a);
    return bytes;
}

std::vector<unsigned char> FileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string FileText(const std::string& path)
{
    const std::vector<unsigned char> bytes = FileBytes(path);
    return {bytes.begin(), bytes.end()};
}

class LogDownloadTest : public ::testing::Test {
public:
    void SetUp() override
    {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        directory = std::filesystem::path(::testing::TempDir()) / ("log_download_" + std::string(test->name()));
        std::filesystem::remove_all(directory);
        std::filesystem::create_directories(directory);
        image = (directory / "data.bin").string();
        part = LogDownload::partPath(image);
        download = std::make_unique<LogDownload>(link, image, DownloadLimits{2000ms, 16min, 5});
        download->now = [this] { return clock; };
        download->onStopped = [this] { ++stops; };
    }
    void TearDown() override { std::filesystem::remove_all(directory); }

    void start(uint32_t downloadEnd)
    {
        link.DownloadEnd = downloadEnd;
        link.DownloadEndKnown = true;
        download->start();
    }
    void deliver(const std::string& text)
    {
        IncomingSentence sentence;
        sentence.SentenceText = text;
        SplitFields(sentence);
        download->onMemoryData(sentence);
    }
    void deliver(const Replies& replies)
    {
        for (const auto& reply : replies)
            deliver(reply);
    }
    // One chunk's exchange: its replies, then the acknowledgement.
    void answer(const Replies& replies)
    {
        deliver(replies);
        download->DownloadNextChunk();
    }
    // Answers the reads sent, as the logger would, until the download stops
    // or `reads` were answered; gives each read as "ADDRESS,LENGTH".
    Replies serveReads(std::size_t reads = SIZE_MAX)
    {
        Replies served;
        for (Replies requests; served.size() < reads && !(requests = sent.sentences()).empty();)
            for (const std::string& request : requests) {
                unsigned address = 0;
                unsigned length = 0;
                if (std::sscanf(request.c_str(), "$PMTK182,7,%8X,%X*", &address, &length) != 2)
                    continue;
                served.push_back(request.substr(11, request.find('*') - 11));
                Replies replies;
                for (uint32_t a = address; a < address + length; a += kReply)
                    replies.push_back(MemoryReply(a, ReplyHex(a)));
                answer(replies);
            }
        return served;
    }
    // The first `chunks` of the memory, with the byte at `spoiled` changed.
    static void writeEarlier(const std::string& path, uint32_t chunks, std::optional<uint32_t> spoiled = {})
    {
        std::vector<unsigned char> bytes = ExpectedMemory(chunks * kChunk);
        if (spoiled)
            bytes[*spoiled] ^= 0x01;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    DeviceLinkState link;
    WireTap sent{link};
    std::filesystem::path directory;
    std::string image;
    std::string part;
    std::unique_ptr<LogDownload> download;
    LogDownload::Clock::time_point clock{};
    int stops = 0;
};

TEST_F(LogDownloadTest, StartLeavesTheImageBeginsAnEmptyPartStopsLoggingAndRequestsFirstChunk)
{
    std::ofstream(image) << "an older image";
    std::ofstream(part) << "a killed download's chunks";
    start(0x30000);

    EXPECT_EQ(std::filesystem::file_size(image), 14u);
    EXPECT_EQ(std::filesystem::file_size(part), 0u);
    EXPECT_EQ(sent.sentences(), (Replies{std::string(Sentences::StopLogging), "$PMTK182,7,00000000,00010000*23\r\n"}));
    EXPECT_TRUE(link.Downloading);
    EXPECT_EQ(download->gauge().max(), 0x30000 / 2048);
}

TEST_F(LogDownloadTest, ThreeChunksAreRequestedInOrderAndSavedWhole)
{
    start(0x30000);
    link.DownloadEnd = 0x200000; // a late reply cannot move the aim
    sent.sentences();
    Replies requests;
    for (uint32_t address = 0; address < 0x30000; address += kChunk) {
        answer(ChunkReplies(address));
        for (const auto& s : sent.sentences())
            requests.push_back(s);
    }

    EXPECT_EQ(requests, (Replies{"$PMTK182,7,00010000,10000*12\r\n", "$PMTK182,7,00020000,10000*11\r\n"}));
    EXPECT_EQ(link.DownloadAddress, 0x30000u);
    EXPECT_FALSE(link.Downloading);
    EXPECT_TRUE(download->complete());
    EXPECT_TRUE(download->failure().empty());
    EXPECT_EQ(stops, 1);
    EXPECT_TRUE(download->gauge().full());
    EXPECT_EQ(download->bytesWanted(), 0x30000u);
    EXPECT_EQ(FileBytes(part), ExpectedMemory(0x30000));
    EXPECT_TRUE(download->finish());
    EXPECT_EQ(FileBytes(image), ExpectedMemory(0x30000));
    EXPECT_FALSE(std::filesystem::exists(part));
}

TEST_F(LogDownloadTest, OnlyVerifiedChunksEverReplaceTheImage)
{
    std::ofstream(image) << "an older image";
    start(0x30000);
    deliver(ChunkReplies(0)); // cancelled before the acknowledgement
    EXPECT_FALSE(download->finish());
    EXPECT_EQ(std::filesystem::file_size(image), 14u);
    EXPECT_FALSE(std::filesystem::exists(part));

    // Stopped short, it keeps its chunks beside an image it must not shrink...
    start(0x30000);
    answer(ChunkReplies(0));
    deliver(ChunkReplies(kChunk));
    EXPECT_TRUE(download->finish());
    EXPECT_FALSE(link.Downloading);
    EXPECT_FALSE(download->complete());
    EXPECT_EQ(std::filesystem::file_size(image), 14u);
    EXPECT_EQ(download->keptPath(), part);
    EXPECT_EQ(FileBytes(part), ExpectedMemory(kChunk));
    EXPECT_EQ(download->unfinishedText(), "65536 of 196608 bytes are in " + part + "; " + image + " is unchanged.");

    // ...and with no image before, they become the image.
    std::filesystem::remove(image);
    start(0x30000);
    answer(ChunkReplies(0));
    EXPECT_TRUE(download->finish());
    EXPECT_EQ(download->keptPath(), image);
    EXPECT_EQ(FileBytes(image), ExpectedMemory(kChunk));
    EXPECT_FALSE(std::filesystem::exists(part));
}

// Every fault spoils one chunk: nothing of it is written, the same address
// is requested again with a fresh buffer, and a clean answer then completes.
struct ChunkFault {
    const char* name;
    std::function<void(Replies&)> spoil;
};

class SpoiledChunkTest : public LogDownloadTest, public ::testing::WithParamInterface<ChunkFault> {};

TEST_P(SpoiledChunkTest, ChunkIsRequestedAgainAndFileStaysWhole)
{
    start(0x20000);
    answer(ChunkReplies(0));
    sent.sentences();

    Replies replies = ChunkReplies(kChunk);
    GetParam().spoil(replies);
    answer(replies);

    EXPECT_EQ(sent.sentences(), Replies{Sentences::NextMemoryRead(kChunk)});
    EXPECT_EQ(std::filesystem::file_size(part), kChunk);
    EXPECT_EQ(link.DownloadAddress, kChunk);
    EXPECT_TRUE(link.HexBuffer.empty());
    EXPECT_EQ(link.BadReplyCount, 0);
    EXPECT_TRUE(link.Downloading);

    answer(ChunkReplies(kChunk));
    EXPECT_TRUE(download->complete());
    EXPECT_EQ(FileBytes(part), ExpectedMemory(0x20000));
}

std::string WithChecksumOf(std::string reply, std::string_view badDigits)
{
    reply.replace(reply.find('*') + 1, 2, badDigits);
    return reply;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SpoiledChunkTest,
    ::testing::Values(ChunkFault{"BadChecksum",
                                 [](Replies& r) {
                                     const std::string good = r[5].substr(r[5].find('*') + 1, 2);
                                     r[5] = WithChecksumOf(r[5], good == "00" ? "01" : "00");
                                 }},
                      ChunkFault{"ThirtyOneReplies", [](Replies& r) { r.pop_back(); }},
                      ChunkFault{"DroppedReplyInTheMiddle", [](Replies& r) { r.erase(r.begin() + 10); }},
                      ChunkFault{"ShortReply",
                                 [](Replies& r) {
                                     r[3] = MemoryReply(kChunk + 3 * kReply, ReplyHex(kChunk + 3 * kReply).substr(2));
                                 }},
                      ChunkFault{"NonHexCharacterWithValidChecksum",
                                 [](Replies& r) {
                                     std::string hex = ReplyHex(kChunk + 7 * kReply);
                                     hex[100] = 'G';
                                     r[7] = MemoryReply(kChunk + 7 * kReply, hex);
                                 }},
                      ChunkFault{"OverflowByRepeatedLastReply", [](Replies& r) { r.push_back(r.back()); }},
                      ChunkFault{"RepliesOutOfOrder", [](Replies& r) { std::swap(r[1], r[2]); }},
                      ChunkFault{
                          "UnreadableAddress",
                          [](Replies& r) { r[0] = AppendChecksum("$PMTK182,8,0001000X," + ReplyHex(kChunk) + "*"); }},
                      ChunkFault{"OnlyGarbledReplies", [](Replies& r) { r.assign(3, WithChecksumOf(r[0], "ZZ")); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LogDownloadTest, RepliesToAnEarlierRequestAreIgnored)
{
    start(0x20000);
    answer(ChunkReplies(0));
    sent.sentences();

    // A late second answer for chunk 0 and a last-sector probe's answer,
    // then the real answer for chunk 1.
    answer(ChunkReplies(0));
    answer({MemoryReply(0x1F0000, "FFFF")});
    EXPECT_TRUE(sent.sentences().empty());
    EXPECT_EQ(link.BadReplyCount, 0);
    answer(ChunkReplies(kChunk));

    EXPECT_TRUE(download->complete());
    EXPECT_EQ(FileBytes(part), ExpectedMemory(0x20000));
}

TEST_F(LogDownloadTest, LostAcknowledgementIsRecoveredAfterSilence)
{
    start(0x10000);
    sent.sentences();
    deliver(ChunkReplies(0));

    clock += 1999ms;
    download->checkStall();
    EXPECT_TRUE(sent.sentences().empty());

    clock += 1ms;
    download->checkStall();
    EXPECT_EQ(sent.sentences(), Replies{"$PMTK182,7,00000000,10000*13\r\n"}); // later requests drop the zeros
    EXPECT_TRUE(link.HexBuffer.empty());

    answer(ChunkReplies(0));
    EXPECT_TRUE(download->complete());
    EXPECT_EQ(FileBytes(part), ExpectedMemory(0x10000));
}

TEST_F(LogDownloadTest, RepliesKeepTheSilenceWatchAway)
{
    start(0x10000);
    sent.sentences();
    for (const auto& reply : ChunkReplies(0)) {
        clock += 1500ms;
        deliver(reply);
        download->checkStall();
    }
    EXPECT_TRUE(sent.sentences().empty());
}

TEST_F(LogDownloadTest, SilentLoggerIsGivenUpAfterFiveRequestsAgainWithoutAVerifiedReply)
{
    start(0x30000);
    answer(ChunkReplies(0));
    sent.sentences();
    const auto silence = [&](int requests) {
        for (int i = 0; i < requests; ++i) {
            clock += 2000ms;
            download->checkStall();
        }
    };
    silence(3);
    deliver(ChunkReplies(kChunk)[0]); // one verified reply starts the count afresh
    silence(5);
    EXPECT_EQ(sent.sentences(), Replies(8, Sentences::NextMemoryRead(kChunk)));
    EXPECT_TRUE(link.Downloading);

    silence(1);
    EXPECT_TRUE(sent.sentences().empty());
    EXPECT_FALSE(link.Downloading);
    EXPECT_EQ(stops, 1);
    EXPECT_FALSE(download->complete());
    EXPECT_EQ(download->bytesSaved(), kChunk);
}

// However the download ends, a logger that was logging logs again, and the
// chunks verified before the end stay for the next download.
struct DownloadEnding {
    const char* name;
    std::function<void(LogDownloadTest&)> end;
    bool loggingResumed;
};

class DownloadEndingTest : public LogDownloadTest, public ::testing::WithParamInterface<DownloadEnding> {};

TEST_P(DownloadEndingTest, LoggingIsOnAgainAndTheVerifiedChunksAreKept)
{
    std::ofstream(image) << "an older image";
    link.DownloadEnd = 0x30000;
    link.DownloadEndKnown = true;
    download->start(false, true);
    answer(ChunkReplies(0));
    answer(ChunkReplies(kChunk));
    GetParam().end(*this);
    sent.sentences();

    EXPECT_TRUE(download->finish());
    EXPECT_FALSE(link.Downloading);
    EXPECT_EQ(download->loggingResumed(), GetParam().loggingResumed);
    EXPECT_EQ(sent.sentences(), GetParam().loggingResumed ? Replies{std::string(Sentences::StartLogging)} : Replies{});
    EXPECT_EQ(FileText(image), "an older image");
    EXPECT_EQ(FileBytes(part), ExpectedMemory(2 * kChunk));
}

INSTANTIATE_TEST_SUITE_P(Endings, DownloadEndingTest,
                         ::testing::Values(DownloadEnding{"Cancelled", [](LogDownloadTest&) {}, true},
                                           DownloadEnding{"LoggerFellSilent",
                                                          [](LogDownloadTest& t) {
                                                              for (int request = 0; request < 7; ++request) {
                                                                  t.clock += 2000ms;
                                                                  t.download->checkStall();
                                                              }
                                                          },
                                                          true},
                                           DownloadEnding{"DeviceGone",
                                                          [](LogDownloadTest& t) {
                                                              t.link.PortLost = true;
                                                              t.download->checkStall();
                                                          },
                                                          false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LogDownloadTest, ALoggerThatWasNotLoggingIsLeftStopped)
{
    start(0x10000);
    answer(ChunkReplies(0));
    sent.sentences();
    EXPECT_TRUE(download->finish());
    EXPECT_FALSE(download->loggingResumed());
    EXPECT_TRUE(sent.sentences().empty());
}

TEST_F(LogDownloadTest, TimeLimitCountsFromTheLastVerifiedChunkWhateverIsRequestedAgain)
{
    start(0x20000);
    clock += 10min;
    answer(ChunkReplies(0));
    Replies spoiled = ChunkReplies(kChunk);
    spoiled[31] = WithChecksumOf(spoiled[31], "ZZ");
    for (int minute = 1; minute < 16; ++minute) {
        clock += 1min;
        answer(spoiled);
        download->checkStall();
    }
    clock += 59s;
    download->checkStall();
    EXPECT_TRUE(link.Downloading);

    clock += 1s;
    download->checkStall();
    EXPECT_FALSE(link.Downloading);
    EXPECT_FALSE(download->complete());
    EXPECT_EQ(stops, 1);
}

TEST_F(LogDownloadTest, OnlyCompletionFillsTheGauge)
{
    start(0x10000);
    for (int attempt = 0; attempt < 3; ++attempt) {
        Replies replies = ChunkReplies(0);
        replies[31] = WithChecksumOf(replies[31], "ZZ");
        deliver(replies);
        EXPECT_EQ(download->gauge().progress(), 31); // every reply counted, one short of full ...
        download->DownloadNextChunk();
        EXPECT_EQ(download->gauge().progress(), 0); // ... and taken back with the rejected chunk
    }
    answer(ChunkReplies(0));
    EXPECT_TRUE(download->gauge().full());
    EXPECT_TRUE(download->complete());
}

TEST_F(LogDownloadTest, SmallDownloadEndKeepsTheDefaultGaugeMaximum)
{
    start(1000);
    EXPECT_EQ(download->gauge().max(), ProgressGauge::kDefaultMax);
}

TEST_F(LogDownloadTest, NeverStartsWithoutAnAmountToFetch)
{
    std::ofstream(image) << "an older image";
    const auto refusal = [&](bool reported, uint32_t downloadEnd) -> std::string {
        link.DownloadEndKnown = reported;
        link.DownloadEnd = downloadEnd;
        try {
            download->start();
        } catch (const AppError& error) {
            return error.what();
        }
        return "started";
    };
    EXPECT_EQ(refusal(false, 0x30000), "The logger has not reported its memory.");
    EXPECT_EQ(refusal(true, 0), "There is no log data to download.");
    EXPECT_FALSE(link.Downloading);
    EXPECT_TRUE(sent.sentences().empty());
    EXPECT_EQ(std::filesystem::file_size(image), 14u);
    EXPECT_FALSE(std::filesystem::exists(part));
}

// A logger that does not support the queries of its memory use is read
// until a chunk comes back blank, which is not kept; nothing of an earlier
// download is reused, since nothing tells it still holds. A GPsport 245
// shows "USB PROCESSING" meanwhile.
TEST_F(LogDownloadTest, ALoggerWithoutAMemoryReportIsReadUntilABlankChunk)
{
    writeEarlier(image, 1);
    link.QueryRefusals = 1;
    link.MemorySize = 0x200000;
    link.Model = LoggerModel{"AXN_2.00", "0043", "GR-245"};
    download->start(true);
    EXPECT_TRUE(download->untilBlank());
    EXPECT_EQ(download->bytesWanted(), 0x200000u);
    EXPECT_EQ(sent.sentences(),
              (Replies{std::string(Sentences::HoldUsbProcessing[0]), std::string(Sentences::HoldUsbProcessing[1]),
                       std::string(Sentences::StopLogging), Sentences::FirstMemoryRead()}));
    answer(ChunkReplies(0));
    answer(ChunkReplies(kChunk));
    sent.sentences();
    answer(ChunkReplies(2 * kChunk, true));
    EXPECT_TRUE(download->complete());
    EXPECT_TRUE(download->gauge().full());
    EXPECT_EQ(stops, 1);
    EXPECT_TRUE(sent.sentences().empty());
    EXPECT_TRUE(download->finish());
    EXPECT_EQ(sent.sentences(), Replies{std::string(Sentences::ReleaseUsbProcessing)});
    EXPECT_EQ(FileBytes(image), ExpectedMemory(2 * kChunk));

    // Stopped short, it shrinks nothing and promises no resumption.
    link.Model.reset();
    download->start(true);
    answer(ChunkReplies(0));
    EXPECT_TRUE(download->finish());
    EXPECT_EQ(download->unfinishedText(), "65536 of 2097152 bytes are in " + part + "; " + image + " is unchanged.");
    EXPECT_EQ(FileBytes(image), ExpectedMemory(2 * kChunk));

    // A blank first chunk: an empty memory.
    link.MemorySize = 0;
    download->start();
    EXPECT_EQ(download->bytesWanted(), LogDownload::kUnreportedMemoryLimit);
    answer(ChunkReplies(0, true));
    EXPECT_TRUE(download->foundNoData());
    EXPECT_FALSE(download->finish());
    EXPECT_EQ(FileBytes(image), ExpectedMemory(2 * kChunk));
}

TEST_F(LogDownloadTest, NothingHappensOutsideADownload)
{
    start(0x10000);
    EXPECT_FALSE(download->finish());
    sent.sentences();
    answer(ChunkReplies(0));
    clock += 1h;
    download->checkStall();

    EXPECT_TRUE(sent.sentences().empty());
    EXPECT_FALSE(std::filesystem::exists(part));
    EXPECT_FALSE(download->complete());
}

TEST_F(LogDownloadTest, ImageThatCannotBeCreatedRaisesAnError)
{
    LogDownload elsewhere(link, (directory / "missing" / "data.bin").string(), DownloadLimits{2000ms});
    link.DownloadEnd = 0x10000;
    link.DownloadEndKnown = true;
    EXPECT_THROW(elsewhere.start(), AppError);
    EXPECT_FALSE(link.Downloading);
    EXPECT_TRUE(sent.sentences().empty());
}

TEST_F(LogDownloadTest, WriteFailureStopsTheDownloadAndSaysWhy)
{
    start(0x30000);
    answer(ChunkReplies(0));
    sent.sentences();
    // The part turns into something that cannot be appended to.
    std::filesystem::remove(part);
    std::filesystem::create_directory(part);

    answer(ChunkReplies(kChunk));

    EXPECT_FALSE(link.Downloading);
    EXPECT_FALSE(download->complete());
    EXPECT_NE(download->failure().find("data.bin.part"), std::string::npos);
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(download->bytesSaved(), kChunk);
    EXPECT_TRUE(sent.sentences().empty());
}

// What an earlier download left: its chunks are checked by samples, the one
// holding its end is fetched again; a mismatch means everything is fetched.
struct ReuseCase {
    const char* name;
    uint32_t imageChunks;
    uint32_t partChunks;
    std::optional<uint32_t> spoiled; // a byte of the earlier file that no longer matches
    Replies reads;
    uint32_t reused;
    int gaugeMax;
};

TEST_F(LogDownloadTest, EarlierChunksAreKeptOnlyWhenTheirSamplesMatch)
{
    const Replies wholeMemory{"00000000,10000", "00010000,10000", "00020000,10000", "00030000,10000"};
    const Replies kept{"00000000,800", "00010800,800", "00020000,10000", "00030000,10000"};
    Replies spoiled{"00000000,800", "00010800,800"};
    spoiled.insert(spoiled.end(), wholeMemory.begin(), wholeMemory.end());
    const ReuseCase cases[] = {
        {"image", 3, 0, {}, kept, 2 * kChunk, 2 + 2 * kChunk / kReply},
        {"part of a cut-off download", 1, 3, {}, kept, 2 * kChunk, 2 + 2 * kChunk / kReply},
        {"sample differs", 3, 0, kChunk + 0x900, spoiled, 0, 1 + 4 * kChunk / kReply},
    };
    link.MemorySize = 0x200000;
    for (const ReuseCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(part);
        writeEarlier(image, c.imageChunks, c.spoiled);
        if (c.partChunks != 0)
            writeEarlier(part, c.partChunks);
        link.DownloadEnd = 4 * kChunk;
        link.DownloadEndKnown = true;
        EXPECT_EQ(download->reusableBytes(), 2 * kChunk);

        download->start(true);
        const int gaugeMax = download->gauge().max();
        EXPECT_EQ(serveReads(), c.reads);

        EXPECT_TRUE(download->complete());
        EXPECT_EQ(download->bytesReused(), c.reused);
        EXPECT_EQ(download->gauge().max(), c.gaugeMax) << "at start: " << gaugeMax;
        EXPECT_TRUE(download->finish());
        EXPECT_EQ(FileBytes(image), ExpectedMemory(4 * kChunk));
        EXPECT_FALSE(std::filesystem::exists(part));
    }
}

TEST_F(LogDownloadTest, ACutOffDownloadsChunksStayUntilSomethingNewArrives)
{
    link.MemorySize = 0x200000;
    link.DownloadEnd = 4 * kChunk;
    link.DownloadEndKnown = true;
    writeEarlier(part, 3);
    download->start(true);
    EXPECT_EQ(serveReads(1), Replies{"00000000,800"});
    download->finish(); // cancelled while checking
    EXPECT_EQ(FileBytes(part), ExpectedMemory(3 * kChunk));
    sent.sentences();

    download->start(true);
    EXPECT_EQ(serveReads(2), (Replies{"00000000,800", "00010800,800"}));
    EXPECT_FALSE(download->finish()); // cancelled before anything new arrived
    EXPECT_EQ(FileBytes(part), ExpectedMemory(2 * kChunk));
    EXPECT_FALSE(std::filesystem::exists(image));
}

TEST(ChunkSilenceLimit, SuitsTheLineRate)
{
    EXPECT_EQ(ChunkSilenceLimit(115200), 2000ms);
    EXPECT_EQ(ChunkSilenceLimit(9600), 12876ms); // three 4,121-character replies at 960 characters/s
    EXPECT_EQ(ChunkSilenceLimit(0), 2000ms);
}
} // namespace
