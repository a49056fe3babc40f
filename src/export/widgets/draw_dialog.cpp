#include "export/widgets/draw_dialog.h"

#include "core/text_scan.h"

#include <QColorDialog>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>

namespace {
constexpr int kColourRole = Qt::UserRole;

QColor ColourOfWord(std::uint32_t word)
{
    return QColor(word & 0xFF, (word >> 8) & 0xFF, (word >> 16) & 0xFF);
}

std::uint32_t WordOfColour(const QColor& colour)
{
    return static_cast<std::uint32_t>(colour.red()) | static_cast<std::uint32_t>(colour.green()) << 8 |
           static_cast<std::uint32_t>(colour.blue()) << 16;
}

QIcon Swatch(std::uint32_t word)
{
    QPixmap pixmap(16, 12);
    pixmap.fill(ColourOfWord(word));
    return QIcon(pixmap);
}

template <typename Widget>
Widget* Place(QWidget* parent, int left, int top, int width, int height)
{
    auto* widget = new Widget(parent);
    widget->setGeometry(left, top, width, height);
    return widget;
}

QLabel* PlaceLabel(QWidget* parent, const char* text, int left, int top)
{
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->move(left, top);
    return label;
}

std::optional<std::uint32_t> PlatformColourChooser(QWidget* parent, std::uint32_t current)
{
    const QColor chosen = QColorDialog::getColor(ColourOfWord(current), parent);
    if (!chosen.isValid())
        return std::nullopt;
    return WordOfColour(chosen);
}
} // namespace

TForm3::TForm3(int dataRowCount, QWidget* parent) : QDialog(parent), range_(dataRowCount)
{
    setWindowTitle("Option");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(225, 249);
    move(520, 295);

    auto* panel = Place<QWidget>(this, 0, 0, 225, 249);
    QFont font(QStringLiteral("Sans Serif"), 8);
    font.setBold(true);
    panel->setFont(font);

    GroupBox1 = Place<QGroupBox>(panel, 8, 8, 209, 81);
    GroupBox1->setTitle("Point Rule");
    Label1 = PlaceLabel(GroupBox1, "Index starts from", 16, 24);
    CSpinEdit1 = Place<QSpinBox>(GroupBox1, 120, 24, 73, 22);
    Label2 = PlaceLabel(GroupBox1, "Index ends to ", 16, 48);
    CSpinEdit2 = Place<QSpinBox>(GroupBox1, 120, 48, 73, 22);

    GroupBox2 = Place<QGroupBox>(panel, 8, 96, 209, 105);
    GroupBox2->setTitle("Line Style");
    Label3 = PlaceLabel(GroupBox2, "Color: ", 16, 24);
    ColorBox1 = Place<QComboBox>(GroupBox2, 72, 24, 121, 22);
    Label4 = PlaceLabel(GroupBox2, "Width:                         pixels", 16, 48);
    Edit1 = Place<QLineEdit>(GroupBox2, 72, 48, 73, 21);
    Edit1->setReadOnly(true);
    CSpinButton1 = Place<QWidget>(GroupBox2, 128, 50, 15, 18);
    CSpinButton1Up = Place<QToolButton>(CSpinButton1, 0, 0, 15, 9);
    CSpinButton1Up->setArrowType(Qt::UpArrow);
    CSpinButton1Down = Place<QToolButton>(CSpinButton1, 0, 9, 15, 9);
    CSpinButton1Down->setArrowType(Qt::DownArrow);
    Label5 = PlaceLabel(GroupBox2, "Opacity:                      %", 16, 72);
    CSpinEdit3 = Place<QSpinBox>(GroupBox2, 72, 72, 73, 22);

    Button1 = Place<QPushButton>(panel, 24, 208, 75, 33);
    Button1->setText("Run");
    Button2 = Place<QPushButton>(panel, 120, 208, 75, 33);
    Button2->setText("Exit");
    for (QPushButton* button : {Button1, Button2}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    for (const NamedColour& colour : kLineColours)
        ColorBox1->addItem(Swatch(colour.word), colour.name, colour.word);
    customIndex_ = ColorBox1->count();
    ColorBox1->addItem(Swatch(0), "Custom...", 0u);

    chooseCustomColour = [this](std::uint32_t current) { return PlatformColourChooser(this, current); };
    FormCreate();

    connect(CSpinEdit1, &QSpinBox::valueChanged, this, &TForm3::CSpinEdit1Change);
    connect(CSpinEdit2, &QSpinBox::valueChanged, this, &TForm3::CSpinEdit2Change);
    connect(CSpinButton1Up, &QToolButton::clicked, this, &TForm3::CSpinButton1UpClick);
    connect(CSpinButton1Down, &QToolButton::clicked, this, &TForm3::CSpinButton1DownClick);
    connect(ColorBox1, &QComboBox::activated, this, &TForm3::colorBox1Activated);
    connect(Button1, &QPushButton::clicked, this, [this] { done(kRunResult); });
    connect(Button2, &QPushButton::clicked, this, [this] { done(kExitResult); });
}

void TForm3::FormCreate()
{
    for (QSpinBox* box : {CSpinEdit1, CSpinEdit2})
        box->setRange(1, range_.maximum());
    showRange();
    ColorBox1->setCurrentIndex(0);
    Edit1->setText("1.0");
    CSpinEdit3->setRange(kMinOpacity, kMaxOpacity);
    CSpinEdit3->setValue(kMaxOpacity);
}

std::optional<DrawOptions> TForm3::ask(int dataRowCount, QWidget* parent)
{
    TForm3 form(dataRowCount, parent);
    if (form.exec() != kRunResult)
        return std::nullopt;
    return form.options();
}

DrawOptions TForm3::options() const
{
    DrawOptions options;
    options.lineWidth = LeadingDecimal(Edit1->text().toStdString());
    options.colourWord =
        ColorBox1->currentIndex() < 0 ? kNoColourSelected : ColorBox1->currentData(kColourRole).toUInt();
    options.indexStart = CSpinEdit1->value();
    options.indexEnd = CSpinEdit2->value();
    options.opacity = CSpinEdit3->value();
    return options;
}

void TForm3::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TForm3::showRange()
{
    const QSignalBlocker blockStart(CSpinEdit1);
    const QSignalBlocker blockEnd(CSpinEdit2);
    CSpinEdit1->setValue(range_.start());
    CSpinEdit2->setValue(range_.end());
}

void TForm3::CSpinEdit1Change(int value)
{
    range_.setStart(value);
    showRange();
}

void TForm3::CSpinEdit2Change(int value)
{
    range_.setEnd(value);
    showRange();
}

void TForm3::CSpinButton1UpClick()
{
    Edit1->setText(QString::fromStdString(LineWidthUp(Edit1->text().toStdString())));
}

void TForm3::CSpinButton1DownClick()
{
    Edit1->setText(QString::fromStdString(LineWidthDown(Edit1->text().toStdString())));
}

void TForm3::colorBox1Activated(int index)
{
    if (index != customIndex_) {
        lastColourIndex_ = index;
        return;
    }
    const auto chosen = chooseCustomColour(ColorBox1->itemData(customIndex_, kColourRole).toUInt());
    if (!chosen) {
        ColorBox1->setCurrentIndex(lastColourIndex_);
        return;
    }
    ColorBox1->setItemData(customIndex_, *chosen, kColourRole);
    ColorBox1->setItemIcon(customIndex_, Swatch(*chosen));
    lastColourIndex_ = customIndex_;
}
