// The window's choices surviving a restart through the settings file.
#include "app/frame_log_page.h"
#include "app/frame_port_page.h"
#include "support/window_fixture.h"

#include <QComboBox>
#include <QSpinBox>

#include <fstream>
#include <sstream>

class SettingsWindowTest : public WindowTest {
protected:
    void writeSettings(const std::string& text) { std::ofstream(settingsPath(), std::ios::binary) << text; }
    std::string readSettings() const
    {
        std::ifstream file(settingsPath(), std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
};

TEST_F(SettingsWindowTest, AFirstRunStartsWithEmptyPortBoxesAndDefaults)
{
    EXPECT_EQ(window->Frame71->ComboBox1->currentText(), "");
    EXPECT_EQ(window->Frame71->ComboBox2->currentText(), "");
    EXPECT_EQ(window->Frame71->ComboBox1->count(), 30); // the list itself is kept
    EXPECT_EQ(window->Frame41->CSpinEdit1->value(), 0);
    EXPECT_EQ(window->Frame41->ComboBox1->currentText(), "km/h");
    // Opening then fails on the empty port text.
    window->guarded([this] { window->OpenPort(); });
    EXPECT_EQ(dialogs.lastText(), "Com Port Error!");
}

TEST_F(SettingsWindowTest, StoredValuesAreReadAndHeldWithinTheControlsLimits)
{
    writeSettings("[Connection]\r\nCom Port=Com35\r\nBaud Rate=57600\r\n"
                  "[String Grid Option]\r\nDay Light Saving Time=-15\r\nSpeed Unit=1\r\nGPS Week Rollover=7\r\n");
    createWindow();
    EXPECT_EQ(window->Frame71->ComboBox1->currentText(), "Com35");
    EXPECT_EQ(window->Frame71->ComboBox2->currentText(), "57600");
    EXPECT_EQ(window->Frame41->CSpinEdit1->value(), -12);
    EXPECT_EQ(window->Frame41->ComboBox1->currentText(), "mph");
    EXPECT_EQ(window->Frame41->CSpinEdit2->value(), 3);

    writeSettings("[String Grid Option]\r\nSpeed Unit=5\r\n");
    createWindow();
    EXPECT_EQ(window->Frame41->ComboBox1->currentIndex(), -1);
}

TEST_F(SettingsWindowTest, ClosingWritesTheTypedPortAndBaudAndKeepsOtherKeys)
{
    writeSettings("[Other]\r\nkept=yes\r\n");
    createWindow();
    window->Frame71->ComboBox1->setEditText("Com35");
    window->Frame71->ComboBox2->setEditText("4800");
    window->close();
    const std::string text = readSettings();
    EXPECT_NE(text.find("kept=yes"), std::string::npos) << text;
    createWindow();
    EXPECT_EQ(window->Frame71->ComboBox1->currentText(), "Com35");
    EXPECT_EQ(window->Frame71->ComboBox2->currentText(), "4800");
}

TEST_F(SettingsWindowTest, ACompleteGridUpdateStoresTheGridOptions)
{
    auto& table = window->trackTable();
    table.setCell(0, 0, "INDEX");
    table.setCell(1, 0, "DATE");
    table.setCell(2, 0, "TIME");
    table.setCell(3, 0, "SPEED");
    table.setCell(0, 1, "1");
    table.setCell(1, 1, "2007/12/31");
    table.setCell(2, 1, "23:30:15.250");
    table.setCell(3, 1, "12.345 km/h");
    table.setRowCount(2); // as a decode of one record leaves it
    window->Frame41->CSpinEdit1->setValue(1);
    window->Frame41->ComboBox1->setCurrentIndex(1);
    window->Frame41->CSpinEdit2->setValue(1);
    window->guarded([this] { window->Frame41Button2Click(); });
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.lastText();
    EXPECT_EQ(table.cell(1, 1), "2027/08/17");
    EXPECT_EQ(table.cell(2, 1), "00:30:15.250");
    EXPECT_EQ(table.cell(3, 1), "7.671 mph");
    createWindow();
    EXPECT_EQ(window->Frame41->CSpinEdit1->value(), 1);
    EXPECT_EQ(window->Frame41->ComboBox1->currentText(), "mph");
    EXPECT_EQ(window->Frame41->CSpinEdit2->value(), 1);
}
