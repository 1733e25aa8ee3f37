#pragma once

#include "reports/pdf/TPdfObject.h"

#include <memory>
#include <string>
#include <string_view>

namespace zv {

class TJpegPicture;

// An image XObject: a stream with "Type" "XObject", "Subtype" "Image" and
// the "Name" it is registered under in its document.
class TPdfImage : public TPdfObject {
public:
    // Set when the image is registered with a document.
    bool Named() const { return named_; }
    std::string_view Name() const { return name_; }
    void SetName(std::string_view name) {
        name_ = name;
        named_ = true;
    }

private:
    std::string name_;
    bool named_ = false;
};

// Creates the image object of the registered image kind `imageClassName`
// ("Pdf-Jpeg") for a picture; throws std::runtime_error
// "AddImage --InvalidImageClassName:<name>" for an unknown kind.
std::shared_ptr<TPdfImage> CreatePdfImage(const TJpegPicture& picture,
                                          std::string_view imageClassName);

} // namespace zv
