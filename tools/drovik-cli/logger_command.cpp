#include "logger_command.h"

#include "cli_texts.h"
#include "result_report.h"
#include "subcommand.h"

#include "core/app_error.h"
#include "link/memory_use.h"
#include "link/sentences.h"
#include "logger/dialog_timings.h"
#include "logger/memory_erase.h"

#include <chrono>

namespace {
using namespace std::chrono_literals;

constexpr auto kAnswerTimeout = 5s;
} // namespace

LoggerCommand::LoggerCommand(const std::string& name, const PortOptions& port)
    : name_(name), port_(port.port), session_(&pages_)
{
    dialogs_.setContext(name);
    if (const PortOpenResult opened = session_.open(port.port, port.baud); !opened.succeeded())
        throw LoggerFailure(CliText::PortOpenFailure(opened));
}

void LoggerCommand::ask(std::string_view query, const std::string& replyKind)
{
    if (!session_.ask(query, replyKind, kAnswerTimeout))
        throw LoggerFailure("the logger on " + port_ + " does not answer");
}

void LoggerCommand::readLogPage()
{
    ask(Sentences::QueryStatus, "3,7");
    ask(Sentences::QueryFlashId, "3,9");
    const auto [use, memorySize] = session_.locked([&] {
        return std::pair(MemoryInUse(MemoryRepliesOf(session_.link(), session_.status())), session_.link().MemorySize);
    });
    if (use.probeLastSector)
        ask(Sentences::LastSectorProbe(memorySize), "8");
    ask(Sentences::QueryMemoryUsed, "3,8");
    ask(Sentences::QueryRecordCount, "3,10");
}

void LoggerCommand::openPage(const std::function<void()>& request, const std::function<bool()>& answered)
{
    const auto deadline = std::chrono::steady_clock::now() + kAnswerTimeout;
    while (std::chrono::steady_clock::now() < deadline) {
        session_.locked(request);
        if (session_.waitUntil(answered, 1s))
            return;
    }
    throw LoggerFailure("the logger on " + port_ + " does not answer");
}

void LoggerCommand::openCriteriaPage()
{
    DeviceLinkState& link = session_.link();
    openPage(
        [&] { RequestLogCriteria(pages_, link); },
        [&] { return !link.TimeIntervalRequested && !link.DistanceIntervalRequested && !link.SpeedIntervalRequested; });
}

void LoggerCommand::openLogFormatPage()
{
    DeviceLinkState& link = session_.link();
    openPage([&] { RequestLogFormat(link); }, [&] { return !link.LogFormatRequested; });
}

void LoggerCommand::openMethodPage()
{
    DeviceLinkState& link = session_.link();
    openPage([&] { RequestRecordingMethod(link); }, [&] { return !link.MethodRequested; });
}

void LoggerCommand::openNmeaOutputPage()
{
    DeviceLinkState& link = session_.link();
    openPage([&] { RequestNmeaPeriods(link); }, [&] { return !link.NmeaPeriodsRequested; });
}

bool LoggerCommand::run(const std::function<void()>& operation)
{
    try {
        session_.locked([&] {
            operation();
            session_.throwIfEnded();
        });
    } catch (const AppError& error) { // the window's default error report
        dialogs_.errorReport(error.what());
        return false;
    }
    return true;
}

bool LoggerCommand::apply(const std::function<SettingsResult()>& operation)
{
    bool applied = false;
    // Told before a port lost meanwhile, as the window tells it.
    return run([&] { applied = ReportSettingsResult(operation(), name_); }) && applied;
}

SettingsResult LoggerCommand::ConfirmErase()
{
    const DialogTimings timings;
    MemoryErase erase(session_.link(), dialogs_, timings, [&](EraseProgress& progress) {
        while (!progress.ended()) {
            session_.pause(timings.eraseTick);
            progress.Timer1Timer();
        }
    });
    return erase.ConfirmErase();
}

int RunLoggerCommand(const std::string& name, const std::function<int()>& command, const std::string& interruptedState)
{
    try {
        return command();
    } catch (const SessionInterrupted& interrupted) {
        PrintError(name + ": " + InterruptedText(interruptedState));
        return 128 + interrupted.signal();
    } catch (const std::invalid_argument& error) {
        PrintError(name + ": " + error.what() + "; see drovik-cli " + name + " --help");
        return kExitUsage;
    } catch (const std::runtime_error& error) { // LoggerFailure, AppError
        PrintError(name + ": " + error.what());
        return kExitFailure;
    }
}

bool ParsePortAndFlag(const std::vector<std::string>& args, PortOptions& port, const std::string& flag)
{
    return ParsePortAndFlag(args, port, flag, [](const std::string&, const std::string&) { return false; });
}

bool ParsePortAndFlag(const std::vector<std::string>& args, PortOptions& port, const std::string& flag,
                      const std::function<bool(const std::string& option, const std::string& value)>& take)
{
    bool given = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (!flag.empty() && option == flag) {
            given = true;
            continue;
        }
        if (option.rfind("--", 0) != 0)
            throw std::invalid_argument("unexpected argument " + option);
        if (i + 1 == args.size())
            throw std::invalid_argument("missing value for " + option);
        const std::string& value = args[++i];
        if (!ParsePortOption(option, value, port) && !take(option, value))
            throw std::invalid_argument("unknown option " + option);
    }
    RequirePort(port);
    return given;
}
