#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace zv {

// A file without a name in a given folder, readable and writable at any
// position, gone when closed: whatever happens to the program, it leaves
// nothing behind in the folder. Its name exists only for the moment between
// creating and unlinking it.
class ScratchFile {
public:
    ScratchFile() = default;
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    // Creates the file in `folder`. False with `error` (German, naming
    // `shownAs`, the file the scratch stands in for) when the folder cannot
    // be written.
    bool Create(const std::filesystem::path& folder, const std::filesystem::path& shownAs,
                std::string& error);
    void Close();

    int Descriptor() const { return fd_; }
    // Size in bytes, or -1 with errno set.
    std::int64_t Size() const;

    // Appends `bytes`. False with `error` (German, naming `shownAs`) when
    // the disk refuses them.
    bool Append(std::string_view bytes, std::string& error);
    // A path under which the file can be opened for reading while it is
    // open here; empty where the system offers none.
    std::string ReadablePath() const;
    // Replaces `target` atomically with the file's whole content. False with
    // `error` (German, naming the target) on failure; the target is then as
    // it was.
    bool CopyTo(const std::filesystem::path& target, std::string& error) const;

private:
    int fd_ = -1;
    std::filesystem::path shownAs_;
    std::int64_t writePos_ = 0;
};

} // namespace zv
