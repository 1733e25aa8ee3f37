#include "storage/ValueList.h"

#include "base/AtomicFile.h"
#include "base/Win1252.h"
#include "storage/CreateFolder.h"

namespace zv {

std::filesystem::path ValueListPath(const std::filesystem::path& programFolder,
                                    std::string_view name) {
    return programFolder / "DATs" / PathFromUtf8(std::string(name) + ".dat");
}

std::vector<std::string> ReadValueList(const std::filesystem::path& programFolder,
                                       std::string_view name) {
    std::vector<std::string> entries;
    std::string bytes;
    std::string error;
    if (!ReadFileBytes(ValueListPath(programFolder, name), bytes, error)) {
        return entries;
    }
    const std::string text = Win1252ToUtf8(bytes);
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string::npos) {
            entries.push_back(text.substr(pos));
            break;
        }
        entries.push_back(text.substr(pos, end - pos));
        pos = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    return entries;
}

bool WriteValueList(const std::filesystem::path& programFolder, std::string_view name,
                    const std::vector<std::string>& entries, std::string& error) {
    std::string bytes;
    std::string bad;
    for (const std::string& entry : entries) {
        if (!AppendUtf8AsWin1252(entry, bytes, &bad)) {
            error = NonWin1252Message(bad);
            return false;
        }
        bytes += "\r\n";
    }
    const std::filesystem::path path = ValueListPath(programFolder, name);
    if (!CreateFolder(path.parent_path(), error)) {
        return false;
    }
    return WriteFileAtomic(path, bytes, error);
}

} // namespace zv
