#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace zv {

// A file opened for reading in chunks, so that a table never needs a whole
// copy of its file beside it. Knows the size from the start, so readers can
// check every length against the bytes that remain.
class TMlb2FileSource {
public:
    TMlb2FileSource() = default;
    ~TMlb2FileSource();
    TMlb2FileSource(const TMlb2FileSource&) = delete;
    TMlb2FileSource& operator=(const TMlb2FileSource&) = delete;

    // False with Reason() set when the file cannot be opened (a folder
    // cannot be opened either).
    bool Open(const std::filesystem::path& path);
    std::uint64_t Size() const { return size_; }
    std::uint64_t Position() const { return position_; }
    std::uint64_t Remaining() const { return size_ > position_ ? size_ - position_ : 0; }

    // Reads up to `capacity` bytes; 0 at the end. False with Reason() set on
    // a read error.
    bool Read(char* dest, std::size_t capacity, std::size_t& got);
    // Reads exactly `count` bytes; false at an early end or a read error.
    bool ReadExact(char* dest, std::size_t count);

    // The German reason of the last failure ("Zugriff verweigert").
    const std::string& Reason() const { return reason_; }

private:
    int fd_ = -1;
    std::uint64_t size_ = 0;
    std::uint64_t position_ = 0;
    std::string reason_;
};

} // namespace zv
