#pragma once

#include "reports/pdf/TPdfStream.h"

#include <memory>
#include <string_view>

namespace zv {

class TJpegPicture;

// An image XObject: a stream with "Type" "XObject" and "Subtype" "Image".
class TPdfImage : public TPdfStream {
public:
    TPdfImage();
};

// Creates the image object of the registered image kind `imageClassName`
// ("Pdf-Jpeg") for a picture; throws std::runtime_error
// "AddImage --InvalidImageClassName:<name>" for an unknown kind.
std::shared_ptr<TPdfImage> CreatePdfImage(const TJpegPicture& picture,
                                          std::string_view imageClassName);

} // namespace zv
