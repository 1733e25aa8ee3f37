#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace zv {

// A JPEG picture as a report holds it. A picture loaded from a file keeps
// only the file's path and the size from its header; its bytes are read
// again when a document is written, so a document with thousands of
// pictures never holds them all at once. A picture given as bytes shares
// them between all copies of the picture.
class TJpegPicture {
public:
    bool Empty() const { return !bytes_ && path_.empty(); }
    void Clear();

    // Reads the file's header to check that it is a JPEG and to learn its
    // size. False (picture empty, `error` a German reason) when the file
    // cannot be read or is no JPEG.
    bool LoadFromFile(const std::filesystem::path& path, std::string& error);
    // Takes the bytes as they are; IsJpeg() tells whether they are a JPEG.
    void LoadFromBytes(std::string bytes);

    bool IsJpeg() const { return isJpeg_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // 1 grey, 3 colour, 4 CMYK.
    int Components() const { return components_; }
    bool FromFile() const { return !path_.empty(); }
    // The file of a picture loaded from one, in the system's form.
    const std::string& FilePath() const { return path_; }
    // The bytes of a picture given as bytes (empty for one from a file).
    std::string_view Bytes() const {
        return bytes_ ? std::string_view(*bytes_) : std::string_view();
    }

private:
    std::shared_ptr<const std::string> bytes_;
    std::string path_;
    bool isJpeg_ = false;
    int width_ = 0;
    int height_ = 0;
    int components_ = 0;
};

} // namespace zv
