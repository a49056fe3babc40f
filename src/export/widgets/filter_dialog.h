// The "Filter" dialog of the log page: the filters and the split a save and a
// draw go through. It shows an ExportFilter and gives one back.
#pragma once

#include "export/filtered_save.h"
#include "export/iso_time.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <optional>
#include <utility>

class QCheckBox;
class QDialogButtonBox;
class QDoubleSpinBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class UserDialogs;

class FilterDialog : public QDialog {
public:
    FilterDialog(const ExportFilter& filter, UserDialogs& dialogs, QWidget* parent = nullptr);

    // Runs the dialog modally: the filter after "OK", nothing after "Cancel" or close.
    static std::optional<ExportFilter> ask(const ExportFilter& current, UserDialogs& dialogs, QWidget* parent);

    // What the controls hold; nothing, once the user has been told why, when
    // a time cannot be read or the time range is empty.
    std::optional<ExportFilter> filter();

    QRadioButton *AllRows, *RowsWithFix, *RowsOfKinds;
    std::array<QCheckBox*, 8> FixKinds; // SPS .. Simulator, the fix kinds after "No fix"
    QCheckBox* HdopBox;
    QDoubleSpinBox* MaxHdop;
    QCheckBox* PdopBox;
    QDoubleSpinBox* MaxPdop;
    QCheckBox* SatellitesBox;
    QSpinBox* MinSatellites;
    QCheckBox* FromBox;
    QLineEdit* From;
    QCheckBox* ToBox;
    QLineEdit* To;
    QCheckBox* JumpBox;
    QDoubleSpinBox* MaxSpeed;
    QRadioButton *NoSplit, *SplitByDay, *SplitAtGap;
    QSpinBox* GapMinutes;
    QCheckBox* IntoTracks;
    QDialogButtonBox* Buttons;

private:
    void showFilter(const ExportFilter& filter);
    void showFixKinds(const std::optional<unsigned>& kinds);
    std::optional<unsigned> fixKinds() const;
    // The time of an edit whose box is ticked; false after telling the user it cannot be read.
    bool readTime(const QCheckBox* box, const QLineEdit* edit, DateAlone dateAlone, std::optional<std::int64_t>& time);
    void enableControls();
    // Each box that asks for a limit, with the control that holds it.
    std::array<std::pair<QCheckBox*, QWidget*>, 6> limitControls() const;

    UserDialogs& dialogs_;
};
