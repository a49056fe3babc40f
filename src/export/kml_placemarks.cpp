#include "export/kml_placemarks.h"

#include "core/number_text.h"
#include "core/output_file.h"
#include "decode/track_table.h"
#include "export/kml_track_rows.h"
#include "export/xml_text.h"

#include <string>

void TrackDistance::advance(const Ecef& point)
{
    if (PreviousEcef.x != 0 && PreviousEcef.y != 0 && PreviousEcef.z != 0)
        RunningDistance += EcefDistance(PreviousEcef, point.x, point.y, point.z);
    PreviousEcef = point;
}

namespace {
enum class PlacemarkKind { None, Mix, Time, Distance, Speed, Unknown };

PlacemarkKind KindOf(int flags)
{
    if (flags == 0)
        return PlacemarkKind::None;
    if (flags & kStampMix)
        return PlacemarkKind::Mix;
    switch (flags) {
    case kStampTime:
        return PlacemarkKind::Time;
    case kStampDistance:
        return PlacemarkKind::Distance;
    case kStampSpeed:
        return PlacemarkKind::Speed;
    default:
        return PlacemarkKind::Unknown;
    }
}

const char* StyleMap(PlacemarkKind kind)
{
    switch (kind) {
    case PlacemarkKind::Mix:
        return "StyleM";
    case PlacemarkKind::Time:
        return "StyleT";
    case PlacemarkKind::Distance:
        return "StyleD";
    case PlacemarkKind::Speed:
        return "StyleS";
    default:
        return "StyleU";
    }
}

Ecef EcefOf(const TrackPoint& point)
{
    const double latitude = DegreesToRadians(point.latitude);
    const double longitude = DegreesToRadians(point.longitude);
    return {EcefX(point.height, longitude, latitude), EcefY(point.height, longitude, latitude),
            EcefZ(point.height, longitude, latitude)};
}

template <typename... Pieces>
void Append(std::string& out, const Pieces&... pieces)
{
    ((out += pieces), ...);
}

// The name is built raw and escaped once as a whole.
std::string PlacemarkName(PlacemarkKind kind, KmlExportKind exportKind, const TrackPoint& point, std::string_view speed,
                          double distance)
{
    std::string name;
    switch (kind) {
    case PlacemarkKind::Mix:
        Append(name, "DATE: ", point.date, ", TIME: ", point.time, ", LATITUDE: ", point.latitudeText, " ",
               point.northSouth, ", LONGITUDE: ", point.longitudeText, " ", point.eastWest);
        break;
    case PlacemarkKind::Time:
        Append(name, "TIME: ", point.time);
        break;
    case PlacemarkKind::Distance:
        Append(name, "DISTANCE:");
        AppendFixed(name, distance, 2, 10);
        Append(name, " m");
        break;
    case PlacemarkKind::Speed:
        Append(name, exportKind == KmlExportKind::SaveAs ? "TIME:" : "TIME: ", point.time, ", SPEED: ", speed);
        break;
    default:
        Append(name, "TIME:", point.time, ", DISTANCE:");
        AppendFixed(name, distance, 2, 10);
        Append(name, " m, SPEED:", speed);
        break;
    }
    return name;
}

void AppendDescription(std::string& out, const TrackPoint& point, std::string_view speed, double distance)
{
    std::string text;
    Append(text, "Date: ", point.date, "<br />Time: ", point.time, "<br />Latitude: ", point.latitudeText, " ",
           point.northSouth, "<br />Longitude: ", point.longitudeText, " ", point.eastWest, "<br />Speed: ", speed,
           "<br />DISTANCE:");
    AppendFixed(text, distance, 2, 10);
    Append(text, " m<br />");
    out += "      <![CDATA[";
    AppendCdataSafe(out, text);
    out += "]]>\r\n";
}

void AppendPlacemark(std::string& out, PlacemarkKind kind, KmlExportKind exportKind, const TrackPoint& point,
                     std::string_view speed, double distance)
{
    out += "  <Placemark>\r\n    <name>";
    AppendXmlEscaped(out, PlacemarkName(kind, exportKind, point, speed, distance));
    out += "</name>\r\n    <styleUrl>#";
    out += StyleMap(kind);
    out += "</styleUrl>\r\n    <Point>\r\n      <coordinates>";
    AppendFixed(out, point.longitude, 6);
    out += ',';
    AppendFixed(out, point.latitude, 6);
    out += ",0</coordinates>\r\n    </Point>\r\n    <description>\r\n";
    AppendDescription(out, point, speed, distance);
    out += "    </description>\r\n  </Placemark>\r\n";
}
} // namespace

void WriteKmlPlacemarks(OutputFile& file, const TrackTable& table, const ExportColumns& columns, KmlExportKind kind,
                        std::optional<RowRange> placemarkRows)
{
    TrackDistance distance;
    TrackPoint point;
    std::string placemarks;
    for (int row = 1; row < table.rowCount(); ++row) {
        if (!ReadTrackRow(table, columns, row, point))
            continue;
        distance.advance(EcefOf(point));
        const PlacemarkKind placemarkKind = KindOf(point.stampFlags);
        const bool inRange = !placemarkRows || (row >= placemarkRows->first && row <= placemarkRows->last);
        if (placemarkKind == PlacemarkKind::None || !inRange)
            continue;
        const std::string_view speed = columns.speed >= 0 ? point.speed : "N/A";
        AppendPlacemark(placemarks, placemarkKind, kind, point, speed, distance.RunningDistance);
        file.writeWhenFull(placemarks);
    }
    file.write(placemarks);
}
