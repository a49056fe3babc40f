// TForm1: the choices kept in the settings file between runs.
#include "app/main_window.h"

#include "app/frame_log_page.h"
#include "app/frame_port_page.h"
#include "app/settings_file.h"

#include <QComboBox>
#include <QSpinBox>

void TForm1::LoadSettings()
{
    const StoredSettings settings = ReadSettingsFile(settingsPath_);
    Frame71->ComboBox1->setEditText(QString::fromStdString(settings.comPort));
    Frame71->ComboBox2->setEditText(QString::fromStdString(settings.baudRate));
    // The spin edits hold the values within their limits.
    Frame41->CSpinEdit1->setValue(settings.timeShiftHours);
    Frame41->CSpinEdit2->setValue(settings.weekRollovers);
    // An index outside the list leaves no unit selected.
    const bool known = settings.speedUnitIndex >= 0 && settings.speedUnitIndex < Frame41->ComboBox1->count();
    Frame41->ComboBox1->setCurrentIndex(known ? settings.speedUnitIndex : -1);
}

void TForm1::SaveConnectionSettings()
{
    WriteConnectionSettings(settingsPath_, Frame71->ComboBox1->currentText().toStdString(),
                            Frame71->ComboBox2->currentText().toStdString());
}
