#pragma once

#include "base/Jpeg.h"

#include <QImage>

#include <filesystem>

namespace zv {

// The picture as a Qt image (a copy); a null image when it is empty.
QImage ImageFromRgb(const RgbImage& rgb);

// Reads a JPEG file into an image; a null image when the file is missing or
// is not a JPEG the decoder understands.
QImage LoadJpegImage(const std::filesystem::path& path);

} // namespace zv
