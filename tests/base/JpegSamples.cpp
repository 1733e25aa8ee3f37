#include "JpegSamples.h"

#include <turbojpeg.h>

#include <gtest/gtest.h>

namespace zv::test {

std::string SolidJpeg(int width, int height, const std::vector<std::uint8_t>& pixel) {
    const int format = pixel.size() == 1 ? TJPF_GRAY : pixel.size() == 4 ? TJPF_CMYK : TJPF_RGB;
    std::vector<std::uint8_t> pixels;
    pixels.reserve(std::size_t(width) * std::size_t(height) * pixel.size());
    for (int i = 0; i < width * height; ++i) {
        pixels.insert(pixels.end(), pixel.begin(), pixel.end());
    }
    tjhandle handle = tjInitCompress();
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const int failed =
        tjCompress2(handle, pixels.data(), width, 0, height, format, &buffer, &size,
                    format == TJPF_GRAY ? TJSAMP_GRAY : TJSAMP_444, 95, TJFLAG_ACCURATEDCT);
    EXPECT_EQ(failed, 0) << tjGetErrorStr2(handle);
    std::string jpeg(reinterpret_cast<const char*>(buffer), failed ? 0 : size);
    tjFree(buffer);
    tjDestroy(handle);
    return jpeg;
}

} // namespace zv::test
