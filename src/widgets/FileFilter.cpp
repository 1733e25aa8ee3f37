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
    // Qt reads the patterns from the name's last parentheses, blank-separated.
    // Most names show their patterns already ("Alle (*.jpg;*.jpeg;*.bmp)"):
    // those parentheses are written in Qt's form of the patterns the entry
    // really has, so every pattern is shown once; other names get them
    // appended.
    static const QRegularExpression shownPatterns(QStringLiteral("\\s*\\([^()]*\\*[^()]*\\)$"));
    QStringList filters;
    for (const FileFilterEntry& entry : entries) {
        QString name = entry.name;
        name.remove(shownPatterns);
        filters << name + QStringLiteral(" (") +
                       SplitPatterns(entry.patterns).join(QLatin1Char(' ')) + QLatin1Char(')');
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
