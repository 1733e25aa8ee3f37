#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zv {

// The settings file: INI text in Windows-1252. Nothing is cached: every read
// looks at the file as it is now, and every write goes to disk at once,
// atomically. A write changes only its own line; other sections, keys, their
// order, blank lines, comments and line ends stay byte for byte as they were.
// Section and key names match under the German collator, ignoring case.
//
// Layout read: "[Name]" opens a section; "key=value" lines belong to the
// section above them (blanks around key and value are ignored); lines that
// start with ";" or "#" are comments. Where a section or key appears twice,
// the first one counts.
class IniFile {
public:
    explicit IniFile(std::filesystem::path path);

    const std::filesystem::path& Path() const { return path_; }

    // The value of the key, or `defaultValue` when the section, the key or
    // the file is missing.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue = {}) const;

    // Sets the key's value, adding the key (at the end of its section) or
    // the section (at the end of the file) when missing. False, with a
    // German reason in LastError(), when the file cannot be read or written
    // or the text holds a character Windows-1252 cannot store; the file then
    // stays as it was.
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);

    // Removes the key's line. Removing a key that does not exist succeeds
    // without touching the file.
    bool EraseKey(std::string_view section, std::string_view key);

    // The section's key names (as written in the file) in file order.
    std::vector<std::string> ReadSection(std::string_view section) const;
    // The section's keys with their values, in file order.
    std::vector<std::pair<std::string, std::string>>
    ReadSectionValues(std::string_view section) const;
    bool SectionExists(std::string_view section) const;

    const std::string& LastError() const { return lastError_; }

private:
    std::filesystem::path path_;
    std::string lastError_;
};

} // namespace zv
