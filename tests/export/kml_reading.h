// What the KML tests look at in a written document, read back with a real XML reader.
#pragma once

#include <string>
#include <vector>

struct KmlPlacemark {
    std::string name;
    std::string styleUrl;
    std::string coordinates;
    std::string description;
};

struct KmlContent {
    bool wellFormed = false;
    std::string error;
    std::string namespaceUri;
    std::string documentName;
    std::vector<KmlPlacemark> places; // the "My Places" folder
    std::string pathName;
    std::string lineColour;
    std::string lineWidth;
    std::vector<std::string> trackPoints;                // of the first line
    std::vector<std::vector<std::string>> linesOfPoints; // every line of "My Path", one per track
};

KmlContent ReadKml(const std::string& document);
