// The window with a pipe for a port: what the settings sub-pages send can be
// read back, and "connected" is the port page's state alone.
#pragma once

#include "app/frame_settings_menu.h"
#include "support/window_fixture.h"
#include "support/wire_tap.h"

#include <QAbstractButton>
#include <QTest>

#include <memory>
#include <string>

class PagesWindowTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        tap_ = std::make_unique<WireTap>(window->link());
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void TearDown() override
    {
        window->link().PortHandle = DeviceLinkState::kNoPort;
        tap_.reset();
    }

    void connectPort() { window->SetConnectButtons(true); }

    std::string wire() { return tap_->take(); }

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
    std::unique_ptr<WireTap> tap_;
};
