// drovik-cli geotag on photos made here, against a decoded sample image,
// read back by exiftool.
#include "export/export_test_support.h"
#include "support/tiny_jpeg.h"
#include "testbed/log_image_writer.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <filesystem>
#include <map>

#include <sys/wait.h>

namespace {
namespace fs = std::filesystem;

std::string Quoted(const std::string& word)
{
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// The exit status; stdout and stderr go to the files given.
int RunProgram(const std::vector<std::string>& words, const std::string& out, const std::string& err)
{
    std::string command;
    for (const std::string& word : words)
        command += Quoted(word) + " ";
    command += ">" + Quoted(out) + " 2>" + Quoted(err) + " </dev/null";
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

// The decoded table's texts hold six decimals of a degree and three of a metre.
double Rounded(double value, double scale)
{
    return std::round(value * scale) / scale;
}

class GeotagCli : public testing::Test {
protected:
    void SetUp() override
    {
        if (std::system("command -v exiftool >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "exiftool is not installed";
        ASSERT_TRUE(WriteImageFile(folder.path("track.bin"), MakeSampleImage()));
        fs::create_directory(folder.path("photos"));
    }

    std::string photo(const std::string& name) const { return folder.path("photos/" + name); }

    // A JPEG with a maker and the exiftool tag assignments given.
    void makePhoto(const std::string& name, const std::vector<std::string>& tags)
    {
        WriteFileBytes(photo(name), TinyJpeg());
        std::vector<std::string> words{"exiftool", "-q", "-overwrite_original", "-Make=TestCam"};
        words.insert(words.end(), tags.begin(), tags.end());
        words.push_back(photo(name));
        ASSERT_EQ(RunProgram(words, folder.path("exiftool.out"), folder.path("exiftool.err")), 0)
            << ReadFileBytes(folder.path("exiftool.err"));
    }

    int geotag(std::vector<std::string> options)
    {
        std::vector<std::string> words{DROVIK_CLI_PATH,          "geotag", "--track",
                                       folder.path("track.bin"), "--zone", "+02:00"};
        words.insert(words.end(), options.begin(), options.end());
        words.push_back(folder.path("photos"));
        const int status = RunProgram(words, folder.path("geotag.out"), folder.path("geotag.err"));
        out = ReadFileBytes(folder.path("geotag.out"));
        return status;
    }

    nlohmann::json readBack(const std::string& name)
    {
        const std::string json = folder.path("exif.json");
        RunProgram({"exiftool", "-j", "-n", "-Make", "-DateTimeOriginal", "-Composite:GPSLatitude",
                    "-Composite:GPSLongitude", "-GPSAltitude", "-GPSAltitudeRef", "-GPSMapDatum", "-GPSDateStamp",
                    "-GPSTimeStamp", "-GPSVersionID", photo(name)},
                   json, folder.path("exiftool.err"));
        return nlohmann::json::parse(ReadFileBytes(json)).at(0);
    }

    std::map<std::string, std::string> photoBytes() const
    {
        std::map<std::string, std::string> bytes;
        for (const auto& entry : fs::directory_iterator(folder.path("photos")))
            bytes[entry.path().filename().string()] = ReadFileBytes(entry.path().string());
        return bytes;
    }

    ScratchFolder folder;
    std::string out;
};

TEST_F(GeotagCli, TagsThePhotosOnTheTrackAndLeavesTheOthersAsTheyWere)
{
    // 09:47:02 UTC: 22 s into the track, between points 4 and 5.
    makePhoto("between.jpg", {"-DateTimeOriginal=2007:05:24 11:47:02"});
    // The photo's own zone wins over --zone: 09:48:00.500 UTC, just after point 16.
    makePhoto("own-zone.jpg",
              {"-DateTimeOriginal=2007:05:24 06:48:00", "-OffsetTimeOriginal=-03:00", "-SubSecTimeOriginal=5"});
    makePhoto("tagged.jpg", {"-DateTimeOriginal=2007:05:24 11:47:02", "-GPSLatitude=1.5", "-GPSLatitudeRef=S",
                             "-GPSLongitude=2.5", "-GPSLongitudeRef=E"});
    makePhoto("early.jpg", {"-DateTimeOriginal=2007:05:24 09:00:00"});
    makePhoto("no-time.jpg", {});
    WriteFileBytes(photo("notes.txt"), "not a photo\n");
    fs::last_write_time(photo("between.jpg"), fs::file_time_type::clock::now() - std::chrono::hours(48));
    const auto before = photoBytes();
    const auto modified = fs::last_write_time(photo("between.jpg"));

    ASSERT_EQ(geotag({"--dry-run"}), 0) << out << ReadFileBytes(folder.path("geotag.err"));
    EXPECT_NE(out.find("Would tag: 2, already tagged: 1, no time: 1, outside the track or a gap: 1, failed: 0."),
              std::string::npos)
        << out;
    EXPECT_EQ(photoBytes(), before);

    ASSERT_EQ(geotag({}), 0) << out << ReadFileBytes(folder.path("geotag.err"));
    EXPECT_NE(out.find("Tagged: 2, already tagged: 1, no time: 1, outside the track or a gap: 1, failed: 0."),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("between.jpg  2007-05-24T09:47:02Z  "), std::string::npos) << out;
    EXPECT_NE(out.find("early.jpg  2007-05-24T07:00:00Z  outside the track"), std::string::npos) << out;
    EXPECT_EQ(out.find("notes.txt"), std::string::npos) << out;
    const auto after = photoBytes();
    for (const char* unchanged : {"tagged.jpg", "early.jpg", "no-time.jpg", "notes.txt"})
        EXPECT_EQ(after.at(unchanged), before.at(unchanged)) << unchanged;
    EXPECT_EQ(fs::last_write_time(photo("between.jpg")), modified);

    struct Expected {
        const char* name;
        int point;       // the track point before the photo
        double fraction; // of the way to the next
        const char* time;
    };
    for (const Expected& e :
         {Expected{"between.jpg", 4, 0.4, "09:47:02"}, Expected{"own-zone.jpg", 16, 0.1, "09:48:00.5"}}) {
        const TrackRecord from = SampleTrackRecord(e.point), to = SampleTrackRecord(e.point + 1);
        const auto between = [&](double a, double b, double scale) {
            return Rounded(a, scale) + (Rounded(b, scale) - Rounded(a, scale)) * e.fraction;
        };
        const nlohmann::json tags = readBack(e.name);
        EXPECT_NEAR(tags.at("GPSLatitude").get<double>(), between(*from.latitude, *to.latitude, 1e6), 1e-6) << e.name;
        EXPECT_NEAR(tags.at("GPSLongitude").get<double>(), between(*from.longitude, *to.longitude, 1e6), 1e-6)
            << e.name;
        EXPECT_NEAR(tags.at("GPSAltitude").get<double>(), between(*from.height, *to.height, 1e3), 1e-3) << e.name;
        EXPECT_EQ(tags.at("GPSAltitudeRef"), 0) << e.name;
        EXPECT_EQ(tags.at("GPSMapDatum"), "WGS-84") << e.name;
        EXPECT_EQ(tags.at("GPSDateStamp"), "2007:05:24") << e.name;
        EXPECT_EQ(tags.at("GPSTimeStamp").dump().find(e.time), 1u) << tags.at("GPSTimeStamp").dump();
        EXPECT_EQ(tags.at("GPSVersionID"), "2 3 0 0") << e.name;
        EXPECT_EQ(tags.at("Make"), "TestCam") << e.name;
    }
    EXPECT_EQ(readBack("between.jpg").at("DateTimeOriginal"), "2007:05:24 11:47:02");
}
} // namespace
