#include "export/iso_time.h"

#include "core/number_text.h"

void AppendIsoTime(std::string& out, const CivilTime& time, std::optional<int> milliseconds)
{
    AppendInteger(out, time.year, 4);
    out += '-';
    AppendInteger(out, time.month, 2);
    out += '-';
    AppendInteger(out, time.day, 2);
    out += 'T';
    AppendInteger(out, time.hour, 2);
    out += ':';
    AppendInteger(out, time.minute, 2);
    out += ':';
    AppendInteger(out, time.second, 2);
    if (milliseconds) {
        out += '.';
        AppendInteger(out, *milliseconds, 3);
    }
    out += 'Z';
}
