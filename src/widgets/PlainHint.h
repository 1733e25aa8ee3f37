#pragma once

#include <QString>
#include <QTextDocument>

namespace zv {

// A hint (tool tip) that shows `text` exactly as written. Qt shows a hint
// as rich text as soon as its first line looks like markup, so a species
// named "<h1>Riesen</h1>" would become a heading. Such a text is handed over
// as rich text whose every character is escaped, with its blanks and line
// breaks kept; any other text stays plain, as it was.
inline QString PlainHint(const QString& text) {
    if (!Qt::mightBeRichText(text)) {
        return text;
    }
    QString escaped = text.toHtmlEscaped();
    escaped.replace(QLatin1Char('\n'), QLatin1String("<br>"));
    return QLatin1String("<div style=\"white-space:pre\">") + escaped + QLatin1String("</div>");
}

} // namespace zv
