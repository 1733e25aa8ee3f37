#include "widgets/FileFilter.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace zv {

std::vector<FileFilterEntry> ParseFileFilter(const QString& filter) {
    std::vector<FileFilterEntry> entries;
    const QStringList pieces = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < pieces.size(); i += 2) {
        entries.push_back({pieces[i].trimmed(), pieces[i + 1].trimmed()});
    }
    // A name without its pattern still lists as an entry that shows all files.
    if (pieces.size() % 2 == 1 && !pieces.back().trimmed().isEmpty()) {
        entries.push_back({pieces.back().trimmed(), QStringLiteral("*")});
    }
    return entries;
}

static QStringList SplitPatterns(const QString& patterns) {
    QStringList list;
    for (const QString& piece :
         patterns.split(QRegularExpression(QStringLiteral("[;\\s]+")), Qt::SkipEmptyParts)) {
        list << piece;
    }
    return list;
}

QStringList QtNameFilters(const std::vector<FileFilterEntry>& entries) {
    QStringList filters;
    for (const FileFilterEntry& entry : entries) {
        const QString patterns = SplitPatterns(entry.patterns).join(QLatin1Char(' '));
        // Qt takes the patterns from the last parentheses of the name. The
        // program's names usually show their pattern already ("… (*.f)");
        // those stay as they are, others get the patterns appended.
        const QString shown = QStringLiteral("(") + patterns + QLatin1Char(')');
        if (entry.name.endsWith(shown)) {
            filters << entry.name;
        } else {
            filters << entry.name + QLatin1Char(' ') + shown;
        }
    }
    return filters;
}

bool MatchesFilterEntry(const FileFilterEntry& entry, const QString& fileName) {
    const QString name = QFileInfo(fileName).fileName();
    for (const QString& pattern : SplitPatterns(entry.patterns)) {
        const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(pattern),
                                    QRegularExpression::CaseInsensitiveOption);
        if (re.match(name).hasMatch()) {
            return true;
        }
    }
    return false;
}

} // namespace zv
