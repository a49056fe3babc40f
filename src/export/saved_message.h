// What the writers show after a save: the confirmation, or the failure.
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

// A writer's own failure text, then the file's name and the system's reason
// (OutputFile::failure()) on a line of their own.
inline std::string SaveFailedMessage(const std::string& text, const std::string& failure)
{
    return text + "\n" + failure;
}
