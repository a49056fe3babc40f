// Where the columns the exports read sit in a track table, found by header
// text; -1 for a column the table does not have.
#pragma once

class TrackTable;

struct ExportColumns {
    int rcr = -1;
    int date = -1; // TIME is the column right of it
    int time = -1;
    int valid = -1;
    int latitude = -1;  // N/S right of it
    int longitude = -1; // E/W right of it
    int height = -1;
    int speed = -1;
    int heading = -1;
    int pdop = -1;
    int hdop = -1;
    int vdop = -1;
    int nsat = -1;
    int satinfo = -1;
    int track = -1; // absent: the rows are one track
};

ExportColumns LookUpExportColumns(const TrackTable& table);
