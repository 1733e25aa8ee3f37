#pragma once

#include "base/Jpeg.h"
#include "reports/pdf/TPdfImage.h"

#include <string_view>

namespace zv {

// A JPEG image of a picture loaded from a file, made from what its
// document keeps of it (the file's path and the header it was loaded with)
// when it is written. It is written like TPdfJpegImage; a report with
// thousands of pictures keeps only this much of each.
class TPdfJpegFileImage : public TPdfImage {
public:
    // `path` must outlive the object.
    TPdfJpegFileImage(std::string_view path, const JpegHeader& loaded)
        : path_(path), loaded_(loaded) {}

    void Write(TPdfOutput& out) override;

private:
    std::string_view path_;
    JpegHeader loaded_;
};

} // namespace zv
