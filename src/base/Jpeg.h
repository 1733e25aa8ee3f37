#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// What a JPEG's header tells: its size and how many colour components its
// pixels have (1 grey, 3 colour, 4 CMYK).
struct JpegHeader {
    int width = 0;
    int height = 0;
    int components = 0;
};

// False when the bytes are not a JPEG.
bool ReadJpegHeader(std::string_view jpegBytes, JpegHeader& header);
bool JpegSize(std::string_view jpegBytes, int& width, int& height);

// A picture as 8-bit RGB rows, top to bottom.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels; // width * height * 3
};

// Grey and CMYK pictures come out as RGB too. Damage the decoder can step
// over (stray bytes, a missing end) is no error, as in any viewer; a picture
// that cannot be decoded is refused with a German reason.
bool DecodeJpeg(std::string_view jpegBytes, RgbImage& image, std::string& error);
bool EncodeJpeg(const RgbImage& image, int quality, std::string& jpegBytes, std::string& error);

} // namespace zv
