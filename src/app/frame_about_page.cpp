#include "app/frame_about_page.h"

#include <QLabel>

TFrame5::TFrame5(QWidget* parent) : PageFrame(parent, QRect(16, 168, 760, 392))
{
    auto* title = MakeLabel(this, QRect(40, 60, 680, 60), "Pemblet", true);
    QFont font = title->font();
    font.setPixelSize(40);
    title->setFont(font);
    title->setStyleSheet("color: rgb(30, 80, 160);");
    MakeLabel(this, QRect(40, 130, 680, 40),
              "GPS data logger utility: live view, logger settings, "
              "track download, CSV / KML / NMEA export.");
    Label1 = MakeLabel(this, QRect(504, 304, 240, 21), "Update:  ", true);
    Label2 = MakeLabel(this, QRect(504, 328, 240, 21), "Version:  ", true);
}
