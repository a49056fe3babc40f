#include "app/image_button.h"

#include <QLinearGradient>
#include <QPainter>

namespace {
struct LookColours {
    QColor top, bottom, border, text;
};

LookColours ColoursOf(ButtonLook look)
{
    switch (look) {
    case ButtonLook::Selected:
        return {QColor(255, 214, 128), QColor(230, 150, 40), QColor(150, 90, 10), QColor(60, 30, 0)};
    case ButtonLook::Inactive:
        return {QColor(226, 226, 226), QColor(190, 190, 190), QColor(150, 150, 150), QColor(128, 128, 128)};
    case ButtonLook::Normal:
        break;
    }
    return {QColor(110, 160, 220), QColor(30, 80, 160), QColor(20, 50, 110), Qt::white};
}
} // namespace

ImageButton::ImageButton(QWidget* parent, const QRect& place, const QString& caption, ButtonLook look)
    : QAbstractButton(parent), look_(look)
{
    setGeometry(place);
    setText(caption);
    setFocusPolicy(Qt::NoFocus);
    setCursor(look == ButtonLook::Normal ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

QPixmap ImageButton::picture() const
{
    QPixmap pixmap(size());
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const LookColours colours = ColoursOf(look_);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, colours.top);
    gradient.setColorAt(1, colours.bottom);
    painter.setBrush(gradient);
    painter.setPen(QPen(colours.border, 1.5));
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 6, 6);
    QFont font = this->font();
    font.setBold(true);
    font.setPixelSize(qBound(10, height() / 3, 16));
    painter.setFont(font);
    painter.setPen(colours.text);
    painter.drawText(rect().adjusted(4, 2, -4, -2), Qt::AlignCenter | Qt::TextWordWrap, text());
    return pixmap;
}

void ImageButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture());
    if (look_ == ButtonLook::Normal && isDown())
        painter.fillRect(rect(), QColor(0, 0, 0, 40));
}

ButtonPair MakeButtonPair(QWidget* parent, const QRect& place, const QString& caption, ButtonLook twinLook,
                          ImageButton** clickable, ImageButton** twin)
{
    *clickable = new ImageButton(parent, place, caption, ButtonLook::Normal);
    *twin = new ImageButton(parent, place, caption, twinLook);
    return {*clickable, *twin};
}
