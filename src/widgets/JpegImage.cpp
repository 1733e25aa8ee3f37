#include "widgets/JpegImage.h"

#include "base/AtomicFile.h"
#include "base/Jpeg.h"

#include <cstring>

namespace zv {

QImage ImageFromRgb(const RgbImage& rgb) {
    if (rgb.width <= 0 || rgb.height <= 0 ||
        rgb.pixels.size() < std::size_t(rgb.width) * std::size_t(rgb.height) * 3) {
        return {};
    }
    QImage image(rgb.width, rgb.height, QImage::Format_RGB888);
    const std::size_t rowBytes = std::size_t(rgb.width) * 3;
    for (int y = 0; y < rgb.height; ++y) {
        std::memcpy(image.scanLine(y), rgb.pixels.data() + rowBytes * std::size_t(y), rowBytes);
    }
    return image;
}

QImage LoadJpegImage(const std::filesystem::path& path) {
    std::string bytes;
    std::string error;
    if (!ReadFileBytes(path, bytes, error)) {
        return {};
    }
    RgbImage rgb;
    if (!DecodeJpeg(bytes, rgb, error)) {
        return {};
    }
    return ImageFromRgb(rgb);
}

} // namespace zv
