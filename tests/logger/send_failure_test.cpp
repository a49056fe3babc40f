// Every operation that sends, on a port that does not take the write: it
// fails with the port's reason instead of reporting success, and leaves no
// wait behind it.
#include "link/port_failure.h"
#include "link/sentences.h"
#include "logger/log_download.h"
#include "logger/logging_switch.h"
#include "logger/memory_erase.h"
#include "logger/pages_fakes.h"
#include "logger/receiver_restart.h"
#include "support/fake_dialogs.h"
#include "testbed/pseudo_terminal.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <memory>

namespace {
struct Sender {
    DeviceLinkState link;
    FakeDialogs dialogs;
    LoggerStatus status;
    int eraseDialogs = 0;
};

struct SendingOperation {
    const char* name;
    std::function<void(Sender&)> run;
};

const SendingOperation kOperations[] = {
    {"criteria apply",
     [](Sender& s) {
         FakeCriteriaPage page;
         page.checked[LoggingCriterion::Time] = true;
         s.dialogs.yesNoAnswers = {true};
         ApplyLogCriteria(page, true, s.link, s.dialogs);
     }},
    {"NMEA periods apply",
     [](Sender& s) {
         FakeNmeaOutputPage page;
         s.dialogs.yesNoAnswers = {true};
         ApplyNmeaPeriods(page, true, s.link, s.dialogs);
     }},
    {"log format apply",
     [](Sender& s) {
         FakeLogFormatPage page;
         page.checked[1] = true;
         ApplyLogFormat(page, true, s.link, [] { return SettingsResult{}; });
     }},
    {"overwrite method",
     [](Sender& s) {
         FakeMethodPage page;
         ChooseOverwriteMethod(page, s.status, s.link, [] {});
     }},
    {"stop method",
     [](Sender& s) {
         FakeMethodPage page;
         ChooseStopMethod(page, s.status, s.link);
     }},
    {"start logging", [](Sender& s) { SwitchLoggingOn(s.link); }},
    {"stop logging", [](Sender& s) { SwitchLoggingOff(s.link); }},
    {"hot start", [](Sender& s) { HotStart(s.link); }},
    {"warm start", [](Sender& s) { WarmStart(s.link); }},
    {"cold start", [](Sender& s) { ColdStart(s.link); }},
    {"erase",
     [](Sender& s) {
         s.dialogs.yesNoAnswers = {true};
         MemoryErase(s.link, s.dialogs, DialogTimings{}, [&](EraseProgress&) { ++s.eraseDialogs; }).ConfirmErase();
     }},
    {"reset",
     [](Sender& s) {
         MemoryErase(s.link, s.dialogs, DialogTimings{}, [&](EraseProgress&) { ++s.eraseDialogs; }).ResetLogger();
     }},
    {"download",
     [](Sender& s) {
         const auto image = std::filesystem::path(::testing::TempDir()) / "send_failure_data.bin";
         s.link.DownloadEnd = 0x20000;
         s.link.DownloadEndKnown = true;
         LogDownload download(s.link, image.string(), {std::chrono::seconds(2)});
         try {
             download.start(false, true);
         } catch (...) {
             EXPECT_FALSE(s.link.Downloading);
             EXPECT_FALSE(std::filesystem::exists(LogDownload::partPath(image.string())));
             throw;
         }
     }},
};

// A port that refuses every write (a full device), and one whose device has gone.
struct FailingPort {
    const char* name;
    bool deviceGone;
    const char* reason; // what the message says besides the port's name
};

const FailingPort kPorts[] = {
    {"refusing", false, "No space left on device"},
    {"gone", true, "unplugged or switched off"},
};

class SendFailure : public ::testing::TestWithParam<FailingPort> {
protected:
    void SetUp() override
    {
        if (GetParam().deviceGone) {
            line_ = std::make_unique<PseudoTerminal>();
            fd_ = ::open(line_->devicePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
            line_->closeMaster();
        } else {
            fd_ = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
        }
        ASSERT_GE(fd_, 0);
    }
    void TearDown() override { ::close(fd_); }

    std::unique_ptr<PseudoTerminal> line_;
    int fd_ = -1;
};

TEST_P(SendFailure, NoOperationReportsSuccessForACommandThePortDidNotTake)
{
    for (const SendingOperation& operation : kOperations) {
        SCOPED_TRACE(operation.name);
        Sender sender;
        sender.link.PortHandle = fd_;
        sender.link.PortName = "Com7";
        try {
            operation.run(sender);
            ADD_FAILURE() << "no failure";
        } catch (const PortFailure& failure) {
            EXPECT_EQ(failure.deviceGone(), GetParam().deviceGone);
            EXPECT_NE(std::string(failure.what()).find("Com7"), std::string::npos) << failure.what();
            EXPECT_NE(std::string(failure.what()).find(GetParam().reason), std::string::npos) << failure.what();
        }
        EXPECT_TRUE(sender.dialogs.messages.empty()) << sender.dialogs.lastText(); // "Setting updated!" and the like
        EXPECT_EQ(sender.eraseDialogs, 0) << "no wait for an acknowledgement of what was never sent";
        EXPECT_FALSE(sender.link.Erasing);
    }
}

INSTANTIATE_TEST_SUITE_P(Ports, SendFailure, ::testing::ValuesIn(kPorts),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SendSentence, WritesNothingWithoutAPortAndNothingToAPortKnownLost)
{
    DeviceLinkState link;
    EXPECT_NO_THROW(SendSentence(link, Sentences::QueryStatus));
    WireTap tap(link);
    link.PortLost = true;
    EXPECT_THROW(SendSentence(link, Sentences::QueryStatus), PortFailure);
    EXPECT_EQ(tap.take(), "");
}
} // namespace
