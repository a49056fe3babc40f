#include "export/kml_reading.h"

#include "export/xml_tree.h"

#include <initializer_list>
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

// The first element down a path of child names, or none.
const XmlElement* Find(const XmlElement* element, std::initializer_list<const char*> path)
{
    for (const char* name : path) {
        if (!element)
            return nullptr;
        const auto found = element->all(name);
        element = found.empty() ? nullptr : found.front();
    }
    return element;
}

std::string TextAt(const XmlElement* element, std::initializer_list<const char*> path)
{
    const XmlElement* found = Find(element, path);
    return found ? found->text : std::string();
}

KmlPlacemark PlacemarkOf(const XmlElement& place)
{
    const XmlElement* description = Find(&place, {"description"});
    return {TextAt(&place, {"name"}), TextAt(&place, {"styleUrl"}), TextAt(&place, {"Point", "coordinates"}),
            description ? description->cdata : std::string()};
}
} // namespace

KmlContent ReadKml(const std::string& document)
{
    const XmlTree tree = ReadXmlTree(document);
    KmlContent content;
    content.wellFormed = tree.root != nullptr;
    content.error = tree.error;
    if (!tree.root || tree.root->name != "kml")
        return content;
    content.namespaceUri = tree.root->namespaceUri;
    const XmlElement* kmlDocument = Find(tree.root.get(), {"Document"});
    content.documentName = TextAt(kmlDocument, {"name"});
    const auto folders = kmlDocument ? kmlDocument->all("Folder") : std::vector<const XmlElement*>();
    if (!folders.empty())
        for (const XmlElement* place : folders[0]->all("Placemark"))
            content.places.push_back(PlacemarkOf(*place));
    if (folders.size() > 1) {
        const XmlElement* path = Find(folders[1], {"Placemark"});
        content.pathName = TextAt(path, {"name"});
        content.lineColour = TextAt(path, {"Style", "LineStyle", "color"});
        content.lineWidth = TextAt(path, {"Style", "LineStyle", "width"});
        content.trackPoints = TrackPointsOf(TextAt(path, {"LineString", "coordinates"}));
        for (const XmlElement* line : folders[1]->all("Placemark"))
            content.linesOfPoints.push_back(TrackPointsOf(TextAt(line, {"LineString", "coordinates"})));
    }
    return content;
}
