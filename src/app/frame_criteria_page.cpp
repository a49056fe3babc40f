#include "app/frame_criteria_page.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <QSignalBlocker>

namespace {
constexpr int kMaxIntervalDigits = 6;

// Focus moving to another window (a message box) is no leaving of the edit.
bool IsFocusChangeInsideWindow(const QFocusEvent* event)
{
    return event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
}

QCheckBox* MakeCriterionBox(QWidget* parent, int top, const QString& caption)
{
    QCheckBox* box = MakeCheckBox(parent, QRect(64, top, 289, 21), caption);
    QFont font = box->font();
    font.setBold(true);
    font.setPixelSize(13);
    box->setFont(font);
    return box;
}
} // namespace

IntervalEdit::IntervalEdit(QWidget* parent, const QRect& place) : QLineEdit(parent)
{
    setGeometry(place);
    setFrame(false);
    setMaxLength(kMaxIntervalDigits);
    setTextMargins(0, 0, 0, 0);
    // Pasting would bypass the key filter.
    setContextMenuPolicy(Qt::NoContextMenu);
}

void IntervalEdit::keyPressEvent(QKeyEvent* event)
{
    // Keys without text (arrows, Delete) and the focus keys edit as usual;
    // every typed character, control characters included, meets the filter.
    const QString text = event->text();
    const bool focusKey = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (text.isEmpty() || focusKey || !OnKeyPress) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const char16_t typed = text.at(0).unicode();
    char key = text.size() == 1 && typed < 128 ? static_cast<char>(typed) : 0;
    OnKeyPress(key);
    if (key != 0)
        QLineEdit::keyPressEvent(event);
}

void IntervalEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (OnEnter && IsFocusChangeInsideWindow(event))
        OnEnter();
}

void IntervalEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (OnExit && IsFocusChangeInsideWindow(event))
        OnExit();
}

TFrame9::TFrame9(QWidget* parent) : PageFrame(parent, SettingsSubPagePlace())
{
    CheckBox1 = MakeCriterionBox(this, 72, "Log every                second(s)");
    CheckBox2 = MakeCriterionBox(this, 112, "Log every                meter(s)");
    CheckBox3 = MakeCriterionBox(this, 152, "Log over                  km/h");
    Edit1 = new IntervalEdit(this, QRect(160, 76, 49, 14));
    Edit2 = new IntervalEdit(this, QRect(160, 116, 49, 14));
    Edit3 = new IntervalEdit(this, QRect(160, 156, 49, 14));
    ScrollBar1 = new QScrollBar(Qt::Horizontal, this);
    ScrollBar1->resize(153, 16);
    ScrollBar1->setFocusPolicy(Qt::NoFocus);
    ScrollBar1->hide();
    Label1 = MakeLabel(this, QRect(56, 280, 300, 16), "1 <= Time Interval <= 999");
    Label2 = MakeLabel(this, QRect(56, 312, 300, 16), "10 <= Distance Interval <= 9999");
    Label3 = MakeLabel(this, QRect(56, 344, 300, 16), "10 <= Speed Interval <= 999");
    SpeedButton1 = new ImageButton(this, QRect(376, 176, 190, 27), "Apply", ButtonLook::Normal);
}

QCheckBox* TFrame9::checkBoxOf(LoggingCriterion criterion) const
{
    QCheckBox* const boxes[] = {CheckBox1, CheckBox2, CheckBox3};
    return boxes[static_cast<int>(criterion)];
}

IntervalEdit* TFrame9::editOf(LoggingCriterion criterion) const
{
    IntervalEdit* const edits[] = {Edit1, Edit2, Edit3};
    return edits[static_cast<int>(criterion)];
}

bool TFrame9::criterionChecked(LoggingCriterion criterion) const
{
    return checkBoxOf(criterion)->isChecked();
}

void TFrame9::setCriterionChecked(LoggingCriterion criterion, bool checked)
{
    checkBoxOf(criterion)->setChecked(checked);
}

std::string TFrame9::intervalText(LoggingCriterion criterion) const
{
    return editOf(criterion)->text().toStdString();
}

void TFrame9::setIntervalText(LoggingCriterion criterion, const std::string& text)
{
    editOf(criterion)->setText(QString::fromStdString(text));
}

IntervalSlider TFrame9::slider() const
{
    return {ScrollBar1->y(), ScrollBar1->minimum(), ScrollBar1->maximum(), ScrollBar1->value(),
            ScrollBar1->isVisibleTo(this)};
}

void TFrame9::setSlider(const IntervalSlider& slider)
{
    const QSignalBlocker quiet(ScrollBar1);
    ScrollBar1->move(kSliderLeft, slider.top);
    ScrollBar1->setRange(slider.minimum, slider.maximum);
    ScrollBar1->setValue(slider.position);
    ScrollBar1->setVisible(slider.visible);
}

void TFrame9::fillCriterion(LoggingCriterion criterion, int value)
{
    ShowIntervalCriterion(*this, criterion, value);
}
