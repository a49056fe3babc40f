#include "geotag/widgets/geotag_dialog.h"

#include "core/user_dialogs.h"
#include "export/iso_time.h"
#include "geotag/track_points.h"

#include <algorithm>

#include <QCheckBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
constexpr const char* kPhotoFilter = "Photos (*.jpg *.jpeg *.tif *.tiff *.png *.webp *.dng *.nef *.cr2 *.arw *.orf "
                                     "*.rw2 *.pef *.raf)|*.jpg;*.jpeg;*.tif;*.tiff;*.png;*.webp;*.dng;*.nef;*.cr2;"
                                     "*.arw;*.orf;*.rw2;*.pef;*.raf|All files (*)|*";

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

GeotagDialog::GeotagDialog(const TrackTable& table, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), track_(TrackPointsOfTable(table))
{
    setWindowTitle("Geotag photos");
    InitializePhotoMetadata();

    Photos = new QLineEdit;
    PhotoButton = new QPushButton("Photo...");
    FolderButton = new QPushButton("Folder...");
    Subfolders = new QCheckBox("Subfolders too");
    ZoneBox = new QCheckBox("Camera zone, for photos that do not name theirs:");
    Zone = new QLineEdit(Text(ZoneOffsetText(QDateTime::currentDateTime().offsetFromUtc())));
    Zone->setToolTip("Unticked: this computer's zone rules for each photo's date, summer time included");
    Offset = new QLineEdit("+00:00");
    Offset->setToolTip("Added to the camera's time: +00:30 for a camera 30 seconds slow ([+-][HH:]MM:SS)");
    MaxGap = new QSpinBox;
    MaxGap->setRange(0, 86400);
    MaxGap->setValue(kDefaultMaxGapSeconds);
    MaxGap->setSuffix(" s");
    Overwrite = new QCheckBox("Replace positions the photos already have");
    Sidecar = new QCheckBox("Write XMP sidecars (NAME.EXT.xmp) instead of the photos");

    auto* settings = new QGridLayout;
    settings->addWidget(new QLabel("Photos:"), 0, 0);
    settings->addWidget(Photos, 0, 1);
    settings->addWidget(PhotoButton, 0, 2);
    settings->addWidget(FolderButton, 0, 3);
    settings->addWidget(Subfolders, 1, 1, 1, 3);
    settings->addWidget(ZoneBox, 2, 0, 1, 2);
    settings->addWidget(Zone, 2, 2, 1, 2);
    settings->addWidget(new QLabel("Camera clock correction:"), 3, 0, 1, 2);
    settings->addWidget(Offset, 3, 2, 1, 2);
    settings->addWidget(new QLabel("Largest gap to the track:"), 4, 0, 1, 2);
    settings->addWidget(MaxGap, 4, 2, 1, 2);
    settings->addWidget(Overwrite, 5, 0, 1, 4);
    settings->addWidget(Sidecar, 6, 0, 1, 4);

    FindButton = new QPushButton("Find positions");
    List = new QTableWidget(0, 3);
    List->setHorizontalHeaderLabels({"Photo", "Time (UTC)", "Position"});
    List->horizontalHeader()->setStretchLastSection(true);
    List->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List->setMinimumSize(560, 220);
    Progress = new QProgressBar;
    Progress->setValue(0);
    WriteButton = new QPushButton("Write");
    WriteButton->setEnabled(false);
    CloseButton = new QPushButton("Close");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Progress, 1);
    buttons->addWidget(WriteButton);
    buttons->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(settings);
    layout->addWidget(FindButton);
    layout->addWidget(List);
    layout->addLayout(buttons);

    connect(PhotoButton, &QPushButton::clicked, this, &GeotagDialog::choosePhoto);
    connect(FolderButton, &QPushButton::clicked, this, &GeotagDialog::chooseFolder);
    connect(FindButton, &QPushButton::clicked, this, &GeotagDialog::findPositions);
    connect(WriteButton, &QPushButton::clicked, this, &GeotagDialog::writeTags);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::accept);
    for (QLineEdit* edit : {Photos, Zone, Offset})
        connect(edit, &QLineEdit::textChanged, this, &GeotagDialog::forgetPlans);
    for (QCheckBox* box : {Subfolders, ZoneBox, Overwrite, Sidecar})
        connect(box, &QCheckBox::toggled, this, &GeotagDialog::forgetPlans);
    connect(MaxGap, &QSpinBox::valueChanged, this, &GeotagDialog::forgetPlans);
}

void GeotagDialog::run(const TrackTable& table, UserDialogs& dialogs, QWidget* parent)
{
    GeotagDialog form(table, dialogs, parent);
    form.exec();
}

void GeotagDialog::choosePhoto()
{
    if (const auto choice = dialogs_.chooseOpenFile({kPhotoFilter, 1, ".", "Photo"}))
        Photos->setText(Text(choice->path));
}

void GeotagDialog::chooseFolder()
{
    if (const auto folder = dialogs_.chooseFolder({"", 1, ".", "Folder of photos"}))
        Photos->setText(Text(*folder));
}

std::optional<GeotagOptions> GeotagDialog::options()
{
    GeotagOptions options;
    if (ZoneBox->isChecked()) {
        options.clock.zoneSeconds = ParseZoneOffset(Zone->text().trimmed().toStdString());
        if (!options.clock.zoneSeconds) {
            dialogs_.warning("The camera zone takes +HH:MM or -HH:MM, such as +02:00.");
            return std::nullopt;
        }
    }
    const auto correction = ParseClockCorrection(Offset->text().trimmed().toStdString());
    if (!correction) {
        dialogs_.warning("The clock correction takes [+-][HH:]MM:SS, such as -01:30 or +1:00:00.");
        return std::nullopt;
    }
    options.clock.correctionMilliseconds = *correction;
    options.maxGapMilliseconds = std::int64_t{MaxGap->value()} * 1000;
    options.overwrite = Overwrite->isChecked();
    options.sidecar = Sidecar->isChecked();
    return options;
}

void GeotagDialog::findPositions()
{
    forgetPlans();
    const auto chosen = options();
    if (!chosen)
        return;
    if (track_.empty()) {
        dialogs_.warning("The table holds no track point with a fix and a time.");
        return;
    }
    std::vector<std::string> missing;
    const auto paths = CollectPhotoPaths({Photos->text().toStdString()}, Subfolders->isChecked(), missing);
    if (!missing.empty()) {
        dialogs_.warning("There is no file or folder " + missing.front() + ".");
        return;
    }
    planned_ = *chosen;
    for (const std::string& path : paths) {
        PhotoPlan plan = PlanPhoto(path, track_, planned_);
        if (plan.outcome != PhotoOutcome::NotPhoto) {
            plans_.push_back(std::move(plan));
            List->setRowCount(static_cast<int>(plans_.size()));
            showPlan(static_cast<int>(plans_.size()) - 1, plans_.back(), false);
        }
        keepResponsive();
    }
    WriteButton->setEnabled(std::any_of(plans_.begin(), plans_.end(),
                                        [](const PhotoPlan& plan) { return plan.outcome == PhotoOutcome::Tagged; }));
}

void GeotagDialog::writeTags()
{
    WriteButton->setEnabled(false);
    Progress->setRange(0, static_cast<int>(plans_.size()));
    GeotagSummary summary;
    int row = 0;
    PlanWriter writer(planned_, [&](const PhotoPlan& plan) {
        summary.count(plan.outcome);
        showPlan(row++, plan, true);
        Progress->setValue(row);
    });
    for (PhotoPlan& plan : plans_) {
        writer.add(std::move(plan));
        keepResponsive();
    }
    writer.finish();
    plans_.clear();
    dialogs_.plain(SummaryText(summary, false));
}

void GeotagDialog::keepResponsive()
{
    if (sinceEvents_.isValid() && sinceEvents_.elapsed() < 15)
        return;
    QCoreApplication::processEvents();
    sinceEvents_.start();
}

void GeotagDialog::showPlan(int row, const PhotoPlan& plan, bool written)
{
    const QString cells[] = {QFileInfo(Text(plan.path)).fileName(),
                             plan.utcMilliseconds ? Text(IsoTimeText(*plan.utcMilliseconds)) : QString(),
                             Text(OutcomeText(plan, !written))};
    for (int column = 0; column < 3; ++column)
        List->setItem(row, column, new QTableWidgetItem(cells[column]));
}

void GeotagDialog::forgetPlans()
{
    plans_.clear();
    List->setRowCount(0);
    Progress->setValue(0);
    WriteButton->setEnabled(false);
}
