#include "widgets/page_frame.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>

PageFrame::PageFrame(QWidget* parent, const QRect& place, const QColor& tint) : QFrame(parent), tint_(tint)
{
    setGeometry(place);
}

void PageFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, tint_.lighter(106));
    gradient.setColorAt(1, tint_.darker(104));
    painter.fillRect(rect(), gradient);
}

QLabel* MakeLabel(QWidget* parent, const QRect& place, const QString& caption, bool bold)
{
    auto* label = new QLabel(caption, parent);
    label->setGeometry(place);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

QCheckBox* MakeCheckBox(QWidget* parent, const QRect& place, const QString& caption)
{
    auto* box = new QCheckBox(caption, parent);
    box->setGeometry(place);
    return box;
}

QGroupBox* MakeGroupBox(QWidget* parent, const QRect& place, const QString& caption)
{
    auto* group = new QGroupBox(caption, parent);
    group->setGeometry(place);
    return group;
}

void SetControlColour(QWidget* control, const QColor& colour)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Button, colour);
    control->setPalette(palette);
    control->setAutoFillBackground(true);
}
