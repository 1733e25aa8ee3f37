#pragma once

#include "base/Jpeg.h"
#include "reports/pdf/TPdfImage.h"

#include <string_view>

namespace zv {

// A JPEG image of a picture loaded from a file, as its document keeps it:
// the file's path (in the document's text arena) and the header it was
// loaded with. It is written like TPdfJpegImage; a report with thousands of
// pictures keeps only this much of each.
class TPdfJpegFileImage : public TPdfImage {
public:
    TPdfJpegFileImage(std::string_view keptPath, const JpegHeader& loaded)
        : path_(keptPath), loaded_(loaded) {}

    void Write(TPdfOutput& out) override;

private:
    std::string_view path_;
    JpegHeader loaded_;
};

} // namespace zv
