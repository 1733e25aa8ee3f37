#pragma once

#include "reports/pdf/TPdfArray.h"
#include "reports/pdf/TPdfDictionary.h"
#include "reports/pdf/TPdfStream.h"

#include <memory>

namespace zv {

// A page dictionary with direct handles on the parts the canvas uses: the
// content stream, the font and XObject resources and the MediaBox.
class TPdfPage : public TPdfDictionary {
public:
    TPdfPage(double width, double height);

    TPdfStream& Contents() { return *contents_; }
    const std::shared_ptr<TPdfStream>& ContentsObject() const { return contents_; }
    TPdfDictionary& FontResources() { return *fonts_; }
    const std::shared_ptr<TPdfDictionary>& FontResourcesObject() const { return fonts_; }
    const std::shared_ptr<TPdfDictionary>& XObjectResourcesObject() const { return xobjects_; }
    const std::shared_ptr<TPdfArray>& MediaBoxObject() const { return mediaBox_; }
    TPdfDictionary& XObjectResources() { return *xobjects_; }

    double Width() const { return width_; }
    double Height() const { return height_; }
    // Rewrite the third and fourth numbers of "MediaBox".
    void SetWidth(double width);
    void SetHeight(double height);

private:
    std::shared_ptr<TPdfStream> contents_;
    std::shared_ptr<TPdfDictionary> fonts_;
    std::shared_ptr<TPdfDictionary> xobjects_;
    std::shared_ptr<TPdfArray> mediaBox_;
    double width_;
    double height_;
};

} // namespace zv
