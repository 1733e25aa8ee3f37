#pragma once

#include "backup/ArchiveProgress.h"
#include "backup/ScratchFile.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zv {

// Writes a zip archive so that the file at the target is either a complete,
// checked archive or whatever it was before. libzip writes into a scratch
// file in the target's folder; the scratch is read back and checked
// (CheckArchive) and only then renamed over the target, so a backup needs
// the room of one archive, not two. A target reached through a symbolic
// link is written where the link points.
class ArchiveWriter {
public:
    ArchiveWriter() = default;
    ~ArchiveWriter();
    ArchiveWriter(const ArchiveWriter&) = delete;
    ArchiveWriter& operator=(const ArchiveWriter&) = delete;

    // Starts an archive for `target`. False with Error() when its folder
    // cannot be written or the target is no file that may be replaced.
    bool Open(const std::filesystem::path& target);
    // Adds `file` under `entryName`: stored as it is when `store`, otherwise
    // deflated at the highest level (9). The name is written as its bytes:
    // UTF-8 marked as such, any other bytes unmarked, so every name reads
    // back as it was. False with Error() naming the file when it cannot be
    // read.
    bool Add(const std::string& entryName, const std::filesystem::path& file, bool store);
    // Writes the archive, checks it and puts it at the target. An entry that
    // deflated beyond what a restore accepts (IsTooCompressed) is written
    // again stored. False with Error() when any step fails; the target is
    // then unchanged. `progress` hears the files and bytes packed, then
    // those checked; a cancel stops either and leaves the target as it was
    // (Cancelled() is then true).
    bool Commit(const ArchiveProgress& progress = {});
    void Abort();

    const std::string& Error() const { return error_; }
    bool Cancelled() const { return cancelled_; }

private:
    struct Item {
        std::string name;
        std::filesystem::path source;
        bool store = false;
        std::uint64_t size = 0;
    };

    bool Fail(const std::string& reason);
    bool WriteArchive(const ArchiveProgress& progress);
    std::string CancelledText() const;

    std::filesystem::path target_;
    ScratchFile scratch_;
    std::vector<Item> items_;
    std::string error_;
    bool cancelled_ = false;
};

// Checks the archive in the open file `fd`: it opens strictly (local headers
// agree with the central directory, no entries overlap), holds exactly
// `expectedNames` in this order, and every entry reads to its end with the
// declared size and CRC. Entries a restore would refuse as too compressed
// are listed in `tooCompressed` by position. False with `error` (German,
// naming `shownAs`) otherwise, and when `progress` is cancelled.
bool CheckArchive(int fd, const std::filesystem::path& shownAs,
                  const std::vector<std::string>& expectedNames, std::string& error,
                  std::vector<std::size_t>& tooCompressed, const ArchiveProgress& progress = {});

} // namespace zv
