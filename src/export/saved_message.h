// The confirmation the writers show after a good save.
#pragma once

#include <string>

inline std::string SavedMessage(const std::string& path)
{
    return path + " had beed saved.";
}

// The same, telling how many of the table's rows gave nothing to the file
// because their cells cannot be read, so no point goes missing unnoticed.
inline std::string SavedMessage(const std::string& path, int rowsLeftOut, int rows)
{
    std::string message = SavedMessage(path);
    if (rowsLeftOut > 0)
        message += " Rows left out because their cells cannot be read: " + std::to_string(rowsLeftOut) + " of " +
                   std::to_string(rows) + ".";
    return message;
}
