// The whole window on a drovik-sim line: the port opened from the port page,
// the receive thread handing replies over, and the simulator's log and state
// to check what reached the logger.
#pragma once

#include "app/frame_port_page.h"
#include "app/frame_settings_menu.h"
#include "app/main_window.h"
#include "support/fake_dialogs.h"
#include "support/sim_harness.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>

class PagesSimTest : public ::testing::Test {
protected:
    // Starts the simulator with these settings and opens its line in the window.
    void connectToSim(std::vector<std::string> simArgs)
    {
        simArgs.insert(simArgs.end(), {"--link", "Com7", "--no-nmea", "--erase-delay", "200"});
        sim = std::make_unique<simharness::SimProcess>(simArgs);
        setenv("DROVIK_PORTS", sim->portDirectory().c_str(), 1);
        window = std::make_unique<TForm1>(dialogs, (folder.path() + "/Drovik.ini").toStdString());
        window->show();
        window->Frame71->ComboBox1->setCurrentText("Com7");
        window->Frame71->ComboBox2->setCurrentText("115200");
        window->OpenPort();
        ASSERT_TRUE(window->Connected()) << dialogs.lastText();
        window->Frame11SpeedButton1Click(); // back to the settings page
        ASSERT_TRUE(sim->waitForLine("$PMTK182,2,9,9F*61"));
    }

    void TearDown() override
    {
        window.reset();
        sim.reset();
        unsetenv("DROVIK_PORTS");
    }

    // Serves the window's events (and so the receive thread's hand-overs)
    // until the condition holds.
    static bool waitUntil(const std::function<bool()>& done,
                          std::chrono::milliseconds timeout = std::chrono::seconds(5))
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!done()) {
            if (std::chrono::steady_clock::now() >= deadline)
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            QTest::qSleep(5);
        }
        return true;
    }

    // Lines the simulator received from now on.
    std::size_t mark() const { return sim->receivedLines().size(); }
    std::vector<std::string> receivedSince(std::size_t from, std::size_t count) const
    {
        sim->waitForLineCount(from + count);
        const std::vector<std::string> lines = sim->receivedLines();
        return {lines.begin() + static_cast<long>(std::min(from, lines.size())), lines.end()};
    }

    // Opens a sub-page by its menu button (2 NMEA output .. 5 recording
    // method), by way of the port page when it is open already.
    void openSubPage(int menuButton)
    {
        QAbstractButton* button = window->Frame61->pair(menuButton - 1).clickable;
        if (!button->isVisible())
            click(window->Frame61->pair(0).clickable);
        click(button);
    }

    static void click(QAbstractButton* button)
    {
        ASSERT_TRUE(button->isVisible());
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }

    QTemporaryDir folder;
    FakeDialogs dialogs;
    std::unique_ptr<simharness::SimProcess> sim;
    std::unique_ptr<TForm1> window;
};
