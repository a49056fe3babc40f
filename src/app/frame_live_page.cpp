#include "app/frame_live_page.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>

namespace {
// Caption and place (of the edit; its caption sits just above) of each labelled edit.
struct EditPlace {
    const char* caption;
    QRect place;
};

constexpr int kRowHeight = 42;
constexpr int kFirstRow = 124;

QRect Quarter(int row, int column)
{
    return QRect(16 + column * 100, kFirstRow + row * kRowHeight, 93, 21);
}

QRect Half(int row, int column)
{
    return QRect(16 + column * 200, kFirstRow + row * kRowHeight, 193, 21);
}

const EditPlace kEditPlaces[TFrame3::kLabeledEdits] = {
    {"Date", Quarter(0, 0)},  {"Time", Quarter(0, 1)},   {"Mode", Quarter(0, 2)},  {"TTFF", Quarter(0, 3)},
    {"Latitude", Half(1, 0)}, {"Longitude", Half(1, 1)}, {"Speed", Quarter(2, 0)}, {"PDOP", Quarter(2, 1)},
    {"VDOP", Quarter(2, 2)},  {"HDOP", Quarter(2, 3)},
};
} // namespace

TFrame3::TFrame3(QWidget* parent) : PageFrame(parent, QRect(16, 168, 760, 392))
{
    Memo1 = new QPlainTextEdit(this);
    Memo1->setGeometry(16, 8, 393, 92);
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    for (int i = 0; i < kLabeledEdits; ++i) {
        const EditPlace& place = kEditPlaces[i];
        captions_[i] = MakeLabel(this, place.place.translated(0, -16).adjusted(0, 0, 0, -5), place.caption, true);
        edits_[i] = new QLineEdit(this);
        edits_[i]->setGeometry(place.place);
        edits_[i]->setReadOnly(true);
        captions_[i]->setBuddy(edits_[i]);
    }

    Label1 = MakeLabel(this, QRect(16, 230, 393, 22), "");
    Label1->setWordWrap(true);
    Label1->setStyleSheet("color: #a00000; font-size: 8pt;");

    Chart2 = new SignalBarChart(this);
    Chart2->setGeometry(16, 254, 393, 122);

    Chart1 = new SkyPlotChart(this);
    Chart1->setGeometry(433, 24, 300, 300);

    const char* captions[] = {"Hot Start", "Warm Start", "Cold Start"};
    ImageButton** clickable[] = {&SpeedButton1, &SpeedButton2, &SpeedButton3};
    ImageButton** twins[] = {&SpeedButton4, &SpeedButton5, &SpeedButton6};
    for (int i = 0; i < 3; ++i)
        MakeButtonPair(this, QRect(432 + 104 * i, 344, 94, 39), captions[i], ButtonLook::Inactive, clickable[i],
                       twins[i]);
}

ButtonPair TFrame3::restartPair(int index) const
{
    const ButtonPair pairs[] = {
        {SpeedButton1, SpeedButton4}, {SpeedButton2, SpeedButton5}, {SpeedButton3, SpeedButton6}};
    return pairs[index];
}

void TFrame3::showLiveView(const std::string& sentenceText, const LiveViewUpdate& update)
{
    if (update.memoCleared)
        Memo1->clear();
    // The memo keeps its own line ends; CR LF would show as an extra break.
    QString text = QString::fromStdString(sentenceText);
    text.remove(QLatin1Char('\r'));
    Memo1->moveCursor(QTextCursor::End);
    Memo1->insertPlainText(text);
    Memo1->verticalScrollBar()->setValue(Memo1->verticalScrollBar()->maximum());

    for (int i = 0; i < kLabeledEdits; ++i)
        edits_[i]->setText(QString::fromStdString(update.labeledEdits[i]));
    if (update.charts) {
        Chart1->setPoints(update.charts->sky);
        Chart2->setBars(update.charts->bars);
    }
}
