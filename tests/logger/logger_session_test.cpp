// A session's waits end as soon as its logger is unplugged or the user
// interrupts, rather than at their time-outs.
#include "logger/logger_session.h"

#include "link/port_failure.h"
#include "link/sentences.h"
#include "testbed/pseudo_terminal.h"

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <thread>

namespace {
using namespace std::chrono_literals;

struct SessionEnd {
    const char* name;
    std::function<void(PseudoTerminal&, LoggerSession&)> trigger;
    bool deviceGone; // else interrupted
};

const SessionEnd kEnds[] = {
    {"Unplugged", [](PseudoTerminal& line, LoggerSession&) { line.closeMaster(); }, true},
    {"Interrupted", [](PseudoTerminal&, LoggerSession& session) { session.interrupt(SIGINT); }, false},
};

// Which way a wait ended: "unplugged", "interrupted", or what else happened.
std::string EndOf(const std::function<void()>& wait)
{
    try {
        wait();
        return "returned";
    } catch (const PortFailure& failure) {
        return failure.deviceGone() ? "unplugged" : failure.what();
    } catch (const SessionInterrupted& interrupted) {
        return interrupted.signal() == SIGINT ? "interrupted" : "another signal";
    }
}

class SessionEndTest : public ::testing::TestWithParam<SessionEnd> {
protected:
    void SetUp() override { ASSERT_TRUE(session.open(line.devicePath(), 115200).succeeded()); }

    // The wait for an answer to the status query, ended from another thread
    // once the query is on the line.
    std::string endWhileAsking()
    {
        std::thread trigger([this] {
            line.receive(Sentences::QueryStatus.size());
            GetParam().trigger(line, session);
        });
        const std::string end = EndOf([&] { session.ask(Sentences::QueryStatus, "3,7", 60s); });
        trigger.join();
        return end;
    }

    PseudoTerminal line; // a logger that never answers
    LoggerSession session;
};

TEST_P(SessionEndTest, EveryWaitEndsAtOnce)
{
    const std::string expected = GetParam().deviceGone ? "unplugged" : "interrupted";
    EXPECT_EQ(endWhileAsking(), expected);
    // Once ended, a session stays ended.
    EXPECT_EQ(EndOf([&] { session.waitUntil([] { return false; }, 60s); }), expected);
    // A pause (an erase dialog's tick) is cut short by the loss, which the tick then sees.
    EXPECT_EQ(EndOf([&] { session.locked([&] { session.pause(60s); }); }),
              GetParam().deviceGone ? "returned" : "interrupted");
}

INSTANTIATE_TEST_SUITE_P(Ends, SessionEndTest, ::testing::ValuesIn(kEnds),
                         [](const auto& info) { return std::string(info.param.name); });
} // namespace
