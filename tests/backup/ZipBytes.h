#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace zv::test {

// One entry of a hand-made zip archive. Archives are written byte by byte
// so that a test can put in what no honest zip writer would: names with
// folders and "..", links, sizes that do not match the data, wrong CRCs.
struct CraftedEntry {
    std::string name;
    std::string data;
    // The uncompressed size the headers declare; by default the data's size.
    std::uint64_t declaredSize = std::numeric_limits<std::uint64_t>::max();
    // 0 stored, 8 deflated (the data is then only declared deflated: such an
    // entry must never be read).
    std::uint16_t method = 0;
    std::uint32_t unixMode = 0100644; // type and permission bits
    bool wrongCrc = false;
    std::uint8_t madeBy = 3;       // the writer's system: 3 Unix, 0 DOS
    bool utf8Flag = true;          // the name is marked as UTF-8
    bool localNameDiffers = false; // the local header names another file
    bool overlapsNext = false;     // the data hold the next entry whole
    bool deflated = false;         // written as a deflate stream (method 8)
};

// With `zip64`, every size and offset is written in the zip64 records of
// archives over 4 GiB.
std::string ZipBytes(const std::vector<CraftedEntry>& entries, bool zip64 = false);

} // namespace zv::test
