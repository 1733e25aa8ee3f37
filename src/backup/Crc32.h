#pragma once

#include <cstdint>
#include <string_view>

namespace zv {

// The CRC-32 of zip archives (polynomial 0xEDB88320). Pass the previous
// result as `crc` to continue over data that arrives in pieces; start with 0.
std::uint32_t Crc32(std::string_view bytes, std::uint32_t crc = 0);

} // namespace zv
