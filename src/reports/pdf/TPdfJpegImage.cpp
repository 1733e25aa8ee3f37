#include "reports/pdf/TPdfJpegImage.h"

#include "base/AtomicFile.h"
#include "base/Jpeg.h"
#include "reports/pdf/TJpegFile.h"
#include "reports/pdf/TPdfOutput.h"

#include <stdexcept>

namespace zv {

namespace {

void WriteColorSpace(TPdfOutput& out, int components) {
    out.Write(components == 1   ? "/ColorSpace /DeviceGray\r\n"
              : components == 4 ? "/ColorSpace /DeviceCMYK\r\n"
                                : "/ColorSpace /DeviceRGB\r\n");
    // CMYK JPEGs store their inks inverted, as Adobe's programs write them;
    // without the inverted decoding they print as a negative.
    if (components == 4) {
        out.Write("/Decode [1 0 1 0 1 0 1 0 ]\r\n");
    }
}

} // namespace

TPdfJpegImage::TPdfJpegImage(const TJpegPicture& picture) : picture_(picture) {
    if (picture.Empty() || !picture.IsJpeg()) {
        throw std::runtime_error("only jpeg image is allowed.");
    }
}

void TPdfJpegImage::Write(TPdfOutput& out) {
    WriteJpegImage(out, *this, picture_.FilePath(), picture_.Bytes(),
                   JpegHeader{picture_.Width(), picture_.Height(), picture_.Components()});
}

void WriteJpegImage(TPdfOutput& out, const TPdfImage& image, std::string_view filePath,
                    std::string_view bytes, const JpegHeader& loaded) {
    // A picture file may have been replaced since it was loaded; the header
    // written must describe the bytes that are actually embedded.
    TJpegFile file;
    JpegHeader header = loaded;
    std::uint64_t size = bytes.size();
    if (!filePath.empty()) {
        std::string error;
        if (!file.Open(std::string(filePath), error)) {
            throw std::runtime_error(file.NoJpeg()
                                         ? "Die Datei \"" + PathToUtf8(std::string(filePath)) +
                                               "\" ist kein JPEG-Bild mehr."
                                         : error);
        }
        header = file.Header();
        size = file.Size();
    }
    // The colour space keeps its place while the picture keeps its kind;
    // a picture that changed its kind has it written last.
    const bool sameKind = header.components == loaded.components;
    out.Write("<<\r\n/Length ");
    out.WriteInt(static_cast<long long>(size));
    out.Write("\r\n/Filter [/DCTDecode ]\r\n/Type /XObject\r\n/Subtype /Image\r\n");
    if (sameKind) {
        WriteColorSpace(out, header.components);
    }
    out.Write("/Width ");
    out.WriteInt(header.width);
    out.Write("\r\n/Height ");
    out.WriteInt(header.height);
    out.Write("\r\n/BitsPerComponent 8\r\n");
    if (image.Named()) {
        out.Write("/Name ");
        out.WriteName(image.Name());
        out.Write("\r\n");
    }
    if (!sameKind) {
        WriteColorSpace(out, header.components);
    }
    out.Write(">>\r\nstream\r\n");
    if (!filePath.empty()) {
        std::string error;
        if (!file.CopyTo(out, error)) {
            throw std::runtime_error(error);
        }
    } else {
        out.Write(bytes);
    }
    out.Write("\nendstream");
}

} // namespace zv
