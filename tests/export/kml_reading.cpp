#include "export/kml_reading.h"

#include <QXmlStreamReader>

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
} // namespace

KmlContent ReadKml(const std::string& document)
{
    KmlContent content;
    QXmlStreamReader reader(QByteArray::fromStdString(document));
    std::vector<std::string> path;
    int folder = 0;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            const std::string name = reader.name().toString().toStdString();
            if (name == "kml")
                content.namespaceUri = reader.namespaceUri().toString().toStdString();
            if (name == "Folder")
                ++folder;
            if (name == "Placemark" && folder == 1)
                content.places.emplace_back();
            path.push_back(name);
            continue;
        }
        if (reader.isEndElement()) {
            path.pop_back();
            continue;
        }
        if (!reader.isCharacters() || path.empty())
            continue;
        const std::string text = reader.text().toString().toStdString();
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
            else if (element == "description" && reader.isCDATA())
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
                content.trackPoints = TrackPointsOf(text);
        }
    }
    content.wellFormed = !reader.hasError();
    content.error = reader.errorString().toStdString();
    return content;
}
