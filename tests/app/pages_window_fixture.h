// The window with a pipe for a port: what the settings sub-pages send can be
// read back. The pipe is the window's port, so it counts as connected until
// the test takes the pipe away.
#pragma once

#include "support/window_fixture.h"
#include "support/wire_tap.h"

#include <QTest>

#include <memory>
#include <string>
#include <utility>

class PagesWindowTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        tap_ = std::make_unique<WireTap>(window->link());
        pipe_ = window->link().PortHandle;
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void TearDown() override
    {
        window->link().PortHandle = DeviceLinkState::kNoPort;
        tap_.reset();
    }

    void connectPort() { window->link().PortHandle = pipe_; }
    void disconnectPort() { window->link().PortHandle = DeviceLinkState::kNoPort; }

    std::string wire() { return tap_->take(); }

    const ShownMessage& onlyMessage() const
    {
        static const ShownMessage none{"<no message>", "", MessageIcon::None};
        return dialogs.messages.size() == 1 ? dialogs.messages.front() : none;
    }

private:
    std::unique_ptr<WireTap> tap_;
    SerialPort::Handle pipe_ = DeviceLinkState::kNoPort;
};
