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
    Attributes().AddName("ColorSpace", "DeviceRGB");
    SetSize(picture.Width(), picture.Height());
    Attributes().AddNumber("BitsPerComponent", 8);
    Filter().AddName("DCTDecode");
}

void TPdfJpegImage::SetSize(int width, int height) {
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
    int width = 0;
    int height = 0;
    if (!JpegSize(data, width, height)) {
        throw std::runtime_error("Die Datei \"" + PathToUtf8(picture_.Path()) +
                                 "\" ist kein JPEG-Bild mehr.");
    }
    if (width != width_ || height != height_) {
        SetSize(width, height);
    }
}

} // namespace zv
