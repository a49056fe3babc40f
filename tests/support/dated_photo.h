// A photo with the metadata a camera gives it, written through Exiv2, for the
// geotagging tests that link it.
#pragma once

#include "support/tiny_jpeg.h"

#include <exiv2/exiv2.hpp>

#include <fstream>
#include <map>
#include <string>

// The tiny JPEG with these EXIF tags ("Exif.Photo.DateTimeOriginal" and so on).
inline void WriteDatedPhoto(const std::string& path, const std::map<std::string, std::string>& tags)
{
    std::ofstream(path, std::ios::binary) << TinyJpeg();
    auto image = Exiv2::ImageFactory::open(path);
    for (const auto& [key, value] : tags)
        image->exifData()[key] = value;
    image->writeMetadata();
}
