#include "reports/pdf/TJpegFile.h"

#include "base/AtomicFile.h"
#include "base/SystemErrorText.h"
#include "reports/pdf/TPdfOutput.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zv {

namespace {

// The header nearly always lies in the first few kilobytes; a camera's
// preview picture in front of it can take up to 64 KiB.
constexpr std::size_t kHeaderSteps[] = {4 * 1024, 64 * 1024};

} // namespace

TJpegFile::~TJpegFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

std::string TJpegFile::Named() const {
    return "Die Datei \"" + PathToUtf8(std::filesystem::path(path_)) + "\"";
}

std::string TJpegFile::ReadError(int err) const {
    return Named() + " kann nicht gelesen werden: " + SystemErrorText(err) + ".";
}

std::string TJpegFile::ChangedError() const {
    return Named() + " wurde während des Schreibens verändert.";
}

bool TJpegFile::Open(const std::string& path, std::string& error) {
    path_ = path;
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (fd_ < 0 || ::fstat(fd_, &st) != 0) {
        error = ReadError(errno);
        return false;
    }
    size_ = static_cast<std::uint64_t>(st.st_size);
    modified_ = st.st_mtim;
    bool read = false;
    for (std::size_t step : kHeaderSteps) {
        const std::size_t want = size_ < step ? static_cast<std::size_t>(size_) : step;
        start_.resize(want);
        const long long got = ReadAt(fd_, start_.data(), want, 0);
        if (got < 0) {
            error = ReadError(errno);
            return false;
        }
        start_.resize(static_cast<std::size_t>(got));
        read = ReadJpegHeader(start_, header_);
        if (read || want == size_) {
            break;
        }
    }
    if (!read && start_.size() < size_) {
        // A header longer than the steps: only the whole file tells.
        start_.resize(static_cast<std::size_t>(size_));
        const long long got = ReadAt(fd_, start_.data(), start_.size(), 0);
        if (got < 0) {
            error = ReadError(errno);
            return false;
        }
        start_.resize(static_cast<std::size_t>(got));
        read = ReadJpegHeader(start_, header_);
    }
    if (!read) {
        noJpeg_ = true;
        error = Named() + " ist kein JPEG-Bild.";
        return false;
    }
    return true;
}

bool TJpegFile::CopyTo(TPdfOutput& out, std::string& error) {
    std::uint64_t done = 0;
    while (done < size_) {
        std::size_t room = 0;
        // Reads of a few kilobytes at least, not the last scraps of the buffer.
        char* into = out.FreeRoom(
            static_cast<std::size_t>(std::min<std::uint64_t>(size_ - done, 16 * 1024)), room);
        const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(room, size_ - done));
        const long long got = ReadAt(fd_, into, want, done);
        if (got < 0) {
            error = ReadError(errno);
            return false;
        }
        const auto count = static_cast<std::size_t>(got);
        // The bytes the header came from must still be the file's first.
        bool changed = count == 0;
        if (done < start_.size()) {
            const std::size_t overlap =
                std::min(count, static_cast<std::size_t>(start_.size() - done));
            changed = changed || std::memcmp(into, start_.data() + done, overlap) != 0;
        }
        if (changed) {
            error = ChangedError();
            return false;
        }
        out.Commit(count);
        done += count;
    }
    // A file that grew or was rewritten meanwhile is not what was copied.
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || static_cast<std::uint64_t>(st.st_size) != size_ ||
        st.st_mtim.tv_sec != modified_.tv_sec || st.st_mtim.tv_nsec != modified_.tv_nsec) {
        error = ChangedError();
        return false;
    }
    return true;
}

} // namespace zv
