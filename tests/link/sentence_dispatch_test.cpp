// Routing of incoming sentences in normal and download mode.
#include "link/sentence_dispatch.h"
#include "link/sentences.h"

#include "link/live_replies_support.h"
#include "link/recording_handlers.h"

#include <gtest/gtest.h>

namespace {
using Calls = std::vector<std::string>;

Calls Dispatch(const std::string& text)
{
    RecordingHandlers handlers;
    IncomingSentence sentence;
    sentence.SentenceText = text;
    DispatchSentence(sentence, handlers);
    return handlers.calls;
}

Calls HandleMtk(const std::string& text)
{
    RecordingHandlers handlers;
    IncomingSentence sentence;
    sentence.SentenceText = text;
    SplitFields(sentence);
    HandleMtkSentence(sentence, handlers);
    return handlers.calls;
}

TEST(DispatchSentence, RoutesByKindThenRefreshesTheLiveView)
{
    const struct {
        std::string body;
        Calls calls;
    } cases[] = {
        {"$GPGGA,123519,4807.038,N", {"OnGga GPGGA", "RefreshLiveView GPGGA"}},
        {"$GPGLL,4916.45,N", {"OnGll GPGLL", "RefreshLiveView GPGLL"}},
        {"$GPGSA,A,3,04", {"OnGsa GPGSA", "RefreshLiveView GPGSA"}},
        {"$GPGSV,3,1,11", {"OnGsv GPGSV", "RefreshLiveView GPGSV"}},
        {"$GPRMC,123519,A", {"OnRmc GPRMC", "RefreshLiveView GPRMC"}},
        {"$GNRMC,123519,A", {"OnRmc GNRMC", "RefreshLiveView GNRMC"}},
        {"$GPVTG,054.7,T", {"OnVtg GPVTG", "RefreshLiveView GPVTG"}},
        {"$GPZDA,201530.00,04", {"RefreshLiveView GPZDA"}},
        {"$GPXYZ,1", {"RefreshLiveView GPXYZ"}},
        {"$GP", {"RefreshLiveView GP"}},
        {"$PMTK001,182,7,3", {"HandleAck PMTK001", "RefreshLiveView PMTK001"}},
        {"$PMTK182,3,8,0001F000", {"HandleLoggerReply PMTK182", "RefreshLiveView PMTK182"}},
        {"$PMTK514,0,1,1,1,1,5", {"HandleNmeaPeriods PMTK514", "RefreshLiveView PMTK514"}},
        {"$PMTK705,AXN_1.30", {"HandleModelReply PMTK705", "RefreshLiveView PMTK705"}},
        {"$PMTKABC,1", {"RefreshLiveView PMTKABC"}},
        {"$XMTK182,3", {"RefreshLiveView XMTK182"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Dispatch(Incoming(c.body).SentenceText), c.calls) << c.body;
}

TEST(DispatchSentence, DropsASentenceFailingItsChecksumWithoutTrace)
{
    EXPECT_TRUE(Dispatch("$GPGGA,123519,4807.038,N*00\r\n").empty());
    EXPECT_TRUE(Dispatch("$PMTK001,182,7,3\r\n").empty());
}

TEST(DispatchSentence, AcceptsLowerCaseChecksums)
{
    EXPECT_EQ(Dispatch("$GPGGA,002750.000,5321.6802,N,00630.3372,W,1,08,1.03,61.7,M,55.2,M,,*4f\r\n"),
              (Calls{"OnGga GPGGA", "RefreshLiveView GPGGA"}));
}

TEST(HandleMtkSentence, RoutesByPmtkNumberWithoutChecksumTest)
{
    const struct {
        std::string text;
        Calls calls;
    } cases[] = {
        {"$PMTK001,182,7,3*FF\r\n", {"HandleAck PMTK001"}}, // bad checksum still routed
        {"$PMTK182,8,00000000,FFFF*00\r\n", {"HandleLoggerReply PMTK182"}},
        {"$PMTK514,0,1*00\r\n", {"HandleNmeaPeriods PMTK514"}},
        {"$PMTK705,AXN_1.30,0005*00\r\n", {"HandleModelReply PMTK705"}},
        {"$GPGSV,3,1,11*74\r\n", {}},
        {"$PMTK,1*00\r\n", {}},
        {"$PMTK99999999999,1*00\r\n", {}},
        {"$PMTK002,1*00\r\n", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HandleMtk(c.text), c.calls) << c.text;
}
} // namespace
