// The log page's track grid: decoding into it, the satellite pop-up, the grid options.
#include "app/frame_log_page.h"
#include "app/qt_user_dialogs.h"
#include "decode/civil_time.h"
#include "decode/log_decoder.h"
#include "decode/track_options.h"
#include "export/clock_evidence.h"
#include "decode/table_of.h"
#include "export/filtered_save.h"
#include "export/sample_track.h"
#include "export/widgets/draw_dialog.h"
#include "testbed/log_image_writer.h"
#include "support/window_fixture.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QProgressBar>
#include <QPushButton>
#include <QHeaderView>
#include <QLabel>
#include <QSpinBox>
#include <QTableView>
#include <QTimer>

class LogPageTest : public WindowTest {
protected:
    std::string writeImage(const std::vector<std::uint8_t>& image)
    {
        const std::string path = (folder.path() + "/image.bin").toStdString();
        EXPECT_TRUE(WriteImageFile(path, image));
        return path;
    }
    QAbstractItemModel* grid() const { return window->Frame41->StringGrid1->model(); }
    QString header(int column) const { return grid()->headerData(column, Qt::Horizontal).toString(); }
    QString gridCell(int column, int row) const { return grid()->index(row - 1, column - 1).data().toString(); }
};

TEST_F(LogPageTest, TheGridStartsWithFifteenColumnsAndTwentyRowsOfEighteenPixels)
{
    // Row 0 and column 0 are the grid's fixed headings.
    EXPECT_EQ(grid()->columnCount(), 14);
    EXPECT_EQ(grid()->rowCount(), 19);
    EXPECT_EQ(window->Frame41->StringGrid1->verticalHeader()->defaultSectionSize(), 18);
}

TEST_F(LogPageTest, ADecodedImageFillsTheGridAndItsWidthHints)
{
    const std::uint32_t mask = 0x0002000F; // UTC, VALID, latitude, longitude, RCR
    LogImageWriter writer;
    writer.beginSector(mask);
    for (int i = 0; i < 3; ++i)
        writer.record(SampleTrackRecord(i));
    window->DecodeLogFile(writeImage(writer.image()));

    EXPECT_EQ(grid()->rowCount(), 3);
    EXPECT_EQ(window->trackTable().cell(0, 0), "INDEX");
    EXPECT_EQ(header(0), "RCR");
    EXPECT_EQ(header(1), "DATE");
    EXPECT_EQ(window->Frame41->StringGrid1->verticalHeader()->model()->headerData(2, Qt::Vertical).toString(), "3");
    EXPECT_EQ(window->Frame41->StringGrid1->horizontalHeader()->sectionSize(0), 35);
    const int northSouth = window->trackTable().findColumn("N/S");
    ASSERT_GT(northSouth, 0);
    EXPECT_EQ(window->Frame41->StringGrid1->horizontalHeader()->sectionSize(northSouth - 1), 30);
    EXPECT_TRUE(dialogs.messages.empty());
}

// The window handles its events while the decode runs on its own thread, so
// the user can click on: every action that would change the table or use the
// port does nothing until it has ended.
TEST_F(LogPageTest, ClicksDuringALongDecodeChangeNothing)
{
    SampleImageOptions large;
    large.sectorCount = 8;
    const std::vector<std::uint8_t> image = MakeSampleImage(large);
    dialogs.fileAnswers = {FileChoice{writeImage(image), 1}};
    int clicks = 0;
    // Posted before the decode begins, so the window's loop delivers it before the decode's end.
    QTimer::singleShot(0, window.get(), [&] {
        ++clicks;
        window->Frame41SpeedButton6Click(); // open
        window->Frame41SpeedButton5Click(); // save
        window->Frame41SpeedButton7Click(); // draw
        window->Frame41Button2Click();      // update the grid
        window->Frame41SpeedButton3Click(); // download
        window->Frame71SpeedButton2Click(); // open the port
    });

    window->Frame41SpeedButton6Click();

    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.lastText();
    TrackTable decoded;
    DecodeLogImage(ByteView(image.data(), image.size()), decoded);
    ASSERT_EQ(window->trackTable().usedRowCount(), decoded.usedRowCount());
    for (int row = 0; row < decoded.usedRowCount(); row += 97)
        EXPECT_EQ(RowOf(window->trackTable(), row, decoded.usedColumnCount()),
                  RowOf(decoded, row, decoded.usedColumnCount()));
}

TEST_F(LogPageTest, TheOpenButtonDecodesInTheDialectChosenAndEveryDecodeWarnsOfNoise)
{
    TrackRecord record = SampleTrackRecord(0);
    LogImageWriter writer;
    writer.beginSector(0x00000030).useLayout(RecordLayout::Gr245).record(record); // an M-1000C's, without a marker
    dialogs.fileAnswers.push_back(FileChoice{writeImage(writer.image()), 6});
    window->Frame41SpeedButton6Click();
    EXPECT_EQ(header(1), "SPEED");
    EXPECT_EQ(grid()->rowCount(), 1);
    EXPECT_TRUE(dialogs.messages.empty());

    record.longitude = 200;
    LogImageWriter noise;
    noise.beginSector(0x0000000C).record(record).record(record);
    window->DecodeLogFile(writeImage(noise.image()));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "Warning");
    EXPECT_EQ(dialogs.messages[0].text,
              "Records passed over because their latitude or longitude is out of range or not a number: 2.");
}

TEST_F(LogPageTest, DatesARolloverEarlyAreHintedUnderTheGridUntilRepaired)
{
    // Old dates alone say nothing; what the receiver's clock said at the download does.
    const std::string image = writeImage(RolloverEarlyImage());
    window->DecodeLogFile(image);
    EXPECT_EQ(window->Frame41->Label15->text(), "");
    const std::int64_t now = NowUtcSeconds();
    ASSERT_EQ(WriteClockEvidence(image, ClockReading{now - kWeekRolloverDays * 86400LL, now}), "");
    window->DecodeLogFile(image);
    const QString hint = window->Frame41->Label15->text();
    EXPECT_TRUE(hint.contains("dates its fixes 1024 weeks before the computer's clock")) << hint.toStdString();
    EXPECT_TRUE(hint.contains("set \"GPS Week Rollover:\" to 1")) << hint.toStdString();

    window->Frame41->CSpinEdit2->setValue(1);
    window->guarded([this] { window->Frame41Button2Click(); });
    EXPECT_EQ(window->Frame41->Label15->text(), "");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(LogPageTest, EditsInTheGridReachTheTable)
{
    const QModelIndex index = grid()->index(0, 0);
    ASSERT_TRUE(grid()->flags(index) & Qt::ItemIsEditable);
    ASSERT_TRUE(grid()->setData(index, "edited", Qt::EditRole));
    EXPECT_EQ(window->trackTable().cell(1, 1), "edited");
}

TEST_F(LogPageTest, SelectingACellInTheGridRunsThePopUp)
{
    auto& table = window->trackTable();
    table.setCell(0, 0, "INDEX");
    table.setCell(1, 0, "SAT INFO (SID)");
    table.setCell(0, 1, "1");
    table.setCell(1, 1, "#05;07");
    QTableView* view = window->Frame41->StringGrid1;
    view->setCurrentIndex(view->model()->index(0, 0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialogs.messages.empty(); }, 5000));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "#05\n07");
}

TEST_F(LogPageTest, DrawHandsTheFileOverAndHoldsOnlyTheDrawButtonWhileTheViewerStarts)
{
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    auto& table = window->trackTable();
    const std::vector<std::string> headers = {"DATE", "TIME", "VALID", "LATITUDE", "N/S", "LONGITUDE", "E/W"};
    const std::vector<std::string> point = {"2007/05/24", "09:46:40", "SPS", "24.5", "N", "121.5", "E"};
    for (int column = 0; column < static_cast<int>(headers.size()); ++column) {
        table.setCell(column, 0, headers[column]);
        table.setCell(column, 1, point[column]);
    }
    table.setRowCount(2);
    QTimer::singleShot(0, [] {
        if (auto* options = dynamic_cast<TForm3*>(QApplication::activeModalWidget()))
            options->Button1->click();
    });
    window->Frame41SpeedButton7Click();
    QDir::setCurrent(previous);
    EXPECT_EQ(dialogs.openedDocuments.size(), 1u);
    EXPECT_FALSE(window->Frame41->pair(6).isActive());
    EXPECT_TRUE(window->Frame41->pair(5).isActive());
}

TEST_F(LogPageTest, TheFilterGreysTheRowsASaveLeavesOutAndTheSaveLeavesThemOut)
{
    // The Filter button sits clear of the page's other controls.
    for (QWidget* other : std::initializer_list<QWidget*>{window->Frame41->Button1, window->Frame41->CGauge1,
                                                          window->Frame41->GroupBox1, window->Frame41->StringGrid1})
        EXPECT_FALSE(window->Frame41->FilterButton->geometry().intersects(other->geometry()));
    window->DecodeLogFile(writeImage(GoldenTrackImage()));
    ExportFilter filter;
    filter.rows.fixKinds = AnyFixKinds();
    window->applyExportFilter(filter);
    EXPECT_EQ(window->Frame41->FilterButton->text(), "Filter (on)...");
    std::vector<bool> greyed;
    for (int row = 0; row < grid()->rowCount(); ++row)
        greyed.push_back(grid()->index(row, 3).data(Qt::ForegroundRole).isValid());
    EXPECT_EQ(greyed, (std::vector<bool>{false, false, true, false, true})) << "No fix, and no fix kind at all";

    const std::string saved = (folder.path() + "/trip.csv").toStdString();
    dialogs.fileAnswers.push_back(FileChoice{saved, 1});
    window->Frame41SpeedButton5Click();
    QFile file(QString::fromStdString(saved));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().count("\r\n"), 4) << "the header and three rows";
    EXPECT_EQ(dialogs.lastText(), saved + " had beed saved.\nRows left out by the filters: 2 of 5 (without a fix: 2).");
    EXPECT_EQ(grid()->rowCount(), 5) << "the table keeps every row";
}

// xdg-open starts even when no program takes the type, so the desktop's defaults decide.
TEST(QtUserDialogsTest, ADesktopWithoutAProgramForKmlIsReportedNotOpened)
{
    QTemporaryDir bin;
    const QString tool = bin.path() + "/xdg-mime";
    QFile script(tool);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nexit 0\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toUtf8());
    QtUserDialogs dialogs;
    const bool opened = dialogs.openDocument((bin.path() + "/data.kml").toStdString());
    qputenv("PATH", path);
    EXPECT_FALSE(opened);
}
