// A page or sub-page of the window: a fixed-size frame at its place with a
// painted background picture.
#pragma once

#include <QColor>
#include <QFrame>
#include <QString>

class QCheckBox;
class QGroupBox;
class QLabel;

class PageFrame : public QFrame {
    Q_OBJECT
public:
    PageFrame(QWidget* parent, const QRect& place, const QColor& tint = QColor(236, 240, 246));

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor tint_;
};

// Small builders shared by the pages, so every control is placed the same way.
QLabel* MakeLabel(QWidget* parent, const QRect& place, const QString& caption, bool bold = false);
QCheckBox* MakeCheckBox(QWidget* parent, const QRect& place, const QString& caption);
QGroupBox* MakeGroupBox(QWidget* parent, const QRect& place, const QString& caption);
// Background colour of a control, as the window's start-up sets it.
void SetControlColour(QWidget* control, const QColor& colour);
