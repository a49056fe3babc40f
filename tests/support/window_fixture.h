// A main window built offscreen with scripted dialogs and its own settings file.
#pragma once

#include "app/main_window.h"
#include "support/fake_dialogs.h"

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
        window = std::make_unique<TForm1>(dialogs, settingsPath());
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

    QTemporaryDir folder;
    FakeDialogs dialogs;
    std::unique_ptr<TForm1> window;
};
