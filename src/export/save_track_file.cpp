#include "export/save_track_file.h"

#include "export/csv_writer.h"
#include "export/gpx_writer.h"
#include "export/kml_export.h"
#include "export/nmea_writer.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <iterator>
#include <string_view>

namespace {
// In the order of the dialog's filters.
constexpr SaveKind kSaveKinds[] = {
    {".csv", WriteCsvFile, false},
    {".kml", SaveKmlFile, false},
    {".nma", WriteNmeaFile, false},
    {".gpx", WriteGpxFile, true},
};
} // namespace

const SaveKind* SaveKindOfFilter(int filterIndex)
{
    if (filterIndex < 1 || filterIndex > static_cast<int>(std::size(kSaveKinds)))
        return nullptr;
    return &kSaveKinds[filterIndex - 1];
}

namespace {
bool EndsInAnyCase(const std::string& path, std::string_view extension)
{
    return path.size() > extension.size() &&
           std::equal(extension.begin(), extension.end(), path.end() - static_cast<std::ptrdiff_t>(extension.size()),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}
} // namespace

SaveTarget SaveTargetOf(const std::string& path, int filterIndex)
{
    for (int index = 1; index <= static_cast<int>(std::size(kSaveKinds)); ++index)
        if (EndsInAnyCase(path, kSaveKinds[index - 1].extension))
            return {path, index};
    const SaveKind* kind = SaveKindOfFilter(filterIndex);
    if (!kind || path.find(kind->extension) != std::string::npos)
        return {path, filterIndex};
    return {path + kind->extension, filterIndex};
}
