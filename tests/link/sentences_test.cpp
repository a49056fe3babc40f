// The outgoing sentence catalogue and the checksum rule both ways.
#include "link/sentences.h"

#include <gtest/gtest.h>

namespace {
struct FixedSentence {
    std::string_view sentence;
    std::string_view body;
};

// Every fixed sentence must be its body completed by the checksum rule.
constexpr FixedSentence kFixedSentences[] = {
    {Sentences::QueryLogFormat, "$PMTK182,2,2*"},
    {Sentences::QueryTimeInterval, "$PMTK182,2,3*"},
    {Sentences::QueryDistanceInterval, "$PMTK182,2,4*"},
    {Sentences::QuerySpeedInterval, "$PMTK182,2,5*"},
    {Sentences::QueryRecordingMethod, "$PMTK182,2,6*"},
    {Sentences::QueryStatus, "$PMTK182,2,7*"},
    {Sentences::QueryMemoryUsed, "$PMTK182,2,8*"},
    {Sentences::QueryFlashId, "$PMTK182,2,9,9F*"},
    {Sentences::QueryRecordCount, "$PMTK182,2,10*"},
    {Sentences::StartLogging, "$PMTK182,4*"},
    {Sentences::StopLogging, "$PMTK182,5*"},
    {Sentences::EraseMemory, "$PMTK182,6,1*"},
    {Sentences::ResetLogger, "$PMTK182,9*"},
    {Sentences::SetOverwriteMode, "$PMTK182,1,6,1*"},
    {Sentences::SetStopMode, "$PMTK182,1,6,2*"},
    {Sentences::QueryNmeaPeriods, "$PMTK414*"},
    {Sentences::HotStart, "$PMTK101*"},
    {Sentences::WarmStart, "$PMTK102*"},
    {Sentences::ColdStart, "$PMTK103*"},
};

TEST(SentenceCatalogue, FixedSentencesCarryTheirChecksum)
{
    for (const auto& fixed : kFixedSentences) {
        EXPECT_EQ(fixed.sentence, AppendChecksum(fixed.body)) << fixed.body;
        EXPECT_TRUE(VerifyChecksum(fixed.sentence)) << fixed.body;
    }
}

TEST(SentenceCatalogue, FormattedSentencesAreBuiltByteForByte)
{
    Sentences::NmeaPeriods periods;
    periods.gll = 2;
    periods.rmc = periods.gga = periods.gsa = periods.gsv = 1;
    periods.vtg = 0;
    periods.zda = 5;
    const struct {
        std::string built;
        std::string_view expected;
    } cases[] = {
        {Sentences::SetTimeInterval(50), "$PMTK182,1,3,50*12\r\n"},
        {Sentences::SetTimeInterval(0), "$PMTK182,1,3,0*27\r\n"},
        {Sentences::SetDistanceInterval(0), "$PMTK182,1,4,0*20\r\n"},
        {Sentences::SetSpeedInterval(1234), "$PMTK182,1,5,1234*15\r\n"},
        {Sentences::SetLogFormat(0x0002003F), "$PMTK182,1,2,0002003F*61\r\n"},
        {Sentences::SetNmeaPeriods(periods), "$PMTK314,2,1,0,1,1,1,0,0,0,0,0,0,0,0,0,0,1,5,0*2E\r\n"},
        {Sentences::FirstMemoryRead(), "$PMTK182,7,00000000,00010000*23\r\n"},
        {Sentences::NextMemoryRead(0x10000), "$PMTK182,7,00010000,10000*12\r\n"},
        {Sentences::NextMemoryRead(0x100000), "$PMTK182,7,00100000,10000*12\r\n"},
        {Sentences::LastSectorProbe(0x200000), "$PMTK182,7,001F0000,2*67\r\n"},
        {Sentences::LastSectorProbe(0x100000), "$PMTK182,7,000F0000,2*66\r\n"},
        {Sentences::LastSectorProbe(0), "$PMTK182,7,FFFF0000,2*10\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.built, c.expected);
}

TEST(Checksum, FollowsTheXorRule)
{
    const struct {
        std::string_view text;
        int checksum;
    } cases[] = {
        {"$PMTK182,2,10*", 0x0A},    {"$PMTK182,2,10*FF\r\n", 0x0A}, // stops at '*'
        {"$PMTK$182,2,10*", 0x0A},                                   // every '$' is left out
        {"PMTK182,2,10*", 0x0A},     {"$*", 0},
        {"$\xA2\x58*", 0xA2 ^ 0x58}, // 8-bit text
    };
    for (const auto& c : cases)
        EXPECT_EQ(NmeaChecksum(c.text), c.checksum) << c.text;
}

TEST(Checksum, KeepsTheLeadingZero)
{
    EXPECT_EQ(AppendChecksum("$PMTK182,2,10*"), "$PMTK182,2,10*0A\r\n");
}

TEST(Checksum, VerifiesIncomingSentences)
{
    const struct {
        std::string_view sentence;
        bool passes;
    } cases[] = {
        {"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n", true},
        {"$GNRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*74\r\n", true},
        {"$PMTK182,2,10*0a\r\n", true}, // lower case
        {"$PMTK182,2,10*A\r\n", true},  // one digit holds the value
        {"$PMTK182,2,10*0A", true},     // nothing needed after the digits
        {"$PMTK182,2,10*0B\r\n", false},
        {"$PMTK182,2,10*\r\n", false}, // no digits
        {"$PMTK182,2,10*G0\r\n", false},
        {"$PMTK182,2,10*00A\r\n", false}, // only two digits are read
        {"$PMTK182,2,10\r\n", false},     // no '*'
        {"$PMTK182,2,11*0A\r\n", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VerifyChecksum(c.sentence), c.passes) << c.sentence;
}
} // namespace
