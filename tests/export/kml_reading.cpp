#include "export/kml_reading.h"

#include <expat.h>

#include <memory>
#include <sstream>

namespace {
std::vector<std::string> TrackPointsOf(const std::string& coordinates)
{
    std::vector<std::string> points;
    std::istringstream stream(coordinates);
    for (std::string point; stream >> point;)
        points.push_back(point);
    return points;
}

// Element names arrive as "namespace|local", or "local" outside any namespace.
constexpr char kNamespaceSeparator = '|';

struct KmlReader {
    KmlContent content;
    std::vector<std::string> path;
    int folder = 0;
    bool inCdata = false;
    std::string trackCoordinates;

    void start(std::string name)
    {
        const auto separator = name.rfind(kNamespaceSeparator);
        const std::string uri = separator == std::string::npos ? "" : name.substr(0, separator);
        if (separator != std::string::npos)
            name.erase(0, separator + 1);
        if (name == "kml")
            content.namespaceUri = uri;
        if (name == "Folder")
            ++folder;
        if (name == "Placemark" && folder == 1)
            content.places.emplace_back();
        path.push_back(name);
    }

    void text(const std::string& text)
    {
        if (path.empty())
            return;
        const std::string& element = path.back();
        const std::string parent = path.size() > 1 ? path[path.size() - 2] : "";
        if (element == "name" && parent == "Document")
            content.documentName += text;
        if (folder == 1 && !content.places.empty()) {
            KmlPlacemark& place = content.places.back();
            if (element == "name" && parent == "Placemark")
                place.name += text;
            else if (element == "styleUrl")
                place.styleUrl += text;
            else if (element == "coordinates")
                place.coordinates += text;
            else if (element == "description" && inCdata)
                place.description += text;
        }
        if (folder == 2) {
            if (element == "name" && parent == "Placemark")
                content.pathName += text;
            else if (element == "color")
                content.lineColour += text;
            else if (element == "width")
                content.lineWidth += text;
            else if (element == "coordinates")
                trackCoordinates += text;
        }
    }
};
} // namespace

KmlContent ReadKml(const std::string& document)
{
    KmlReader reader;
    const std::unique_ptr<XML_ParserStruct, decltype(&XML_ParserFree)> parser(
        XML_ParserCreateNS(nullptr, kNamespaceSeparator), XML_ParserFree);
    XML_SetUserData(parser.get(), &reader);
    XML_SetElementHandler(
        parser.get(),
        [](void* user, const XML_Char* name, const XML_Char**) { static_cast<KmlReader*>(user)->start(name); },
        [](void* user, const XML_Char*) { static_cast<KmlReader*>(user)->path.pop_back(); });
    XML_SetCharacterDataHandler(parser.get(), [](void* user, const XML_Char* text, int length) {
        static_cast<KmlReader*>(user)->text(std::string(text, static_cast<std::size_t>(length)));
    });
    XML_SetCdataSectionHandler(
        parser.get(), [](void* user) { static_cast<KmlReader*>(user)->inCdata = true; },
        [](void* user) { static_cast<KmlReader*>(user)->inCdata = false; });
    KmlContent& content = reader.content;
    content.wellFormed =
        XML_Parse(parser.get(), document.data(), static_cast<int>(document.size()), XML_TRUE) == XML_STATUS_OK;
    if (!content.wellFormed)
        content.error = "line " + std::to_string(XML_GetCurrentLineNumber(parser.get())) + ": " +
                        XML_ErrorString(XML_GetErrorCode(parser.get()));
    content.trackPoints = TrackPointsOf(reader.trackCoordinates);
    return content;
}
