#include "export/open_track_file.h"

#include <iterator>

namespace {
constexpr int kImageFilter = 1;
// Filters 3 on, in this order.
constexpr LogDialect kDialectFilters[] = {LogDialect::Generic, LogDialect::M241, LogDialect::Gr245, LogDialect::M1000C};
} // namespace

std::optional<OpenKind> OpenKindOfFilter(int filterIndex)
{
    if (filterIndex == kImageFilter)
        return OpenKind{};
    if (filterIndex == kOpenCsvFilter)
        return OpenKind{TrackFileKind::Csv};
    const int dialect = filterIndex - kOpenCsvFilter - 1;
    if (dialect < 0 || dialect >= static_cast<int>(std::size(kDialectFilters)))
        return std::nullopt;
    return OpenKind{TrackFileKind::Image, kDialectFilters[dialect]};
}
