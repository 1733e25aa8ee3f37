#pragma once

#include "base/Jpeg.h"
#include "reports/pdf/TJpegPicture.h"
#include "reports/pdf/TPdfImage.h"

namespace zv {

// A JPEG passed through unchanged with "/DCTDecode": the data are the
// picture's bytes exactly as stored, "Width", "Height" and the colour space
// come from its header. A file-backed picture is read only while the image
// is written, and what is embedded is what the file holds then.
class TPdfJpegImage : public TPdfImage {
public:
    // Throws std::runtime_error "only jpeg image is allowed." when the
    // picture is not a JPEG.
    explicit TPdfJpegImage(const TJpegPicture& picture);

    int Width() const { return picture_.Width(); }
    int Height() const { return picture_.Height(); }

    void Write(TPdfOutput& out) override;

private:
    TJpegPicture picture_;
};

// Writes a JPEG image's stream: the file's bytes as they are when written
// (for a picture from a file, `filePath` not empty) or `bytes`, described
// by the header they have; `loaded` is the header the picture was loaded
// with.
void WriteJpegImage(TPdfOutput& out, const TPdfImage& image, std::string_view filePath,
                    std::string_view bytes, const JpegHeader& loaded);

} // namespace zv
