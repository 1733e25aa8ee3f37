#include "reports/pdf/TPdfImage.h"

#include "reports/pdf/TPdfJpegImage.h"

#include <stdexcept>
#include <string>

namespace zv {

std::shared_ptr<TPdfImage> CreatePdfImage(const TJpegPicture& picture,
                                          std::string_view imageClassName) {
    if (imageClassName == "Pdf-Jpeg") {
        return std::make_shared<TPdfJpegImage>(picture);
    }
    throw std::runtime_error("AddImage --InvalidImageClassName:" + std::string(imageClassName));
}

} // namespace zv
