#pragma once

#include <QImage>

#include <filesystem>

namespace zv {

// Reads a JPEG file into an image; a null image when the file is missing or
// is not a JPEG the decoder understands.
QImage LoadJpegImage(const std::filesystem::path& path);

} // namespace zv
