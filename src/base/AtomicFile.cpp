#include "base/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace zv {
namespace {

std::string Reason(int err) {
    switch (err) {
    case EACCES:
    case EPERM:
    case EROFS:
        return "Zugriff verweigert";
    case ENOENT:
        return "Der Ordner oder die Datei existiert nicht";
    case ENOSPC:
        return "Kein Speicherplatz mehr auf dem Datenträger";
    case EISDIR:
        return "Der Pfad ist ein Ordner";
    case EIO:
        return "Ein-/Ausgabefehler";
    default:
        return std::strerror(err);
    }
}

std::string TempSuffix() {
    static thread_local std::mt19937_64 gen{std::random_device{}()};
    static constexpr char kHex[] = "0123456789abcdef";
    std::string s = ".tmp-";
    auto v = gen();
    for (int i = 0; i < 12; ++i) {
        s += kHex[v & 15];
        v >>= 4;
    }
    return s;
}

void SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

std::filesystem::path PathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string PathToUtf8(const std::filesystem::path& path) {
    const std::u8string s = path.u8string();
    return std::string(s.begin(), s.end());
}

AtomicFileWriter::~AtomicFileWriter() {
    Abort();
}

bool AtomicFileWriter::Fail(const std::string& what, int err) {
    if (!failed_) {
        failed_ = true;
        error_ = what + " \"" + PathToUtf8(target_) + "\": " + Reason(err) + ".";
    }
    return false;
}

bool AtomicFileWriter::Open(const std::filesystem::path& target) {
    Abort();
    target_ = target;
    error_.clear();
    failed_ = false;
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
    temp_ = target_;
    temp_ += TempSuffix();
    file_ = std::fopen(temp_.c_str(), "wbx");
    if (file_ == nullptr) {
        const int err = errno;
        temp_.clear();
        return Fail("Die Datei kann nicht geschrieben werden", err);
    }
    return true;
}

bool AtomicFileWriter::Write(std::string_view bytes) {
    if (failed_ || file_ == nullptr) {
        return false;
    }
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
        return Fail("Fehler beim Schreiben der Datei", errno);
    }
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
    if (std::fclose(file_) != 0 && !failed_) {
        Fail("Fehler beim Schreiben der Datei", errno);
    }
    file_ = nullptr;
    if (failed_) {
        std::remove(temp_.c_str());
        temp_.clear();
        return false;
    }
    // Keep the permissions of the file being replaced.
    struct stat st {};
    if (::stat(target_.c_str(), &st) == 0) {
        ::chmod(temp_.c_str(), st.st_mode & 07777);
    }
    if (std::rename(temp_.c_str(), target_.c_str()) != 0) {
        const int err = errno;
        std::remove(temp_.c_str());
        temp_.clear();
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

bool ReadFileBytes(const std::filesystem::path& path, std::string& bytes, std::string& error) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        error = "Die Datei \"" + PathToUtf8(path) +
                "\" kann nicht gelesen werden: " + Reason(errno) + ".";
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
        error = "Fehler beim Lesen der Datei \"" + PathToUtf8(path) + "\": " + Reason(err) + ".";
        return false;
    }
    bytes = std::move(data);
    error.clear();
    return true;
}

} // namespace zv
