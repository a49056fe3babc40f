// A main window built offscreen with scripted dialogs and its own settings file.
#pragma once

#include "app/frame_settings_menu.h"
#include "support/fake_dialogs.h"
#include "support/window_under_test.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { createWindow(); }

    void createWindow()
    {
        window.reset();
        window = std::make_unique<WindowUnderTest>(dialogs, settingsPath());
        window->show();
    }

    std::string settingsPath() const { return (folder.path() + "/Drovik.ini").toStdString(); }

    // The widget a click at a point of the window's client area lands on.
    QWidget* widgetAt(QPoint clientPoint) const { return window->childAt(clientPoint); }

    // Clicks at a point of the client area, as the user would.
    void clickAt(QPoint clientPoint)
    {
        QWidget* target = widgetAt(clientPoint);
        ASSERT_NE(target, nullptr) << "nothing at " << clientPoint.x() << "," << clientPoint.y();
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(window.get(), clientPoint));
    }

    // The user's click on a button, as the mouse gives it: near the left
    // end, where a check box's indicator is.
    static void click(QAbstractButton* button)
    {
        ASSERT_TRUE(button->isVisible()) << button->text().toStdString();
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }

    // Opens a sub-page by its menu button (2 NMEA output .. 5 recording
    // method), by way of the port page when the menu is not showing.
    void openSubPage(int menuButton)
    {
        QAbstractButton* button = window->Frame61->pair(menuButton - 1).clickable;
        if (!button->isVisible())
            click(window->Frame61->pair(0).clickable);
        click(button);
    }

    QTemporaryDir folder;
    FakeDialogs dialogs;
    std::unique_ptr<WindowUnderTest> window;
};
