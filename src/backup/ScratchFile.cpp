#include "backup/ScratchFile.h"

#include "base/AtomicFile.h"
#include "base/SystemErrorText.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zv {
namespace {

std::filesystem::path FolderOf(const std::filesystem::path& target) {
    return target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
}

// Why the file at `target` may not be replaced; empty when it may (or when
// there is none). A link is replaced itself, whatever it points to.
std::string ReplaceProblem(const std::filesystem::path& target) {
    struct stat st {};
    if (::lstat(target.c_str(), &st) != 0 || S_ISLNK(st.st_mode)) {
        return {};
    }
    return ReplaceRefusal(target);
}

} // namespace

ScratchFile::~ScratchFile() {
    Close();
}

bool ScratchFile::Fail(int err, std::string& error) {
    error = "Die Datei \"" + PathToUtf8(target_) +
            "\" kann nicht geschrieben werden: " + SystemErrorText(err) + ".";
    Close();
    return false;
}

bool ScratchFile::Create(const std::filesystem::path& target, std::string& error) {
    Close();
    target_ = target;
    writePos_ = 0;
    if (std::string problem = ReplaceProblem(target); !problem.empty()) {
        error = std::move(problem);
        return false;
    }
    const std::filesystem::path folder = FolderOf(target);
#ifdef O_TMPFILE
    // The unnamed file is given its name through /proc when it is moved.
    if (::access("/proc/self/fd", X_OK) == 0) {
        fd_ = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            readablePath_ = "/proc/self/fd/" + std::to_string(fd_);
            return true;
        }
    }
#endif
    int err = EEXIST;
    // A few attempts only guard against the unlikely clash of two random names.
    for (int attempt = 0; attempt < 8 && err == EEXIST; ++attempt) {
        const std::filesystem::path name = folder / NewTemporaryName();
        fd_ = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            name_ = name;
            readablePath_ = name.string();
            return true;
        }
        err = errno;
    }
    return Fail(err, error);
}

void ScratchFile::Close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!name_.empty()) {
        ::unlink(name_.c_str());
        name_.clear();
    }
    readablePath_.clear();
}

bool ScratchFile::Append(std::string_view bytes, std::string& error) {
    while (!bytes.empty()) {
        const ssize_t n = ::pwrite(fd_, bytes.data(), bytes.size(), writePos_);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return Fail(n < 0 ? errno : ENOSPC, error);
        }
        writePos_ += n;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool ScratchFile::MoveIntoPlace(std::string& error) {
    if (fd_ < 0) {
        return Fail(EBADF, error);
    }
    if (::fsync(fd_) != 0) {
        return Fail(errno, error);
    }
    if (std::string problem = ReplaceProblem(target_); !problem.empty()) {
        error = std::move(problem);
        Close();
        return false;
    }
    struct stat st {};
    if (::lstat(target_.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        ::fchmod(fd_, st.st_mode & 07777);
    }
    const std::filesystem::path folder = FolderOf(target_);
    int err = EEXIST;
    for (int attempt = 0; attempt < 8 && name_.empty() && err == EEXIST; ++attempt) {
        const std::filesystem::path name = folder / NewTemporaryName();
        if (::linkat(AT_FDCWD, readablePath_.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) ==
            0) {
            name_ = name;
        } else {
            err = errno;
        }
    }
    if (name_.empty()) {
        return Fail(err, error);
    }
    // rename() replaces whatever name the target has, a link included.
    if (::rename(name_.c_str(), target_.c_str()) != 0) {
        return Fail(errno, error);
    }
    name_.clear();
    Close();
    SyncFolder(folder);
    return true;
}

} // namespace zv
