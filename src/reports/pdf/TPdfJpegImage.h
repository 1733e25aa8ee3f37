#pragma once

#include "reports/pdf/TJpegPicture.h"
#include "reports/pdf/TPdfImage.h"

namespace zv {

// A JPEG passed through unchanged with "/DCTDecode": the data are the
// picture's bytes exactly as stored, "Width", "Height" and the colour space
// come from its header. A file-backed picture is read only while the image
// is written.
class TPdfJpegImage : public TPdfImage {
public:
    // Throws std::runtime_error "only jpeg image is allowed." when the
    // picture is not a JPEG.
    explicit TPdfJpegImage(const TJpegPicture& picture);

    int Width() const { return width_; }
    int Height() const { return height_; }

protected:
    std::string_view FetchData(std::string& scratch) override;
    void BeforeWriteAttributes(std::string_view data) override;

private:
    void Describe(int width, int height, int components);

    TJpegPicture picture_;
    int width_ = 0;
    int height_ = 0;
    int components_ = 0;
};

} // namespace zv
