#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace zv {

// A temporary file without a name that holds the content of finished pages
// until the document is written, so a long report does not keep every page
// in memory. It goes away with the object (or the program).
class TPdfSpill {
public:
    TPdfSpill();
    ~TPdfSpill();
    TPdfSpill(const TPdfSpill&) = delete;
    TPdfSpill& operator=(const TPdfSpill&) = delete;

    // Appends the bytes; false (nothing kept) when they cannot be written,
    // or when no temporary file could be made.
    bool Keep(std::string_view bytes, std::uint64_t& offset);
    // Reads back what Keep stored at `offset`; false on a read error.
    bool Fetch(std::uint64_t offset, std::size_t size, std::string& into) const;

private:
    std::FILE* file_ = nullptr;
    std::uint64_t size_ = 0;
};

} // namespace zv
