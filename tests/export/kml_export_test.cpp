#include "export/kml_export.h"

#include "export/export_test_support.h"
#include "export/geodesy.h"
#include "export/kml_reading.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {
struct Point {
    std::string rcr = "T";
    std::string valid = "SPS";
    std::string latitude = "24.000000";
    std::string northSouth = "N";
    std::string longitude = "121.000000";
    std::string eastWest = "E";
    std::string height = "0.000 m";
    std::string speed = "3.000 km/h";
    std::string date = "2007/05/24";
    std::string time = "09:46:40";
};

const std::vector<std::string> kHeaders = {"INDEX", "RCR",       "DATE", "TIME",   "VALID", "LATITUDE",
                                           "N/S",   "LONGITUDE", "E/W",  "HEIGHT", "SPEED"};

TrackTable TableOfPoints(const std::vector<Point>& points, const std::vector<std::string>& headers = kHeaders)
{
    std::vector<std::vector<std::string>> rows = {headers};
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Point& p = points[i];
        const std::vector<std::string> all = {
            std::to_string(i + 1), p.rcr,       p.date,     p.time,   p.valid, p.latitude,
            p.northSouth,          p.longitude, p.eastWest, p.height, p.speed};
        std::vector<std::string> row;
        for (const std::string& header : headers) {
            const auto at = std::find(kHeaders.begin(), kHeaders.end(), header);
            row.push_back(at == kHeaders.end() ? std::string("x") : all[at - kHeaders.begin()]);
        }
        rows.push_back(row);
    }
    return TableOf(rows);
}

std::vector<std::string> Without(std::vector<std::string> headers, const std::string& header)
{
    headers.erase(std::find(headers.begin(), headers.end(), header));
    return headers;
}

std::string DistanceText(double metres)
{
    char text[32];
    std::snprintf(text, sizeof text, "%10.2f", metres);
    return text;
}

// Straight line between two points at height 0, as the exports measure it.
double Chord(double latitude1, double longitude1, double latitude2, double longitude2)
{
    const auto at = [](double latitude, double longitude) {
        const double phi = DegreesToRadians(latitude);
        const double lambda = DegreesToRadians(longitude);
        return Ecef{EcefX(0, lambda, phi), EcefY(0, lambda, phi), EcefZ(0, lambda, phi)};
    };
    const Ecef to = at(latitude2, longitude2);
    return EcefDistance(at(latitude1, longitude1), to.x, to.y, to.z);
}

Point At(const std::string& rcr, const std::string& latitude, const std::string& longitude)
{
    Point point;
    point.rcr = rcr;
    point.latitude = latitude;
    point.longitude = longitude;
    return point;
}

class KmlExport : public testing::Test {
protected:
    KmlContent saveAs(const TrackTable& table)
    {
        const std::string path = folder.path("trip.kml");
        EXPECT_TRUE(SaveKmlFile(path, table).saved());
        return read(path);
    }

    KmlContent draw(const TrackTable& table, const DrawOptions& options)
    {
        EXPECT_FALSE(DrawKmlRefusal(table));
        drawn = WriteDrawKmlFile(table, options);
        EXPECT_TRUE(drawn.saved());
        return read(folder.path("data.kml"));
    }

    KmlContent read(const std::string& path)
    {
        document = ReadFileBytes(path);
        EXPECT_TRUE(IsWellFormedXml(document));
        return ReadKml(document);
    }

    ScratchFolder folder;
    WorkingDirectoryGuard inFolder{folder.root()};
    std::string document;
    SaveResult drawn;
};

TEST_F(KmlExport, DrawTakesTheLineStyleFromTheDialog)
{
    struct Case {
        DrawOptions options;
        const char* colour;
        const char* width;
        const char* pathName;
    };
    const Case cases[] = {
        {{1.0, 0x000000, 1, 1, 100}, "ff000000", "1.0", "Path0"},
        {{4.0, 0x0000FF, 1, 1, 1}, "020000ff", "4.0", "Path255"},
        {{1.0, kNoColourSelected, 1, 1, 100}, "ff000000", "1.0", "Path-16777216"},
    };
    for (const Case& c : cases) {
        const KmlContent kml = draw(TableOfPoints({Point{}}), c.options);
        EXPECT_EQ(kml.documentName, "My Trip");
        EXPECT_EQ(kml.lineColour, c.colour);
        EXPECT_EQ(kml.lineWidth, c.width);
        EXPECT_EQ(kml.pathName, c.pathName);
    }
}

TEST_F(KmlExport, DrawSaysWhereDataKmlWentForTheViewer)
{
    draw(TableOfPoints({Point{}, Point{}, Point{}}), DrawOptions{});
    EXPECT_EQ(std::filesystem::path(drawn.text), std::filesystem::absolute("data.kml"));
    EXPECT_EQ(drawn.rows, 3);
}

TEST_F(KmlExport, RecordReasonsChooseThePlacemark)
{
    struct Case {
        const char* rcr;
        const char* style; // "" for no placemark
        const char* name;
    };
    const Case cases[] = {
        {"T", "#StyleT", "TIME: 09:46:40"},
        {"D", "#StyleD", "DISTANCE:      0.00 m"},
        {"S", "#StyleS", "TIME:09:46:40, SPEED: 3.000 km/h"},
        {"TD", "#StyleU", "TIME:09:46:40, DISTANCE:      0.00 m, SPEED:3.000 km/h"},
        {"TS", "#StyleU", "TIME:09:46:40, DISTANCE:      0.00 m, SPEED:3.000 km/h"},
        {"TDS", "#StyleU", "TIME:09:46:40, DISTANCE:      0.00 m, SPEED:3.000 km/h"},
        {"B", "#StyleM", "DATE: 2007/05/24, TIME: 09:46:40, LATITUDE: 24.000000 N, LONGITUDE: 121.000000 E"},
        {"TB", "#StyleM", "DATE: 2007/05/24, TIME: 09:46:40, LATITUDE: 24.000000 N, LONGITUDE: 121.000000 E"},
        {"", "", ""},
        {"xyz", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rcr);
        Point point;
        point.rcr = c.rcr;
        const KmlContent kml = saveAs(TableOfPoints({point}));
        EXPECT_EQ(kml.trackPoints, (std::vector<std::string>{"121.000000,24.000000,0"}));
        if (*c.style == '\0') {
            EXPECT_TRUE(kml.places.empty());
            continue;
        }
        ASSERT_EQ(kml.places.size(), 1u);
        EXPECT_EQ(kml.places[0].styleUrl, c.style);
        EXPECT_EQ(kml.places[0].name, c.name);
        EXPECT_EQ(kml.places[0].coordinates, "121.000000,24.000000,0");
        EXPECT_EQ(kml.places[0].description, "Date: 2007/05/24<br />Time: 09:46:40<br />Latitude: 24.000000 N"
                                             "<br />Longitude: 121.000000 E<br />Speed: 3.000 km/h"
                                             "<br />DISTANCE:      0.00 m<br />");
    }
}

TEST_F(KmlExport, TheDrawExportPutsABlankInTheSpeedPlacemarkName)
{
    Point point;
    point.rcr = "S";
    const KmlContent kml = draw(TableOfPoints({point}), DrawOptions{});
    ASSERT_EQ(kml.places.size(), 1u);
    EXPECT_EQ(kml.places[0].name, "TIME: 09:46:40, SPEED: 3.000 km/h");
}

TEST_F(KmlExport, DistanceRunsAlongValidRowsOnly)
{
    Point noFix = At("D", "50.000000", "50.000000");
    noFix.valid = "No fix";
    const KmlContent kml =
        saveAs(TableOfPoints({At("D", "1.000000", "10.000000"), noFix, At("D", "1.001000", "10.000000"),
                              At("", "1.002000", "10.000000"), At("D", "1.002000", "10.001000")}));
    const double leg1 = Chord(1.000, 10.000, 1.001, 10.000);
    const double leg2 = Chord(1.001, 10.000, 1.002, 10.000);
    const double leg3 = Chord(1.002, 10.000, 1.002, 10.001);
    ASSERT_EQ(kml.places.size(), 3u);
    EXPECT_EQ(kml.places[0].name, "DISTANCE:" + DistanceText(0) + " m");
    EXPECT_EQ(kml.places[1].name, "DISTANCE:" + DistanceText(leg1) + " m");
    EXPECT_EQ(kml.places[2].name, "DISTANCE:" + DistanceText(leg1 + leg2 + leg3) + " m");
    EXPECT_NEAR(leg1, 110.6, 0.1);
    EXPECT_EQ(kml.trackPoints.size(), 4u);
}

TEST_F(KmlExport, ALegFromAPointWithAZeroCoordinateIsNotCounted)
{
    const KmlContent kml = saveAs(TableOfPoints(
        {At("D", "1.000000", "0.000000"), At("D", "1.001000", "0.000000"), At("D", "1.002000", "0.001000")}));
    ASSERT_EQ(kml.places.size(), 3u);
    EXPECT_EQ(kml.places[1].name, "DISTANCE:" + DistanceText(0) + " m");
    EXPECT_EQ(kml.places[2].name, "DISTANCE:" + DistanceText(0) + " m");
}

TEST_F(KmlExport, TheIndexRangeLimitsPlacemarksButNotTheDistanceOrTheLine)
{
    std::vector<Point> points;
    for (int i = 0; i < 6; ++i)
        points.push_back(At("D", "1.00" + std::to_string(i) + "000", "10.000000"));
    DrawOptions options;
    options.indexStart = 3;
    options.indexEnd = 4;
    const KmlContent kml = draw(TableOfPoints(points), options);
    ASSERT_EQ(kml.places.size(), 2u);
    EXPECT_EQ(kml.places[0].name,
              "DISTANCE:" + DistanceText(Chord(1.000, 10, 1.001, 10) + Chord(1.001, 10, 1.002, 10)) + " m");
    EXPECT_EQ(kml.trackPoints.size(), 6u);
}

TEST_F(KmlExport, DrawWritesTrackPointsAsTheCellsHoldThem)
{
    const KmlContent kml = draw(TableOfPoints({At("T", "24.5", "121.25abc")}), DrawOptions{});
    EXPECT_EQ(kml.trackPoints, (std::vector<std::string>{"121.25abc,24.5,0"}));
    ASSERT_EQ(kml.places.size(), 1u);
    EXPECT_EQ(kml.places[0].coordinates, "121.250000,24.500000,0");
}

TEST_F(KmlExport, RowsWithoutReadableCoordinatesArePassedOverAndTheTrackGoesOnPastThem)
{
    Point noHemisphere = At("D", "1.000500", "10.000000");
    noHemisphere.northSouth = "";
    const KmlContent kml =
        saveAs(TableOfPoints({At("D", "1.000000", "10.000000"), At("D", "", "10.000000"), At("D", "north", "10.000000"),
                              At("D", "1.000500", "east"), noHemisphere, At("D", "1.001000", "10.000000")}));
    ASSERT_EQ(kml.places.size(), 2u);
    EXPECT_EQ(kml.places[1].name, "DISTANCE:" + DistanceText(Chord(1.000, 10.000, 1.001, 10.000)) + " m");
    EXPECT_EQ(kml.trackPoints, (std::vector<std::string>{"10.000000,1.000000,0", "10.000000,1.001000,0"}));
}

TEST_F(KmlExport, EachTrackIsALineOfItsOwn)
{
    TrackTable table = TableOf({
        {"INDEX", "RCR", "DATE", "TIME", "VALID", "LATITUDE", "N/S", "LONGITUDE", "E/W", "TRACK"},
        {"1", "", "2007/05/24", "09:46:40", "SPS", "1.000000", "N", "10.000000", "E", "1"},
        {"2", "", "2007/05/24", "09:46:45", "SPS", "1.100000", "N", "10.000000", "E", "1"},
        {"3", "", "2007/05/24", "09:46:50", "No fix", "1.200000", "N", "10.000000", "E", "2"},
        {"4", "", "2007/05/24", "09:46:55", "SPS", "1.300000", "N", "10.000000", "E", "2"},
        {"5", "", "2007/05/24", "09:47:00", "SPS", "1.400000", "N", "10.000000", "E", "3"},
    });
    for (const KmlContent& kml : {saveAs(table), draw(table, DrawOptions{})}) {
        ASSERT_EQ(kml.linesOfPoints.size(), 3u);
        EXPECT_EQ(kml.linesOfPoints[0], (std::vector<std::string>{"10.000000,1.000000,0", "10.000000,1.100000,0"}));
        EXPECT_EQ(kml.linesOfPoints[1].size(), 1u) << "a track may begin with a row that has no fix";
        EXPECT_EQ(kml.linesOfPoints[2].size(), 1u);
    }
}

TEST_F(KmlExport, WithoutASpeedColumnSpeedReadsNA)
{
    const KmlContent kml = saveAs(TableOfPoints(
        {At("S", "24.000000", "121.000000"), At("TD", "24.000000", "121.000000")}, Without(kHeaders, "SPEED")));
    ASSERT_EQ(kml.places.size(), 2u);
    EXPECT_EQ(kml.places[0].name, "TIME:09:46:40, SPEED: N/A");
    EXPECT_EQ(kml.places[1].name, "TIME:09:46:40, DISTANCE:      0.00 m, SPEED:N/A");
    EXPECT_NE(kml.places[0].description.find("Speed: N/A<br />"), std::string::npos);
}

TEST_F(KmlExport, WithoutAnRcrColumnTheSecondColumnIsReadForLetters)
{
    const KmlContent kml = saveAs(TableOfPoints({Point{}, Point{}}, Without(kHeaders, "RCR")));
    EXPECT_TRUE(kml.places.empty());
    EXPECT_EQ(kml.trackPoints.size(), 2u);
}

TEST_F(KmlExport, AHeaderOnlyTableGivesACompleteEmptyDocument)
{
    const KmlContent kml = saveAs(TableOfPoints({}));
    EXPECT_TRUE(kml.wellFormed);
    EXPECT_TRUE(kml.places.empty());
    EXPECT_TRUE(kml.trackPoints.empty());
    EXPECT_EQ(kml.lineColour, "ff00ffff");
}

TEST_F(KmlExport, WhateverTheCellsHoldTheDocumentIsWellFormed)
{
    Point point = At("B", "24.000000", "121.000000");
    point.date = "]]>2007 & <b>";
    point.time = "<09:46:40> & \"x\" ]]> \x01";
    point.speed = "]]]]>>";
    Point speedPoint = point;
    speedPoint.rcr = "S";
    DrawOptions bothRows;
    bothRows.indexEnd = 2;
    for (const KmlContent& kml :
         {saveAs(TableOfPoints({point, speedPoint})), draw(TableOfPoints({point, speedPoint}), bothRows)}) {
        ASSERT_TRUE(kml.wellFormed) << kml.error;
        ASSERT_EQ(kml.places.size(), 2u);
        EXPECT_EQ(kml.places[0].name.substr(0, 36), "DATE: ]]>2007 & <b>, TIME: <09:46:40");
        EXPECT_EQ(kml.places[0].description.substr(0, 35), "Date: ]]>2007 & <b><br />Time: <09:");
        EXPECT_NE(kml.places[1].name.find("SPEED: ]]]]>>"), std::string::npos);
    }
}

TEST_F(KmlExport, SaveAsChecksTheTableBeforeTouchingTheFile)
{
    struct Case {
        const char* name;
        TrackTable table;
        const char* message;
        SaveResult::Outcome outcome = SaveResult::Outcome::TableLacks;
    };
    const Case cases[] = {
        {"empty table", TrackTable{}, "No information on table.", SaveResult::Outcome::TableEmpty},
        {"no VALID", TableOfPoints({Point{}}, Without(kHeaders, "VALID")), "No 'VALID' to draw."},
        {"no LATITUDE", TableOfPoints({Point{}}, Without(Without(kHeaders, "LATITUDE"), "VALID")),
         "No 'VALID' to draw."},
        {"no LATITUDE only", TableOfPoints({Point{}}, Without(kHeaders, "LATITUDE")), "No 'LATITUDE' to draw."},
        {"no LONGITUDE", TableOfPoints({Point{}}, Without(kHeaders, "LONGITUDE")), "No 'LONGITUDE' to draw."},
        {"no DATE", TableOfPoints({Point{}}, Without(kHeaders, "DATE")), "No 'DATE' or 'TIME' to draw."},
        {"no TIME", TableOfPoints({Point{}}, Without(kHeaders, "TIME")), "No 'DATE' or 'TIME' to draw."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.path("checked.kml");
        WriteFileBytes(path, "earlier");
        const SaveResult result = SaveKmlFile(path, c.table);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(result.text, c.message);
        EXPECT_EQ(ReadFileBytes(path), "earlier");
    }
}

TEST_F(KmlExport, SaveAsReportsAFileThatCannotBeWritten)
{
    for (const auto& [path, reason] : UnwritableFiles(folder, "trip.kml")) {
        const SaveResult result = SaveKmlFile(path, TableOfPoints({Point{}}));
        EXPECT_EQ(result.outcome, SaveResult::Outcome::WriteFailed) << path;
        EXPECT_EQ(result.text, "Write KML file fail!\n" + path + ": " + reason);
    }
}

TEST_F(KmlExport, DrawChecksTheTableBeforeDataKmlIsTouched)
{
    struct Case {
        const char* name;
        TrackTable table;
        const char* message;
        SaveResult::Outcome outcome = SaveResult::Outcome::TableLacks;
    };
    const Case cases[] = {
        {"empty table", TrackTable{}, "No information on the grid.", SaveResult::Outcome::TableEmpty},
        {"no DATE", TableOfPoints({Point{}}, Without(Without(kHeaders, "DATE"), "VALID")), "No 'DATE' to draw."},
        {"no TIME", TableOfPoints({Point{}}, Without(Without(kHeaders, "TIME"), "VALID")), "No 'TIME' to draw."},
        {"no VALID", TableOfPoints({Point{}}, Without(kHeaders, "VALID")), "No 'VALID' to draw."},
        {"no LATITUDE", TableOfPoints({Point{}}, Without(kHeaders, "LATITUDE")), "No 'LATITUDE' to draw."},
        {"no LONGITUDE", TableOfPoints({Point{}}, Without(kHeaders, "LONGITUDE")), "No 'LONGITUDE' to draw."},
    };
    WriteFileBytes("data.kml", "earlier");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto refusal = DrawKmlRefusal(c.table);
        ASSERT_TRUE(refusal);
        EXPECT_EQ(refusal->outcome, c.outcome);
        EXPECT_EQ(refusal->text, c.message);
        EXPECT_EQ(ReadFileBytes("data.kml"), "earlier");
    }
}

TEST_F(KmlExport, DrawReportsADataKmlThatCannotBeCreated)
{
    std::filesystem::create_directory("data.kml");
    const SaveResult result = WriteDrawKmlFile(TableOfPoints({Point{}}), DrawOptions{});
    EXPECT_EQ(result.outcome, SaveResult::Outcome::WriteFailed);
    EXPECT_EQ(result.text, "Fail to write file!\ndata.kml: Is a directory");
}
} // namespace
