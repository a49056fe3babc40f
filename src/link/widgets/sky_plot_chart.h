// The live page's sky plot (Chart1): satellites as bubbles over a picture of
// the sky, zenith at the centre, north up.
#pragma once

#include "link/satellite_charts.h"

#include <QWidget>

#include <vector>

class SkyPlotChart : public QWidget {
    Q_OBJECT
public:
    explicit SkyPlotChart(QWidget* parent);

    void setPoints(std::vector<SkyPoint> points);
    const std::vector<SkyPoint>& points() const { return points_; }
    // Pixel position of a point in plot units; the plot spans ±150 across the widget.
    QPointF toPixels(double x, double y) const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void paintSky(QPainter& painter) const;
    void paintPoint(QPainter& painter, const SkyPoint& point) const;
    double pixelsPerUnit() const;

    std::vector<SkyPoint> points_;
};
