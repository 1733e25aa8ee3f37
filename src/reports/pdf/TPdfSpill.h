#pragma once

#include <cstdint>
#include <cstdio>
#include <string_view>

namespace zv {

// A temporary file without a name that holds what a document being built
// need not keep in memory (the content of finished pages, its records),
// until the document is written. It is made on first use and goes away
// with the object (or the program).
class TPdfSpill {
public:
    TPdfSpill() = default;
    ~TPdfSpill();
    TPdfSpill(const TPdfSpill&) = delete;
    TPdfSpill& operator=(const TPdfSpill&) = delete;

    // Appends the bytes; false (nothing kept) when they cannot be written,
    // or when no temporary file could be made.
    bool Keep(std::string_view bytes, std::uint64_t& offset);
    // Writes over bytes stored before at `offset`; false on a write error.
    bool Rewrite(std::uint64_t offset, std::string_view bytes);
    // Reads back `size` bytes stored at `offset`; false on a read error.
    bool Fetch(std::uint64_t offset, char* into, std::size_t size) const;

private:
    bool WriteAt(std::uint64_t offset, std::string_view bytes);

    std::FILE* file_ = nullptr;
    bool failed_ = false;
    std::uint64_t size_ = 0;
};

} // namespace zv
