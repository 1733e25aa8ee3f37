#include "reports/pdf/TPRJpegImage.h"

#include "base/RandomSource.h"
#include "reports/pdf/TPRPrintContext.h"
#include "reports/pdf/TPdfCanvas.h"
#include "reports/pdf/TPdfDoc.h"
#include "reports/pdf/TPdfImage.h"

#include <stdexcept>
#include <string>

namespace zv {

namespace {
constexpr int kNameRange = 65535; // random suffixes 0 … 65534
}

void TPRJpegImage::AddTo(TPdfDoc& doc, const std::string& name) const {
    // A report may hold thousands of pictures from files; the document keeps
    // those compactly.
    if (picture_.FromFile()) {
        doc.AddJpegFile(name, picture_);
    } else {
        doc.AddXObject(name, CreatePdfImage(picture_, "Pdf-Jpeg"));
    }
}

void TPRJpegImage::Print(TPRPrintContext& context, const TPRBounds& rect) {
    // Only a JPEG can be embedded; anything else leaves the box empty
    // rather than stopping the whole report.
    if (picture_.Empty() || !picture_.IsJpeg()) {
        return;
    }
    TPdfDoc& doc = context.Doc();
    std::string name;
    if (sharedImage_) {
        name = Name();
        if (!doc.HasXObject(name)) {
            AddTo(doc, name);
        }
    } else {
        bool found = false;
        for (int tries = 0; tries < kNameRange; ++tries) {
            name = Name() + std::to_string(context.Random().Random(kNameRange));
            if (!doc.HasXObject(name)) {
                found = true;
                break;
            }
        }
        if (!found) {
            throw std::runtime_error("image count over max value..");
        }
        AddTo(doc, name);
    }

    TPdfCanvas& canvas = context.Canvas();
    if (stretch_) {
        canvas.DrawXObject(rect.Left, context.PageY(rect.Bottom), rect.Width(), rect.Height(),
                           name);
    } else {
        double width = picture_.Width();
        double height = picture_.Height();
        canvas.DrawXObjectEx(rect.Left, context.PageY(rect.Top) - height, width, height, rect.Left,
                             context.PageY(rect.Bottom), rect.Width(), rect.Height(), name);
    }
}

} // namespace zv
