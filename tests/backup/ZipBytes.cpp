#include "ZipBytes.h"

#include "backup/Crc32.h"

namespace zv::test {
namespace {

void Put16(std::string& out, std::uint32_t v) {
    out += char(v & 0xFF);
    out += char((v >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

} // namespace

std::string ZipBytes(const std::vector<CraftedEntry>& entries) {
    std::string local;
    std::string central;
    for (const CraftedEntry& e : entries) {
        const std::uint32_t offset = std::uint32_t(local.size());
        const std::uint32_t crc = Crc32(e.data) ^ (e.wrongCrc ? 1u : 0u);
        const std::uint64_t declared = e.declaredSize == std::numeric_limits<std::uint64_t>::max()
                                           ? e.data.size()
                                           : e.declaredSize;
        auto common = [&](std::string& out) {
            Put16(out, 20);     // version needed
            Put16(out, 0x0800); // names are UTF-8
            Put16(out, e.method);
            Put16(out, 0);    // time
            Put16(out, 0x21); // date 01.01.1980
            Put32(out, crc);
            Put32(out, std::uint32_t(e.data.size()));
            Put32(out, std::uint32_t(declared));
            Put16(out, std::uint32_t(e.name.size()));
            Put16(out, 0); // extra field
        };
        Put32(local, 0x04034b50);
        common(local);
        local += e.name;
        local += e.data;

        Put32(central, 0x02014b50);
        Put16(central, (3u << 8) | 20u); // made by Unix
        common(central);
        Put16(central, 0); // comment
        Put16(central, 0); // disk
        Put16(central, 0); // internal attributes
        Put32(central, e.unixMode << 16);
        Put32(central, offset);
        central += e.name;
    }
    std::string out = local + central;
    Put32(out, 0x06054b50);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, std::uint32_t(entries.size()));
    Put16(out, std::uint32_t(entries.size()));
    Put32(out, std::uint32_t(central.size()));
    Put32(out, std::uint32_t(local.size()));
    Put16(out, 0);
    return out;
}

} // namespace zv::test
