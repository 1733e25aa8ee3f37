#pragma once

#include "backup/ScratchFile.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

struct zip;

namespace zv {

struct ScratchSourceState;

// Writes a zip archive so that the file at the target is either a complete,
// checked archive or whatever it was before. libzip writes into a scratch
// file beside the target (it has no name, so nothing is left behind if the
// program stops); the scratch is read back and checked (CheckArchive); only
// then does the atomic writer replace the target with it.
class ArchiveWriter {
public:
    ArchiveWriter() = default;
    ~ArchiveWriter();
    ArchiveWriter(const ArchiveWriter&) = delete;
    ArchiveWriter& operator=(const ArchiveWriter&) = delete;

    // Starts an archive for `target`. False with Error() when its folder
    // cannot be written.
    bool Open(const std::filesystem::path& target);
    // Adds `file` under `entryName`: stored as it is when `store`, otherwise
    // deflated at the highest level (9). False with Error() naming the file
    // when it cannot be read.
    bool Add(const std::string& entryName, const std::filesystem::path& file, bool store);
    // Writes the archive, checks it and puts it at the target. False with
    // Error() when any step fails; the target is then unchanged. `progress`
    // hears the share written so far (0 to 1) while libzip compresses.
    bool Commit(const std::function<void(double done)>& progress = {});
    void Abort();

    const std::string& Error() const { return error_; }

private:
    bool Fail(const std::string& reason);

    std::filesystem::path target_;
    ScratchFile scratch_;
    ScratchSourceState* state_ = nullptr; // owned; libzip's source reads and writes through it
    zip* archive_ = nullptr;
    std::vector<std::string> names_;
    std::vector<std::filesystem::path> sources_;
    std::string error_;
};

// Checks the archive in the open file `fd`: it opens strictly (local headers
// agree with the central directory), holds exactly `expectedNames` in this
// order, and every entry reads to its end with the declared size and CRC.
// False with `error` (German, naming `shownAs`) otherwise.
bool CheckArchive(int fd, const std::filesystem::path& shownAs,
                  const std::vector<std::string>& expectedNames, std::string& error);

} // namespace zv
