// The download sequence against a scripted logger, which answers what was
// sent while the sequence waits.
#include "logger/download_sequence.h"

#include "link/sentences.h"
#include "support/wire_tap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

namespace {
using namespace std::chrono_literals;

constexpr uint32_t kChunk = LogDownload::kChunkSize;

std::string Hex(uint32_t value, int digits)
{
    char text[9];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

// A sentence as sent, without its CR LF.
std::string Sent(const std::string& body)
{
    const std::string sentence = AppendChecksum(body);
    return sentence.substr(0, sentence.size() - 2);
}

unsigned char MemoryByte(uint32_t address)
{
    return static_cast<unsigned char>(address * 7 + (address >> 9));
}

// An M-241 that logs in overwrite mode; `used` bytes written, the rest blank.
class ScriptedLogger final : public LoggerLine, private HeadlessReplyView {
public:
    ScriptedLogger() { link_.LastSectorBlank = true; }

    uint32_t used = 3 * kChunk;
    std::string flashId = "C22015";
    bool answersProbe = true;
    bool answersMemoryUsed = true;
    std::vector<std::string> received;

    DeviceLinkState& link() override { return link_; }
    LoggerStatus& status() override { return status_; }
    LoggerReplies& replies() override { return replies_; }
    const ReceiverClock& receiverClock() override { return clock_; }
    void locked(const std::function<void()>& job) override { job(); }
    // Time passes only while nothing answers.
    bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) override
    {
        for (std::vector<std::string> sent; !condition() && !(sent = wire_.sentences()).empty();)
            for (const std::string& sentence : sent)
                answer(sentence.substr(0, sentence.size() - 2));
        if (!condition())
            std::this_thread::sleep_for(timeout);
        return condition();
    }

private:
    void answer(const std::string& sentence)
    {
        received.push_back(sentence);
        const std::string body = sentence.substr(0, sentence.find('*'));
        unsigned address = 0;
        unsigned length = 0;
        if (body == "$PMTK605")
            reply("$PMTK705,AXN_1.30,0005,,1.0");
        else if (body == "$PMTK182,2,7")
            reply("$PMTK182,3,7,2");
        else if (body == "$PMTK182,2,9,9F")
            reply("$PMTK182,3,9," + flashId);
        else if (body == "$PMTK182,2,8" && answersMemoryUsed)
            reply("$PMTK182,3,8," + Hex(used, 8));
        else if (std::sscanf(body.c_str(), "$PMTK182,7,%8X,%X", &address, &length) == 2 && (length > 2 || answersProbe))
            read(address, length);
    }
    void read(uint32_t address, uint32_t length)
    {
        for (uint32_t from = address; from < address + length; from += 2048) {
            std::string hex;
            for (uint32_t a = from; a < std::min(from + 2048, address + length); ++a)
                hex += a < used ? Hex(MemoryByte(a), 2) : "FF";
            reply("$PMTK182,8," + Hex(from, 8) + "," + hex);
        }
        reply("$PMTK001,182,7,3");
    }
    void reply(const std::string& body)
    {
        IncomingSentence sentence;
        sentence.SentenceText = AppendChecksum(body + "*");
        SplitFields(sentence);
        if (body.rfind("$PMTK001", 0) == 0)
            replies_.HandleAck(sentence);
        else if (body.rfind("$PMTK705", 0) == 0)
            replies_.handleModelReply(sentence);
        else
            replies_.HandleLoggerReply(sentence);
    }

    DeviceLinkState link_;
    LoggerStatus status_;
    LoggerReplies replies_{link_, status_, *this};
    ReceiverClock clock_;
    WireTap wire_{link_};
};

class DownloadSequenceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(directory);
        front.allowReuse = [this](uint32_t reusable) { return (offered = reusable) != 0; };
        front.follow = [this](LogDownload& download) {
            while (download.running())
                logger.waitUntil([&] { return !download.running(); }, 10ms);
        };
        front.decode = [this](const KeptDownload& download) { kept = download; };
    }
    void TearDown() override { std::filesystem::remove_all(directory); }

    DownloadSequence Run(ScriptedLogger& line)
    {
        DownloadSequence sequence(line, front, image, {2000ms}, {20ms, 20ms, 0ms});
        sequence.run();
        return sequence;
    }
    std::vector<unsigned char> fileBytes() const
    {
        std::ifstream file(image, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
    static std::vector<unsigned char> memory(uint32_t size)
    {
        std::vector<unsigned char> bytes(size);
        for (uint32_t a = 0; a < size; ++a)
            bytes[a] = MemoryByte(a);
        return bytes;
    }

    // One folder a test: ctest runs them side by side.
    const std::filesystem::path directory =
        std::filesystem::path(::testing::TempDir()) /
        ("download_sequence_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    const std::string image = (directory / "data.bin").string();
    ScriptedLogger logger;
    DownloadFront front;
    uint32_t offered = 0;
    std::optional<KeptDownload> kept;
};

TEST_F(DownloadSequenceTest, AFreshLoggerTellsModelAndMemoryThenIsReadWholeDecodedAndLogsAgain)
{
    EXPECT_EQ(Run(logger).refusal(), "");

    EXPECT_EQ(fileBytes(), memory(3 * kChunk));
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(kept->path, image);
    EXPECT_TRUE(kept->complete);
    EXPECT_EQ(kept->dialect, LogDialect::M241);
    std::vector<std::string> expected;
    for (const char* body :
         {"$PMTK605*", "$PMTK182,2,7*", "$PMTK182,2,9,9F*", "$PMTK182,7,001F0000,2*", "$PMTK182,2,8*", "$PMTK182,5*",
          "$PMTK182,7,00000000,00010000*", "$PMTK182,7,00010000,10000*", "$PMTK182,7,00020000,10000*", "$PMTK182,4*"})
        expected.push_back(Sent(body));
    EXPECT_EQ(logger.received, expected);
    EXPECT_EQ(offered, 0u) << "nothing earlier to reuse";
}

// Whatever keeps the amount from being learned refuses the download before
// logging is touched; so does an empty memory.
TEST_F(DownloadSequenceTest, AMemoryNotToldOrEmptyIsRefusedWithoutStoppingLogging)
{
    struct Case {
        const char* name;
        std::function<void(ScriptedLogger&)> script;
        MemoryReportGap gap;
        std::string refusal;
    };
    const std::string notReported = LogDownload::kMemoryNotReported;
    const Case cases[] = {
        {"unknown flash size", [](ScriptedLogger& l) { l.flashId = "C22000"; }, MemoryReportGap::UnknownSize,
         notReported},
        {"probe unanswered", [](ScriptedLogger& l) { l.answersProbe = false; }, MemoryReportGap::NoProbeAnswer,
         notReported},
        {"memory use unanswered", [](ScriptedLogger& l) { l.answersMemoryUsed = false; }, MemoryReportGap::NoMemoryUse,
         notReported},
        {"empty memory", [](ScriptedLogger& l) { l.used = 0; }, MemoryReportGap::None, LogDownload::kNoLogData},
    };
    for (const Case& c : cases) {
        ScriptedLogger fresh;
        c.script(fresh);
        const DownloadSequence sequence = Run(fresh);
        EXPECT_EQ(sequence.gap(), c.gap) << c.name;
        EXPECT_EQ(sequence.refusal(), c.refusal) << c.name;
        EXPECT_FALSE(sequence.started()) << c.name;
        EXPECT_EQ(std::count(fresh.received.begin(), fresh.received.end(), Sent("$PMTK182,5*")), 0) << c.name;
    }
    EXPECT_FALSE(kept.has_value());
}

// What the poll told already is not asked again; the front allows the reuse.
TEST_F(DownloadSequenceTest, AKnownReportIsNotAskedAgainAndTheFrontAllowsTheReuse)
{
    const std::vector<unsigned char> earlier = memory(2 * kChunk);
    std::ofstream(image, std::ios::binary).write(reinterpret_cast<const char*>(earlier.data()), 2 * kChunk);
    logger.link().MemorySize = 0x200000;
    logger.link().DownloadEnd = 3 * kChunk;
    logger.link().DownloadEndKnown = true;
    logger.link().ModelAsked = true;

    Run(logger);

    EXPECT_EQ(offered, kChunk);
    EXPECT_EQ(fileBytes(), memory(3 * kChunk));
    ASSERT_FALSE(logger.received.empty());
    EXPECT_EQ(logger.received.front(), Sent("$PMTK182,5*"));
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(kept->dialect, LogDialect::Detect) << "a model not asked for is not known";
}

TEST_F(DownloadSequenceTest, AnExceptionWhileFollowingFinishesTheDownloadFirst)
{
    front.follow = [](LogDownload&) { throw std::runtime_error("interrupted"); };
    DownloadSequence sequence(logger, front, image, {2000ms}, {20ms, 20ms, 0ms});

    EXPECT_THROW(sequence.run(), std::runtime_error);

    EXPECT_TRUE(sequence.started());
    EXPECT_FALSE(sequence.download().running());
    EXPECT_TRUE(sequence.download().loggingResumed());
    EXPECT_FALSE(kept.has_value());
}
} // namespace
