// "Geotag photos…" from the log page's grid, through the dialog to the photos.
#ifdef DROVIK_GEOTAG
#include "geotag/widgets/geotag_dialog.h"

#include "app/frame_log_page.h"
#include "export/export_test_support.h"
#include "support/dated_photo.h"
#include "support/window_fixture.h"
#include "testbed/log_image_writer.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>

namespace {
class GeotagWindowTest : public WindowTest {
protected:
    QAction* geotagAction() const
    {
        for (QAction* action : window->Frame41->StringGrid1->actions())
            if (action->text() == "Geotag photos…")
                return action;
        return nullptr;
    }
    std::string path(const char* name) const { return (folder.path() + "/" + name).toStdString(); }
};

TEST_F(GeotagWindowTest, TheGridsMenuShowsThePhotosPositionsAndThenWritesThem)
{
    ASSERT_TRUE(WriteImageFile(path("track.bin"), MakeSampleImage()));
    window->DecodeLogFile(path("track.bin"));
    QDir(folder.path()).mkdir("photos");
    // 22 s into the sample track, and an hour before it.
    WriteDatedPhoto(path("photos/on.jpg"), {{"Exif.Photo.DateTimeOriginal", "2007:05:24 11:47:02"}});
    WriteDatedPhoto(path("photos/off.jpg"), {{"Exif.Photo.DateTimeOriginal", "2007:05:24 10:47:02"}});
    const std::string untouched = ReadFileBytes(path("photos/on.jpg"));
    dialogs.folderAnswers.push_back(path("photos"));

    QAction* action = geotagAction();
    ASSERT_NE(action, nullptr);
    bool ran = false;
    QTimer::singleShot(0, [&] {
        auto* form = dynamic_cast<GeotagDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        ran = true;
        form->FolderButton->click();
        EXPECT_EQ(form->Photos->text().toStdString(), path("photos"));
        form->ZoneBox->setChecked(true);
        form->Zone->setText("+02:00");
        form->FindButton->click();
        ASSERT_EQ(form->List->rowCount(), 2);
        EXPECT_EQ(form->List->item(0, 0)->text(), "off.jpg");
        EXPECT_EQ(form->List->item(0, 2)->text(), "outside the track");
        EXPECT_EQ(form->List->item(1, 1)->text(), "2007-05-24T09:47:02Z");
        EXPECT_TRUE(form->List->item(1, 2)->text().startsWith("would tag 48."))
            << form->List->item(1, 2)->text().toStdString();
        EXPECT_EQ(ReadFileBytes(path("photos/on.jpg")), untouched) << "nothing is written before Write";
        ASSERT_TRUE(form->WriteButton->isEnabled());
        form->WriteButton->click();
        EXPECT_EQ(form->Progress->value(), 2);
        EXPECT_TRUE(form->List->item(1, 2)->text().startsWith("48.")) << form->List->item(1, 2)->text().toStdString();
        form->CloseButton->click();
    });
    action->trigger();
    EXPECT_TRUE(ran);
    EXPECT_EQ(dialogs.lastText(),
              "Tagged: 1, already tagged: 0, no time: 0, outside the track or a gap: 1, failed: 0.");
    auto image = Exiv2::ImageFactory::open(path("photos/on.jpg"));
    image->readMetadata();
    EXPECT_NE(image->exifData().findKey(Exiv2::ExifKey("Exif.GPSInfo.GPSLatitude")), image->exifData().end());
}
} // namespace
#endif
