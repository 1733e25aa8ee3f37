#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace zv {

// Writes a file so that it is either wholly replaced or left as it was: the
// bytes go to a temporary file in the same folder, which is flushed, synced
// and renamed over the target; then the folder is synced. Destroying the
// writer without a successful Commit() removes the temporary file.
//
// Where the file system allows it the temporary file has no name until just
// before the rename, so a program killed while writing leaves nothing
// behind; otherwise it has a short name of its own (NewTemporaryName), which
// RemoveLeftoverTemporaries clears away at the next start. The name does not
// grow with the target's, so a file with the longest name the file system
// allows can be written too.
//
// A target whose mode has no write bit at all (chmod a-w) is the user's
// wish that it stay as it is: it is not replaced, whoever runs the program.
// Only regular files are replaced: a device, pipe or socket is refused. A
// link to a regular file is written through and stays a link.
class AtomicFileWriter {
public:
    AtomicFileWriter() = default;
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Creates the temporary file beside `target`. False with Error() set when
    // the folder cannot be written.
    bool Open(const std::filesystem::path& target);
    // Buffered; a failure is remembered and reported by Commit().
    bool Write(std::string_view bytes);
    bool Commit();
    void Abort();

    // German text naming the file and the reason of the first failure.
    const std::string& Error() const { return error_; }

private:
    bool Fail(const std::string& what, int err);
    bool FailWith(std::string message);
    bool OpenUnnamed();
    bool OpenNamed();
    bool GiveName();

    std::filesystem::path target_;
    std::filesystem::path temp_; // empty while the temporary file has no name
    std::FILE* file_ = nullptr;
    std::string error_;
    bool failed_ = false;
    // Bytes written since the disk was last asked to start writing back.
    std::size_t unsynced_ = 0;
    std::uint64_t written_ = 0;
};

// Removes the temporary files an interrupted save left in `folder`: plain
// files named as NewTemporaryName names them, and "<name>.tmp-<12 hex
// digits>" as earlier versions named them.
// Returns how many were removed; a folder that cannot be read counts none.
int RemoveLeftoverTemporaries(const std::filesystem::path& folder);

// Why the file at `path` must not be replaced by a save (a device, pipe or
// socket; a file without any write bit), as a German sentence naming it;
// empty when it may be, or when there is none. A link counts as the file it
// points to.
std::string ReplaceRefusal(const std::filesystem::path& path);

// A short random name for a temporary file: ".zv-<12 hex digits>.tmp".
std::string NewTemporaryName();

// Flushes the folder's entries (a rename or a new file in it) to the disk.
void SyncFolder(const std::filesystem::path& folder);

// Replaces `target` with `bytes` atomically. On failure the target stays as
// it was and `error` holds a German reason naming the file.
bool WriteFileAtomic(const std::filesystem::path& target, std::string_view bytes,
                     std::string& error);

// Reads a whole file; false with a German reason when it cannot be read.
bool ReadFileBytes(const std::filesystem::path& path, std::string& bytes, std::string& error);

// Reads up to `size` bytes at `offset` of the open file `fd` into `into`,
// going on after interrupted and short reads. The count read (less than
// `size` only at the file's end), or -1 with errno set.
long long ReadAt(int fd, char* into, std::size_t size, std::uint64_t offset);

// Paths are UTF-8 inside the program.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string PathToUtf8(const std::filesystem::path& path);

// The path made full against the working folder and normalised, so a path
// recorded from it still names the same file from another working folder.
// Unchanged when the working folder cannot be read.
std::filesystem::path FullPath(const std::filesystem::path& path);

} // namespace zv
