// gpsbabel, a converter written by others for this logger family, downloads
// from drovik-sim: a witness that the simulator speaks as real loggers do; and
// it reads back the GPX that drovik-cli writes.
#include "e2e/download_support.h"
#include "export/export_test_support.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <ctime>

using namespace download_e2e;
using namespace simharness;

namespace {
struct TrackPoint {
    double latitude = 0;
    double longitude = 0;
    std::string time;
};

std::string Between(std::string_view text, std::string_view open, std::string_view close)
{
    auto start = text.find(open);
    if (start == std::string_view::npos)
        return {};
    start += open.size();
    return std::string(text.substr(start, text.find(close, start) - start));
}

// The track points of a GPX file, in order.
std::vector<TrackPoint> TrackPoints(const std::filesystem::path& gpx)
{
    const auto bytes = FileBytes(gpx);
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    std::vector<TrackPoint> points;
    for (auto start = text.find("<trkpt "); start != std::string_view::npos; start = text.find("<trkpt ", start + 1)) {
        const std::string_view point = text.substr(start, text.find("</trkpt>", start) - start);
        points.push_back({std::stod(Between(point, "lat=\"", "\"")), std::stod(Between(point, "lon=\"", "\"")),
                          Between(point, "<time>", "</time>")});
    }
    return points;
}

std::string IsoTime(std::int32_t utc)
{
    const std::time_t seconds = utc;
    std::tm parts{};
    gmtime_r(&seconds, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}
} // namespace

TEST(Gpsbabel, DownloadsEveryRecordAndTheMemoryAsServed)
{
    if (std::system("command -v gpsbabel > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "gpsbabel is not installed (Debian package gpsbabel); this test needs it";

    // A full sector and part of the next, as a logger fills its memory.
    std::vector<TrackRecord> records;
    LogImageWriter writer;
    auto write = [&] {
        records.push_back(SampleTrackRecord(static_cast<int>(records.size())));
        writer.record(records.back());
    };
    writer.beginSector(kSampleImageMask);
    while (writer.fits(SampleTrackRecord(static_cast<int>(records.size()))))
        write();
    writer.beginSector(kSampleImageMask);
    for (int i = 0; i < 60; ++i)
        write();
    TempFile image(writer.image());
    SimProcess sim({"--image", image.path()});
    auto memory = writer.image();
    memory.resize(kFullMemory, 0xFF);

    // It leaves data.bin in the temporary folder.
    const auto folder = sim.directory();
    const std::string command = "cd '" + folder.string() + "' && TMPDIR='" + folder.string() +
                                "' timeout 60 gpsbabel -t -i mtk -f '" + sim.slavePath() +
                                "' -o gpx -F track.gpx > gpsbabel.txt 2>&1";
    const int status = std::system(command.c_str());
    const auto output = FileBytes(folder / "gpsbabel.txt");
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << std::string(output.begin(), output.end());

    const auto points = TrackPoints(folder / "track.gpx");
    ASSERT_EQ(points.size(), records.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        EXPECT_NEAR(points[i].latitude, *records[i].latitude, 1e-8) << i;
        EXPECT_NEAR(points[i].longitude, *records[i].longitude, 1e-8) << i;
        EXPECT_EQ(points[i].time, IsoTime(*records[i].utc)) << i;
    }

    const auto downloaded = FileBytes(folder / "data.bin");
    ASSERT_GE(downloaded.size(), std::stoul(sim.stateValue("next_address"), nullptr, 16));
    ASSERT_LE(downloaded.size(), memory.size());
    EXPECT_TRUE(std::equal(downloaded.begin(), downloaded.end(), memory.begin()));
}

TEST(Gpsbabel, ReadsBackTheGpxOfADecodedFullMemory)
{
    if (std::system("command -v gpsbabel > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "gpsbabel is not installed (Debian package gpsbabel); this test needs it";
    ScratchFolder folder;
    ASSERT_TRUE(WriteImageFile(folder.path("full.bin"), MakeSampleImage({.sectorCount = 32})));
    const std::string command = "'" DROVIK_CLI_PATH "' convert '" + folder.path("full.bin") + "' '" +
                                folder.path("track.gpx") + "' > '" + folder.path("out.txt") +
                                "' 2>&1 && gpsbabel -t -i gpx -f '" + folder.path("track.gpx") + "' -o gpx -F '" +
                                folder.path("again.gpx") + "' >> '" + folder.path("out.txt") + "' 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << ReadFileBytes(folder.path("out.txt"));

    TrackTable table;
    ASSERT_TRUE(DecodeLogImageFile(folder.path("full.bin"), table).loaded());
    const auto points = TrackPoints(folder.path("again.gpx"));
    ASSERT_GT(table.rowCount(), 10000);
    ASSERT_EQ(points.size(), static_cast<std::size_t>(table.rowCount() - 1)) << "every sample point has a fix";
    for (std::size_t i = 0; i < points.size(); ++i) {
        const TrackRecord record = SampleTrackRecord(static_cast<int>(i));
        ASSERT_NEAR(points[i].latitude, *record.latitude, 1e-6) << i;
        ASSERT_NEAR(points[i].longitude, *record.longitude, 1e-6) << i;
        ASSERT_EQ(points[i].time, IsoTime(*record.utc)) << i;
    }
}
