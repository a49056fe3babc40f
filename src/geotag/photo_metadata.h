// What geotagging reads from a photo and writes into it, through Exiv2: the
// time it was taken and whether it has a position; the GPS tags, into the
// photo (written whole beside it and renamed over it, its modification time
// kept) or into an XMP sidecar NAME.EXT.xmp.
#pragma once

#include "geotag/photo_clock.h"
#include "geotag/track_position.h"

#include <cstdint>
#include <optional>
#include <string>

// Sets Exiv2 up once and quietens its warnings; call before the first photo.
void InitializePhotoMetadata();

enum class PhotoKind {
    NotPhoto, // not a format with EXIF data, or a sidecar itself: passed over quietly
    Unreadable,
    Photo,
};

struct PhotoFacts {
    PhotoKind kind = PhotoKind::NotPhoto;
    std::string failure;             // with Unreadable
    std::optional<PhotoClock> clock; // nothing without a readable DateTimeOriginal
    bool hasPosition = false;        // in the photo or in its sidecar
    bool needsSidecar = false;       // a raw format, or one Exiv2 cannot write
};

PhotoFacts ReadPhotoFacts(const std::string& path);

// "photo.nef" gives "photo.nef.xmp".
std::string SidecarPath(const std::string& photoPath);

struct GpsStamp {
    TrackPlace place;
    std::int64_t utcMilliseconds = 0;
};

// A photo or a sidecar as it is to be written.
struct PreparedFile {
    std::string path;
    std::string bytes;
    bool keepTimes = false; // a photo keeps its modification time
    std::string failure;    // why there is nothing to write
};

// The photo, or its sidecar, with every GPS tag it had replaced by the
// stamp's. Exiv2 runs here: call it from one thread.
PreparedFile PrepareGpsStamp(const std::string& photoPath, const GpsStamp& stamp, bool toSidecar);
// Writes the file beside its target and renames it over the target; any
// thread may. Empty on success, else the reason.
std::string PutInPlace(const PreparedFile& file);
