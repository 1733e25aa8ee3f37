#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace zv {

// A file that is written in the folder of the file it will become and then
// moved into place by a rename, so the target is either replaced whole or
// left as it was, and no second copy of the bytes is ever needed.
//
// Where the system allows it the scratch file has no name until it is moved
// into place: whatever happens to the program, nothing is left behind.
// Otherwise it has a short name of its own (NewTemporaryName), which the
// next start clears away in the program's folders and Close() removes.
class ScratchFile {
public:
    ScratchFile() = default;
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    // Creates the scratch file for `target` in the target's folder. False
    // with `error` (German, naming the target) when the folder cannot be
    // written.
    bool Create(const std::filesystem::path& target, std::string& error);
    // Closes the file; a scratch file that was not moved into place is gone.
    void Close();

    // Readable and writable at any position.
    int Descriptor() const { return fd_; }

    // Appends `bytes`. False with `error` (German, naming the target) when
    // the disk refuses them.
    bool Append(std::string_view bytes, std::string& error);
    // A path under which the file can be opened for reading meanwhile.
    const std::string& ReadablePath() const { return readablePath_; }

    // Puts the file's content at the target by renaming it over the target:
    // a symbolic link there is replaced itself, never written through, and
    // a file there keeps its permission bits. False with `error` (German,
    // naming the target) on failure; the target is then as it was. The
    // scratch file is closed either way.
    bool MoveIntoPlace(std::string& error);

private:
    bool Fail(int err, std::string& error);

    int fd_ = -1;
    std::filesystem::path target_;
    std::filesystem::path name_; // empty while the file has no name
    std::string readablePath_;
    std::int64_t writePos_ = 0;
};

} // namespace zv
