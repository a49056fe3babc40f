// The live page's signal chart (Chart2): one bar per satellite in view, its
// value written above it, the left axis fixed from 0 to 100.
#pragma once

#include "link/satellite_charts.h"

#include <QWidget>

#include <vector>

class SignalBarChart : public QWidget {
    Q_OBJECT
public:
    static constexpr double kAxisMaximum = 100;

    explicit SignalBarChart(QWidget* parent);

    void setBars(std::vector<SignalBar> bars);
    const std::vector<SignalBar>& bars() const { return bars_; }
    void setBackgroundColour(const QColor& colour);
    QColor backgroundColour() const { return background_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QRectF plotArea() const;
    void paintAxis(QPainter& painter, const QRectF& plot) const;

    std::vector<SignalBar> bars_;
    QColor background_ = Qt::white;
};
