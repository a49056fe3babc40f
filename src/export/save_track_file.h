// The kinds of file the log page's save dialog offers: their filter list,
// extensions and writers, counted from 1 as the dialog's filters are.
#pragma once

#include "export/filtered_save.h"

#include <string>

inline constexpr const char* kSaveFilter =
    "CSV File (*.csv)|*.csv|Google Earth (*.kml)|*.kml|NMEA File (*.nma)|*.nma|GPX File (*.gpx)|*.gpx";

struct SaveKind {
    const char* extension;
    TableWriter write;
    bool writesTracks; // keeps the parts of a split as tracks of one file
};

// Nothing for an index past the filters.
const SaveKind* SaveKindOfFilter(int filterIndex);

// The file a save writes and its kind, as the index of the kind's filter.
struct SaveTarget {
    std::string path;
    int filterIndex = 1;
};
// A name that ends in one of the kinds' extensions (in any case) is written
// in that kind under that very name, whatever the filter; any other name gets
// the filter's kind, and its extension appended unless it holds it anywhere.
SaveTarget SaveTargetOf(const std::string& path, int filterIndex);
