#include "export/widgets/filter_dialog.h"

#include "core/user_dialogs.h"
#include "decode/track_columns.h"
#include "export/iso_time.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
constexpr double kDefaultMaxDop = 5.0;
constexpr int kDefaultMinSatellites = 4;
constexpr double kDefaultMaxSpeedKmh = 300.0;
constexpr int kDefaultGapMinutes = 60;
constexpr const char* kTimeExample = "2008-05-04T12:30:00Z";

QDoubleSpinBox* MakeDecimalBox(double lowest, double highest, int decimals, const char* suffix = "")
{
    auto* box = new QDoubleSpinBox;
    box->setRange(lowest, highest);
    box->setDecimals(decimals);
    box->setSuffix(suffix);
    return box;
}

QSpinBox* MakeWholeBox(int lowest, int highest, const char* suffix = "")
{
    auto* box = new QSpinBox;
    box->setRange(lowest, highest);
    box->setSuffix(suffix);
    return box;
}

QLineEdit* MakeTimeEdit()
{
    auto* edit = new QLineEdit;
    edit->setPlaceholderText(kTimeExample);
    return edit;
}

// A ticked box gives the control's value; an unticked one no filter.
template <typename Value>
std::optional<Value> IfTicked(const QCheckBox* box, Value value)
{
    return box->isChecked() ? std::optional<Value>(value) : std::nullopt;
}
} // namespace

FilterDialog::FilterDialog(const ExportFilter& filter, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs)
{
    setWindowTitle("Filter");

    auto* rows = new QGroupBox("Rows to keep");
    auto* rowGrid = new QGridLayout(rows);
    AllRows = new QRadioButton("All rows");
    RowsWithFix = new QRadioButton("Rows with a fix");
    RowsOfKinds = new QRadioButton("Rows with these fix kinds:");
    rowGrid->addWidget(AllRows, 0, 0, 1, 4);
    rowGrid->addWidget(RowsWithFix, 1, 0, 1, 4);
    rowGrid->addWidget(RowsOfKinds, 2, 0, 1, 4);
    for (std::size_t i = 0; i < FixKinds.size(); ++i) {
        FixKinds[i] = new QCheckBox(QString::fromUtf8(kFixModes[i + 1].data(), kFixModes[i + 1].size()));
        rowGrid->addWidget(FixKinds[i], 3 + static_cast<int>(i) / 4, static_cast<int>(i) % 4);
    }

    auto* quality = new QGroupBox("Leave out");
    auto* qualityGrid = new QGridLayout(quality);
    HdopBox = new QCheckBox("HDOP over");
    MaxHdop = MakeDecimalBox(0, 99.99, 2);
    PdopBox = new QCheckBox("PDOP over");
    MaxPdop = MakeDecimalBox(0, 99.99, 2);
    SatellitesBox = new QCheckBox("Fewer satellites in use than");
    MinSatellites = MakeWholeBox(0, 99);
    FromBox = new QCheckBox("Before (UTC)");
    From = MakeTimeEdit();
    ToBox = new QCheckBox("After (UTC)");
    To = MakeTimeEdit();
    JumpBox = new QCheckBox("Jumps faster than");
    MaxSpeed = MakeDecimalBox(1, 100000, 0, " km/h");
    int line = 0;
    for (const auto& [box, value] : limitControls()) {
        qualityGrid->addWidget(box, line, 0);
        qualityGrid->addWidget(value, line++, 1);
    }

    auto* split = new QGroupBox("Split");
    auto* splitGrid = new QGridLayout(split);
    NoSplit = new QRadioButton("One file");
    SplitByDay = new QRadioButton("A file a day");
    SplitAtGap = new QRadioButton("A new part after a gap of");
    GapMinutes = MakeWholeBox(1, 100000, " minutes");
    IntoTracks = new QCheckBox("GPX: the parts as tracks of one file");
    splitGrid->addWidget(NoSplit, 0, 0, 1, 2);
    splitGrid->addWidget(SplitByDay, 1, 0, 1, 2);
    splitGrid->addWidget(SplitAtGap, 2, 0);
    splitGrid->addWidget(GapMinutes, 2, 1);
    splitGrid->addWidget(IntoTracks, 3, 0, 1, 2);

    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* layout = new QVBoxLayout(this);
    for (QWidget* part : {static_cast<QWidget*>(rows), static_cast<QWidget*>(quality), static_cast<QWidget*>(split),
                          static_cast<QWidget*>(Buttons)})
        layout->addWidget(part);

    showFilter(filter);
    for (QAbstractButton* control :
         std::initializer_list<QAbstractButton*>{AllRows, RowsWithFix, RowsOfKinds, HdopBox, PdopBox, SatellitesBox,
                                                 FromBox, ToBox, JumpBox, NoSplit, SplitByDay, SplitAtGap})
        connect(control, &QAbstractButton::toggled, this, &FilterDialog::enableControls);
    connect(Buttons, &QDialogButtonBox::accepted, this, [this] {
        if (this->filter())
            accept();
    });
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

std::optional<ExportFilter> FilterDialog::ask(const ExportFilter& current, UserDialogs& dialogs, QWidget* parent)
{
    FilterDialog form(current, dialogs, parent);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.filter();
}

std::optional<ExportFilter> FilterDialog::filter()
{
    ExportFilter filter;
    RowFilter& rows = filter.rows;
    rows.fixKinds = fixKinds();
    if (rows.fixKinds == 0u) {
        dialogs_.warning("Tick at least one fix kind, or keep all rows.");
        return std::nullopt;
    }
    rows.maxHdop = IfTicked(HdopBox, MaxHdop->value());
    rows.maxPdop = IfTicked(PdopBox, MaxPdop->value());
    rows.minSatellites = IfTicked(SatellitesBox, MinSatellites->value());
    rows.maxSpeedKmh = IfTicked(JumpBox, MaxSpeed->value());
    if (!readTime(FromBox, From, DateAlone::StartOfDay, rows.fromUtc) ||
        !readTime(ToBox, To, DateAlone::EndOfDay, rows.toUtc))
        return std::nullopt;
    if (rows.fromUtc && rows.toUtc && *rows.fromUtc > *rows.toUtc) {
        dialogs_.warning("The time range is empty: \"Before (UTC)\" is later than \"After (UTC)\".");
        return std::nullopt;
    }
    filter.split.kind = SplitByDay->isChecked()   ? SplitKind::Day
                        : SplitAtGap->isChecked() ? SplitKind::Gap
                                                  : SplitKind::None;
    filter.split.gapMinutes = filter.split.kind == SplitKind::Gap ? GapMinutes->value() : 0;
    filter.split.intoTracks = filter.split.kind != SplitKind::None && IntoTracks->isChecked();
    return filter;
}

void FilterDialog::showFilter(const ExportFilter& filter)
{
    const RowFilter& rows = filter.rows;
    showFixKinds(rows.fixKinds);
    const auto showLimit = [](QCheckBox* box, QDoubleSpinBox* value, std::optional<double> limit, double fallback) {
        box->setChecked(limit.has_value());
        value->setValue(limit.value_or(fallback));
    };
    showLimit(HdopBox, MaxHdop, rows.maxHdop, kDefaultMaxDop);
    showLimit(PdopBox, MaxPdop, rows.maxPdop, kDefaultMaxDop);
    showLimit(JumpBox, MaxSpeed, rows.maxSpeedKmh, kDefaultMaxSpeedKmh);
    SatellitesBox->setChecked(rows.minSatellites.has_value());
    MinSatellites->setValue(rows.minSatellites.value_or(kDefaultMinSatellites));
    for (const auto& [box, edit, time] : {std::tuple{FromBox, From, rows.fromUtc}, std::tuple{ToBox, To, rows.toUtc}}) {
        box->setChecked(time.has_value());
        edit->setText(time ? QString::fromStdString(IsoTimeText(*time)) : QString());
    }
    const SplitKind kind = filter.split.kind;
    (kind == SplitKind::Day ? SplitByDay : kind == SplitKind::Gap ? SplitAtGap : NoSplit)->setChecked(true);
    GapMinutes->setValue(kind == SplitKind::Gap ? filter.split.gapMinutes : kDefaultGapMinutes);
    IntoTracks->setChecked(filter.split.intoTracks);
    enableControls();
}

void FilterDialog::showFixKinds(const std::optional<unsigned>& kinds)
{
    const bool anyFix = kinds == AnyFixKinds();
    (!kinds ? AllRows : anyFix ? RowsWithFix : RowsOfKinds)->setChecked(true);
    for (std::size_t i = 0; i < FixKinds.size(); ++i)
        FixKinds[i]->setChecked(kinds && !anyFix && (*kinds >> (i + 1) & 1u));
}

std::optional<unsigned> FilterDialog::fixKinds() const
{
    if (AllRows->isChecked())
        return std::nullopt;
    if (RowsWithFix->isChecked())
        return AnyFixKinds();
    unsigned kinds = 0;
    for (std::size_t i = 0; i < FixKinds.size(); ++i)
        if (FixKinds[i]->isChecked())
            kinds |= 1u << (i + 1);
    return kinds;
}

bool FilterDialog::readTime(const QCheckBox* box, const QLineEdit* edit, DateAlone dateAlone,
                            std::optional<std::int64_t>& time)
{
    time.reset();
    if (!box->isChecked())
        return true;
    time = ParseIsoTime(edit->text().trimmed().toStdString(), dateAlone);
    if (!time)
        dialogs_.warning("\"" + box->text().toStdString() + "\" takes a UTC time such as " + kTimeExample +
                         " or a day such as 2008-05-04, not '" + edit->text().toStdString() + "'.");
    return time.has_value();
}

void FilterDialog::enableControls()
{
    for (QCheckBox* kind : FixKinds)
        kind->setEnabled(RowsOfKinds->isChecked());
    for (const auto& [box, value] : limitControls())
        value->setEnabled(box->isChecked());
    GapMinutes->setEnabled(SplitAtGap->isChecked());
    IntoTracks->setEnabled(!NoSplit->isChecked());
}

std::array<std::pair<QCheckBox*, QWidget*>, 6> FilterDialog::limitControls() const
{
    return {{{HdopBox, MaxHdop},
             {PdopBox, MaxPdop},
             {SatellitesBox, MinSatellites},
             {FromBox, From},
             {ToBox, To},
             {JumpBox, MaxSpeed}}};
}
