#include "link/widgets/sky_plot_chart.h"

#include <QPainter>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace {
QColor ToQColor(const ChartColour& colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}

// Horizon distance of a circle of equal elevation.
double RingRadius(double elevationDegrees)
{
    return std::cos(elevationDegrees * std::numbers::pi / 180) * SatelliteCharts::kHorizon;
}
} // namespace

SkyPlotChart::SkyPlotChart(QWidget* parent) : QWidget(parent) {}

void SkyPlotChart::setPoints(std::vector<SkyPoint> points)
{
    points_ = std::move(points);
    update();
}

double SkyPlotChart::pixelsPerUnit() const
{
    return std::min(width(), height()) / (2 * SatelliteCharts::kExtent);
}

QPointF SkyPlotChart::toPixels(double x, double y) const
{
    const double scale = pixelsPerUnit();
    return {width() / 2.0 + x * scale, height() / 2.0 - y * scale};
}

void SkyPlotChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    paintSky(painter);
    for (const auto& point : points_)
        paintPoint(painter, point);
}

void SkyPlotChart::paintSky(QPainter& painter) const
{
    painter.fillRect(rect(), QColor(18, 32, 64));
    const QPointF centre = toPixels(0, 0);
    const double horizon = SatelliteCharts::kHorizon * pixelsPerUnit();
    QRadialGradient sky(centre, horizon);
    sky.setColorAt(0, QColor(110, 170, 235));
    sky.setColorAt(1, QColor(36, 82, 150));
    painter.setBrush(sky);
    painter.setPen(QPen(QColor(200, 220, 245), 1.5));
    painter.drawEllipse(centre, horizon, horizon);

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(200, 220, 245, 150), 1, Qt::DashLine));
    for (double elevation : {30.0, 60.0}) {
        const double r = RingRadius(elevation) * pixelsPerUnit();
        painter.drawEllipse(centre, r, r);
    }
    painter.drawLine(toPixels(-SatelliteCharts::kHorizon, 0), toPixels(SatelliteCharts::kHorizon, 0));
    painter.drawLine(toPixels(0, -SatelliteCharts::kHorizon), toPixels(0, SatelliteCharts::kHorizon));

    QFont font("Arial");
    font.setPixelSize(12);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(230, 238, 250));
    const double edge = SatelliteCharts::kHorizon + 12;
    const std::pair<const char*, QPointF> compass[] = {
        {"N", toPixels(0, edge)}, {"E", toPixels(edge, 0)}, {"S", toPixels(0, -edge)}, {"W", toPixels(-edge, 0)}};
    for (const auto& [letter, place] : compass)
        painter.drawText(QRectF(place.x() - 10, place.y() - 10, 20, 20), Qt::AlignCenter, letter);
}

void SkyPlotChart::paintPoint(QPainter& painter, const SkyPoint& point) const
{
    const QPointF centre = toPixels(point.x, point.y);
    const double radius = point.radius * pixelsPerUnit();
    painter.setBrush(ToQColor(point.colour));
    painter.setPen(QPen(QColor(0, 0, 0, 90), 1));
    painter.drawEllipse(centre, radius, radius);
    if (point.label.empty())
        return;
    QFont font("Arial");
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    const QRectF box(centre.x() - radius - 4, centre.y() - radius, 2 * radius + 8, 2 * radius);
    painter.drawText(box, Qt::AlignCenter, QString::fromStdString(point.label));
}
