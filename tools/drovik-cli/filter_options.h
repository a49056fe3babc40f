// convert's options for the filters and the split, read into the same
// ExportFilter the window's "Filter" dialog holds.
#pragma once

#include "export/filtered_save.h"

#include <optional>
#include <string>

struct FilterOptions {
    ExportFilter filter;
    bool splitIntoGiven = false;
};

bool IsFilterOption(const std::string& argument);

// Takes the option's value; what is wrong with it, for the user, when it cannot.
std::optional<std::string> TakeFilterOption(const std::string& option, const std::string& value,
                                            FilterOptions& options);

// What does not go together once every option is read.
std::optional<std::string> FilterOptionsConflict(const FilterOptions& options);
