// Builds memory images laid out as the logger writes them: for tests, the
// device simulator and sample data.
#pragma once

#include "decode/log_dialect.h"
#include "decode/log_image.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class RecordChecksum { Valid, Broken };

// The bytes of a record under a mask: fields of the set bits (absent values
// written as 0), separator, checksum. Under the SID bit the blocks are written
// as given, each with its own count byte; no blocks gives one "no satellite" block.
// A Holux layout writes its own coordinates, height and speed, and no separator.
std::vector<std::uint8_t> EncodeTrackRecord(const TrackRecord& record, std::uint32_t mask,
                                            RecordChecksum checksum = RecordChecksum::Valid,
                                            RecordLayout layout = RecordLayout::Generic);

// Appends sectors one after another. Everything not written stays 0xFF, so
// the data of each sector ends by the format's own end-of-data rules.
// Entry calls throw std::length_error when the entry does not fit the
// current sector (entries never cross a sector boundary).
class LogImageWriter {
public:
    // A sector holding data from its header's mask on; any other marker
    // gives a sector the reader passes over.
    LogImageWriter& beginSector(std::uint32_t mask, std::uint32_t marker = logimage::kSectorMarker);
    // A never-written sector: all 0xFF.
    LogImageWriter& erasedSector();

    // Written under the mask and layout in force, whatever record.mask says.
    LogImageWriter& record(const TrackRecord& record, RecordChecksum checksum = RecordChecksum::Valid);
    // The record layout from now on, across sectors; the generic one at first.
    LogImageWriter& useLayout(RecordLayout layout);
    // A Holux marker's text as it stands, such as "HOLUXGR241WAYPNT" or "HOLUXGR245LOGGER    ".
    LogImageWriter& marker(std::string_view text);
    LogImageWriter& formatChange(std::uint32_t mask);
    LogImageWriter& special(std::uint8_t type, std::uint32_t value);
    LogImageWriter& raw(const std::vector<std::uint8_t>& bytes);

    std::uint32_t maskInForce() const { return mask_; }
    // Bytes left in the current sector.
    std::size_t remaining() const;
    bool fits(const TrackRecord& record) const;

    const std::vector<std::uint8_t>& image() const { return image_; }

private:
    std::uint8_t* place(std::size_t size);

    std::vector<std::uint8_t> image_;
    std::size_t position_ = 0; // absolute offset of the next entry
    std::uint32_t mask_ = 0;
    RecordLayout layout_ = RecordLayout::Generic;
};

// The sample track: a drive round a city centre, one point every 5 seconds
// from 2007-05-24 09:46:40 UTC, with speed, heading, height, distance, DOPs,
// fix mode, record reason and 6 to 10 satellites. Deterministic.
inline constexpr std::uint32_t kSampleImageMask = 0x0003FE3F; // bits 0-5, 9-17

struct SampleImageOptions {
    int sectorCount = 1; // 32 sectors make a full 2 MiB memory
    std::uint32_t mask = kSampleImageMask;
    int recordsPerSector = 0; // 0: as many as fit
    int recordCount = 0;      // records in all, the sectors a limit; 0: as many as the sectors hold
    int firstPoint = 0;       // the track point the image begins with
    // A Holux dialect writes its records' layout, after its logger marker
    // (the M-1000C writes none) at the start of the first sector.
    LogDialect dialect = LogDialect::Generic;
};

// Point `index` (from 0) of the sample track, every field filled in.
TrackRecord SampleTrackRecord(int index);
// An image of the sample track, the points numbered on across sectors.
std::vector<std::uint8_t> MakeSampleImage(const SampleImageOptions& options = {});

// Writes bytes to a file as they are; false when it cannot be written.
bool WriteImageFile(const std::string& path, const std::vector<std::uint8_t>& image);
