#include "geotag/photo_metadata.h"

#include "core/number_text.h"
#include "core/output_file.h"
#include "decode/civil_time.h"
#include "geotag/file_extension.h"

#include <exiv2/exiv2.hpp>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <set>

namespace {
namespace fs = std::filesystem;

// Raw formats: Exiv2 reads them, but writing into a raw file risks the
// maker's own data, so their tags go to a sidecar unless the user says otherwise.
const std::set<std::string> kRawExtensions{"3fr", "arw", "cr2", "cr3", "crw", "dcr", "dng", "erf", "iiq",
                                           "kdc", "mef", "mos", "mrw", "nef", "nrw", "orf", "pef", "raf",
                                           "raw", "rw2", "rwl", "sr2", "srf", "srw", "x3f"};

// Formats without EXIF data worth a position, and sidecars themselves.
bool IsPhotoType(int type)
{
    return type != Exiv2::ImageType::none && type != Exiv2::ImageType::xmp && type != Exiv2::ImageType::eps &&
           type != Exiv2::ImageType::gif && type != Exiv2::ImageType::bmp && type != Exiv2::ImageType::tga;
}

std::optional<std::string> Text(const Exiv2::ExifData& exif, const char* key)
{
    const auto found = exif.findKey(Exiv2::ExifKey(key));
    if (found == exif.end())
        return std::nullopt;
    return found->toString();
}

std::optional<PhotoClock> ClockOf(const Exiv2::ExifData& exif)
{
    const auto taken = Text(exif, "Exif.Photo.DateTimeOriginal");
    const auto local = taken ? ParseExifDateTime(*taken) : std::nullopt;
    if (!local)
        return std::nullopt;
    PhotoClock clock{*local, 0, std::nullopt};
    if (const auto subSeconds = Text(exif, "Exif.Photo.SubSecTimeOriginal"))
        clock.milliseconds = SubSecondMilliseconds(*subSeconds);
    if (const auto offset = Text(exif, "Exif.Photo.OffsetTimeOriginal"))
        clock.offsetSeconds = ParseZoneOffset(*offset);
    return clock;
}

bool HasPosition(const Exiv2::ExifData& exif)
{
    return exif.findKey(Exiv2::ExifKey("Exif.GPSInfo.GPSLatitude")) != exif.end() &&
           exif.findKey(Exiv2::ExifKey("Exif.GPSInfo.GPSLongitude")) != exif.end();
}

bool SidecarHasPosition(const std::string& sidecar)
{
    std::error_code error;
    if (!fs::exists(sidecar, error))
        return false;
    auto image = Exiv2::ImageFactory::open(sidecar);
    image->readMetadata();
    const Exiv2::XmpData& xmp = image->xmpData();
    return xmp.findKey(Exiv2::XmpKey("Xmp.exif.GPSLatitude")) != xmp.end() &&
           xmp.findKey(Exiv2::XmpKey("Xmp.exif.GPSLongitude")) != xmp.end();
}

bool WritableInPlace(int type)
{
    const Exiv2::AccessMode mode = Exiv2::ImageFactory::checkMode(type, Exiv2::mdExif);
    return mode == Exiv2::amWrite || mode == Exiv2::amReadWrite;
}

// Degrees as degrees, minutes and ten-thousandths of seconds (about 3 mm).
std::string DegreesMinutesSeconds(double degrees)
{
    constexpr long long kSecondParts = 10000;
    const long long total = std::llround(std::fabs(degrees) * 3600 * kSecondParts);
    const long long wholeDegrees = total / (3600 * kSecondParts);
    const long long minutes = total / (60 * kSecondParts) % 60;
    const long long seconds = total % (60 * kSecondParts);
    return std::to_string(wholeDegrees) + "/1 " + std::to_string(minutes) + "/1 " + std::to_string(seconds) + "/" +
           std::to_string(kSecondParts);
}

void EraseGpsTags(Exiv2::ExifData& exif)
{
    for (auto tag = exif.begin(); tag != exif.end();)
        tag = tag->groupName() == "GPSInfo" ? exif.erase(tag) : std::next(tag);
}

void SetGpsTags(Exiv2::ExifData& exif, const GpsStamp& stamp)
{
    EraseGpsTags(exif);
    const TrackPlace& place = stamp.place;
    exif["Exif.GPSInfo.GPSVersionID"] = "2 3 0 0";
    exif["Exif.GPSInfo.GPSLatitudeRef"] = place.latitude < 0 ? "S" : "N";
    exif["Exif.GPSInfo.GPSLatitude"] = DegreesMinutesSeconds(place.latitude);
    exif["Exif.GPSInfo.GPSLongitudeRef"] = place.longitude < 0 ? "W" : "E";
    exif["Exif.GPSInfo.GPSLongitude"] = DegreesMinutesSeconds(place.longitude);
    if (place.height) {
        exif["Exif.GPSInfo.GPSAltitudeRef"] = *place.height < 0 ? "1" : "0";
        exif["Exif.GPSInfo.GPSAltitude"] = std::to_string(std::llround(std::fabs(*place.height) * 1000)) + "/1000";
    }
    const std::int64_t seconds = stamp.utcMilliseconds / 1000 - (stamp.utcMilliseconds % 1000 < 0 ? 1 : 0);
    const CivilTime utc = CivilTimeFromSeconds(seconds);
    const std::int64_t milliseconds = stamp.utcMilliseconds - seconds * 1000;
    exif["Exif.GPSInfo.GPSTimeStamp"] = std::to_string(utc.hour) + "/1 " + std::to_string(utc.minute) + "/1 " +
                                        std::to_string(utc.second * 1000 + milliseconds) + "/1000";
    std::string date;
    AppendInteger(date, utc.year, 4);
    date += ':';
    AppendInteger(date, utc.month, 2);
    date += ':';
    AppendInteger(date, utc.day, 2);
    exif["Exif.GPSInfo.GPSDateStamp"] = date;
    exif["Exif.GPSInfo.GPSMapDatum"] = "WGS-84";
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file)
        throw std::runtime_error("cannot be read");
    std::string bytes(static_cast<std::size_t>(file.tellg()), '\0');
    file.seekg(0);
    if (!file.read(bytes.data(), static_cast<std::streamsize>(bytes.size())))
        throw std::runtime_error("cannot be read");
    return bytes;
}

// Through a temporary beside it, renamed over it; its time and its permissions kept.
PreparedFile PhotoWithStamp(const std::string& path, const GpsStamp& stamp)
{
    const std::string original = ReadWholeFile(path);
    Exiv2::BasicIo::AutoPtr memory(
        new Exiv2::MemIo(reinterpret_cast<const Exiv2::byte*>(original.data()), static_cast<long>(original.size())));
    auto image = Exiv2::ImageFactory::open(memory);
    image->readMetadata();
    SetGpsTags(image->exifData(), stamp);
    image->writeMetadata();
    Exiv2::BasicIo& written = image->io();
    const auto size = static_cast<std::size_t>(written.size());
    return {path, std::string(reinterpret_cast<const char*>(written.mmap()), size), true, {}};
}

PreparedFile SidecarWithStamp(const std::string& photoPath, const GpsStamp& stamp)
{
    const std::string sidecar = SidecarPath(photoPath);
    Exiv2::XmpData xmp;
    std::error_code error;
    if (fs::exists(sidecar, error)) {
        auto existing = Exiv2::ImageFactory::open(sidecar);
        existing->readMetadata();
        xmp = existing->xmpData();
    }
    for (auto property = xmp.begin(); property != xmp.end();)
        property = property->key().rfind("Xmp.exif.GPS", 0) == 0 ? xmp.erase(property) : std::next(property);
    Exiv2::ExifData gps;
    SetGpsTags(gps, stamp);
    Exiv2::copyExifToXmp(gps, xmp);
    std::string packet;
    if (Exiv2::XmpParser::encode(packet, xmp) != 0)
        return {sidecar, {}, false, sidecar + ": the XMP data could not be encoded"};
    return {sidecar, std::move(packet), false, {}};
}
} // namespace

void InitializePhotoMetadata()
{
    Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
    Exiv2::XmpParser::initialize();
}

std::string SidecarPath(const std::string& photoPath)
{
    return photoPath + ".xmp";
}

PhotoFacts ReadPhotoFacts(const std::string& path)
{
    PhotoFacts facts;
    int type = Exiv2::ImageType::none;
    try {
        type = Exiv2::ImageFactory::getType(path);
    } catch (const std::exception&) {
        // Some of Exiv2's format probes throw on text and other files that are no image at all.
    }
    if (!IsPhotoType(type))
        return facts;
    try {
        facts.kind = PhotoKind::Photo;
        facts.needsSidecar = kRawExtensions.count(LoweredExtension(path)) > 0 || !WritableInPlace(type);
        auto image = Exiv2::ImageFactory::open(path);
        image->readMetadata();
        facts.clock = ClockOf(image->exifData());
        facts.hasPosition = HasPosition(image->exifData()) || SidecarHasPosition(SidecarPath(path));
    } catch (const std::exception& error) {
        facts.kind = PhotoKind::Unreadable;
        facts.failure = error.what();
    }
    return facts;
}

PreparedFile PrepareGpsStamp(const std::string& photoPath, const GpsStamp& stamp, bool toSidecar)
{
    try {
        return toSidecar ? SidecarWithStamp(photoPath, stamp) : PhotoWithStamp(photoPath, stamp);
    } catch (const std::exception& error) {
        return {photoPath, {}, false, photoPath + ": " + error.what()};
    }
}

std::string PutInPlace(const PreparedFile& file)
{
    if (!file.failure.empty())
        return file.failure;
    std::error_code error;
    const auto modified = fs::last_write_time(file.path, error);
    const bool hadTime = file.keepTimes && !error;
    const auto permissions = fs::status(file.path, error).permissions();
    const bool hadPermissions = !error;
    OutputFile output(file.path);
    output.write(file.bytes);
    if (!output.close())
        return output.failure();
    if (hadPermissions)
        fs::permissions(file.path, permissions, error);
    if (hadTime)
        fs::last_write_time(file.path, modified, error);
    return {};
}
