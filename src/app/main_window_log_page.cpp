// TForm1: the log page's track table — decoding, the satellite pop-up, the
// grid options and the file buttons.
#include "app/main_window.h"

#include "app/draw_flow.h"
#include "app/frame_log_page.h"
#include "app/off_ui_thread.h"
#include "app/open_flow.h"
#include "app/result_boxes.h"
#include "app/save_flow.h"
#include "app/settings_file.h"
#include "app/track_table_model.h"
#include "decode/satellite_info.h"
#include "decode/track_options.h"
#include "export/clock_evidence.h"
#include "export/kml_export.h"
#include "export/week_rollover_hint.h"
#include "export/widgets/draw_dialog.h"
#include "export/widgets/filter_dialog.h"
#ifdef DROVIK_GEOTAG
#include "geotag/widgets/geotag_dialog.h"
#endif

#include <QAction>

#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTimer>

void TForm1::connectLogPageHandlers()
{
    onClick(Frame41->Button2, &TForm1::Frame41Button2Click);
    onClick(Frame41->SpeedButton5, &TForm1::Frame41SpeedButton5Click);
    onClick(Frame41->SpeedButton6, &TForm1::Frame41SpeedButton6Click);
    onClick(Frame41->SpeedButton7, &TForm1::Frame41SpeedButton7Click);
    onClick(Frame41->FilterButton, &TForm1::Frame41FilterButtonClick);
#ifdef DROVIK_GEOTAG
    // In the grid's context menu, so the page's own controls keep their places.
    auto* geotag = new QAction("Geotag photos…", Frame41->StringGrid1);
    Frame41->StringGrid1->setContextMenuPolicy(Qt::ActionsContextMenu);
    Frame41->StringGrid1->addAction(geotag);
    connect(geotag, &QAction::triggered, this, [this] { guarded([this] { Frame41GeotagPhotosClick(); }); });
#endif
    connect(trackTableModel_, &TrackTableModel::cellEdited, this, [this] { guarded([this] { showFilteredRows(); }); });
    // The pop-up waits for the selection to settle, so it never holds it up.
    connect(Frame41->StringGrid1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (!current.isValid())
                    return;
                const int column = TrackTableModel::tableColumn(current);
                const int row = TrackTableModel::tableRow(current);
                QTimer::singleShot(
                    0, this, [this, column, row] { guarded([&] { Frame41StringGrid1SelectCell(column, row); }); });
            });
}

void TForm1::Frame41SpeedButton5Click()
{
    exclusively([this] { SaveTrackFile(trackTable_, dialogs_, exportFilter_); });
}

void TForm1::Frame41SpeedButton6Click()
{
    exclusively([this] {
        const auto opened =
            OpenTrackFile(dialogs_, [this](const std::string& path, TrackFileKind kind, LogDialect dialect) {
                return loadIntoTable(path, kind, dialect);
            });
        // Only an image a download wrote carries what the receiver's clock said.
        if (opened) {
            ShowLoadResult(opened->result, dialogs_);
            trackClock_ = opened->image ? ReadClockEvidence(opened->path) : std::nullopt;
        }
        showWeekRolloverHint();
        showFilteredRows();
    });
}

void TForm1::Frame41SpeedButton7Click()
{
    exclusively([this] {
        // The draw shows the rows the filters keep; a split makes no sense for one viewer's file.
        std::optional<TrackTable> filtered;
        if (exportFilter_.rows.any()) {
            filtered = FilteredRows(trackTable_, exportFilter_.rows);
            if (!filtered) {
                dialogs_.warning(MissingFilterColumn(trackTable_, exportFilter_.rows).value_or(""));
                return;
            }
        }
        if (!DrawKmlTrack(filtered ? *filtered : trackTable_, dialogs_,
                          [this](int dataRowCount) { return TForm3::ask(dataRowCount, this); }))
            return;
        // The window stays live while the viewer starts; only a second draw,
        // which would rewrite data.kml under it, waits.
        constexpr int kDrawPair = 6;
        Frame41->pair(kDrawPair).setActive(false);
        QTimer::singleShot(kViewerStartPause, this, [this] { Frame41->pair(kDrawPair).setActive(true); });
    });
}

void TForm1::openAtStart(const std::string& imagePath)
{
    Frame11SpeedButton3Click();
    exclusively([&] { DecodeLogFile(imagePath); });
}

void TForm1::DecodeLogFile(const std::string& path, LogDialect dialect)
{
    ShowLoadResult(loadIntoTable(path, TrackFileKind::Image, dialect), dialogs_);
    trackClock_ = ReadClockEvidence(path);
    showWeekRolloverHint();
    showFilteredRows();
}

LoadResult TForm1::loadIntoTable(const std::string& path, TrackFileKind kind, LogDialect dialect)
{
    TrackTable loaded = trackTable_.detached();
    const LoadResult result = RunOffUiThread([&] { return LoadTrackFile(path, kind, loaded, dialect); });
    if (result.outcome != LoadResult::Outcome::CannotOpen)
        trackTable_.takeContent(std::move(loaded));
    return result;
}

void TForm1::showWeekRolloverHint()
{
    const auto hint = FindWeekRolloverHint(trackTable_, trackClock_);
    if (!hint) {
        Frame41->Label15->clear();
        return;
    }
    Frame41->Label15->setText(
        QString::fromStdString(WeekRolloverHintText(*hint) + " To correct the dates, set \"GPS Week Rollover:\" to " +
                               std::to_string(hint->weekRollovers) + " and press \"Updating Grid Now !!\"."));
}

void TForm1::Frame41StringGrid1SelectCell(int column, int row)
{
    ShowSatelliteInfo(column, row);
}

void TForm1::ShowSatelliteInfo(int column, int row)
{
    if (const auto text = SatelliteInfoText(trackTable_, column, row))
        dialogs_.plain(*text);
}

void TForm1::Frame41Button2Click()
{
    exclusively([this] { UpdateGridOptions(); });
}

void TForm1::UpdateGridOptions()
{
    const int timeShift = Frame41->CSpinEdit1->value();
    const int weekRollovers = Frame41->CSpinEdit2->value();
    const GridOptionsOutcome outcome =
        ApplyGridOptions(trackTable_, timeShift, Frame41->ComboBox1->currentText().toStdString(), weekRollovers);
    WriteGridOptionSettings(settingsPath_, outcome, timeShift, Frame41->ComboBox1->currentIndex(), weekRollovers);
    showWeekRolloverHint();
    showFilteredRows();
}

void TForm1::Frame41FilterButtonClick()
{
    exclusively([this] {
        if (const auto filter = FilterDialog::ask(exportFilter_, dialogs_, this))
            applyExportFilter(*filter);
    });
}

void TForm1::applyExportFilter(const ExportFilter& filter)
{
    exportFilter_ = filter;
    Frame41->FilterButton->setText(filter.active() ? "Filter (on)..." : "Filter...");
    showFilteredRows();
}

void TForm1::showFilteredRows()
{
    const RowFilter& rows = exportFilter_.rows;
    const bool greys = rows.any() && !MissingFilterColumn(trackTable_, rows);
    trackTableModel_->showKeptRows(greys ? SelectRows(trackTable_, rows).kept : std::vector<bool>{});
}

#ifdef DROVIK_GEOTAG
void TForm1::Frame41GeotagPhotosClick()
{
    exclusively([this] { GeotagDialog::run(trackTable_, dialogs_, this); });
}
#endif
