#include "reports/pdf/TJpegPicture.h"

#include "base/AtomicFile.h"
#include "base/Jpeg.h"

#include <algorithm>
#include <cstdio>

namespace zv {
namespace {

constexpr std::size_t kHeaderBytes = 64 * 1024;

// The first `limit` bytes of a file (all of it when shorter; `whole` says
// which). False with a German reason when it cannot be read.
bool ReadFileStart(const std::filesystem::path& path, std::size_t limit, std::string& bytes,
                   bool& whole, std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return ReadFileBytes(path, bytes, error); // the same message as a whole read
    }
    bytes.resize(limit + 1);
    const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
    const bool bad = std::ferror(file) != 0;
    std::fclose(file);
    if (bad) {
        return ReadFileBytes(path, bytes, error);
    }
    whole = got <= limit;
    bytes.resize(std::min(got, limit));
    return true;
}

} // namespace

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
    // The size is in the header, which the first kilobytes nearly always
    // hold whole; only a picture whose header is longer is read entirely.
    std::string bytes;
    bool whole = false;
    if (!ReadFileStart(path, kHeaderBytes, bytes, whole, error)) {
        return false;
    }
    JpegHeader header;
    bool read = ReadJpegHeader(bytes, header);
    if (!read && !whole) {
        if (!ReadFileBytes(path, bytes, error)) {
            return false;
        }
        read = ReadJpegHeader(bytes, header);
    }
    if (!read) {
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
