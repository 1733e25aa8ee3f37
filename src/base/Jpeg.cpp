#include "base/Jpeg.h"

#include <string>

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

// Four components: CMYK, or YCCK that the decoder turns into CMYK.
int ComponentsOf(int colorspace) {
    switch (colorspace) {
    case TJCS_GRAY:
        return 1;
    case TJCS_CMYK:
    case TJCS_YCCK:
        return 4;
    default:
        return 3;
    }
}

// Four-component JPEGs come from Adobe's programs or follow them, and they
// store the inks inverted (255 = no ink), so each colour is its ink value
// scaled by the black value.
void CmykToRgb(const std::vector<std::uint8_t>& cmyk, std::vector<std::uint8_t>& rgb) {
    rgb.resize(cmyk.size() / 4 * 3);
    for (std::size_t in = 0, out = 0; in + 3 < cmyk.size(); in += 4, out += 3) {
        const unsigned k = cmyk[in + 3];
        for (std::size_t c = 0; c < 3; ++c) {
            rgb[out + c] = static_cast<std::uint8_t>((cmyk[in + c] * k + 127) / 255);
        }
    }
}

} // namespace

bool ReadJpegHeader(std::string_view jpegBytes, JpegHeader& header) {
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
    header.width = w;
    header.height = hgt;
    header.components = ComponentsOf(colorspace);
    return true;
}

bool JpegSize(std::string_view jpegBytes, int& width, int& height) {
    JpegHeader header;
    if (!ReadJpegHeader(jpegBytes, header)) {
        return false;
    }
    width = header.width;
    height = header.height;
    return true;
}

bool DecodeJpeg(std::string_view jpegBytes, RgbImage& image, std::string& error) {
    JpegHeader header;
    if (!ReadJpegHeader(jpegBytes, header)) {
        error = "Die Datei ist kein gültiges JPEG-Bild.";
        return false;
    }
    // The header alone decides how much memory the pixels take: a file of a
    // few bytes may claim 65535 x 65535 and ask for gigabytes. No camera
    // comes near this limit.
    constexpr long long kMaxPixels = 200'000'000;
    if (static_cast<long long>(header.width) * header.height > kMaxPixels) {
        error = "Das JPEG-Bild ist mit " + std::to_string(header.width) + " × " +
                std::to_string(header.height) +
                " Bildpunkten zu groß (höchstens 200 Millionen Bildpunkte).";
        return false;
    }
    const bool cmyk = header.components == 4;
    TjHandle handle(tjInitDecompress());
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(header.width) *
                                     static_cast<std::size_t>(header.height) * (cmyk ? 4 : 3));
    // libjpeg reports damage it stepped over as a warning (in English) and
    // still delivers the picture; only a real error stops it.
    if (handle.get() == nullptr ||
        (tjDecompress2(handle.get(), reinterpret_cast<const unsigned char*>(jpegBytes.data()),
                       static_cast<unsigned long>(jpegBytes.size()), pixels.data(), header.width, 0,
                       header.height, cmyk ? TJPF_CMYK : TJPF_RGB, TJFLAG_ACCURATEDCT) != 0 &&
         tjGetErrorCode(handle.get()) != TJERR_WARNING)) {
        error = "Das JPEG-Bild ist beschädigt und kann nicht gelesen werden.";
        return false;
    }
    RgbImage out;
    out.width = header.width;
    out.height = header.height;
    if (cmyk) {
        CmykToRgb(pixels, out.pixels);
    } else {
        out.pixels = std::move(pixels);
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
