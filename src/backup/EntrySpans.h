#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zv {

// Where an entry's bytes lie in a zip archive: from its local header to the
// end of its compressed data. Two entries whose spans overlap share bytes,
// which no zip writer does: that is how an archive makes a little data
// unpack into much.
struct EntrySpan {
    std::uint64_t begin = 0;
    std::uint64_t end = 0;
    std::string rawName; // the name bytes of the central directory
};

// Reads the central directory of the zip archive in the open file `fd`
// (zip64 records included) and the local header of every entry, in
// central-directory order. Every read is checked against the file's size.
// False with a German reason when a record is missing or lies outside.
bool ReadEntrySpans(int fd, std::vector<EntrySpan>& spans, std::string& reason);

// The positions of two entries whose spans overlap; none when no two do.
std::optional<std::pair<std::size_t, std::size_t>> FindOverlap(const std::vector<EntrySpan>& spans);

} // namespace zv
