#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct zip;

namespace zv {

// What an archive entry stands for, judged by its name and the attributes
// of the system that wrote it.
enum class EntryKind { File, Folder, Link, Other };

struct ArchiveEntry {
    std::uint64_t index = 0;
    // As stored, folders included: UTF-8, or the bytes of the file name as
    // the system that wrote the archive had them (see ArchiveReader).
    std::string name;
    std::uint64_t size = 0; // uncompressed size the archive declares
    std::uint64_t compressedSize = 0;
    std::uint32_t crc = 0; // CRC-32 the archive declares
    EntryKind kind = EntryKind::File;
    bool stored = false; // kept without compression
    bool encrypted = false;
    bool compressionSupported = true;
};

// Beyond this size an entry may shrink at most by this ratio: a file that
// unpacks to more is a bomb, not a backup (deflate gives ordinary files far
// less). Stored entries never exceed it.
constexpr std::uint64_t kRatioFreeBytes = std::uint64_t(1) << 20;
constexpr std::uint64_t kMaxCompressionRatio = 200;
bool IsTooCompressed(const ArchiveEntry& entry);

// Reads a zip archive through libzip. Nothing is extracted here: Read hands
// an entry's bytes to a sink, never more than the entry declares, and checks
// size and CRC at the end, so a caller can write them atomically and throw
// them away when the check fails.
//
// An archive is opened strictly: the local headers must agree with the
// central directory, and no two entries may share bytes.
//
// Names: a name marked UTF-8, or valid UTF-8, is taken as it is. A name of
// other bytes written on a Unix system is a file name of that system and
// taken byte for byte (a Latin-1 "äsche.jpg" from an old camera card comes
// back as itself); one written on DOS or Windows is in the DOS code page
// and converted to UTF-8.
class ArchiveReader {
public:
    ArchiveReader() = default;
    ~ArchiveReader();
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;

    // Opens the archive at `path`. False with Error() (German, naming the
    // file) when it cannot be read or is no sound zip archive.
    bool Open(const std::filesystem::path& path);
    // Opens the archive in an open file (which stays open). `shownAs` is the
    // name messages use.
    bool OpenDescriptor(int fd, const std::filesystem::path& shownAs);
    void Close();

    const std::vector<ArchiveEntry>& Entries() const { return entries_; }

    // Streams the entry's bytes to `sink` in pieces. False with Error() when
    // the entry cannot be read, holds more or fewer bytes than declared or
    // its CRC differs, or when the sink returns false (the sink keeps its
    // own reason then, Error() says only which entry).
    bool Read(const ArchiveEntry& entry, const std::function<bool(std::string_view)>& sink);

    const std::string& Error() const { return error_; }

private:
    bool ListEntries(int fd);
    bool Fail(const std::string& reason);

    zip* archive_ = nullptr;
    std::filesystem::path path_;
    std::vector<ArchiveEntry> entries_;
    std::string error_;
};

} // namespace zv
