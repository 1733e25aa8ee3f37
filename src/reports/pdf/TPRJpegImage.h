#pragma once

#include "reports/pdf/TJpegPicture.h"
#include "reports/pdf/TPRItem.h"

#include <string>

namespace zv {

class TPdfDoc;

// A JPEG picture. A shared image is added to the document once, under the
// item's name, and drawn from there on every page; an unshared one is
// added anew every time it prints, under the name and a random number. An
// empty picture, or one that is not a JPEG, prints nothing.
class TPRJpegImage : public TPRItem {
public:
    using TPRItem::TPRItem;

    TJpegPicture& Picture() { return picture_; }
    const TJpegPicture& Picture() const { return picture_; }
    bool SharedImage() const { return sharedImage_; }
    void SetSharedImage(bool shared) { sharedImage_ = shared; }
    // Scaled to the item's rectangle, or at one point per pixel from its
    // top-left corner, clipped to the rectangle.
    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch) { stretch_ = stretch; }

    void Print(TPRPrintContext& context, const TPRBounds& rect) override;

private:
    // Adds the picture to the document under `name`.
    void AddTo(TPdfDoc& doc, const std::string& name) const;

    TJpegPicture picture_;
    bool sharedImage_ = true;
    bool stretch_ = true;
};

} // namespace zv
