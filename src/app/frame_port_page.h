// TFrame7: the port page, where the serial line is opened, closed and scanned.
#pragma once

#include "app/image_button.h"
#include "widgets/page_frame.h"

class QComboBox;
class QLabel;
class QPushButton;

// The filled circle showing the outcome of the last open or close.
class ShapeCircle : public QWidget {
    Q_OBJECT
public:
    ShapeCircle(QWidget* parent, const QRect& place);
    QColor fillColour() const { return fill_; }
    void setFillColour(const QColor& colour);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor fill_ = Qt::white;
};

class TFrame7 : public PageFrame {
    Q_OBJECT
public:
    explicit TFrame7(QWidget* parent);

    ShapeCircle* Shape1;
    QLabel* Label1;            // "Com Port"
    QComboBox* ComboBox1;      // port name
    QPushButton* Button1;      // "Scan"
    QLabel* Label3;            // scan progress
    QLabel* Label2;            // "Baud Rate"
    QComboBox* ComboBox2;      // baud rate
    ImageButton* SpeedButton1; // close, active
    ImageButton* SpeedButton2; // open, active
    ImageButton* SpeedButton3; // close, inactive
    ImageButton* SpeedButton4; // open, inactive
};
