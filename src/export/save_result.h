// What a save did, for the window or the command line to tell in its own way.
#pragma once

#include <string>

struct SaveResult {
    enum class Outcome {
        Saved,
        TableEmpty,  // no header row; nothing was written
        TableLacks,  // the table lacks a column the file needs; nothing was written
        NoRowLeft,   // the filters left no row; nothing was written
        WriteFailed, // a file could not be written whole; the old ones are as they were
    };
    Outcome outcome = Outcome::Saved;
    // What happened in the window's words: the saved line (empty for a save
    // that says nothing), what the table lacks, or the failure with the
    // file's name and the system's reason.
    std::string text;
    int rows = 0;        // data rows of the table saved
    int rowsLeftOut = 0; // gave nothing to the file because their cells cannot be read

    bool saved() const { return outcome == Outcome::Saved; }
};
