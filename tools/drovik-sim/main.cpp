// drovik-sim: a simulated GPS data logger on a pseudo-terminal. See --help.
#include "command_reader.h"
#include "port_link.h"
#include "sim_options.h"
#include "simulator.h"

#include "core/version.h"
#include "testbed/pseudo_terminal.h"

#include <csignal>
#include <functional>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <thread>
#include <unistd.h>

namespace {
LoggerMemory LoadMemory(const SimOptions& options)
{
    if (!options.imagePath.empty())
        return LoggerMemory::fromFile(options.imagePath, options.memorySize);
    SampleImageOptions sample;
    sample.sectorCount =
        options.generatedRecords != 0 ? static_cast<int>(options.memorySize >> 16) : options.generatedSectors;
    sample.recordCount = options.generatedRecords;
    sample.firstPoint = options.firstPoint;
    sample.dialect = options.dialect.value_or(LogDialect::Generic);
    return LoggerMemory::generated(sample, options.memorySize);
}

// Signals are taken by sigwait in main, never by a handler in another thread.
sigset_t BlockSignals()
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGUSR1);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    return signals;
}

// SIGUSR1 pulls the cable: the logger stops and its end of the line closes,
// and the simulator stays until it is told to stop.
void AwaitStop(sigset_t& signals, PseudoTerminal& terminal, const std::function<void()>& stopLogger)
{
    for (bool plugged = true;;) {
        int signal = 0;
        sigwait(&signals, &signal);
        if (plugged)
            stopLogger();
        if (signal != SIGUSR1)
            return;
        plugged = false;
        terminal.closeMaster();
    }
}

int Serve(const SimOptions& options)
{
    sigset_t signals = BlockSignals();
    PseudoTerminal terminal;
    terminal.awaitClients();
    std::optional<PortLink> link;
    if (!options.linkName.empty())
        link.emplace(options.linkName, terminal.devicePath());

    int stopPipe[2];
    if (pipe(stopPipe) != 0)
        throw std::runtime_error("pipe failed");
    Simulator simulator(options, LoadMemory(options), terminal.master(), stopPipe[0]);
    CommandReader reader(terminal.master(), stopPipe[0], options.logPath,
                         [&simulator](std::string sentence) { simulator.deliver(std::move(sentence)); });
    std::thread readerThread([&reader] { reader.run(); });
    std::thread simulatorThread([&simulator] { simulator.run(); });

    std::cout << terminal.devicePath() << std::endl;

    AwaitStop(signals, terminal, [&] {
        simulator.stop();
        if (write(stopPipe[1], "x", 1) != 1)
            std::cerr << "drovik-sim: cannot wake the threads\n";
        readerThread.join();
        simulatorThread.join();
    });
    close(stopPipe[0]);
    close(stopPipe[1]);
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    SimOptions options;
    try {
        options = ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::invalid_argument& error) {
        std::cerr << "drovik-sim: " << error.what() << "\n(see drovik-sim --help)\n";
        return 2;
    }
    if (options.help) {
        std::cout << kSimUsage;
        return 0;
    }
    if (options.version) {
        std::cout << "drovik-sim " << VersionText() << '\n';
        return 0;
    }
    try {
        return Serve(options);
    } catch (const std::exception& error) {
        std::cerr << "drovik-sim: " << error.what() << '\n';
        return 1;
    }
}
