#include "reports/pdf/TJpegPicture.h"

#include "base/Jpeg.h"
#include "reports/pdf/TJpegFile.h"

namespace zv {

void TJpegPicture::Clear() {
    bytes_.reset();
    path_.clear();
    isJpeg_ = false;
    width_ = 0;
    height_ = 0;
    components_ = 0;
}

bool TJpegPicture::LoadFromFile(const std::filesystem::path& path, std::string& error) {
    Clear();
    TJpegFile file;
    if (!file.Open(path.native(), error)) {
        return false;
    }
    path_ = path.native();
    isJpeg_ = true;
    width_ = file.Header().width;
    height_ = file.Header().height;
    components_ = file.Header().components;
    return true;
}

void TJpegPicture::LoadFromBytes(std::string bytes) {
    Clear();
    JpegHeader header;
    isJpeg_ = ReadJpegHeader(bytes, header);
    width_ = header.width;
    height_ = header.height;
    components_ = header.components;
    bytes_ = std::make_shared<const std::string>(std::move(bytes));
}

} // namespace zv
