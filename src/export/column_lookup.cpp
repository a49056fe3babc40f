#include "export/column_lookup.h"

#include "decode/track_table.h"

int LookUpColumn(const TrackTable& table, std::string_view header)
{
    int found = -1;
    for (int column = 0; !table.cell(column, 0).empty(); ++column)
        if (table.cell(column, 0) == header)
            found = column;
    return found;
}
