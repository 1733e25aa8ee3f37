#include "storage/TMlb2FileSource.h"

#include "base/SystemErrorText.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zv {

TMlb2FileSource::~TMlb2FileSource() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool TMlb2FileSource::Open(const std::filesystem::path& path) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) {
        reason_ = SystemErrorText(errno);
        return false;
    }
    struct stat st {};
    if (::fstat(fd_, &st) != 0) {
        reason_ = SystemErrorText(errno);
        return false;
    }
    if (S_ISDIR(st.st_mode)) {
        reason_ = SystemErrorText(EISDIR);
        return false;
    }
    size_ = S_ISREG(st.st_mode) ? static_cast<std::uint64_t>(st.st_size) : 0;
    return true;
}

bool TMlb2FileSource::Read(char* dest, std::size_t capacity, std::size_t& got) {
    got = 0;
    while (got < capacity) {
        const ssize_t n = ::read(fd_, dest + got, capacity - got);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            reason_ = SystemErrorText(errno);
            return false;
        }
        if (n == 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    position_ += got;
    // A file that grew while being read: count what is really there.
    if (position_ > size_) {
        size_ = position_;
    }
    return true;
}

bool TMlb2FileSource::ReadExact(char* dest, std::size_t count) {
    std::size_t got = 0;
    if (!Read(dest, count, got)) {
        return false;
    }
    if (got != count) {
        reason_ = "Die Datei endet vorzeitig";
        return false;
    }
    return true;
}

} // namespace zv
