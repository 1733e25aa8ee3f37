#include "reports/pdf/TPdfSpill.h"

#include "base/AtomicFile.h"

#include <cerrno>
#include <unistd.h>

namespace zv {

TPdfSpill::TPdfSpill() : file_(std::tmpfile()) {}

TPdfSpill::~TPdfSpill() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

bool TPdfSpill::Keep(std::string_view bytes, std::uint64_t& offset) {
    if (file_ == nullptr) {
        return false;
    }
    const int fd = ::fileno(file_);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done,
                                   static_cast<off_t>(size_ + done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false; // what was written past size_ is overwritten next time
        }
        done += static_cast<std::size_t>(n);
    }
    offset = size_;
    size_ += bytes.size();
    return true;
}

bool TPdfSpill::Fetch(std::uint64_t offset, std::size_t size, std::string& into) const {
    into.resize(size);
    return ReadAt(::fileno(file_), into.data(), size, offset) == static_cast<long long>(size);
}

} // namespace zv
