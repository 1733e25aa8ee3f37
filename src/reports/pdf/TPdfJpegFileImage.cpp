#include "reports/pdf/TPdfJpegFileImage.h"

#include "reports/pdf/TPdfJpegImage.h"

namespace zv {

void TPdfJpegFileImage::Write(TPdfOutput& out) {
    WriteJpegImage(out, *this, path_, {}, loaded_);
}

} // namespace zv
