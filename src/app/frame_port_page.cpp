#include "app/frame_port_page.h"

#include "app/frame_settings_page.h"

#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

ShapeCircle::ShapeCircle(QWidget* parent, const QRect& place) : QWidget(parent)
{
    setGeometry(place);
}

void ShapeCircle::setFillColour(const QColor& colour)
{
    fill_ = colour;
    update();
}

void ShapeCircle::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(fill_);
    painter.drawEllipse(QRectF(rect()).adjusted(1, 1, -1, -1));
}

namespace {
QComboBox* MakeEditableCombo(QWidget* parent, const QRect& place, const QStringList& items, const QString& text)
{
    auto* combo = new QComboBox(parent);
    combo->setGeometry(place);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    combo->setCurrentText(text);
    return combo;
}
} // namespace

TFrame7::TFrame7(QWidget* parent) : PageFrame(parent, SettingsSubPagePlace())
{
    Shape1 = new ShapeCircle(this, QRect(104, 88, 65, 65));
    Label1 = MakeLabel(this, QRect(104, 184, 97, 21), "Com Port", true);
    QStringList ports;
    for (int n = 1; n <= 30; ++n)
        ports << QString("Com%1").arg(n);
    ComboBox1 = MakeEditableCombo(this, QRect(248, 184, 145, 21), ports, "Com1");
    Button1 = new QPushButton("Scan", this);
    Button1->setGeometry(400, 184, 40, 21);
    Label3 = MakeLabel(this, QRect(448, 184, 121, 21), "", true);
    Label2 = MakeLabel(this, QRect(104, 216, 97, 21), "Baud Rate", true);
    ComboBox2 = MakeEditableCombo(this, QRect(248, 216, 145, 21), {"4800", "9600", "14400", "19200", "38400", "115200"},
                                  "115200");
    MakeButtonPair(this, QRect(16, 288, 278, 41), "Disconnect", ButtonLook::Inactive, &SpeedButton1, &SpeedButton3);
    MakeButtonPair(this, QRect(296, 288, 278, 41), "Connect", ButtonLook::Inactive, &SpeedButton2, &SpeedButton4);
}
