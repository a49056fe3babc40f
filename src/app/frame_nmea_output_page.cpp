#include "app/frame_nmea_output_page.h"

#include <QCheckBox>
#include <QLabel>

#include <algorithm>

namespace {
const char* const kCaptions[TFrame8::kRows] = {"GGA", "GLL", "GSA", "GSV", "RMC", "VTG", "ZDA"};

int RowTop(int number)
{
    return 104 + 32 * (number - 1);
}

bool IsDigits(const QString& text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}
} // namespace

PeriodSpinEdit::PeriodSpinEdit(QWidget* parent, const QRect& place) : QSpinBox(parent)
{
    setGeometry(place);
    setRange(kMinPeriod, kMaxPeriod);
    setValue(kMinPeriod);
}

int PeriodSpinEdit::period() const
{
    bool readable = false;
    const int typed = text().toInt(&readable);
    return readable ? ClampPeriod(typed) : kMinPeriod;
}

QValidator::State PeriodSpinEdit::validate(QString& text, int&) const
{
    if (text.isEmpty())
        return QValidator::Intermediate;
    if (!IsDigits(text) || text.size() > 9)
        return QValidator::Invalid;
    const int typed = text.toInt();
    return typed >= minimum() && typed <= maximum() ? QValidator::Acceptable : QValidator::Intermediate;
}

void PeriodSpinEdit::fixup(QString& text) const
{
    text = QString::number(ClampPeriod(text.toInt()));
}

TFrame8::TFrame8(QWidget* parent) : PageFrame(parent, SettingsSubPagePlace())
{
    for (NmeaRow row : kNmeaRows) {
        const int number = static_cast<int>(row);
        QCheckBox* box = MakeCheckBox(this, QRect(80, RowTop(number), 97, 21), kCaptions[number - 1]);
        QFont font = box->font();
        font.setBold(true);
        font.setPixelSize(13);
        box->setFont(font);
        box->setTristate(IsFixedPeriodRow(row));
        box->setCheckState(IsFixedPeriodRow(row) ? Qt::PartiallyChecked : Qt::Unchecked);
        checkBoxes_[number - 1] = box;
        auto* spin = new PeriodSpinEdit(this, QRect(248, RowTop(number), 81, 22));
        spin->setEnabled(!IsFixedPeriodRow(row));
        spinEdits_[number - 1] = spin;
    }
    Label1 = MakeLabel(this, QRect(72, 72, 150, 16), "NMEA Sentence", true);
    Label2 = MakeLabel(this, QRect(240, 72, 150, 16), "Period (second)", true);
    SpeedButton1 = new ImageButton(this, QRect(416, 320, 127, 42), "Apply", ButtonLook::Normal);
}

BoxState TFrame8::periodBoxState(NmeaRow row) const
{
    switch (checkBox(static_cast<int>(row))->checkState()) {
    case Qt::Checked:
        return BoxState::Checked;
    case Qt::PartiallyChecked:
        return BoxState::Grayed;
    case Qt::Unchecked:
        break;
    }
    return BoxState::Unchecked;
}

void TFrame8::setPeriodBoxState(NmeaRow row, BoxState state)
{
    const Qt::CheckState states[] = {Qt::Unchecked, Qt::Checked, Qt::PartiallyChecked};
    checkBox(static_cast<int>(row))->setCheckState(states[static_cast<int>(state)]);
}

int TFrame8::periodValue(NmeaRow row) const
{
    return cSpinEdit(static_cast<int>(row))->period();
}

void TFrame8::setPeriodValue(NmeaRow row, int seconds)
{
    cSpinEdit(static_cast<int>(row))->setValue(seconds);
}

void TFrame8::fillNmeaPeriods(const Sentences::NmeaPeriods& periods)
{
    ShowNmeaPeriods(*this, periods);
}
