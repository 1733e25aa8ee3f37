#include "backup/ArchiveReader.h"

#include "backup/Crc32.h"
#include "backup/EntrySpans.h"
#include "backup/ZipErrorText.h"
#include "base/AtomicFile.h"
#include "base/Win1252.h"

#include <zip.h>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace zv {
namespace {

constexpr std::uint32_t kUnixTypeMask = 0170000;
constexpr std::uint32_t kUnixRegular = 0100000;
constexpr std::uint32_t kUnixFolder = 0040000;
constexpr std::uint32_t kUnixLink = 0120000;
constexpr std::uint32_t kDosFolder = 0x10;
constexpr std::uint32_t kDosReparsePoint = 0x400; // links and junctions

EntryKind KindOf(const std::string& name, bool attributesKnown, zip_uint8_t system,
                 zip_uint32_t attributes) {
    if (!name.empty() && (name.back() == '/' || name.back() == '\\')) {
        return EntryKind::Folder;
    }
    if (!attributesKnown) {
        return EntryKind::Other;
    }
    switch (system) {
    case ZIP_OPSYS_UNIX:
    case ZIP_OPSYS_OS_X: {
        const std::uint32_t type = (attributes >> 16) & kUnixTypeMask;
        if (type == 0 || type == kUnixRegular) {
            // Without a type the writer recorded permissions only.
            return (attributes & kDosFolder) ? EntryKind::Folder : EntryKind::File;
        }
        if (type == kUnixFolder) {
            return EntryKind::Folder;
        }
        return type == kUnixLink ? EntryKind::Link : EntryKind::Other;
    }
    case ZIP_OPSYS_DOS:
    case ZIP_OPSYS_WINDOWS_NTFS:
    case ZIP_OPSYS_VFAT:
        if (attributes & kDosReparsePoint) {
            return EntryKind::Link;
        }
        return (attributes & kDosFolder) ? EntryKind::Folder : EntryKind::File;
    default:
        return EntryKind::File;
    }
}

// See the class comment: bytes that are no UTF-8 are a Unix file name as
// it was, or DOS text that libzip converts (`converted`).
std::string EntryName(const char* raw, const char* converted, zip_uint8_t system) {
    const bool unixName = system == ZIP_OPSYS_UNIX || system == ZIP_OPSYS_OS_X;
    if (raw != nullptr && unixName && !IsValidUtf8(raw)) {
        return raw;
    }
    return converted;
}

std::string Quoted(const std::filesystem::path& path) {
    return "\"" + PathToUtf8(path) + "\"";
}

} // namespace

bool IsTooCompressed(const ArchiveEntry& entry) {
    // size > ratio × compressed, without a product that could overflow.
    return entry.size > kRatioFreeBytes &&
           (entry.size - 1) / kMaxCompressionRatio >= entry.compressedSize;
}

ArchiveReader::~ArchiveReader() {
    Close();
}

void ArchiveReader::Close() {
    if (archive_ != nullptr) {
        zip_discard(archive_);
        archive_ = nullptr;
    }
    entries_.clear();
}

bool ArchiveReader::Fail(const std::string& reason) {
    error_ = "Das Backup " + Quoted(path_) + " kann nicht gelesen werden: " + reason + ".";
    Close();
    return false;
}

bool ArchiveReader::Open(const std::filesystem::path& path) {
    Close();
    path_ = path;
    error_.clear();
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        return Fail(SystemErrorText(EISDIR));
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return Fail(ZipErrorText(errno == ENOENT ? ZIP_ER_NOENT : ZIP_ER_OPEN, errno));
    }
    const bool opened = OpenDescriptor(fd, path);
    ::close(fd);
    return opened;
}

bool ArchiveReader::OpenDescriptor(int fd, const std::filesystem::path& shownAs) {
    Close();
    path_ = shownAs;
    error_.clear();
    const int copy = ::dup(fd);
    std::FILE* file = copy >= 0 ? ::fdopen(copy, "rb") : nullptr;
    if (file == nullptr) {
        const int err = errno;
        if (copy >= 0) {
            ::close(copy);
        }
        return Fail(SystemErrorText(err));
    }
    std::rewind(file);
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_filep_create(file, 0, -1, &error);
    if (source == nullptr) {
        std::fclose(file);
        const std::string reason =
            ZipErrorText(zip_error_code_zip(&error), zip_error_code_system(&error));
        zip_error_fini(&error);
        return Fail(reason);
    }
    archive_ = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (archive_ == nullptr) {
        zip_source_free(source);
        const std::string reason =
            ZipErrorText(zip_error_code_zip(&error), zip_error_code_system(&error));
        zip_error_fini(&error);
        return Fail(reason);
    }
    zip_error_fini(&error);
    return ListEntries(fd);
}

bool ArchiveReader::ListEntries(int fd) {
    const zip_int64_t count = zip_get_num_entries(archive_, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const auto index = static_cast<std::uint64_t>(i);
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(archive_, index, 0, &st) != 0 || (st.valid & ZIP_STAT_NAME) == 0) {
            return Fail(ZipErrorText(zip_error_code_zip(zip_get_error(archive_)), 0));
        }
        zip_uint8_t system = 0;
        zip_uint32_t attributes = 0;
        const bool attributesKnown =
            zip_file_get_external_attributes(archive_, index, 0, &system, &attributes) == 0;
        ArchiveEntry entry;
        entry.index = index;
        entry.name = EntryName(zip_get_name(archive_, index, ZIP_FL_ENC_RAW), st.name, system);
        entry.size = (st.valid & ZIP_STAT_SIZE) ? st.size : 0;
        entry.compressedSize = (st.valid & ZIP_STAT_COMP_SIZE) ? st.comp_size : 0;
        entry.crc = (st.valid & ZIP_STAT_CRC) ? st.crc : 0;
        entry.stored = (st.valid & ZIP_STAT_COMP_METHOD) && st.comp_method == ZIP_CM_STORE;
        entry.encrypted =
            (st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE;
        entry.compressionSupported = (st.valid & ZIP_STAT_COMP_METHOD) == 0 ||
                                     zip_compression_method_supported(st.comp_method, 0) != 0;
        entry.kind = KindOf(entry.name, attributesKnown, system, attributes);
        entries_.push_back(std::move(entry));
    }

    // libzip checks each entry against its local header, not the entries
    // against each other: that needs where each one lies.
    std::vector<EntrySpan> spans;
    std::string reason;
    if (!ReadEntrySpans(fd, spans, reason)) {
        return Fail(reason);
    }
    if (spans.size() != entries_.size()) {
        return Fail(ZipErrorText(ZIP_ER_INCONS, 0));
    }
    for (std::size_t i = 0; i < spans.size(); ++i) {
        const char* raw = zip_get_name(archive_, i, ZIP_FL_ENC_RAW);
        if (raw == nullptr || spans[i].rawName != raw) {
            return Fail(ZipErrorText(ZIP_ER_INCONS, 0));
        }
    }
    if (const auto overlap = FindOverlap(spans)) {
        return Fail("Die Einträge \"" + entries_[overlap->first].name + "\" und \"" +
                    entries_[overlap->second].name + "\" überschneiden sich");
    }
    return true;
}

bool ArchiveReader::Read(const ArchiveEntry& entry,
                         const std::function<bool(std::string_view)>& sink) {
    error_.clear();
    const std::string what = "Die Datei \"" + entry.name + "\" im Backup " + Quoted(path_);
    const auto fail = [&](const std::string& reason) {
        error_ = what + " kann nicht gelesen werden: " + reason + ".";
        return false;
    };
    if (archive_ == nullptr) {
        return fail(ZipErrorText(ZIP_ER_ZIPCLOSED, 0));
    }
    if (entry.encrypted) {
        return fail(ZipErrorText(ZIP_ER_ENCRNOTSUPP, 0));
    }
    zip_file_t* file = zip_fopen_index(archive_, entry.index, 0);
    if (file == nullptr) {
        const zip_error_t* error = zip_get_error(archive_);
        return fail(ZipErrorText(zip_error_code_zip(error), zip_error_code_system(error)));
    }
    std::string buffer(64 * 1024, '\0');
    std::uint64_t total = 0;
    std::uint32_t crc = 0;
    bool ok = true;
    for (;;) {
        const zip_int64_t n = zip_fread(file, buffer.data(), buffer.size());
        if (n < 0) {
            const zip_error_t* error = zip_file_get_error(file);
            ok = fail(ZipErrorText(zip_error_code_zip(error), zip_error_code_system(error)));
            break;
        }
        if (n == 0) {
            break;
        }
        total += static_cast<std::uint64_t>(n);
        // An entry may never deliver more than it declared: the declared
        // sizes are what the free space was checked against.
        if (total > entry.size) {
            ok = fail("Sie enthält mehr Daten als angegeben");
            break;
        }
        const std::string_view piece(buffer.data(), static_cast<std::size_t>(n));
        crc = Crc32(piece, crc);
        if (!sink(piece)) {
            ok = false;
            error_ = what + " wurde nicht wiederhergestellt.";
            break;
        }
    }
    zip_fclose(file);
    if (!ok) {
        return false;
    }
    if (total != entry.size) {
        return fail("Sie enthält weniger Daten als angegeben");
    }
    if (crc != entry.crc) {
        return fail(ZipErrorText(ZIP_ER_CRC, 0));
    }
    return true;
}

} // namespace zv
