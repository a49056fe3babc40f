#include "geotag/geotag_photo.h"

#include "export/iso_time.h"
#include "support/dated_photo.h"

#include <exiv2/exiv2.hpp>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {
namespace fs = std::filesystem;

const std::int64_t kStart = ParseIsoTime("2008-05-04T12:30:00Z").value();
const std::vector<TrackPoint> kTrack = {{kStart, 10.0, 20.0, 100.0}, {kStart + 10000, 11.0, 21.0, std::nullopt}};

std::string Bytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

class GeotagPhoto : public testing::Test {
protected:
    void SetUp() override
    {
        InitializePhotoMetadata();
        const char* folder = std::getenv("TEST_TMPDIR");
        // Named after the test, as ctest may run the tests at once.
        const std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        path = (fs::path(folder ? folder : "/tmp") / (name + ".jpg")).string();
        fs::remove(SidecarPath(path));
        WriteDatedPhoto(path, {{"Exif.Photo.DateTimeOriginal", "2008:05:04 12:30:00"}, {"Exif.Image.Make", "TestCam"}});
        options.clock.zoneSeconds = 0;
    }

    PhotoOutcome tag(std::int64_t correction)
    {
        options.clock.correctionMilliseconds = correction;
        PhotoOutcome outcome = PhotoOutcome::NotPhoto;
        PlanWriter writer(options, [&](const PhotoPlan& plan) { outcome = plan.outcome; });
        writer.add(PlanPhoto(path, kTrack, options));
        writer.finish();
        return outcome;
    }

    Exiv2::ExifData exif()
    {
        auto image = Exiv2::ImageFactory::open(path);
        image->readMetadata();
        return image->exifData();
    }

    std::string path;
    GeotagOptions options;
};

TEST_F(GeotagPhoto, KeepsAPositionUnlessOverwritingAndReplacesEveryGpsTagThen)
{
    ASSERT_EQ(tag(0), PhotoOutcome::Tagged);
    EXPECT_EQ(exif()["Exif.GPSInfo.GPSLatitude"].toString(), "10/1 0/1 0/10000");
    EXPECT_EQ(exif()["Exif.GPSInfo.GPSAltitude"].toString(), "100000/1000");
    const std::string tagged = Bytes(path);
    EXPECT_EQ(tag(5000), PhotoOutcome::AlreadyTagged);
    EXPECT_EQ(Bytes(path), tagged);

    options.overwrite = true;
    ASSERT_EQ(tag(5000), PhotoOutcome::Tagged);
    const Exiv2::ExifData overwritten = exif();
    EXPECT_EQ(overwritten.findKey(Exiv2::ExifKey("Exif.GPSInfo.GPSLatitude"))->toString(), "10/1 30/1 0/10000");
    EXPECT_EQ(overwritten.findKey(Exiv2::ExifKey("Exif.GPSInfo.GPSAltitude")), overwritten.end())
        << "no height between the points: the old altitude must go";
    EXPECT_EQ(overwritten.findKey(Exiv2::ExifKey("Exif.Image.Make"))->toString(), "TestCam");
}

TEST_F(GeotagPhoto, WritesASidecarAndLeavesThePhotoAlone)
{
    const std::string photo = Bytes(path);
    options.sidecar = true;
    ASSERT_EQ(tag(2500), PhotoOutcome::Tagged);
    EXPECT_EQ(Bytes(path), photo);
    auto sidecar = Exiv2::ImageFactory::open(SidecarPath(path));
    sidecar->readMetadata();
    EXPECT_EQ(sidecar->xmpData()["Xmp.exif.GPSLatitude"].toString(), "10,15.0000000N");
    EXPECT_EQ(sidecar->xmpData()["Xmp.exif.GPSLongitude"].toString(), "20,15.0000000E");
    EXPECT_EQ(tag(0), PhotoOutcome::AlreadyTagged) << "a position in the sidecar counts";
}
} // namespace
