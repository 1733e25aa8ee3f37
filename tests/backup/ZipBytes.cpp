#include "ZipBytes.h"

#include "backup/ArchiveReader.h"
#include "backup/ArchiveWriter.h"
#include "backup/Crc32.h"

#include "../storage/DataTestSupport.h"

#include <stdexcept>

namespace zv::test {
namespace {

void Put(std::string& out, std::uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out += char((v >> (8 * i)) & 0xFF);
    }
}

constexpr std::uint64_t kNo32 = 0xFFFFFFFF;

// `bytes` as a deflate stream, as libzip packs them for a backup.
std::string DeflateStream(const std::string& bytes) {
    const TempFolder folder;
    WriteBytes(folder / "plain", bytes);
    ArchiveWriter writer;
    if (!writer.Open(folder / "a.zip") || !writer.Add("p", folder / "plain", false) ||
        !writer.Commit()) {
        throw std::runtime_error(writer.Error());
    }
    const std::string archive = ReadBytes(folder / "a.zip");
    ArchiveReader reader;
    if (!reader.Open(folder / "a.zip")) {
        throw std::runtime_error(reader.Error());
    }
    // The only entry's data follow its local header (30 bytes, name, extra).
    const auto length = [&](std::size_t at) {
        return std::size_t(std::uint8_t(archive[at])) | std::size_t(std::uint8_t(archive[at + 1]))
                                                            << 8;
    };
    return archive.substr(30 + length(26) + length(28), reader.Entries().at(0).compressedSize);
}

} // namespace

std::string ZipBytes(const std::vector<CraftedEntry>& entries, bool zip64) {
    const std::size_t count = entries.size();
    // Local records are built from the last entry back, so that an entry
    // can hold the next one's whole record in its data.
    std::vector<std::string> records(count);
    std::vector<std::string> data(count); // as stored
    std::vector<std::uint32_t> crc(count);
    std::vector<std::uint64_t> declared(count);
    std::vector<std::size_t> headerSize(count);
    for (std::size_t i = count; i-- > 0;) {
        const CraftedEntry& e = entries[i];
        const std::string plain =
            e.data + (e.overlapsNext && i + 1 < count ? records[i + 1] : std::string());
        data[i] = e.deflated ? DeflateStream(plain) : plain;
        crc[i] = Crc32(plain) ^ (e.wrongCrc ? 1u : 0u);
        declared[i] = e.declaredSize == std::numeric_limits<std::uint64_t>::max() ? plain.size()
                                                                                  : e.declaredSize;
        const std::uint16_t method = e.deflated ? 8 : e.method;
        const std::string name = e.localNameDiffers ? "anders-" + e.name : e.name;
        std::string& local = records[i];
        Put(local, 0x04034b50, 4);
        Put(local, zip64 ? 45 : 20, 2); // version needed
        Put(local, e.utf8Flag ? 0x0800 : 0, 2);
        Put(local, method, 2);
        Put(local, 0, 2);    // time
        Put(local, 0x21, 2); // date 01.01.1980
        Put(local, crc[i], 4);
        Put(local, zip64 ? kNo32 : data[i].size(), 4);
        Put(local, zip64 ? kNo32 : declared[i], 4);
        Put(local, name.size(), 2);
        Put(local, zip64 ? 20 : 0, 2); // extra field
        local += name;
        if (zip64) {
            Put(local, 0x0001, 2);
            Put(local, 16, 2);
            Put(local, declared[i], 8);
            Put(local, data[i].size(), 8);
        }
        headerSize[i] = local.size();
        local += data[i];
    }

    std::string out;
    std::string central;
    std::vector<std::uint64_t> offsets(count);
    for (std::size_t i = 0; i < count; ++i) {
        const CraftedEntry& e = entries[i];
        if (i > 0 && entries[i - 1].overlapsNext) {
            offsets[i] = offsets[i - 1] + headerSize[i - 1] + entries[i - 1].data.size();
        } else {
            offsets[i] = out.size();
            out += records[i];
        }
        Put(central, 0x02014b50, 4);
        Put(central, (std::uint64_t(e.madeBy) << 8) | 20u, 2);
        Put(central, zip64 ? 45 : 20, 2);
        Put(central, e.utf8Flag ? 0x0800 : 0, 2);
        Put(central, e.deflated ? 8 : e.method, 2);
        Put(central, 0, 2);
        Put(central, 0x21, 2);
        Put(central, crc[i], 4);
        Put(central, zip64 ? kNo32 : data[i].size(), 4);
        Put(central, zip64 ? kNo32 : declared[i], 4);
        Put(central, e.name.size(), 2);
        Put(central, zip64 ? 28 : 0, 2); // extra field
        Put(central, 0, 2);              // comment
        Put(central, 0, 2);              // disk
        Put(central, 0, 2);              // internal attributes
        Put(central, e.madeBy == 3 ? std::uint64_t(e.unixMode) << 16 : 0x20, 4);
        Put(central, zip64 ? kNo32 : offsets[i], 4);
        central += e.name;
        if (zip64) {
            Put(central, 0x0001, 2);
            Put(central, 24, 2);
            Put(central, declared[i], 8);
            Put(central, data[i].size(), 8);
            Put(central, offsets[i], 8);
        }
    }
    const std::uint64_t directory = out.size();
    out += central;
    if (zip64) {
        const std::uint64_t end64 = out.size();
        Put(out, 0x06064b50, 4);
        Put(out, 44, 8); // size of the rest of the record
        Put(out, 45, 2);
        Put(out, 45, 2);
        Put(out, 0, 4);
        Put(out, 0, 4);
        Put(out, count, 8);
        Put(out, count, 8);
        Put(out, central.size(), 8);
        Put(out, directory, 8);
        Put(out, 0x07064b50, 4);
        Put(out, 0, 4);
        Put(out, end64, 8);
        Put(out, 1, 4);
    }
    Put(out, 0x06054b50, 4);
    Put(out, 0, 2);
    Put(out, 0, 2);
    Put(out, zip64 ? 0xFFFF : count, 2);
    Put(out, zip64 ? 0xFFFF : count, 2);
    Put(out, zip64 ? kNo32 : central.size(), 4);
    Put(out, zip64 ? kNo32 : directory, 4);
    Put(out, 0, 2);
    return out;
}

} // namespace zv::test
