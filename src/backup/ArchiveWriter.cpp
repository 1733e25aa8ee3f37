#include "backup/ArchiveWriter.h"

#include "backup/ArchiveReader.h"
#include "backup/ZipErrorText.h"
#include "base/AtomicFile.h"
#include "base/Win1252.h"

#include <zip.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace zv {

namespace {

// The scratch file as a libzip source that can be written and read back.
struct ScratchSourceState {
    int fd = -1;
    zip_error_t error{};
    std::int64_t readPos = 0;
    std::int64_t writePos = 0;
    bool committed = false;
    int writeErrno = 0; // the first failed write, for a precise message
};

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

// Where the writing stands, shared by the sources of all files.
struct WriteProgress {
    const ArchiveProgress* progress = nullptr;
    ArchiveState state;
    std::vector<std::uint64_t> startOf; // bytes of the files before each one
};

// One file to be packed, read through this callback rather than libzip's
// own file source so that every piece read is counted and a cancel stops
// the writing between two pieces.
struct FileSourceState {
    std::filesystem::path path;
    std::size_t index = 0;  // in the archive
    std::uint64_t size = 0; // as added
    WriteProgress* progress = nullptr;
    int fd = -1;
    zip_error_t error{};
    std::uint64_t position = 0; // in the file
    std::uint64_t reached = 0;  // the farthest read; a second reading counts once
};

void CloseFile(FileSourceState& s) {
    if (s.fd >= 0) {
        ::close(s.fd);
        s.fd = -1;
    }
}

zip_int64_t FileCallback(void* userdata, void* data, zip_uint64_t len, zip_source_cmd_t cmd) {
    auto& s = *static_cast<FileSourceState*>(userdata);
    WriteProgress& progress = *s.progress;
    switch (cmd) {
    case ZIP_SOURCE_SUPPORTS:
        return ZIP_SOURCE_SUPPORTS_READABLE |
               ZIP_SOURCE_MAKE_COMMAND_BITMASK(ZIP_SOURCE_GET_FILE_ATTRIBUTES);
    case ZIP_SOURCE_STAT:
    case ZIP_SOURCE_GET_FILE_ATTRIBUTES: {
        struct stat st {};
        if (::stat(s.path.c_str(), &st) != 0) {
            return Fail(s.error, ZIP_ER_READ, errno);
        }
        if (cmd == ZIP_SOURCE_GET_FILE_ATTRIBUTES) {
            auto* attributes = ZIP_SOURCE_GET_ARGS(zip_file_attributes_t, data, len, &s.error);
            if (attributes == nullptr) {
                return -1;
            }
            // The Unix mode, and the DOS read-only bit for other systems.
            attributes->valid |=
                ZIP_FILE_ATTRIBUTES_HOST_SYSTEM | ZIP_FILE_ATTRIBUTES_EXTERNAL_FILE_ATTRIBUTES;
            attributes->host_system = ZIP_OPSYS_UNIX;
            attributes->external_file_attributes =
                (zip_uint32_t(st.st_mode) << 16) | ((st.st_mode & S_IWUSR) ? 0u : 1u);
            return 0;
        }
        auto* zst = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, len, &s.error);
        if (zst == nullptr) {
            return -1;
        }
        zip_stat_init(zst);
        zst->size = static_cast<zip_uint64_t>(st.st_size);
        zst->mtime = st.st_mtime;
        zst->valid |= ZIP_STAT_SIZE | ZIP_STAT_MTIME;
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_OPEN:
        progress.state.filesDone = s.index;
        progress.state.bytesDone = progress.startOf[s.index];
        progress.progress->Tell(progress.state);
        if (progress.progress->Cancelled()) {
            return Fail(s.error, ZIP_ER_CANCELLED, 0);
        }
        CloseFile(s);
        s.position = 0;
        s.fd = ::open(s.path.c_str(), O_RDONLY | O_CLOEXEC);
        return s.fd < 0 ? Fail(s.error, ZIP_ER_OPEN, errno) : 0;
    case ZIP_SOURCE_READ: {
        if (progress.progress->Cancelled()) {
            return Fail(s.error, ZIP_ER_CANCELLED, 0);
        }
        ssize_t n = ::read(s.fd, data, len);
        while (n < 0 && errno == EINTR) {
            n = ::read(s.fd, data, len);
        }
        if (n < 0) {
            return Fail(s.error, ZIP_ER_READ, errno);
        }
        // Progress goes by the file's size as added; a file that grew
        // meanwhile does not push the bar past its end.
        s.position += std::uint64_t(n);
        s.reached = std::min(std::max(s.reached, s.position), s.size);
        progress.state.bytesDone = progress.startOf[s.index] + s.reached;
        progress.progress->Tell(progress.state);
        return n;
    }
    case ZIP_SOURCE_CLOSE:
        CloseFile(s);
        return 0;
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&s.error, data, len);
    case ZIP_SOURCE_FREE:
        CloseFile(s);
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
    scratch_.Close();
    items_.clear();
}

bool ArchiveWriter::Open(const std::filesystem::path& target) {
    Abort();
    error_.clear();
    cancelled_ = false;
    target_ = target;
    std::error_code ec;
    if (std::filesystem::is_symlink(target, ec)) {
        const std::filesystem::path resolved = std::filesystem::canonical(target, ec);
        if (!ec) {
            target_ = resolved;
        }
    }
    if (std::filesystem::is_directory(target_, ec)) {
        return Fail("Die Datei " + Quoted(target) +
                    " kann nicht geschrieben werden: " + SystemErrorText(EISDIR) + ".");
    }
    return scratch_.Create(target_, error_);
}

bool ArchiveWriter::Add(const std::string& entryName, const std::filesystem::path& file,
                        bool store) {
    if (scratch_.Descriptor() < 0) {
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
    items_.push_back({entryName, file, store, std::uint64_t(st.st_size)});
    return true;
}

bool ArchiveWriter::WriteArchive(const ArchiveProgress& progress) {
    WriteProgress written;
    written.progress = &progress;
    written.state.fileCount = items_.size();
    for (const Item& item : items_) {
        written.startOf.push_back(written.state.byteTotal);
        written.state.byteTotal += item.size;
    }
    std::vector<std::unique_ptr<FileSourceState>> files;
    ScratchSourceState state;
    state.fd = scratch_.Descriptor();
    zip_error_init(&state.error);
    zip_error_t error;
    zip_error_init(&error);
    zip* archive = nullptr;
    zip_source_t* source = zip_source_function_create(ScratchCallback, &state, &error);
    if (source != nullptr) {
        archive = zip_open_from_source(source, ZIP_CREATE | ZIP_TRUNCATE, &error);
        if (archive == nullptr) {
            zip_source_free(source);
        }
    }
    const auto finish = [&](bool ok, const std::string& reason) {
        if (archive != nullptr) {
            zip_discard(archive);
        }
        for (const auto& file : files) {
            zip_error_fini(&file->error);
        }
        zip_error_fini(&error);
        zip_error_fini(&state.error);
        return ok || Fail(reason);
    };
    if (archive == nullptr) {
        return finish(false,
                      "Die Datei " + Quoted(target_) + " kann nicht geschrieben werden: " +
                          ZipErrorText(zip_error_code_zip(&error), zip_error_code_system(&error)) +
                          ".");
    }
    for (const Item& item : items_) {
        auto file = std::make_unique<FileSourceState>();
        file->path = item.source;
        file->index = files.size();
        file->size = item.size;
        file->progress = &written;
        zip_error_init(&file->error);
        zip_source_t* data = zip_source_function_create(FileCallback, file.get(), &error);
        files.push_back(std::move(file));
        const zip_flags_t encoding = IsValidUtf8(item.name) ? ZIP_FL_ENC_UTF_8 : ZIP_FL_ENC_CP437;
        const zip_int64_t index =
            data == nullptr ? -1 : zip_file_add(archive, item.name.c_str(), data, encoding);
        if (index < 0 && data != nullptr) {
            zip_source_free(data);
        }
        const zip_error_t* why = data == nullptr ? &error : zip_get_error(archive);
        if (index < 0 || zip_set_file_compression(archive, static_cast<zip_uint64_t>(index),
                                                  item.store ? ZIP_CM_STORE : ZIP_CM_DEFLATE,
                                                  item.store ? 0 : 9) != 0) {
            return finish(
                false, "Die Datei " + Quoted(item.source) + " kann nicht ins Backup " +
                           Quoted(target_) + " aufgenommen werden: " +
                           ZipErrorText(zip_error_code_zip(why), zip_error_code_system(why)) + ".");
        }
    }
    if (zip_close(archive) == 0) {
        archive = nullptr; // zip_close freed it
        written.state.filesDone = items_.size();
        written.state.bytesDone = written.state.byteTotal;
        progress.Tell(written.state);
        return finish(true, {});
    }
    if (progress.Cancelled()) {
        cancelled_ = true;
        return finish(false, CancelledText());
    }
    if (state.writeErrno != 0) {
        return finish(false, "Die Datei " + Quoted(target_) + " kann nicht geschrieben werden: " +
                                 SystemErrorText(state.writeErrno) + ".");
    }
    // libzip does not say which file it could not read: the one that
    // cannot be opened now is the likely one.
    for (const Item& item : items_) {
        const int fd = ::open(item.source.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            return finish(false, "Die Datei " + Quoted(item.source) +
                                     " kann nicht gelesen werden: " + SystemErrorText(errno) + ".");
        }
        ::close(fd);
    }
    const zip_error_t* why = zip_get_error(archive);
    return finish(false, "Die Datei " + Quoted(target_) + " kann nicht geschrieben werden: " +
                             ZipErrorText(zip_error_code_zip(why), zip_error_code_system(why)) +
                             ".");
}

std::string ArchiveWriter::CancelledText() const {
    return "Das Backup " + Quoted(target_) + " wurde abgebrochen und nicht gespeichert.";
}

bool ArchiveWriter::Commit(const ArchiveProgress& progress) {
    if (scratch_.Descriptor() < 0) {
        if (error_.empty()) {
            error_ = "Die Datei " + Quoted(target_) + " kann nicht geschrieben werden.";
        }
        return false;
    }
    if (items_.empty()) {
        return Fail("Es gibt keine Dateien zu sichern.");
    }
    std::vector<std::string> names;
    for (const Item& item : items_) {
        names.push_back(item.name);
    }
    std::string problem;
    std::vector<std::size_t> tooCompressed;
    // A file of long runs (zeros, one colour) can deflate beyond what a
    // restore takes for honest data; stored, it comes back.
    for (int round = 0; round < 2; ++round) {
        if (!WriteArchive(progress)) {
            return false;
        }
        if (!CheckArchive(scratch_.Descriptor(), target_, names, problem, tooCompressed,
                          progress)) {
            cancelled_ = progress.Cancelled();
            return Fail(cancelled_ ? CancelledText() : problem);
        }
        for (const std::size_t position : tooCompressed) {
            items_[position].store = true;
        }
        if (tooCompressed.empty()) {
            break;
        }
    }
    if (!tooCompressed.empty()) {
        return Fail("Das Backup " + Quoted(target_) + " wurde nicht gespeichert: Die Datei \"" +
                    names[tooCompressed.front()] + "\" ließe sich nicht wiederherstellen.");
    }
    // The last moment a cancel still leaves the target as it was.
    if (progress.Cancelled()) {
        cancelled_ = true;
        return Fail(CancelledText());
    }
    if (!scratch_.MoveIntoPlace(problem)) {
        return Fail(problem);
    }
    Abort();
    return true;
}

bool CheckArchive(int fd, const std::filesystem::path& shownAs,
                  const std::vector<std::string>& expectedNames, std::string& error,
                  std::vector<std::size_t>& tooCompressed, const ArchiveProgress& progress) {
    tooCompressed.clear();
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
    ArchiveState state{ArchivePhase::Checking, 0, entries.size(), 0, 0};
    for (const ArchiveEntry& entry : entries) {
        state.byteTotal += entry.size;
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].name != expectedNames[i]) {
            error = prefix + "Die Datei \"" + expectedNames[i] + "\" fehlt darin.";
            return false;
        }
        state.filesDone = i;
        progress.Tell(state);
        const auto count = [&](std::string_view piece) {
            state.bytesDone += piece.size();
            progress.Tell(state);
            return !progress.Cancelled();
        };
        if (progress.Cancelled() || !reader.Read(entries[i], count)) {
            error = prefix + reader.Error();
            return false;
        }
        if (IsTooCompressed(entries[i])) {
            tooCompressed.push_back(i);
        }
    }
    state.filesDone = entries.size();
    progress.Tell(state);
    return true;
}

} // namespace zv
