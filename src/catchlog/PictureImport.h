#pragma once

#include "base/Jpeg.h"

#include <filesystem>
#include <string>
#include <vector>

namespace zv {

class Clock;
class RandomSource;

// Stretches a picture to the given size (the aspect ratio is not kept).
RgbImage StretchImage(const RgbImage& image, int width, int height);

// Catch pictures are stored in img as 640 × 480 JPEGs of quality 90.
inline constexpr int kPictureWidth = 640;
inline constexpr int kPictureHeight = 480;
inline constexpr int kPictureQuality = 90;

std::filesystem::path PictureFolder(const std::filesystem::path& programFolder);

// Reads a JPEG file; false with a German reason when it is missing or not
// a readable JPEG.
bool LoadJpegFile(const std::filesystem::path& path, RgbImage& image, std::string& error);

struct PictureImportResult {
    bool ok = true;
    std::string error;              // German reason; nothing was stored then
    std::vector<std::string> names; // the picture list to keep, in order
};

// The picture window's "Speichern": walks the items in order with their
// position i. An item that is a full path of an existing file is imported
// (stretched to 640 × 480, quality 90, named stem_i.jpg, the stem formed
// once per call); a name of a file in img is kept; anything else is
// dropped. Every file to import is read and checked before the first is
// written, a missing img folder stops everything, and a failure removes the
// pictures written by this call, so a failed save stores nothing. New names
// never replace a file already in img.
PictureImportResult ImportPictures(const std::filesystem::path& programFolder,
                                   const std::vector<std::string>& items, const Clock& clock,
                                   RandomSource& random);

} // namespace zv
