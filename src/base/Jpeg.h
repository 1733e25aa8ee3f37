#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// Size of a JPEG from its header; false when the bytes are not a JPEG.
bool JpegSize(std::string_view jpegBytes, int& width, int& height);

// A picture as 8-bit RGB rows, top to bottom.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels; // width * height * 3
};

bool DecodeJpeg(std::string_view jpegBytes, RgbImage& image, std::string& error);
bool EncodeJpeg(const RgbImage& image, int quality, std::string& jpegBytes, std::string& error);

} // namespace zv
