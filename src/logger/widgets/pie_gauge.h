// A gauge drawn as a filling pie: no text, no border.
#pragma once

#include <QColor>
#include <QWidget>

class PieGauge : public QWidget {
    Q_OBJECT
public:
    PieGauge(QWidget* parent, const QColor& colour);

    int value() const { return value_; }
    void setValue(int value); // 0 .. 100

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor colour_;
    int value_ = 0;
};
