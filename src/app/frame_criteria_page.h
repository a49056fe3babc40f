// TFrame9: the logging-criteria sub-page, three criteria whose edits sit in
// the gaps of their check box captions, a shared slider and the apply button.
#pragma once

#include "app/frame_settings_page.h"
#include "app/image_button.h"
#include "widgets/page_frame.h"
#include "logger/criteria_page.h"

#include <QLineEdit>

#include <functional>

class QScrollBar;

// A borderless number edit with the events the page's handlers need:
// key presses (the handler may drop the key by setting it to 0), entering
// and leaving by a focus change inside the window.
class IntervalEdit : public QLineEdit {
    Q_OBJECT
public:
    IntervalEdit(QWidget* parent, const QRect& place);

    std::function<void(char& key)> OnKeyPress;
    std::function<void()> OnEnter;
    std::function<void()> OnExit;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

class TFrame9 : public PageFrame, public CriteriaView {
    Q_OBJECT
public:
    explicit TFrame9(QWidget* parent);

    QCheckBox *CheckBox1, *CheckBox2, *CheckBox3; // time, distance, speed
    IntervalEdit *Edit1, *Edit2, *Edit3;
    QScrollBar* ScrollBar1;
    QLabel *Label1, *Label2, *Label3;
    ImageButton* SpeedButton1; // apply

    QCheckBox* checkBoxOf(LoggingCriterion criterion) const;
    IntervalEdit* editOf(LoggingCriterion criterion) const;

    bool criterionChecked(LoggingCriterion criterion) const override;
    void setCriterionChecked(LoggingCriterion criterion, bool checked) override;
    std::string intervalText(LoggingCriterion criterion) const override;
    void setIntervalText(LoggingCriterion criterion, const std::string& text) override;
    IntervalSlider slider() const override;
    void setSlider(const IntervalSlider& slider) override;
    // A criterion reply.
    void fillCriterion(LoggingCriterion criterion, int value);
};
