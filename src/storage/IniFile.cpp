#include "storage/IniFile.h"

#include "base/AtomicFile.h"
#include "base/GermanText.h"
#include "base/Win1252.h"

#include <optional>
#include <system_error>

namespace zv {
namespace {

enum class LineKind { Other, Section, Key };

// One line of the file as it was read: its bytes (without the line end),
// its line end exactly as found, and what it means.
struct Line {
    std::string bytes;
    std::string eol;
    LineKind kind = LineKind::Other;
    std::string name;  // section or key name, UTF-8
    std::string value; // key value, UTF-8
};

Line MakeLine(std::string bytes, std::string eol) {
    Line line;
    line.bytes = std::move(bytes);
    line.eol = std::move(eol);
    return line;
}

std::string StripQuotes(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

void Classify(Line& line) {
    const std::string text = Win1252ToUtf8(line.bytes);
    const std::string_view trimmed = Trim(text);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') {
        return;
    }
    if (trimmed.front() == '[') {
        std::string_view inner = trimmed.substr(1);
        const std::size_t close = inner.find(']');
        if (close != std::string_view::npos) {
            inner = inner.substr(0, close);
        }
        line.kind = LineKind::Section;
        line.name = std::string(Trim(inner));
        return;
    }
    const std::size_t eq = trimmed.find('=');
    if (eq == std::string_view::npos) {
        return;
    }
    const std::string_view key = Trim(trimmed.substr(0, eq));
    if (key.empty()) {
        return;
    }
    line.kind = LineKind::Key;
    line.name = std::string(key);
    line.value = StripQuotes(Trim(trimmed.substr(eq + 1)));
}

std::vector<Line> SplitLines(const std::string& bytes) {
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        Line line;
        std::size_t end = pos;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') {
            ++end;
        }
        line.bytes = bytes.substr(pos, end - pos);
        if (end < bytes.size()) {
            const bool crlf =
                bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n';
            line.eol = bytes.substr(end, crlf ? 2 : 1);
        }
        pos = end + line.eol.size();
        Classify(line);
        lines.push_back(std::move(line));
    }
    return lines;
}

// Where a section and a key sit in the file.
struct Place {
    std::optional<std::size_t> section; // index of the section's header line
    std::size_t sectionEnd = 0;         // index one past the section's last line
    std::optional<std::size_t> key;     // index of the key's line
    std::optional<std::size_t> lastKey; // index of the section's last key line
};

Place Locate(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
    Place place;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind == LineKind::Section && SameTextDe(lines[i].name, section)) {
            place.section = i;
            break;
        }
    }
    if (!place.section) {
        return place;
    }
    std::size_t i = *place.section + 1;
    for (; i < lines.size() && lines[i].kind != LineKind::Section; ++i) {
        if (lines[i].kind != LineKind::Key) {
            continue;
        }
        place.lastKey = i;
        if (!place.key && !key.empty() && SameTextDe(lines[i].name, key)) {
            place.key = i;
        }
    }
    place.sectionEnd = i;
    return place;
}

std::string Join(const std::vector<Line>& lines) {
    std::string out;
    for (const Line& line : lines) {
        out += line.bytes;
        out += line.eol;
    }
    return out;
}

} // namespace

IniFile::IniFile(std::filesystem::path path) : path_(std::move(path)) {}

namespace {

// The file's lines; a missing file has none. False only when a file exists
// but cannot be read.
bool LoadLines(const std::filesystem::path& path, std::vector<Line>& lines, std::string& error) {
    lines.clear();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        return true;
    }
    std::string bytes;
    if (!ReadFileBytes(path, bytes, error)) {
        return false;
    }
    lines = SplitLines(bytes);
    return true;
}

std::vector<Line> LinesOrEmpty(const std::filesystem::path& path) {
    std::vector<Line> lines;
    std::string error;
    LoadLines(path, lines, error);
    return lines;
}

} // namespace

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
    const std::vector<Line> lines = LinesOrEmpty(path_);
    const Place place = Locate(lines, section, key);
    if (!place.key) {
        return std::string(defaultValue);
    }
    return lines[*place.key].value;
}

bool IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    lastError_.clear();
    std::vector<Line> lines;
    if (!LoadLines(path_, lines, lastError_)) {
        return false;
    }
    // A name or value that the file's layout cannot hold would read back as
    // something else (a line break starts a new line, "=" ends a key name,
    // "]" ends a section name), so it is refused rather than written.
    const bool badSection =
        section.empty() || section.find_first_of("]\r\n") != std::string_view::npos;
    const std::string_view trimmedKey = Trim(key);
    const bool badKey = trimmedKey.empty() || trimmedKey != key ||
                        key.find_first_of("=\r\n") != std::string_view::npos ||
                        key.front() == '[' || key.front() == ';' || key.front() == '#';
    const bool badValue = value.find_first_of("\r\n") != std::string_view::npos;
    if (badSection || badKey || badValue) {
        lastError_ =
            "Der Eintrag \"" + std::string(key) + "\" kann nicht in der Datei \"" +
            PathToUtf8(path_) + "\" gespeichert werden: " +
            (badSection ? "Der Abschnittsname ist leer oder enthält \"]\" oder einen Zeilenumbruch."
             : badKey ? "Der Name ist leer, beginnt oder endet mit Leerzeichen, beginnt mit \"[\", "
                        "\";\" oder \"#\" oder enthält \"=\" oder einen Zeilenumbruch."
                      : "Der Wert enthält einen Zeilenumbruch.");
        return false;
    }
    for (std::string_view text : {section, key, value}) {
        const std::string bad = FirstNonWin1252Char(text);
        if (!bad.empty()) {
            lastError_ = NonWin1252Message(bad);
            return false;
        }
    }
    const Place place = Locate(lines, section, key);

    Line newLine;
    newLine.eol = "\r\n";
    if (place.key) {
        // Keep the key as the file spells it; only the value changes.
        Line& line = lines[*place.key];
        const std::size_t eq = line.bytes.find('=');
        line.bytes = line.bytes.substr(0, eq + 1) + *Utf8ToWin1252(value);
        Classify(line);
    } else if (place.section) {
        newLine.bytes = *Utf8ToWin1252(std::string(key) + "=" + std::string(value));
        const std::size_t after = place.lastKey ? *place.lastKey : *place.section;
        if (lines[after].eol.empty()) {
            lines[after].eol = "\r\n";
        }
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(after + 1), newLine);
    } else {
        if (!lines.empty()) {
            if (lines.back().eol.empty()) {
                lines.back().eol = "\r\n";
            }
            if (!Trim(lines.back().bytes).empty()) {
                lines.push_back(MakeLine("", "\r\n"));
            }
        }
        lines.push_back(MakeLine(*Utf8ToWin1252("[" + std::string(section) + "]"), "\r\n"));
        newLine.bytes = *Utf8ToWin1252(std::string(key) + "=" + std::string(value));
        lines.push_back(newLine);
    }
    return WriteFileAtomic(path_, Join(lines), lastError_);
}

bool IniFile::EraseKey(std::string_view section, std::string_view key) {
    lastError_.clear();
    std::vector<Line> lines;
    if (!LoadLines(path_, lines, lastError_)) {
        return false;
    }
    const Place place = Locate(lines, section, key);
    if (!place.key) {
        return true;
    }
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(*place.key));
    return WriteFileAtomic(path_, Join(lines), lastError_);
}

std::vector<std::string> IniFile::ReadSection(std::string_view section) const {
    std::vector<std::string> keys;
    for (auto& [key, value] : ReadSectionValues(section)) {
        keys.push_back(std::move(key));
    }
    return keys;
}

std::vector<std::pair<std::string, std::string>>
IniFile::ReadSectionValues(std::string_view section) const {
    std::vector<std::pair<std::string, std::string>> result;
    const std::vector<Line> lines = LinesOrEmpty(path_);
    const Place place = Locate(lines, section, {});
    if (!place.section) {
        return result;
    }
    for (std::size_t i = *place.section + 1; i < place.sectionEnd; ++i) {
        if (lines[i].kind != LineKind::Key) {
            continue;
        }
        // A key written twice is one key; its first value counts.
        bool seen = false;
        for (const auto& entry : result) {
            if (SameTextDe(entry.first, lines[i].name)) {
                seen = true;
                break;
            }
        }
        if (!seen) {
            result.emplace_back(lines[i].name, lines[i].value);
        }
    }
    return result;
}

bool IniFile::SectionExists(std::string_view section) const {
    return Locate(LinesOrEmpty(path_), section, {}).section.has_value();
}

} // namespace zv
