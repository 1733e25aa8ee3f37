#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace zv {

// One entry of a file dialog filter written as "Name|*.ext|Name|*.ext".
struct FileFilterEntry {
    QString name;     // shown to the user, blanks trimmed
    QString patterns; // e.g. "*.f" or "*.jpg;*.jpeg", blanks trimmed
};

std::vector<FileFilterEntry> ParseFileFilter(const QString& filter);

// The entries as Qt name filters ("Name (*.a *.b)"), one per entry, in order;
// patterns the name shows in parentheses are shown once, as the entry has them.
QStringList QtNameFilters(const std::vector<FileFilterEntry>& entries);

// True when the file name (folder ignored) matches one of the entry's patterns (case-insensitive).
bool MatchesFilterEntry(const FileFilterEntry& entry, const QString& fileName);

} // namespace zv
