#include "reports/pdf/TPdfJpegImage.h"

#include "base/AtomicFile.h"
#include "base/Jpeg.h"
#include "reports/pdf/TPdfArray.h"

#include <stdexcept>

namespace zv {

TPdfJpegImage::TPdfJpegImage(const TJpegPicture& picture) : picture_(picture) {
    if (picture.Empty() || !picture.IsJpeg()) {
        throw std::runtime_error("only jpeg image is allowed.");
    }
    Describe(picture.Width(), picture.Height(), picture.Components());
    Attributes().AddNumber("BitsPerComponent", 8);
    Filter().AddName("DCTDecode");
}

void TPdfJpegImage::Describe(int width, int height, int components) {
    if (components != components_) {
        components_ = components;
        const char* space = components == 1   ? "DeviceGray"
                            : components == 4 ? "DeviceCMYK"
                                              : "DeviceRGB";
        Attributes().AddName("ColorSpace", space);
        // CMYK JPEGs store their inks inverted, as Adobe's programs write
        // them; without the inverted decoding they print as a negative.
        Attributes().Remove("Decode");
        if (components == 4) {
            auto decode = std::make_shared<TPdfArray>();
            for (int i = 0; i < 4; ++i) {
                decode->AddNumber(1);
                decode->AddNumber(0);
            }
            Attributes().Add("Decode", decode);
        }
    }
    width_ = width;
    height_ = height;
    if (auto* w = dynamic_cast<TPdfNumber*>(Attributes().Value("Width"))) {
        w->SetValue(width);
    } else {
        Attributes().AddNumber("Width", width);
    }
    if (auto* h = dynamic_cast<TPdfNumber*>(Attributes().Value("Height"))) {
        h->SetValue(height);
    } else {
        Attributes().AddNumber("Height", height);
    }
}

std::string_view TPdfJpegImage::FetchData(std::string& scratch) {
    std::string_view bytes;
    std::string error;
    if (!picture_.ReadBytes(scratch, bytes, error)) {
        throw std::runtime_error(error);
    }
    return bytes;
}

void TPdfJpegImage::BeforeWriteAttributes(std::string_view data) {
    // A picture file may have been replaced since it was loaded; the header
    // written must describe the bytes that are actually embedded.
    if (!picture_.FromFile()) {
        return;
    }
    JpegHeader header;
    if (!ReadJpegHeader(data, header)) {
        throw std::runtime_error("Die Datei \"" + PathToUtf8(picture_.Path()) +
                                 "\" ist kein JPEG-Bild mehr.");
    }
    if (header.width != width_ || header.height != height_ || header.components != components_) {
        Describe(header.width, header.height, header.components);
    }
}

} // namespace zv
