#include "reports/pdf/TJpegPicture.h"

#include "base/AtomicFile.h"
#include "base/Jpeg.h"

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
    std::string bytes;
    if (!ReadFileBytes(path, bytes, error)) {
        return false;
    }
    JpegHeader header;
    if (!ReadJpegHeader(bytes, header)) {
        error = "Die Datei \"" + PathToUtf8(path) + "\" ist kein JPEG-Bild.";
        return false;
    }
    path_ = path;
    isJpeg_ = true;
    width_ = header.width;
    height_ = header.height;
    components_ = header.components;
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

bool TJpegPicture::ReadBytes(std::string& scratch, std::string_view& bytes,
                             std::string& error) const {
    if (bytes_) {
        bytes = *bytes_;
        return true;
    }
    if (path_.empty()) {
        bytes = {};
        return true;
    }
    if (!ReadFileBytes(path_, scratch, error)) {
        return false;
    }
    bytes = scratch;
    return true;
}

} // namespace zv
