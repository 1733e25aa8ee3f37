#include "BackupTestSupport.h"

#include "backup/ArchiveReader.h"
#include "storage/Schemas.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <stdexcept>

namespace zv::test {

std::string TableBytes(const std::vector<std::string>& fields,
                       const std::vector<std::map<std::string, std::string>>& rows) {
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        out += (i ? ";" : "") + fields[i];
    }
    out += "\r\n";
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const auto cell = row.find(fields[i]);
            out += (i ? ";" : "") + (cell == row.end() ? std::string() : cell->second);
        }
        out += "\r\n";
    }
    return out;
}

void WriteProgramFolder(const std::filesystem::path& folder, const std::filesystem::path& catches) {
    WriteBytes(folder / "Zelvorin.ini", "[Datenbank]\r\nZelvorin=" + catches.string() +
                                            "\r\nAngelkosten=" + (folder / "Kosten.a").string() +
                                            "\r\nKalender=" + (folder / "Kalender.cal").string() +
                                            "\r\n");
    WriteBytes(catches,
               TableBytes(CatchFields(), {{{"Fischart", "Hecht"}}, {{"Fischart", "Zander"}}}));
    WriteBytes(folder / "Kosten.a", TableBytes(CostFields(), {{{"Gesamtpreis", "12,5"}}}));
    WriteBytes(folder / "Kalender.cal", TableBytes(CalendarFields(), {{{"Datum", "01.05.2009"}}}));
    WriteBytes(folder / "karte.jpg", "Karte");
    WriteBytes(folder / "img" / "hecht1.jpg", "Hecht");
    WriteBytes(folder / "img" / "notiz.txt", "Notiz");
    WriteBytes(folder / "DATs" / "Faenger.dat", "Jan\r\n");
}

std::map<std::string, std::string> EntryContents(const std::filesystem::path& archive,
                                                 std::vector<std::string>* names) {
    ArchiveReader reader;
    if (!reader.Open(archive)) {
        throw std::runtime_error(reader.Error());
    }
    std::map<std::string, std::string> contents;
    for (const ArchiveEntry& entry : reader.Entries()) {
        std::string bytes;
        if (!reader.Read(entry, [&](std::string_view piece) {
                bytes.append(piece);
                return true;
            })) {
            throw std::runtime_error(reader.Error());
        }
        contents[entry.name] = bytes;
        if (names != nullptr) {
            names->push_back(entry.name);
        }
    }
    return contents;
}

std::set<std::string> TreeBelow(const std::filesystem::path& root) {
    std::set<std::string> tree;
    for (auto it = std::filesystem::recursive_directory_iterator(root);
         it != std::filesystem::recursive_directory_iterator(); ++it) {
        tree.insert(std::filesystem::relative(it->path(), root).generic_string());
    }
    return tree;
}

namespace {

bool SetImmutable(const std::filesystem::path& folder, bool on) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) {
        return false;
    }
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

} // namespace

bool MakeUnwritable(const std::filesystem::path& folder) {
    std::filesystem::permissions(folder, std::filesystem::perms::owner_read |
                                             std::filesystem::perms::owner_exec);
    if (::geteuid() == 0) {
        SetImmutable(folder, true);
    }
    const std::filesystem::path probe = folder / "probe";
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd >= 0) {
        ::close(fd);
        ::unlink(probe.c_str());
        MakeWritable(folder);
        return false;
    }
    return true;
}

void MakeWritable(const std::filesystem::path& folder) {
    if (::geteuid() == 0) {
        SetImmutable(folder, false);
    }
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
}

} // namespace zv::test
