// TForm1: the main window. It owns the link state, the logger values, the
// track table and every page; its operations are spread over the
// main_window_*.cpp files by area.
#pragma once

#include "core/user_dialogs.h"
#include "decode/load_result.h"
#include "decode/log_dialect.h"
#include "decode/track_table.h"
#include "export/filtered_save.h"
#include "export/load_track_file.h"
#include "link/device_link_state.h"
#include "link/logger_status.h"
#include "link/receiver_clock.h"
#include "link/sentence_dispatch.h"
#include "logger/dialog_timings.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class DownloadReceiver;
class LogDownload;
class MemoryErase;
class QAbstractButton;
class QTimer;
class TFrame1;
class TFrame2;
class TFrame3;
class TFrame4;
class TFrame5;
class TFrame6;
class TFrame7;
class TFrame8;
class TFrame9;
class TFrame10;
class TFrame11;
class Thread1;
struct PortOpenResult;
struct SettingsResult;
class TrackTableModel;

class TForm1 : public QWidget, public SentenceHandlers {
    Q_OBJECT
public:
    // settingsPath: the settings file beside the executable.
    TForm1(UserDialogs& dialogs, std::string settingsPath, QWidget* parent = nullptr);
    ~TForm1() override;

    // A memory image named on the command line: the log page shows it, as
    // its open button would.
    void openAtStart(const std::string& imagePath);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The screen of the logger's replies writes into the pages; tests reach
    // the rest through their one subclass (tests/support/window_under_test.h).
    friend class LoggerReplyScreen;
    friend class WindowUnderTest;

    enum class MainPage { Settings, Live, Log, About };
    enum class SettingsPage { Port, NmeaOutput, LoggingCriteria, LogFormat, RecordingMethod };

    TFrame1* Frame11;
    TFrame2* Frame21;
    TFrame3* Frame31;
    TFrame4* Frame41;
    TFrame5* Frame51;
    TFrame6* Frame61;
    TFrame7* Frame71;
    TFrame8* Frame81;
    TFrame9* Frame91;
    TFrame10* Frame101;
    TFrame11* Frame111;
    QTimer* Timer1; // the status poll

    // ---- window shell ----
    void FormCreate();
    void FormClose();
    void connectShellHandlers();
    // Connects a button's click to a handler run through Guarded.
    void onClick(QAbstractButton* button, void (TForm1::*handler)());
    // Runs a handler; an error escaping it is shown by the default error
    // report, and a port whose device has gone is closed.
    void guarded(const std::function<void()>& handler);
    // One action at a time: an action that changes the table or uses the port
    // does nothing while another runs, so a click reaching the window through
    // the event loop of a running one (its progress, its dialogs) is harmless.
    void exclusively(const std::function<void()>& action);
    bool Connected() const;
    void ShowMainPage(MainPage page);
    void showSettingsPage(SettingsPage page);
    void setRestartButtons(bool active);
    void SetLogPageButtons(const std::array<bool, 7>& active);
    void setConnectButtons(bool connected);
    void Frame11SpeedButton1Click();
    void Frame11SpeedButton2Click();
    void Frame11SpeedButton3Click();
    void Frame11SpeedButton4Click();
    void Frame61SpeedButton1Click();
    void Frame61SpeedButton2Click();
    void Frame61SpeedButton3Click();
    void Frame61SpeedButton4Click();
    void Frame61SpeedButton5Click();

    // ---- settings file ----
    void LoadSettings();
    void SaveConnectionSettings();

    // ---- log page: track table, grid options, files ----
    void connectLogPageHandlers();
    // dialect: as the logger's model says, or as the user chose in the open dialog.
    void DecodeLogFile(const std::string& path, LogDialect dialect = LogDialect::Detect);
    // Reads the file into the table off the window's thread; a file that
    // cannot be opened leaves the table as it was.
    LoadResult loadIntoTable(const std::string& path, TrackFileKind kind, LogDialect dialect);
    void ShowSatelliteInfo(int column, int row);
    void UpdateGridOptions();
    // Tells, under the grid, when the receiver's clock showed the dates a GPS week rollover early.
    void showWeekRolloverHint();
    // Greys the rows of the grid that the filters would leave out.
    void showFilteredRows();
    void applyExportFilter(const ExportFilter& filter);
    void Frame41Button2Click();
    void Frame41SpeedButton5Click();
    void Frame41SpeedButton6Click();
    void Frame41SpeedButton7Click();
    void Frame41StringGrid1SelectCell(int column, int row);
    // The "Filter" dialog; the save and the draw go through what it holds.
    void Frame41FilterButtonClick();
#ifdef DROVIK_GEOTAG
    // "Geotag photos…" of the grid's context menu: the table's track into photos.
    void Frame41GeotagPhotosClick();
#endif

    // ---- port page and receive thread ----
    void connectPortHandlers();
    void OpenPort();
    void ClosePort();
    void ScanPorts();
    // Stops the reader and waits for it while still serving its hand-overs.
    void stopReceiveThread();
    void reportPortFailure(const PortOpenResult& result);
    // The open port's device has gone: a download ends at once, an erase at
    // its next tick, and the port closes as the close button closes it, with
    // one warning, once no action runs and the reader has ended.
    void portLost();
    void closeLostPort();
    void Frame71SpeedButton1Click();
    void Frame71SpeedButton2Click();
    void Frame71Button1Click();

    // ---- live page, restarts and logger replies ----
    void connectLiveHandlers();
    void onGga(const IncomingSentence& sentence) override;
    void onGll(const IncomingSentence& sentence) override;
    void onGsa(const IncomingSentence& sentence) override;
    void onGsv(const IncomingSentence& sentence) override;
    void onRmc(const IncomingSentence& sentence) override;
    void onVtg(const IncomingSentence& sentence) override;
    void HandleAck(const IncomingSentence& sentence) override;
    void HandleLoggerReply(const IncomingSentence& sentence) override;
    void HandleNmeaPeriods(const IncomingSentence& sentence) override;
    void handleModelReply(const IncomingSentence& sentence) override;
    void RefreshLiveView(const IncomingSentence& sentence) override;
    // Start-up colour of the signal bar chart.
    void colourLiveChart();
    // The live page says once per connection when the receiver's clock is whole rollovers behind.
    void watchReceiverClock(const IncomingSentence& sentence);
    void forgetReceiverClock();
    // The status poll, every second while Timer1 runs.
    void Timer1Timer();
    // Hot, warm and cold restart.
    void Frame31SpeedButton1Click();
    void Frame31SpeedButton2Click();
    void Frame31SpeedButton3Click();

    // ---- download and erase ----
    void connectLoggerHandlers();
    // The whole download under "Download Progress", then the decoding of data.bin.
    void DownloadLog();
    // Where memory data and read acknowledgements go while Downloading; nullptr for none.
    void attachDownload(DownloadReceiver* download);
    // "Download Progress" over the download until it stopped or was cancelled.
    void showDownload(LogDownload& download);
    // Tells the user what a download that did not complete left in data.bin.
    void reportUnfinishedDownload(const LogDownload& download);
    // Whether the download may keep what data.bin already holds: asked the
    // first time it could, that answer then stands until the program ends.
    bool allowReuse(uint32_t reusable);
    // Keeps beside the downloaded image what the receiver's clock said, for the hint when it is opened again.
    void keepReceiverClock(const std::string& imagePath);
    // Asks, then erases; what it came to, as MemoryErase::ConfirmErase.
    SettingsResult ConfirmErase();
    void ResetLogger();
    MemoryErase eraser();
    void StartLogging();
    void StopLogging();
    // "No connecting." when no port is open; true when one is.
    bool checkConnected();
    void Frame41SpeedButton1Click();
    void Frame41SpeedButton2Click();
    void Frame41SpeedButton3Click();
    void Frame41SpeedButton4Click();
    void Frame41Button1Click();

    // ---- settings sub-pages ----
    void connectSettingsPagesHandlers();
    // Start-up state of the sub-pages' controls: colours, edits, disabled boxes.
    void prepareSettingsSubPages();
    void SetMethodButtons(bool overwriteClickable, bool stopClickable);
    // NMEA output page: GGA, GSA, GSV and RMC fall back to grayed.
    void Frame81CheckBox1Click();
    void Frame81CheckBox3Click();
    void Frame81CheckBox4Click();
    void Frame81CheckBox5Click();
    void Frame81SpeedButton1Click();
    // Logging-criteria page.
    void Frame91Edit1KeyPress(char& key);
    void Frame91Edit2KeyPress(char& key);
    void Frame91Edit3KeyPress(char& key);
    void Frame91Edit1Enter();
    void Frame91Edit2Enter();
    void Frame91Edit3Enter();
    void Frame91Edit1Exit();
    void Frame91Edit2Exit();
    void Frame91Edit3Exit();
    void Frame91ScrollBar1Change();
    void Frame91SpeedButton1Click();
    // Log-format page: presets GGA .. "Select for Google Earth", the SID rule, apply.
    void Frame101Button1Click();
    void Frame101Button2Click();
    void Frame101Button3Click();
    void Frame101Button4Click();
    void Frame101Button5Click();
    void Frame101Button6Click();
    void Frame101Button7Click();
    void Frame101Button8Click();
    void Frame101Button9Click();
    void Frame101Button10Click();
    void Frame101Button11Click();
    void Frame101CheckBox14Click();
    void Frame101SpeedButton1Click();
    // Recording-method page: overwrite, stop.
    void Frame111SpeedButton1Click();
    void Frame111SpeedButton2Click();

    // ---- state ----
    UserDialogs& dialogs_;
    std::string settingsPath_;
    DeviceLinkState link_;
    LoggerStatus loggerStatus_;
    TrackTable trackTable_;
    TrackTableModel* trackTableModel_ = nullptr;
    ExportFilter exportFilter_;
    // What the receiver's clock said when the table's image was downloaded; none for a CSV.
    std::optional<ClockReading> trackClock_;
    std::unique_ptr<Thread1> thread_;
    int portBaud_ = 0;            // the rate the open port runs at
    unsigned portGeneration_ = 0; // counts the opens, so a late loss report of an earlier port is ignored
    bool actionRunning_ = false;
    struct LiveState;
    struct LiveStateDeleter {
        void operator()(LiveState* state) const;
    };
    std::unique_ptr<LiveState, LiveStateDeleter> live_;
    // Timings of the download and erase dialogs; tests shorten them.
    DialogTimings dialogTimings_;
    std::optional<bool> reuseAnswer_;
    LogDownload* download_ = nullptr; // the download under way
};
