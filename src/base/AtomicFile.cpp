#include "base/AtomicFile.h"

#include "base/SystemErrorText.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace zv {
namespace {

constexpr std::string_view kTempPrefix = ".zv-";
constexpr std::string_view kTempSuffix = ".tmp";
// Earlier versions named a temporary file "<target>.tmp-<digits>"; such a
// name could exceed the file system's limit for long file names.
constexpr std::string_view kOldTempMark = ".tmp-";
constexpr std::size_t kWriteBackStep = 4 << 20;
constexpr std::size_t kTempDigits = 12;

bool IsHexDigits(std::string_view digits) {
    return digits.size() == kTempDigits && std::all_of(digits.begin(), digits.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

bool IsTempName(std::string_view name) {
    const std::size_t newSize = kTempPrefix.size() + kTempDigits + kTempSuffix.size();
    if (name.size() == newSize && name.starts_with(kTempPrefix) && name.ends_with(kTempSuffix)) {
        return IsHexDigits(name.substr(kTempPrefix.size(), kTempDigits));
    }
    const std::size_t oldSuffix = kOldTempMark.size() + kTempDigits;
    return name.size() > oldSuffix &&
           name.substr(name.size() - oldSuffix, kOldTempMark.size()) == kOldTempMark &&
           IsHexDigits(name.substr(name.size() - kTempDigits));
}

bool HasNoWriteBit(const std::filesystem::path& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

} // namespace

std::string NewTemporaryName() {
    static thread_local std::mt19937_64 gen{std::random_device{}()};
    static constexpr char kHex[] = "0123456789abcdef";
    std::string name(kTempPrefix);
    auto v = gen();
    for (std::size_t i = 0; i < kTempDigits; ++i) {
        name += kHex[v & 15];
        v >>= 4;
    }
    name += kTempSuffix;
    return name;
}

void SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::string ReplaceRefusal(const std::filesystem::path& path) {
    // A device, pipe or socket is no file to be replaced: renaming over it
    // would put a plain file where the system expects the node (/dev/null).
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        return "Das Ziel \"" + PathToUtf8(path) +
               "\" ist keine gewöhnliche Datei (ein Gerät, eine Pipe oder ein Socket) und wird "
               "nicht ersetzt.";
    }
    // Judged by the mode bits, not by trying: root may write anything, and
    // the rename would replace the file without writing into it anyway.
    if (HasNoWriteBit(path)) {
        return "Die Datei \"" + PathToUtf8(path) + "\" ist schreibgeschützt.";
    }
    return {};
}

std::filesystem::path PathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string PathToUtf8(const std::filesystem::path& path) {
    const std::u8string s = path.u8string();
    return std::string(s.begin(), s.end());
}

std::filesystem::path FullPath(const std::filesystem::path& path) {
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(path, ec);
    return ec ? path : full.lexically_normal();
}

AtomicFileWriter::~AtomicFileWriter() {
    Abort();
}

bool AtomicFileWriter::Fail(const std::string& what, int err) {
    return FailWith(what + " \"" + PathToUtf8(target_) + "\": " + SystemErrorText(err) + ".");
}

bool AtomicFileWriter::FailWith(std::string message) {
    if (!failed_) {
        failed_ = true;
        error_ = std::move(message);
    }
    return false;
}

bool AtomicFileWriter::Open(const std::filesystem::path& target) {
    Abort();
    target_ = target;
    error_.clear();
    failed_ = false;
    unsynced_ = 0;
    written_ = 0;
    std::error_code ec;
    // A database reached through a link is written where the link points;
    // renaming over the link itself would cut it off from its file.
    if (std::filesystem::is_symlink(target, ec)) {
        const auto resolved = std::filesystem::canonical(target, ec);
        if (!ec) {
            target_ = resolved;
        }
    }
    if (std::filesystem::is_directory(target_, ec)) {
        return Fail("Die Datei kann nicht geschrieben werden", EISDIR);
    }
    if (std::string refusal = ReplaceRefusal(target_); !refusal.empty()) {
        return FailWith(std::move(refusal));
    }
    return OpenUnnamed() || OpenNamed();
}

bool AtomicFileWriter::OpenUnnamed() {
#ifdef O_TMPFILE
    // The unnamed file is given its name through /proc; without it the
    // named way is the only safe one.
    if (::access("/proc/self/fd", X_OK) != 0) {
        return false;
    }
    const std::filesystem::path folder = target_.parent_path();
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false; // not supported here, or the folder is unusable: the named way tells
    }
    file_ = ::fdopen(fd, "wb");
    if (file_ == nullptr) {
        ::close(fd);
        return false;
    }
    temp_.clear();
    return true;
#else
    return false;
#endif
}

bool AtomicFileWriter::OpenNamed() {
    temp_ = target_.parent_path() / NewTemporaryName();
    file_ = std::fopen(temp_.c_str(), "wbx");
    if (file_ == nullptr) {
        const int err = errno;
        temp_.clear();
        return Fail("Die Datei kann nicht geschrieben werden", err);
    }
    return true;
}

bool AtomicFileWriter::GiveName() {
    const int fd = ::fileno(file_);
    char self[64];
    std::snprintf(self, sizeof self, "/proc/self/fd/%d", fd);
    int err = EEXIST;
    for (int attempt = 0; attempt < 8 && err == EEXIST; ++attempt) {
        const std::filesystem::path name = target_.parent_path() / NewTemporaryName();
        if (::linkat(AT_FDCWD, self, AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0 ||
            ::linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0) {
            temp_ = name;
            return true;
        }
        err = errno;
    }
    return Fail("Die Datei kann nicht ersetzt werden", err);
}

bool AtomicFileWriter::Write(std::string_view bytes) {
    if (failed_ || file_ == nullptr) {
        return false;
    }
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
        return Fail("Fehler beim Schreiben der Datei", errno);
    }
    unsynced_ += bytes.size();
#ifdef SYNC_FILE_RANGE_WRITE
    // A file written in pieces goes to the disk while the next pieces are
    // made, so the sync at the end has only the last ones to wait for.
    if (unsynced_ >= kWriteBackStep && std::fflush(file_) == 0) {
        const std::uint64_t end = written_ + unsynced_;
        ::sync_file_range(::fileno(file_), static_cast<off_t>(written_),
                          static_cast<off_t>(end - written_), SYNC_FILE_RANGE_WRITE);
        written_ = end;
        unsynced_ = 0;
    }
#endif
    return true;
}

bool AtomicFileWriter::Commit() {
    if (file_ == nullptr) {
        if (!failed_) {
            Fail("Die Datei kann nicht geschrieben werden", EBADF);
        }
        return false;
    }
    if (!failed_ && std::fflush(file_) != 0) {
        Fail("Fehler beim Schreiben der Datei", errno);
    }
    if (!failed_ && ::fsync(::fileno(file_)) != 0) {
        Fail("Fehler beim Schreiben der Datei", errno);
    }
    if (!failed_) {
        // Keep the permissions of the file being replaced.
        struct stat st {};
        if (::stat(target_.c_str(), &st) == 0) {
            ::fchmod(::fileno(file_), st.st_mode & 07777);
        }
    }
    // The unnamed file gets its name only now, just before the rename.
    if (!failed_ && temp_.empty()) {
        GiveName();
    }
    if (std::fclose(file_) != 0 && !failed_) {
        Fail("Fehler beim Schreiben der Datei", errno);
    }
    file_ = nullptr;
    if (failed_) {
        Abort();
        return false;
    }
    if (std::rename(temp_.c_str(), target_.c_str()) != 0) {
        const int err = errno;
        Abort();
        return Fail("Die Datei kann nicht ersetzt werden", err);
    }
    temp_.clear();
    SyncFolder(target_.parent_path());
    return true;
}

void AtomicFileWriter::Abort() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temp_.empty()) {
        std::remove(temp_.c_str());
        temp_.clear();
    }
}

int RemoveLeftoverTemporaries(const std::filesystem::path& folder) {
    int removed = 0;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code entryEc;
        if (it->is_regular_file(entryEc) && !it->is_symlink(entryEc) &&
            IsTempName(it->path().filename().string()) &&
            std::filesystem::remove(it->path(), entryEc)) {
            ++removed;
        }
    }
    return removed;
}

bool WriteFileAtomic(const std::filesystem::path& target, std::string_view bytes,
                     std::string& error) {
    AtomicFileWriter w;
    if (!w.Open(target) || !w.Write(bytes) || !w.Commit()) {
        error = w.Error();
        return false;
    }
    error.clear();
    return true;
}

long long ReadAt(int fd, char* into, std::size_t size, std::uint64_t offset) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd, into + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return -1;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return static_cast<long long>(done);
}

bool ReadFileBytes(const std::filesystem::path& path, std::string& bytes, std::string& error) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        error = "Die Datei \"" + PathToUtf8(path) +
                "\" kann nicht gelesen werden: " + SystemErrorText(errno) + ".";
        return false;
    }
    std::string data;
    // Read straight into a buffer of the file's size; a file that grows
    // meanwhile is still read to its end.
    struct stat st {};
    if (::fstat(::fileno(f), &st) == 0 && st.st_size > 0) {
        data.resize(static_cast<std::size_t>(st.st_size));
        data.resize(std::fread(data.data(), 1, data.size(), f));
    }
    char buf[65536];
    std::size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
        data.append(buf, n);
    }
    const bool bad = std::ferror(f) != 0;
    const int err = errno;
    std::fclose(f);
    if (bad) {
        error = "Fehler beim Lesen der Datei \"" + PathToUtf8(path) +
                "\": " + SystemErrorText(err) + ".";
        return false;
    }
    bytes = std::move(data);
    error.clear();
    return true;
}

} // namespace zv
