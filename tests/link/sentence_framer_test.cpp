// Cutting the byte stream into sentences, and splitting a sentence into fields.
#include "link/incoming_sentence.h"
#include "link/sentence_framer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
const std::string kGga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";
const std::string kAck = "$PMTK001,182,7,3*20\r\n";
const std::string kZda = "$GPZDA,201530.00,04,07,2002,00,00*60\r\n";

std::vector<std::string> Drain(SentenceFramer& framer)
{
    std::vector<std::string> sentences;
    while (auto sentence = framer.next())
        sentences.push_back(std::move(*sentence));
    return sentences;
}

// Feeds the reads one by one; returns the sentences cut after each read.
std::vector<std::vector<std::string>> Feed(const std::vector<std::string>& reads)
{
    SentenceFramer framer;
    std::vector<std::vector<std::string>> cuts;
    for (const auto& read : reads) {
        framer.append(read);
        cuts.push_back(Drain(framer));
    }
    return cuts;
}

using Cuts = std::vector<std::vector<std::string>>;

TEST(SentenceFramer, CutsSentencesFromTheirReads)
{
    const std::string torn = "$GPGSV,3,1,11,03,03";
    const struct {
        const char* name;
        std::vector<std::string> reads;
        Cuts expected;
    } cases[] = {
        {"one sentence", {kGga}, {{kGga}}},
        {"every sentence of one read at once", {kGga + kAck + kZda}, {{kGga, kAck, kZda}}},
        {"noise before '$' is dropped", {"\r\n*4F,1,2\xff" + kAck}, {{kAck}}},
        {"noise between sentences", {kAck + "garbage" + kZda}, {{kAck, kZda}}},
        {"split across reads", {kGga.substr(0, 10), kGga.substr(10)}, {{}, {kGga}}},
        {"CR and LF in different reads", {kAck.substr(0, kAck.size() - 1), "\n"}, {{}, {kAck}}},
        {"a finished sentence then the start of the next",
         {kAck + kGga.substr(0, 30), kGga.substr(30)},
         {{kAck}, {kGga}}},
        {"torn sentence does not swallow its successor", {torn + kAck}, {{kAck}}},
        {"torn sentence across reads", {torn, kAck}, {{}, {kAck}}},
        {"a lone CR LF is no sentence", {"\r\n\r\n"}, {{}}},
        {"text without '$' is dropped", {"PMTK001,182,7,3*20\r\n", kAck}, {{}, {kAck}}},
        {"CR alone does not end a sentence", {"$PMTK001\r,182*00\r\n"}, {{"$PMTK001\r,182*00\r\n"}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Feed(c.reads), c.expected) << c.name;
}

TEST(SentenceFramer, SentenceArrivingByteByByte)
{
    std::vector<std::string> reads;
    for (char c : kGga)
        reads.emplace_back(1, c);
    const auto cuts = Feed(reads);
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i)
        EXPECT_TRUE(cuts[i].empty()) << i;
    EXPECT_EQ(cuts.back(), std::vector<std::string>{kGga});
}

TEST(SentenceFramer, DropsAnIncompleteRestBeyondItsLimit)
{
    SentenceFramer framer;
    framer.append("$" + std::string(SentenceFramer::kMaxIncompleteRest, 'A'));
    EXPECT_EQ(framer.incompleteRestSize(), 0u);
    framer.append("*00\r\n" + kAck);
    EXPECT_EQ(Drain(framer), std::vector<std::string>{kAck});

    framer.append("$" + std::string(SentenceFramer::kMaxIncompleteRest - 1, 'A'));
    EXPECT_EQ(framer.incompleteRestSize(), SentenceFramer::kMaxIncompleteRest);
}

TEST(SentenceFramer, CompleteSentencesDoNotCountTowardsTheLimit)
{
    std::string manySentences;
    while (manySentences.size() <= 2 * SentenceFramer::kMaxIncompleteRest)
        manySentences += kGga;
    SentenceFramer framer;
    framer.append(manySentences + kAck.substr(0, 5));
    EXPECT_EQ(Drain(framer).size(), manySentences.size() / kGga.size());
    framer.append(kAck.substr(5));
    EXPECT_EQ(Drain(framer), std::vector<std::string>{kAck});
}

TEST(SentenceFramer, DropsSentencesBeyondTheLimitsWhole)
{
    const std::string longest = "$" + std::string(SentenceFramer::kMaxSentenceLength - 6, 'A') + "*00\r\n";
    ASSERT_EQ(longest.size(), SentenceFramer::kMaxSentenceLength);
    const std::string tooLong = "$" + std::string(SentenceFramer::kMaxSentenceLength - 5, 'A') + "*00\r\n";
    const std::string tenThousand = "$" + std::string(9994, 'A') + "*00\r\n";
    std::string fiftyFields = "$PMTK182";
    for (int i = 1; i < 50; ++i)
        fiftyFields += ",1";
    const std::string sixtyFields = fiftyFields + ",1,1,1,1,1,1,1,1,1,1*00\r\n";
    fiftyFields += "*00\r\n";
    const std::string withNul = std::string("$PMTK001,182\0,7,3*20\r\n", 22);

    const struct {
        const char* name;
        std::string sentence;
        bool kept;
    } cases[] = {
        {"4,999 characters", longest, true},       {"5,000 characters", tooLong, false},
        {"10,000 characters", tenThousand, false}, {"50 fields", fiftyFields, true},
        {"60 fields", sixtyFields, false},         {"a NUL inside", withNul, false},
    };
    for (const auto& c : cases) {
        SentenceFramer framer;
        framer.append(c.sentence + kAck);
        std::vector<std::string> expected;
        if (c.kept)
            expected.push_back(c.sentence);
        expected.push_back(kAck);
        EXPECT_EQ(Drain(framer), expected) << c.name;
    }
}

TEST(SentenceFramer, EndlessTextWithoutLineEndsStaysBounded)
{
    SentenceFramer framer;
    const std::string chunk = "$" + std::string(999, 'A');
    for (int i = 0; i < 10000; ++i) {
        framer.append(chunk);
        ASSERT_FALSE(framer.next().has_value());
        ASSERT_LE(framer.incompleteRestSize(), SentenceFramer::kMaxIncompleteRest + chunk.size());
    }
}

TEST(SentenceFramer, NulBytesBetweenSentencesAreNoise)
{
    const std::string nuls(5, '\0');
    EXPECT_EQ(Feed({nuls + kAck + nuls + kZda + nuls}), (Cuts{{kAck, kZda}}));
}

std::vector<std::string> SplitFields(const std::string& text)
{
    IncomingSentence sentence;
    sentence.SentenceFields.fill("stale");
    sentence.SentenceText = text;
    SplitFields(sentence);
    std::vector<std::string> fields(sentence.SentenceFields.begin(), sentence.SentenceFields.end());
    while (!fields.empty() && fields.back().empty())
        fields.pop_back();
    return fields;
}

TEST(SplitFields, FillsTheSlotsFromTheText)
{
    std::string fifty = "$F0";
    std::vector<std::string> fiftyExpected{"F0"};
    for (int i = 1; i < 50; ++i) {
        fifty += "," + std::to_string(i);
        fiftyExpected.push_back(std::to_string(i));
    }
    const struct {
        std::string text;
        std::vector<std::string> fields;
    } cases[] = {
        {kAck, {"PMTK001", "182", "7", "3"}},
        {"$GPGSA,A,3,04,,,*3A\r\n", {"GPGSA", "A", "3", "04"}},
        {"$PMTK001,182,7,3\r\n", {"PMTK001", "182", "7"}}, // last field without '*' is lost
        {"$PMTK414*33\r\n", {"PMTK414"}},
        {"$*00\r\n", {}},
        {"", {}},
        {fifty + "*00\r\n", fiftyExpected},
        {fifty + ",50,51*00\r\n", fiftyExpected}, // more than the slots hold
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitFields(c.text), c.fields) << c.text;
}

TEST(SplitFields, EmptyFieldsKeepTheirPlace)
{
    IncomingSentence sentence;
    sentence.SentenceText = "$GPGGA,,4807.038,,*00\r\n";
    SplitFields(sentence);
    EXPECT_EQ(sentence.field(1), "");
    EXPECT_EQ(sentence.field(2), "4807.038");
    EXPECT_EQ(sentence.field(3), "");
    EXPECT_EQ(sentence.field(4), "");
}
} // namespace
