#include "geotag/gpx_track_reader.h"

#include "core/number_text.h"
#include "export/iso_time.h"

#include <expat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {
// The local name, whatever namespace prefix the file gives it.
std::string_view LocalName(const XML_Char* name)
{
    std::string_view text(name);
    const std::size_t colon = text.rfind(':');
    return colon == std::string_view::npos ? text : text.substr(colon + 1);
}

std::string Trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    const std::size_t last = text.find_last_not_of(" \t\r\n");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

bool IsPointElement(std::string_view name)
{
    return name == "trkpt" || name == "rtept" || name == "wpt";
}

struct GpxReading {
    std::vector<TrackPoint> points;
    bool inPoint = false;
    std::optional<double> latitude, longitude;
    std::string field; // the element inside the point whose text is gathered
    std::string text;
    std::optional<std::int64_t> time;
    std::optional<double> height;

    void startPoint(const XML_Char** attributes)
    {
        inPoint = true;
        latitude = longitude = height = std::nullopt;
        time = std::nullopt;
        for (int i = 0; attributes[i]; i += 2) {
            if (std::strcmp(attributes[i], "lat") == 0)
                latitude = ParseDecimal(attributes[i + 1]);
            else if (std::strcmp(attributes[i], "lon") == 0)
                longitude = ParseDecimal(attributes[i + 1]);
        }
    }

    void endField()
    {
        if (field == "time")
            time = ParseIsoTime(Trimmed(text));
        else if (field == "ele")
            height = ParseDecimal(Trimmed(text));
        field.clear();
    }

    void endPoint()
    {
        inPoint = false;
        if (time && latitude && longitude && *latitude >= -90 && *latitude <= 90 && *longitude >= -180 &&
            *longitude <= 180)
            points.push_back({*time, *latitude, *longitude, height});
    }
};

void OnStart(void* data, const XML_Char* name, const XML_Char** attributes)
{
    auto& reading = *static_cast<GpxReading*>(data);
    const std::string_view local = LocalName(name);
    if (IsPointElement(local))
        reading.startPoint(attributes);
    else if (reading.inPoint && (local == "time" || local == "ele")) {
        reading.field = local;
        reading.text.clear();
    }
}

void OnEnd(void* data, const XML_Char* name)
{
    auto& reading = *static_cast<GpxReading*>(data);
    const std::string_view local = LocalName(name);
    if (IsPointElement(local) && reading.inPoint)
        reading.endPoint();
    else if (!reading.field.empty() && local == reading.field)
        reading.endField();
}

void OnText(void* data, const XML_Char* text, int length)
{
    auto& reading = *static_cast<GpxReading*>(data);
    if (!reading.field.empty())
        reading.text.append(text, static_cast<std::size_t>(length));
}
} // namespace

std::optional<std::vector<TrackPoint>> ReadGpxTrackPoints(const std::string& path, std::string& failure)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file) {
        failure = std::strerror(errno);
        return std::nullopt;
    }
    std::unique_ptr<XML_ParserStruct, void (*)(XML_Parser)> parser(XML_ParserCreate(nullptr), XML_ParserFree);
    GpxReading reading;
    XML_SetUserData(parser.get(), &reading);
    XML_SetElementHandler(parser.get(), OnStart, OnEnd);
    XML_SetCharacterDataHandler(parser.get(), OnText);
    char buffer[1 << 16];
    for (;;) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
        const bool last = got < sizeof buffer;
        if (XML_Parse(parser.get(), buffer, static_cast<int>(got), last) != XML_STATUS_OK) {
            failure = "not a GPX file (line " + std::to_string(XML_GetCurrentLineNumber(parser.get())) + ": " +
                      XML_ErrorString(XML_GetErrorCode(parser.get())) + ")";
            return std::nullopt;
        }
        if (last)
            break;
    }
    if (std::ferror(file.get())) {
        failure = std::strerror(errno);
        return std::nullopt;
    }
    return std::move(reading.points);
}
