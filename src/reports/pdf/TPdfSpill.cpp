#include "reports/pdf/TPdfSpill.h"

#include "base/AtomicFile.h"

#include <cerrno>
#include <unistd.h>

namespace zv {

TPdfSpill::~TPdfSpill() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

bool TPdfSpill::WriteAt(std::uint64_t offset, std::string_view bytes) {
    const int fd = ::fileno(file_);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done,
                                   static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool TPdfSpill::Keep(std::string_view bytes, std::uint64_t& offset) {
    if (file_ == nullptr && !failed_) {
        file_ = std::tmpfile();
        failed_ = file_ == nullptr;
    }
    // What a failed write left past size_ is overwritten next time.
    if (file_ == nullptr || !WriteAt(size_, bytes)) {
        return false;
    }
    offset = size_;
    size_ += bytes.size();
    return true;
}

bool TPdfSpill::Rewrite(std::uint64_t offset, std::string_view bytes) {
    return file_ != nullptr && offset + bytes.size() <= size_ && WriteAt(offset, bytes);
}

bool TPdfSpill::Fetch(std::uint64_t offset, char* into, std::size_t size) const {
    return file_ != nullptr &&
           ReadAt(::fileno(file_), into, size, offset) == static_cast<long long>(size);
}

} // namespace zv
