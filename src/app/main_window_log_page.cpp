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

void TForm1::ConnectLogPageHandlers()
{
    OnClick(Frame41->Button2, &TForm1::Frame41Button2Click);
    OnClick(Frame41->SpeedButton5, &TForm1::Frame41SpeedButton5Click);
    OnClick(Frame41->SpeedButton6, &TForm1::Frame41SpeedButton6Click);
    OnClick(Frame41->SpeedButton7, &TForm1::Frame41SpeedButton7Click);
    OnClick(Frame41->FilterButton, &TForm1::Frame41FilterButtonClick);
#ifdef DROVIK_GEOTAG
    // In the grid's context menu, so the page's own controls keep their places.
    auto* geotag = new QAction("Geotag photos…", Frame41->StringGrid1);
    Frame41->StringGrid1->setContextMenuPolicy(Qt::ActionsContextMenu);
    Frame41->StringGrid1->addAction(geotag);
    connect(geotag, &QAction::triggered, this, [this] { Guarded([this] { Frame41GeotagPhotosClick(); }); });
#endif
    connect(trackTableModel_, &TrackTableModel::cellEdited, this, [this] { Guarded([this] { ShowFilteredRows(); }); });
    // The pop-up waits for the selection to settle, so it never holds it up.
    connect(Frame41->StringGrid1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (!current.isValid())
                    return;
                const int column = TrackTableModel::tableColumn(current);
                const int row = TrackTableModel::tableRow(current);
                QTimer::singleShot(
                    0, this, [this, column, row] { Guarded([&] { Frame41StringGrid1SelectCell(column, row); }); });
            });
}

void TForm1::Frame41SpeedButton5Click()
{
    Exclusively([this] { SaveTrackFile(trackTable_, dialogs_, exportFilter_); });
}

void TForm1::Frame41SpeedButton6Click()
{
    Exclusively([this] {
        const auto opened =
            OpenTrackFile(dialogs_, [this](const std::string& path, TrackFileKind kind, LogDialect dialect) {
                return LoadIntoTable(path, kind, dialect);
            });
        // Only an image a download wrote carries what the receiver's clock said.
        if (opened) {
            ShowLoadResult(opened->result, dialogs_);
            trackClock_ = opened->image ? ReadClockEvidence(opened->path) : std::nullopt;
        }
        ShowWeekRolloverHint();
        ShowFilteredRows();
    });
}

void TForm1::Frame41SpeedButton7Click()
{
    Exclusively([this] {
        // The draw shows the rows the filters keep; a split makes no sense for one viewer's file.
        std::optional<TrackTable> filtered;
        if (exportFilter_.rows.any()) {
            if (const auto missing = MissingFilterColumn(trackTable_, exportFilter_.rows)) {
                dialogs_.warning(*missing);
                return;
            }
            filtered = FilteredRows(trackTable_, exportFilter_.rows);
        }
        if (!DrawKmlTrack(filtered ? *filtered : trackTable_, dialogs_,
                          [this](int dataRowCount) { return TForm3::Ask(dataRowCount, this); }))
            return;
        // The window stays live while the viewer starts; only a second draw,
        // which would rewrite data.kml under it, waits.
        constexpr int kDrawPair = 6;
        Frame41->pair(kDrawPair).setActive(false);
        QTimer::singleShot(kViewerStartPause, this, [this] { Frame41->pair(kDrawPair).setActive(true); });
    });
}

void TForm1::OpenAtStart(const std::string& imagePath)
{
    Frame11SpeedButton3Click();
    Exclusively([&] { DecodeLogFile(imagePath); });
}

void TForm1::DecodeLogFile(const std::string& path, LogDialect dialect)
{
    ShowLoadResult(LoadIntoTable(path, TrackFileKind::Image, dialect), dialogs_);
    trackClock_ = ReadClockEvidence(path);
    ShowWeekRolloverHint();
    ShowFilteredRows();
}

LoadResult TForm1::LoadIntoTable(const std::string& path, TrackFileKind kind, LogDialect dialect)
{
    TrackTable loaded = trackTable_.detached();
    const LoadResult result = RunOffUiThread([&] { return LoadTrackFile(path, kind, loaded, dialect); });
    if (result.outcome != LoadResult::Outcome::CannotOpen)
        trackTable_.takeContent(std::move(loaded));
    return result;
}

void TForm1::ShowWeekRolloverHint()
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
    Exclusively([this] { UpdateGridOptions(); });
}

void TForm1::UpdateGridOptions()
{
    const int timeShift = Frame41->CSpinEdit1->value();
    const int weekRollovers = Frame41->CSpinEdit2->value();
    const GridOptionsOutcome outcome =
        ApplyGridOptions(trackTable_, timeShift, Frame41->ComboBox1->currentText().toStdString(), weekRollovers);
    WriteGridOptionSettings(settingsPath_, outcome, timeShift, Frame41->ComboBox1->currentIndex(), weekRollovers);
    ShowWeekRolloverHint();
    ShowFilteredRows();
}

void TForm1::Frame41FilterButtonClick()
{
    Exclusively([this] {
        if (const auto filter = FilterDialog::Ask(exportFilter_, dialogs_, this))
            ApplyExportFilter(*filter);
    });
}

void TForm1::ApplyExportFilter(const ExportFilter& filter)
{
    exportFilter_ = filter;
    Frame41->FilterButton->setText(filter.active() ? "Filter (on)..." : "Filter...");
    ShowFilteredRows();
}

void TForm1::ShowFilteredRows()
{
    const RowFilter& rows = exportFilter_.rows;
    const bool greys = rows.any() && !MissingFilterColumn(trackTable_, rows);
    trackTableModel_->showKeptRows(greys ? SelectRows(trackTable_, rows).kept : std::vector<bool>{});
}

#ifdef DROVIK_GEOTAG
void TForm1::Frame41GeotagPhotosClick()
{
    Exclusively([this] { GeotagDialog::Show(trackTable_, dialogs_, this); });
}
#endif
