// Image buttons and their twins. Every clickable image button has an inert
// twin at the same place showing the selected or inactive look; state
// operations show exactly one member of a pair.
#pragma once

#include <QAbstractButton>
#include <QString>

enum class ButtonLook { Normal, Selected, Inactive };

class ImageButton : public QAbstractButton {
    Q_OBJECT
public:
    ImageButton(QWidget* parent, const QRect& place, const QString& caption, ButtonLook look);
    ButtonLook look() const { return look_; }
    // The picture of the button, painted from its caption and look.
    QPixmap picture() const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    ButtonLook look_;
};

struct ButtonPair {
    ImageButton* clickable = nullptr;
    ImageButton* twin = nullptr;

    void setActive(bool active) const
    {
        clickable->setVisible(active);
        twin->setVisible(!active);
    }
    bool isActive() const { return clickable->isVisibleTo(clickable->parentWidget()); }
};

// A clickable button and its inert twin of the given look, at the same place.
ButtonPair MakeButtonPair(QWidget* parent, const QRect& place, const QString& caption, ButtonLook twinLook,
                          ImageButton** clickable, ImageButton** twin);
