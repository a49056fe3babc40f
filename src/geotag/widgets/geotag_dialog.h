// "Geotag photos": the log page's track put into photos. The user picks a
// photo or a folder, sees each photo's time and the position found for it,
// and only then has the tags written.
#pragma once

#include "geotag/geotag_photo.h"

#include <QDialog>
#include <QElapsedTimer>

#include <vector>

class QCheckBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;
class TrackTable;
class UserDialogs;

class GeotagDialog : public QDialog {
public:
    GeotagDialog(const TrackTable& table, UserDialogs& dialogs, QWidget* parent = nullptr);

    // Runs the dialog modally.
    static void run(const TrackTable& table, UserDialogs& dialogs, QWidget* parent);

    QLineEdit* Photos; // a photo or a folder
    QPushButton* PhotoButton;
    QPushButton* FolderButton;
    QCheckBox* Subfolders;
    QCheckBox* ZoneBox; // unticked: the computer's zone rules for each photo's date
    QLineEdit* Zone;
    QLineEdit* Offset;
    QSpinBox* MaxGap; // seconds
    QCheckBox* Overwrite;
    QCheckBox* Sidecar;
    QPushButton* FindButton;
    QTableWidget* List; // photo, time (UTC), position or reason
    QProgressBar* Progress;
    QPushButton* WriteButton;
    QPushButton* CloseButton;

private:
    void choosePhoto();
    void chooseFolder();
    // Nothing after telling the user which text cannot be read.
    std::optional<GeotagOptions> options();
    void findPositions();
    void writeTags();
    void showPlan(int row, const PhotoPlan& plan, bool written);
    // A change of a setting after the list was made asks for a new one.
    void forgetPlans();
    // Called once per photo: serving events every few milliseconds keeps the
    // dialog live through a long folder without slowing it down.
    void keepResponsive();

    UserDialogs& dialogs_;
    std::vector<TrackPoint> track_;
    std::vector<PhotoPlan> plans_;
    GeotagOptions planned_;
    QElapsedTimer sinceEvents_;
};
