// Line noise and hostile byte streams through framing, checksum and dispatch.
#include "link/incoming_sentence.h"
#include "link/sentence_dispatch.h"
#include "link/sentence_framer.h"
#include "link/sentences.h"

#include <gtest/gtest.h>

#include <random>

namespace {
class CountingHandlers : public SentenceHandlers {
public:
    int calls = 0;
    void OnGga(const IncomingSentence&) override { ++calls; }
    void OnGll(const IncomingSentence&) override { ++calls; }
    void OnGsa(const IncomingSentence&) override { ++calls; }
    void OnGsv(const IncomingSentence&) override { ++calls; }
    void OnRmc(const IncomingSentence&) override { ++calls; }
    void OnVtg(const IncomingSentence&) override { ++calls; }
    void HandleAck(const IncomingSentence&) override { ++calls; }
    void HandleLoggerReply(const IncomingSentence&) override { ++calls; }
    void HandleNmeaPeriods(const IncomingSentence&) override { ++calls; }
    void RefreshLiveView(const IncomingSentence&) override {}
};

// Bytes biased towards the characters that matter to framing.
std::string hostileBytes(std::mt19937& random, std::size_t length)
{
    static const char interesting[] = {'$', '*', ',', '\r', '\n', '\0', 'P', 'M', 'T', 'K', '1', 'A', 'F'};
    std::string bytes(length, '\0');
    for (char& byte : bytes)
        byte = random() % 3 == 0 ? static_cast<char>(random()) : interesting[random() % sizeof interesting];
    return bytes;
}
} // namespace

TEST(FramerFuzz, HostileStreamsNeverBreakTheFramingLimitsOrTheDispatch)
{
    std::mt19937 random(20261208);
    CountingHandlers handlers;
    for (int run = 0; run < 150; ++run) {
        SentenceFramer framer;
        for (int read = 0; read < 40; ++read) {
            framer.append(hostileBytes(random, random() % 3000));
            while (auto text = framer.next()) {
                ASSERT_LE(text->size(), SentenceFramer::kMaxSentenceLength);
                ASSERT_EQ(text->front(), '$');
                ASSERT_EQ(text->substr(text->size() - 2), "\r\n");
                IncomingSentence sentence;
                sentence.SentenceText = *text;
                DispatchSentence(sentence, handlers);
                SplitFields(sentence);
                HandleMtkSentence(sentence, handlers);
            }
            ASSERT_LE(framer.incompleteRestSize(), SentenceFramer::kMaxIncompleteRest + 3000);
        }
    }
}

TEST(FramerFuzz, ValidSentencesSurviveTheNoiseAroundThem)
{
    std::mt19937 random(7);
    const std::string good = AppendChecksum("$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*");
    SentenceFramer framer;
    int delivered = 0;
    for (int i = 0; i < 500; ++i) {
        // Noise without '$' before each sentence must not cost the sentence.
        std::string noise = hostileBytes(random, random() % 200);
        std::erase(noise, '$');
        framer.append(noise + "\r\n" + good);
        while (auto text = framer.next())
            delivered += *text == good ? 1 : 0;
    }
    EXPECT_EQ(delivered, 500);
}

TEST(FramerFuzz, EndlessTextWithoutLineEndsStaysBounded)
{
    SentenceFramer framer;
    const std::string chunk = "$" + std::string(999, 'A');
    for (int i = 0; i < 10000; ++i) {
        framer.append(chunk);
        ASSERT_FALSE(framer.next().has_value());
        ASSERT_LE(framer.incompleteRestSize(), SentenceFramer::kMaxIncompleteRest + chunk.size());
    }
}
