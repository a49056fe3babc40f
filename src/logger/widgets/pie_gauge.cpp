#include "logger/widgets/pie_gauge.h"

#include <QPainter>

#include <algorithm>

PieGauge::PieGauge(QWidget* parent, const QColor& colour) : QWidget(parent), colour_(colour) {}

void PieGauge::setValue(int value)
{
    value = std::clamp(value, 0, 100);
    if (value == value_)
        return;
    value_ = value;
    update();
}

void PieGauge::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour_);
    // Qt counts angles in sixteenths of a degree, counter-clockwise from three o'clock:
    // start at twelve and fill clockwise.
    painter.drawPie(rect().adjusted(1, 1, -1, -1), 90 * 16, -value_ * 360 * 16 / 100);
}
