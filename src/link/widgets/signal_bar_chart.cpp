#include "link/widgets/signal_bar_chart.h"

#include <QPainter>

#include <algorithm>

namespace {
constexpr int kAxisWidth = 26;
constexpr int kLabelHeight = 14;
constexpr int kValueHeight = 12;
} // namespace

SignalBarChart::SignalBarChart(QWidget* parent) : QWidget(parent) {}

void SignalBarChart::setBars(std::vector<SignalBar> bars)
{
    bars_ = std::move(bars);
    update();
}

void SignalBarChart::setBackgroundColour(const QColor& colour)
{
    background_ = colour;
    update();
}

QRectF SignalBarChart::plotArea() const
{
    return QRectF(kAxisWidth, kValueHeight + 2, width() - kAxisWidth - 6, height() - kValueHeight - kLabelHeight - 4);
}

void SignalBarChart::paintAxis(QPainter& painter, const QRectF& plot) const
{
    painter.setPen(QColor(110, 100, 90));
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    for (int value = 0; value <= kAxisMaximum; value += 25) {
        const double y = plot.bottom() - plot.height() * value / kAxisMaximum;
        painter.setPen(QColor(200, 190, 175));
        if (value > 0)
            painter.drawLine(QPointF(plot.left() + 1, y), QPointF(plot.right(), y));
        painter.setPen(QColor(80, 70, 60));
        painter.drawText(QRectF(0, y - 6, kAxisWidth - 3, 12), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(value));
    }
}

void SignalBarChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), background_);
    QFont font = this->font();
    font.setPixelSize(10);
    painter.setFont(font);
    const QRectF plot = plotArea();
    paintAxis(painter, plot);
    if (bars_.empty())
        return;

    const double slot = plot.width() / bars_.size();
    const double barWidth = std::min(slot * 0.7, 24.0);
    for (std::size_t i = 0; i < bars_.size(); ++i) {
        const SignalBar& bar = bars_[i];
        const double value = std::clamp(bar.value, 0.0, kAxisMaximum);
        const double centre = plot.left() + slot * (i + 0.5);
        const double top = plot.bottom() - plot.height() * value / kAxisMaximum;
        const QRectF body(centre - barWidth / 2, top, barWidth, plot.bottom() - top);
        painter.setPen(QColor(60, 60, 60));
        painter.setBrush(QColor(bar.colour.red, bar.colour.green, bar.colour.blue));
        painter.drawRect(body);
        painter.drawText(QRectF(centre - slot / 2, top - kValueHeight - 1, slot, kValueHeight), Qt::AlignCenter,
                         QString::number(bar.value));
        painter.drawText(QRectF(centre - slot / 2, plot.bottom() + 2, slot, kLabelHeight), Qt::AlignCenter,
                         QString::fromStdString(bar.label));
    }
}
