// Memory images read from real loggers, kept outside the repository: each
// converted by drovik-cli gives what the images' README says, and gpsbabel's
// reading of the same image agrees point for point.
#include "decode/track_columns.h"
#include "decode/track_table.h"
#include "export/csv_reader.h"
#include "export/export_test_support.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

namespace {
std::filesystem::path RealDumpsFolder()
{
    const char* folder = std::getenv("DROVIK_REAL_DUMPS");
    return folder && *folder ? folder : DROVIK_REAL_DUMPS;
}

struct RealImage {
    const char* file;
    const char* dialect; // --dialect for the images whose bytes cannot tell it
    int points;
    std::vector<int> tracks;
    int waypoints;
    // DATE, TIME and position of the first and last point; empty for a format without them.
    const char* first;
    const char* last;
    const char* gpsbabelFormat; // nullptr where gpsbabel is wrong: it finds no point in an M-1000C's
};

void PrintTo(const RealImage& image, std::ostream* out)
{
    *out << image.file;
}

const RealImage kImages[] = {
    {"generic.bin",
     nullptr,
     817,
     {2, 813, 2},
     4,
     "2008/01/27 13:03:22.836 57.719581 N 12.016372 E",
     "2008/01/27 18:13:31.929 57.707409 N 11.971354 E",
     "mtk-bin"},
    {"generic-sats.bin",
     nullptr,
     585,
     {2, 1, 2, 4, 2, 557, 9, 1, 4, 1, 1, 1},
     0,
     "2015/07/15 10:53:26 52.634804 N 1.263404 E",
     "2015/07/16 16:56:44 52.634662 N 1.264006 E",
     "mtk-bin"},
    {"generic-allfields.bin",
     nullptr,
     33,
     {33},
     0,
     "2008/07/26 12:48:20.500 48.939801 N 2.208578 E",
     "2008/07/26 12:48:52.500 48.939830 N 2.208603 E",
     "mtk-bin"},
    {"m241.bin",
     nullptr,
     1199,
     {1199},
     7,
     "2008/05/04 12:52:47 41.805592 N 12.679832 E",
     "2008/05/04 13:22:35 41.805969 N 12.679401 E",
     "m241-bin"},
    {"m241_multiple_tracks.bin",
     nullptr,
     14263,
     {699, 6656, 5, 1209, 2147, 3547},
     0,
     "2012/11/07 09:11:35 47.964920 N 7.825054 E",
     "2015/04/07 17:36:36 48.950790 N 8.856036 E",
     "m241-bin"},
    {"gp245.bin",
     nullptr,
     395,
     {378, 4, 5, 8},
     0,
     "2009/03/28 09:13:32 49.881634 N 8.079854 E",
     "2009/03/28 19:27:59 49.881721 N 8.080094 E",
     "m241-bin"},
    {"gp245_fw_v2.bin",
     nullptr,
     34,
     {6, 8, 12, 8},
     0,
     "2016/01/10 16:03:15 50.826572 N 12.918104 E",
     "2016/01/10 16:10:41 50.825527 N 12.920075 E",
     "m241-bin"},
    {"m1000c_alt.bin", "m1000c", 9, {9}, 0, "", "", nullptr},
    {"m1000c_spd.bin", "m1000c", 9, {9}, 0, "", "", nullptr},
    {"m1000c_alt_spd.bin", "m1000c", 9, {9}, 0, "", "", nullptr},
};

int ExitStatus(const std::string& command)
{
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class RealDumps : public testing::TestWithParam<RealImage> {
protected:
    void SetUp() override
    {
        image = RealDumpsFolder() / GetParam().file;
        if (!std::filesystem::exists(image))
            GTEST_SKIP() << "no " << image << ": the images read from real loggers are kept outside the repository; "
                         << "set DROVIK_REAL_DUMPS (or the CMake cache variable of that name) to their folder";
    }

    // The image as drovik-cli converts it to CSV, loaded back.
    TrackTable converted()
    {
        std::string command = "'" DROVIK_CLI_PATH "' convert ";
        if (GetParam().dialect)
            command += std::string("--dialect ") + GetParam().dialect + " ";
        command += "'" + image.string() + "' '" + folder.path("out.csv") + "' 2> '" + folder.path("err.txt") + "'";
        EXPECT_EQ(ExitStatus(command), 0) << ReadFileBytes(folder.path("err.txt"));
        TrackTable table;
        EXPECT_TRUE(ReadCsvFile(folder.path("out.csv"), table).loaded());
        return table;
    }

    std::filesystem::path image;
    ScratchFolder folder;
};

std::vector<int> TrackSizes(const TrackTable& table)
{
    const int column = table.findColumn(header::kTrack);
    std::vector<int> sizes;
    for (int row = 1; row < table.rowCount(); ++row) {
        if (sizes.empty() || table.cell(column, row) != table.cell(column, row - 1))
            sizes.push_back(0);
        ++sizes.back();
    }
    return sizes;
}

int ButtonPoints(const TrackTable& table)
{
    const int column = table.findColumn("RCR");
    int count = 0;
    for (int row = 1; column > 0 && row < table.rowCount(); ++row)
        count += table.cell(column, row).find('B') != std::string::npos;
    return count;
}

std::string TimeAndPlace(const TrackTable& table, int row)
{
    std::string text;
    for (const std::string_view header : {header::kDate, header::kTime, header::kLatitude, std::string_view("N/S"),
                                          header::kLongitude, std::string_view("E/W")})
        if (const int column = table.findColumn(header); column > 0)
            text += (text.empty() ? "" : " ") + table.cell(column, row);
    return text;
}
} // namespace

TEST_P(RealDumps, ConvertGivesWhatTheirReadmeSays)
{
    const RealImage& expected = GetParam();
    const TrackTable table = converted();
    EXPECT_EQ(table.rowCount() - 1, expected.points);
    EXPECT_EQ(TrackSizes(table), expected.tracks);
    EXPECT_EQ(ButtonPoints(table), expected.waypoints);
    EXPECT_EQ(TimeAndPlace(table, 1), expected.first);
    EXPECT_EQ(TimeAndPlace(table, table.rowCount() - 1), expected.last);
}

TEST(RealDumpsOfTheM1000C, SpeedComesBeforeHeight)
{
    const std::filesystem::path image = RealDumpsFolder() / "m1000c_alt_spd.bin";
    if (!std::filesystem::exists(image))
        GTEST_SKIP() << "no " << image << " (see the RealDumps tests)";
    ScratchFolder folder;
    ASSERT_EQ(ExitStatus("'" DROVIK_CLI_PATH "' convert --dialect m1000c '" + image.string() + "' '" +
                         folder.path("out.csv") + "' 2>/dev/null"),
              0);
    // The record at 0x248 is the eighth: 23 cm/s, then 300.1875 m.
    EXPECT_EQ(CrLfLines(ReadFileBytes(folder.path("out.csv"))).at(8), "8,300.188 m,0.828 km/h,");
}

namespace {
// gpsbabel's unicsv: a header line naming the columns, then one line per point.
std::vector<std::map<std::string, std::string>> ReadUnicsv(const std::string& path)
{
    std::ifstream file(path);
    std::vector<std::string> names;
    std::vector<std::map<std::string, std::string>> points;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::vector<std::string> fields;
        std::istringstream stream(line);
        for (std::string field; std::getline(stream, field, ',');)
            fields.push_back(field);
        if (names.empty()) {
            names = fields;
            continue;
        }
        auto& point = points.emplace_back();
        for (std::size_t i = 0; i < fields.size() && i < names.size(); ++i)
            point[names[i]] = fields[i];
    }
    return points;
}

double Number(const std::string& cell)
{
    return std::stod(cell);
}

// The point as gpsbabel reads it, compared with the table's row; empty when they agree.
std::string Disagreement(const TrackTable& table, int row, const std::map<std::string, std::string>& point)
{
    const auto cell = [&](std::string_view header, int offset = 0) {
        const int column = table.findColumn(header);
        return column < 0 ? std::string() : table.cell(column + offset, row);
    };
    const auto has = [&](const char* name) { return point.count(name) && !point.at(name).empty(); };
    std::ostringstream differs;
    const auto signedCell = [&](std::string_view header, const char* positive) {
        return (cell(header, 1) == positive ? 1 : -1) * Number(cell(header));
    };
    if (std::fabs(signedCell(header::kLatitude, "N") - Number(point.at("Latitude"))) > 1.5e-6 ||
        std::fabs(signedCell(header::kLongitude, "E") - Number(point.at("Longitude"))) > 1.5e-6)
        differs << " position";
    const std::string time = point.at("Time");
    if (cell(header::kDate) != point.at("Date") ||
        (cell(header::kTime) != time && cell(header::kTime) != time + ".000"))
        differs << " time";
    if (has("Altitude") && std::fabs(Number(cell(header::kHeight)) - Number(point.at("Altitude"))) > 0.051)
        differs << " height";
    if (has("Speed") && std::fabs(Number(cell(header::kSpeed)) / 3.6 - Number(point.at("Speed"))) > 0.0051)
        differs << " speed";
    if (has("Course") && std::fabs(Number(cell(header::kHeading)) - Number(point.at("Course"))) > 0.051)
        differs << " heading";
    for (const auto& [header, name] :
         {std::pair{header::kHdop, "HDOP"}, std::pair{header::kVdop, "VDOP"}, std::pair{header::kPdop, "PDOP"}})
        if (has(name) && cell(header) != point.at(name))
            differs << " " << name;
    // gpsbabel leaves out a count of none.
    if (point.count("Satellites") && cell(header::kNsat).substr(0, cell(header::kNsat).find('(')) !=
                                         (has("Satellites") ? point.at("Satellites") : "0"))
        differs << " satellites";
    static const std::map<std::string, std::string> kFixOfValid = {
        {"No fix", "\"none\""}, {"SPS", "\"3d\""}, {"DGPS", "\"dgps\""}};
    if (has("FIX") && kFixOfValid.count(cell(header::kValid)) &&
        kFixOfValid.at(cell(header::kValid)) != point.at("FIX"))
        differs << " fix";
    return differs.str();
}

std::vector<int> GpxTrackSizes(const std::string& gpx)
{
    std::vector<int> sizes;
    for (std::size_t at = gpx.find("<trk>"); at != std::string::npos; at = gpx.find("<trk>", at + 1)) {
        const std::size_t end = gpx.find("</trk>", at);
        sizes.push_back(0);
        for (std::size_t point = gpx.find("<trkpt ", at); point < end; point = gpx.find("<trkpt ", point + 1))
            ++sizes.back();
    }
    return sizes;
}
} // namespace

// Only the images gpsbabel reads right.
class RealDumpsAndGpsbabel : public RealDumps {};

TEST_P(RealDumpsAndGpsbabel, AgreePointForPoint)
{
    const RealImage& expected = GetParam();
    if (ExitStatus("command -v gpsbabel > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "gpsbabel is not installed (Debian package gpsbabel); this test needs it";
    // gpsbabel's -t and -w hold for the reading that follows them.
    const auto read = [&](const char* kind, const char* format, const std::string& output) {
        return ExitStatus(std::string("gpsbabel ") + kind + " -i " + expected.gpsbabelFormat + " -f '" +
                          image.string() + "' -o " + format + " -F '" + folder.path(output) + "'");
    };
    ASSERT_EQ(read("-t", "unicsv", "points.csv"), 0);
    ASSERT_EQ(read("-w", "unicsv", "waypoints.csv"), 0);
    ASSERT_EQ(read("-t", "gpx", "tracks.gpx"), 0);
    // The button points of drovik-cli's GPX, as gpsbabel reads them back.
    ASSERT_EQ(ExitStatus("'" DROVIK_CLI_PATH "' convert '" + image.string() + "' '" + folder.path("ours.gpx") +
                         "' 2>/dev/null && gpsbabel -w -i gpx -f '" + folder.path("ours.gpx") + "' -o unicsv -F '" +
                         folder.path("our-waypoints.csv") + "'"),
              0);

    const TrackTable table = converted();
    const auto points = ReadUnicsv(folder.path("points.csv"));
    ASSERT_EQ(static_cast<int>(points.size()), table.rowCount() - 1);
    for (int row = 1; row < table.rowCount(); ++row)
        ASSERT_EQ(Disagreement(table, row, points[row - 1]), "") << "point " << row;
    const auto waypoints = ReadUnicsv(folder.path("waypoints.csv"));
    EXPECT_EQ(static_cast<int>(waypoints.size()), ButtonPoints(table));
    const auto ours = ReadUnicsv(folder.path("our-waypoints.csv"));
    ASSERT_EQ(ours.size(), waypoints.size());
    for (std::size_t i = 0; i < ours.size(); ++i)
        for (const char* coordinate : {"Latitude", "Longitude"})
            EXPECT_NEAR(Number(ours[i].at(coordinate)), Number(waypoints[i].at(coordinate)), 1.5e-6)
                << "waypoint " << i + 1;
    EXPECT_EQ(GpxTrackSizes(ReadFileBytes(folder.path("tracks.gpx"))), TrackSizes(table));
}

namespace {
std::string NameOf(const testing::TestParamInfo<RealImage>& info)
{
    std::string name = info.param.file;
    name = name.substr(0, name.find('.'));
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

std::vector<RealImage> ReadByGpsbabel()
{
    std::vector<RealImage> images;
    std::copy_if(std::begin(kImages), std::end(kImages), std::back_inserter(images),
                 [](const RealImage& image) { return image.gpsbabelFormat != nullptr; });
    return images;
}
} // namespace

INSTANTIATE_TEST_SUITE_P(Images, RealDumps, testing::ValuesIn(kImages), NameOf);
INSTANTIATE_TEST_SUITE_P(Images, RealDumpsAndGpsbabel, testing::ValuesIn(ReadByGpsbabel()), NameOf);
