#include "backup/ScratchFile.h"

#include "backup/ZipErrorText.h"
#include "base/AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace zv {
namespace {

std::string RandomName() {
    static thread_local std::mt19937_64 gen{std::random_device{}()};
    static constexpr char kHex[] = "0123456789abcdef";
    std::string name = ".zv-scratch-";
    auto v = gen();
    for (int i = 0; i < 12; ++i) {
        name += kHex[v & 15];
        v >>= 4;
    }
    return name;
}

} // namespace

ScratchFile::~ScratchFile() {
    Close();
}

bool ScratchFile::Create(const std::filesystem::path& folder, const std::filesystem::path& shownAs,
                         std::string& error) {
    Close();
    shownAs_ = shownAs;
    writePos_ = 0;
    const std::filesystem::path where = folder.empty() ? std::filesystem::path(".") : folder;
    int err = 0;
    // A few attempts only guard against the unlikely clash of two random names.
    for (int attempt = 0; attempt < 8 && fd_ < 0; ++attempt) {
        const std::filesystem::path name = where / RandomName();
        fd_ = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd_ >= 0) {
            ::unlink(name.c_str());
            return true;
        }
        err = errno;
        if (err != EEXIST) {
            break;
        }
    }
    error = "Die Datei \"" + PathToUtf8(shownAs) +
            "\" kann nicht geschrieben werden: " + SystemErrorText(err) + ".";
    return false;
}

void ScratchFile::Close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

std::int64_t ScratchFile::Size() const {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) {
        return -1;
    }
    return st.st_size;
}

bool ScratchFile::Append(std::string_view bytes, std::string& error) {
    while (!bytes.empty()) {
        const ssize_t n = ::pwrite(fd_, bytes.data(), bytes.size(), writePos_);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            error = "Die Datei \"" + PathToUtf8(shownAs_) +
                    "\" kann nicht geschrieben werden: " + SystemErrorText(n < 0 ? errno : ENOSPC) +
                    ".";
            return false;
        }
        writePos_ += n;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::string ScratchFile::ReadablePath() const {
    if (fd_ < 0 || ::access("/proc/self/fd", X_OK) != 0) {
        return {};
    }
    return "/proc/self/fd/" + std::to_string(fd_);
}

bool ScratchFile::CopyTo(const std::filesystem::path& target, std::string& error) const {
    AtomicFileWriter out;
    if (!out.Open(target)) {
        error = out.Error();
        return false;
    }
    std::string buffer(256 * 1024, '\0');
    std::int64_t offset = 0;
    for (;;) {
        const ssize_t n = ::pread(fd_, buffer.data(), buffer.size(), offset);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            const int err = errno;
            out.Abort();
            error = "Die Datei \"" + PathToUtf8(target) +
                    "\" kann nicht geschrieben werden: " + SystemErrorText(err) + ".";
            return false;
        }
        if (n == 0) {
            break;
        }
        out.Write(std::string_view(buffer.data(), static_cast<std::size_t>(n)));
        offset += n;
    }
    if (!out.Commit()) {
        error = out.Error();
        return false;
    }
    return true;
}

} // namespace zv
