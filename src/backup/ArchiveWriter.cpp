#include "backup/ArchiveWriter.h"

#include "backup/ArchiveReader.h"
#include "backup/ZipErrorText.h"
#include "base/AtomicFile.h"

#include <zip.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zv {

// The scratch file as a libzip source that can be written and read back.
struct ScratchSourceState {
    int fd = -1;
    zip_error_t error{};
    std::int64_t readPos = 0;
    std::int64_t writePos = 0;
    bool committed = false;
    int writeErrno = 0; // the first failed write, for a precise message
};

namespace {

std::string Quoted(const std::filesystem::path& path) {
    return "\"" + PathToUtf8(path) + "\"";
}

std::int64_t FileSize(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 ? static_cast<std::int64_t>(st.st_size) : -1;
}

zip_int64_t Fail(zip_error_t& error, int zipError, int systemError) {
    zip_error_set(&error, zipError, systemError);
    return -1;
}

zip_int64_t ScratchCallback(void* userdata, void* data, zip_uint64_t len, zip_source_cmd_t cmd) {
    auto& s = *static_cast<ScratchSourceState*>(userdata);
    switch (cmd) {
    case ZIP_SOURCE_SUPPORTS:
        return ZIP_SOURCE_SUPPORTS_WRITABLE;
    case ZIP_SOURCE_STAT: {
        // Until the first commit there is no archive yet: libzip starts a
        // new one.
        if (!s.committed) {
            return Fail(s.error, ZIP_ER_READ, ENOENT);
        }
        auto* st = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, len, &s.error);
        if (st == nullptr) {
            return -1;
        }
        zip_stat_init(st);
        const std::int64_t size = FileSize(s.fd);
        if (size < 0) {
            return Fail(s.error, ZIP_ER_READ, errno);
        }
        st->size = static_cast<zip_uint64_t>(size);
        st->valid |= ZIP_STAT_SIZE;
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_OPEN:
        s.readPos = 0;
        return 0;
    case ZIP_SOURCE_READ: {
        const ssize_t n = ::pread(s.fd, data, len, s.readPos);
        if (n < 0) {
            return Fail(s.error, ZIP_ER_READ, errno);
        }
        s.readPos += n;
        return n;
    }
    case ZIP_SOURCE_CLOSE:
        return 0;
    case ZIP_SOURCE_SEEK: {
        const zip_int64_t pos = zip_source_seek_compute_offset(
            static_cast<zip_uint64_t>(s.readPos), static_cast<zip_uint64_t>(FileSize(s.fd)), data,
            len, &s.error);
        if (pos < 0) {
            return -1;
        }
        s.readPos = pos;
        return 0;
    }
    case ZIP_SOURCE_TELL:
        return s.readPos;
    case ZIP_SOURCE_BEGIN_WRITE:
    case ZIP_SOURCE_ROLLBACK_WRITE:
    case ZIP_SOURCE_REMOVE:
        if (::ftruncate(s.fd, 0) != 0) {
            return Fail(s.error, ZIP_ER_WRITE, errno);
        }
        s.writePos = 0;
        s.committed = false;
        return 0;
    case ZIP_SOURCE_WRITE: {
        const char* bytes = static_cast<const char*>(data);
        zip_uint64_t done = 0;
        while (done < len) {
            const ssize_t n = ::pwrite(s.fd, bytes + done, len - done, s.writePos);
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                if (s.writeErrno == 0) {
                    s.writeErrno = errno;
                }
                return Fail(s.error, ZIP_ER_WRITE, errno);
            }
            done += static_cast<zip_uint64_t>(n);
            s.writePos += n;
        }
        return static_cast<zip_int64_t>(done);
    }
    case ZIP_SOURCE_SEEK_WRITE: {
        const zip_int64_t pos = zip_source_seek_compute_offset(
            static_cast<zip_uint64_t>(s.writePos), static_cast<zip_uint64_t>(FileSize(s.fd)), data,
            len, &s.error);
        if (pos < 0) {
            return -1;
        }
        s.writePos = pos;
        return 0;
    }
    case ZIP_SOURCE_TELL_WRITE:
        return s.writePos;
    case ZIP_SOURCE_COMMIT_WRITE:
        s.committed = true;
        return 0;
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&s.error, data, len);
    case ZIP_SOURCE_FREE:
        return 0; // the writer owns the state
    default:
        return Fail(s.error, ZIP_ER_OPNOTSUPP, 0);
    }
}

} // namespace

ArchiveWriter::~ArchiveWriter() {
    Abort();
}

bool ArchiveWriter::Fail(const std::string& reason) {
    error_ = reason;
    Abort();
    return false;
}

void ArchiveWriter::Abort() {
    if (archive_ != nullptr) {
        zip_discard(archive_);
        archive_ = nullptr;
    }
    if (state_ != nullptr) {
        zip_error_fini(&state_->error);
        delete state_;
        state_ = nullptr;
    }
    scratch_.Close();
    names_.clear();
    sources_.clear();
}

bool ArchiveWriter::Open(const std::filesystem::path& target) {
    Abort();
    error_.clear();
    target_ = target;
    std::error_code ec;
    if (std::filesystem::is_directory(target, ec)) {
        return Fail("Die Datei " + Quoted(target) +
                    " kann nicht geschrieben werden: " + SystemErrorText(EISDIR) + ".");
    }
    if (!scratch_.Create(target.parent_path(), target, error_)) {
        return false;
    }
    state_ = new ScratchSourceState;
    state_->fd = scratch_.Descriptor();
    zip_error_init(&state_->error);
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_function_create(ScratchCallback, state_, &error);
    if (source != nullptr) {
        archive_ = zip_open_from_source(source, ZIP_CREATE | ZIP_TRUNCATE, &error);
        if (archive_ == nullptr) {
            zip_source_free(source);
        }
    }
    if (archive_ == nullptr) {
        const std::string reason =
            ZipErrorText(zip_error_code_zip(&error), zip_error_code_system(&error));
        zip_error_fini(&error);
        return Fail("Die Datei " + Quoted(target) + " kann nicht geschrieben werden: " + reason +
                    ".");
    }
    zip_error_fini(&error);
    return true;
}

bool ArchiveWriter::Add(const std::string& entryName, const std::filesystem::path& file,
                        bool store) {
    if (archive_ == nullptr) {
        return false;
    }
    // libzip reads the file only when the archive is written; open it now so
    // that a file that cannot be read is named in the message.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return Fail("Die Datei " + Quoted(file) +
                    " kann nicht gelesen werden: " + SystemErrorText(errno) + ".");
    }
    struct stat st {};
    const bool isFile = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    if (!isFile) {
        return Fail("Die Datei " + Quoted(file) +
                    " kann nicht gelesen werden: " + SystemErrorText(EISDIR) + ".");
    }
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_file_create(file.c_str(), 0, -1, &error);
    zip_int64_t index = -1;
    if (source != nullptr) {
        index = zip_file_add(archive_, entryName.c_str(), source, ZIP_FL_ENC_GUESS);
        if (index < 0) {
            zip_source_free(source);
            zip_error_set(&error, zip_error_code_zip(zip_get_error(archive_)),
                          zip_error_code_system(zip_get_error(archive_)));
        }
    }
    if (index < 0) {
        const std::string reason =
            ZipErrorText(zip_error_code_zip(&error), zip_error_code_system(&error));
        zip_error_fini(&error);
        return Fail("Die Datei " + Quoted(file) + " kann nicht ins Backup " + Quoted(target_) +
                    " aufgenommen werden: " + reason + ".");
    }
    zip_error_fini(&error);
    const auto method = store ? ZIP_CM_STORE : ZIP_CM_DEFLATE;
    if (zip_set_file_compression(archive_, static_cast<zip_uint64_t>(index), method,
                                 store ? 0 : 9) != 0) {
        return Fail("Die Datei " + Quoted(file) + " kann nicht ins Backup " + Quoted(target_) +
                    " aufgenommen werden: " +
                    ZipErrorText(zip_error_code_zip(zip_get_error(archive_)), 0) + ".");
    }
    names_.push_back(entryName);
    sources_.push_back(file);
    return true;
}

bool ArchiveWriter::Commit(const std::function<void(double done)>& progress) {
    if (archive_ == nullptr) {
        if (error_.empty()) {
            error_ = "Die Datei " + Quoted(target_) + " kann nicht geschrieben werden.";
        }
        return false;
    }
    if (names_.empty()) {
        return Fail("Es gibt keine Dateien zu sichern.");
    }
    if (progress) {
        zip_register_progress_callback_with_state(
            archive_, 0.01,
            [](zip_t*, double done, void* listener) {
                (*static_cast<const std::function<void(double)>*>(listener))(done);
            },
            nullptr, const_cast<std::function<void(double)>*>(&progress));
    }
    if (zip_close(archive_) != 0) {
        const zip_error_t* error = zip_get_error(archive_);
        if (state_->writeErrno != 0) {
            return Fail("Die Datei " + Quoted(target_) + " kann nicht geschrieben werden: " +
                        SystemErrorText(state_->writeErrno) + ".");
        }
        // libzip does not say which file it could not read: the one that
        // cannot be opened now is the likely one.
        for (const std::filesystem::path& source : sources_) {
            const int fd = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
            if (fd < 0) {
                return Fail("Die Datei " + Quoted(source) +
                            " kann nicht gelesen werden: " + SystemErrorText(errno) + ".");
            }
            ::close(fd);
        }
        return Fail("Die Datei " + Quoted(target_) + " kann nicht geschrieben werden: " +
                    ZipErrorText(zip_error_code_zip(error), zip_error_code_system(error)) + ".");
    }
    archive_ = nullptr; // zip_close freed it

    std::string problem;
    if (!CheckArchive(scratch_.Descriptor(), target_, names_, problem)) {
        return Fail(problem);
    }

    if (!scratch_.CopyTo(target_, problem)) {
        return Fail(problem);
    }
    Abort();
    return true;
}

bool CheckArchive(int fd, const std::filesystem::path& shownAs,
                  const std::vector<std::string>& expectedNames, std::string& error) {
    const std::string prefix = "Das Backup " + Quoted(shownAs) +
                               " wurde nicht gespeichert, weil die Prüfung des geschriebenen "
                               "Archivs fehlschlug. ";
    ArchiveReader reader;
    if (!reader.OpenDescriptor(fd, shownAs)) {
        error = prefix + reader.Error();
        return false;
    }
    const std::vector<ArchiveEntry>& entries = reader.Entries();
    if (entries.size() != expectedNames.size()) {
        error = prefix + "Es enthält " + std::to_string(entries.size()) + " statt " +
                std::to_string(expectedNames.size()) + " Dateien.";
        return false;
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].name != expectedNames[i]) {
            error = prefix + "Die Datei \"" + expectedNames[i] + "\" fehlt darin.";
            return false;
        }
        if (!reader.Read(entries[i], [](std::string_view) { return true; })) {
            error = prefix + reader.Error();
            return false;
        }
    }
    return true;
}

} // namespace zv
