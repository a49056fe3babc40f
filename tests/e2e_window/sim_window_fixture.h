// The whole window on a drovik-sim line: the simulator linked into a port
// directory the window looks in, and its port opened from the port page.
#pragma once

#include "app/frame_port_page.h"
#include "support/sim_harness.h"
#include "support/window_fixture.h"

#include <QComboBox>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class SimWindowTest : public WindowTest {
protected:
    void TearDown() override
    {
        window.reset();
        sim.reset();
        unsetenv("DROVIK_PORTS");
    }

    // Starts the simulator with these options, linked as `port`.
    void startSim(std::vector<std::string> simArgs, const std::string& port = "Com5")
    {
        simArgs.insert(simArgs.begin(), {"--link", port});
        sim = std::make_unique<simharness::SimProcess>(simArgs);
        setenv("DROVIK_PORTS", sim->portDirectory().c_str(), 1);
    }
    void choosePort(const QString& port, const QString& baud = "115200")
    {
        window->Frame71->ComboBox1->setEditText(port);
        window->Frame71->ComboBox2->setEditText(baud);
    }
    void openPort()
    {
        window->guarded([this] { window->Frame71SpeedButton2Click(); });
    }
    // Starts the simulator and opens its line from the port page.
    void connectSim(const std::vector<std::string>& simArgs)
    {
        startSim(simArgs);
        choosePort("Com5");
        openPort();
        ASSERT_TRUE(window->Connected()) << dialogs.lastText();
    }

    // How many of this process's descriptors are open on the device.
    static int descriptorsOn(const std::string& device)
    {
        int held = 0;
        for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
            std::error_code error;
            const std::string target = std::filesystem::read_symlink(entry.path(), error).string();
            held += !error && target.rfind(device, 0) == 0;
        }
        return held;
    }

    std::unique_ptr<simharness::SimProcess> sim;
};
