#pragma once

#include "base/Jpeg.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <time.h>

namespace zv {

class TPdfOutput;

// A JPEG picture file opened for reading: its header is taken from as few
// of its first bytes as hold it, and its bytes can go straight into a
// document's output, so a report with thousands of pictures reads each
// one's header cheaply and copies each one's bytes once.
class TJpegFile {
public:
    TJpegFile() = default;
    ~TJpegFile();
    TJpegFile(const TJpegFile&) = delete;
    TJpegFile& operator=(const TJpegFile&) = delete;

    // Opens the file and reads its header. False with a German reason
    // naming the file when it cannot be read or is no JPEG.
    bool Open(const std::string& path, std::string& error);

    // After a failed Open: the file was read but holds no JPEG.
    bool NoJpeg() const { return noJpeg_; }
    const JpegHeader& Header() const { return header_; }
    std::uint64_t Size() const { return size_; }

    // Writes all the file's bytes to `out`. False with a German reason when
    // they cannot be read, or when the file has changed since Open (so the
    // header written for them would not describe them).
    bool CopyTo(TPdfOutput& out, std::string& error);

private:
    std::string Named() const;
    std::string ReadError(int err) const;
    std::string ChangedError() const;

    int fd_ = -1;
    std::string path_;
    std::uint64_t size_ = 0;
    timespec modified_{};
    JpegHeader header_;
    bool noJpeg_ = false;
    // The first bytes of the file, those the header was read from.
    std::string start_;
};

} // namespace zv
