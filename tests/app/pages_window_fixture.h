// The window with a pipe for a port: what the settings sub-pages send can be
// read back, and "connected" is the port page's state alone.
#pragma once

#include "app/frame_settings_menu.h"
#include "support/window_fixture.h"

#include <QAbstractButton>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

#include <string>

class PagesWindowTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        ASSERT_EQ(pipe2(pipeEnds_, O_NONBLOCK), 0);
        window->link().PortHandle = pipeEnds_[1];
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void TearDown() override
    {
        window->link().PortHandle = DeviceLinkState::kNoPort;
        for (int fd : pipeEnds_)
            close(fd);
    }

    void connectPort() { window->SetConnectButtons(true); }

    std::string wire()
    {
        std::string bytes;
        char chunk[4096];
        ssize_t n;
        while ((n = read(pipeEnds_[0], chunk, sizeof chunk)) > 0)
            bytes.append(chunk, static_cast<std::size_t>(n));
        return bytes;
    }

    // The user's click on a button, as the mouse gives it: near the left
    // end, where a check box's indicator is.
    static void click(QAbstractButton* button)
    {
        ASSERT_TRUE(button->isVisible()) << button->text().toStdString();
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }

    // Opens a sub-page by its menu button: 2 NMEA output .. 5 recording method.
    void openSubPage(int menuButton)
    {
        const ButtonPair pair = window->Frame61->pair(menuButton - 1);
        click(pair.clickable);
    }

    const ShownMessage& onlyMessage() const
    {
        static const ShownMessage none{"<no message>", "", MessageIcon::None};
        return dialogs.messages.size() == 1 ? dialogs.messages.front() : none;
    }

private:
    int pipeEnds_[2] = {-1, -1};
};
