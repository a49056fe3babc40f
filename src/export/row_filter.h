// The filters a save or a draw may put between the track table and the file,
// for a track without the junk: rows by fix, by the dilution of precision and
// the satellites used, by time, and points that only a bad fix could reach.
// Each reads the cells of its columns by header text.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TrackTable;

// In the order the filters look at a row; a row is counted under the first
// that leaves it out, so the counts add up to the rows left out.
enum class RowFilterKind { Fix, Hdop, Pdop, Satellites, Time, Jump };
inline constexpr int kRowFilterKinds = 6;

struct RowFilter {
    // Bits of kFixModes indexes: only rows whose VALID is one of them stay.
    std::optional<unsigned> fixKinds;
    std::optional<double> maxHdop;
    std::optional<double> maxPdop;
    std::optional<int> minSatellites; // in use
    // Milliseconds from 1970 (UTC), both ends kept.
    std::optional<std::int64_t> fromUtc;
    std::optional<std::int64_t> toUtc;
    // A point reached from the last point kept faster than this is a bad fix.
    std::optional<double> maxSpeedKmh;

    bool asks(RowFilterKind kind) const;
    bool any() const;
    bool operator==(const RowFilter&) const = default;
};

// Every fix kind but "No fix": the rows with a fix.
unsigned AnyFixKinds();

struct RowSelection {
    std::vector<bool> kept; // by table row; the header row's entry is false
    std::array<int, kRowFilterKinds> leftOut{};
    int rows = 0; // data rows looked at

    std::vector<int> keptRows() const;
    int leftOutCount() const;
};

// The first column a filter asked for reads and the table does not have, said
// for the user; nothing when every one is there.
std::optional<std::string> MissingFilterColumn(const TrackTable& table, const RowFilter& filter);

// A cell a filter cannot read leaves its row out: the row cannot show that it
// passes. The first row to reach the jump filter with a place and a time is
// kept, and each row kept is where the next leg starts.
RowSelection SelectRows(const TrackTable& table, const RowFilter& filter);

// What each filter asked for left out, "Rows left out by the filters: 20 of
// 817 (HDOP over 5: 12, fewer than 4 satellites in use: 8)."
std::string LeftOutText(const RowSelection& selection, const RowFilter& filter);
