// Finding the writers' columns by header text.
#pragma once

#include <string_view>

class TrackTable;

// Walks the header row up to its first empty cell; a later column with the
// same header replaces an earlier one. -1 when no header matches exactly.
int LookUpColumn(const TrackTable& table, std::string_view header);
