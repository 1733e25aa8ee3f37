#include "base/Jpeg.h"

#include <turbojpeg.h>

namespace zv {
namespace {

// Owns a TurboJPEG handle for one call.
class TjHandle {
public:
    explicit TjHandle(tjhandle h) : h_(h) {}
    ~TjHandle() {
        if (h_ != nullptr) {
            tjDestroy(h_);
        }
    }
    TjHandle(const TjHandle&) = delete;
    TjHandle& operator=(const TjHandle&) = delete;
    tjhandle get() const { return h_; }

private:
    tjhandle h_;
};

bool HasJpegMarker(std::string_view bytes) {
    return bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
           static_cast<unsigned char>(bytes[1]) == 0xD8;
}

} // namespace

bool JpegSize(std::string_view jpegBytes, int& width, int& height) {
    if (!HasJpegMarker(jpegBytes)) {
        return false;
    }
    TjHandle h(tjInitDecompress());
    if (h.get() == nullptr) {
        return false;
    }
    int w = 0, hgt = 0, subsamp = 0, colorspace = 0;
    if (tjDecompressHeader3(h.get(), reinterpret_cast<const unsigned char*>(jpegBytes.data()),
                            static_cast<unsigned long>(jpegBytes.size()), &w, &hgt, &subsamp,
                            &colorspace) != 0 ||
        w <= 0 || hgt <= 0) {
        return false;
    }
    width = w;
    height = hgt;
    return true;
}

bool DecodeJpeg(std::string_view jpegBytes, RgbImage& image, std::string& error) {
    int w = 0, h = 0;
    if (!JpegSize(jpegBytes, w, h)) {
        error = "Die Datei ist kein gültiges JPEG-Bild.";
        return false;
    }
    TjHandle handle(tjInitDecompress());
    RgbImage out;
    out.width = w;
    out.height = h;
    out.pixels.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 3);
    if (handle.get() == nullptr ||
        tjDecompress2(handle.get(), reinterpret_cast<const unsigned char*>(jpegBytes.data()),
                      static_cast<unsigned long>(jpegBytes.size()), out.pixels.data(), w, 0, h,
                      TJPF_RGB, TJFLAG_ACCURATEDCT) != 0) {
        error = std::string("Das JPEG-Bild kann nicht gelesen werden: ") +
                (handle.get() != nullptr ? tjGetErrorStr2(handle.get()) : "");
        return false;
    }
    image = std::move(out);
    return true;
}

bool EncodeJpeg(const RgbImage& image, int quality, std::string& jpegBytes, std::string& error) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 3) {
        error = "Das Bild hat keine gültige Größe.";
        return false;
    }
    TjHandle handle(tjInitCompress());
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    if (handle.get() == nullptr ||
        tjCompress2(handle.get(), image.pixels.data(), image.width, 0, image.height, TJPF_RGB,
                    &buffer, &size, TJSAMP_420, quality, TJFLAG_ACCURATEDCT) != 0) {
        error = std::string("Das JPEG-Bild kann nicht geschrieben werden: ") +
                (handle.get() != nullptr ? tjGetErrorStr2(handle.get()) : "");
        if (buffer != nullptr) {
            tjFree(buffer);
        }
        return false;
    }
    jpegBytes.assign(reinterpret_cast<const char*>(buffer), size);
    tjFree(buffer);
    return true;
}

} // namespace zv
