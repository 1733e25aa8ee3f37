#include "widgets/ElidedText.h"

#include "widgets/PlainHint.h"

#include <QFontMetrics>
#include <QLabel>

namespace zv {

QString ElidedLines(const QString& text, const QFontMetrics& metrics, int width) {
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        line = metrics.elidedText(line, Qt::ElideRight, width);
    }
    return lines.join(QLatin1Char('\n'));
}

void SetElidedText(QLabel& label, const QString& text) {
    const int width = label.contentsRect().width() - 2 * label.margin();
    const QString shown = ElidedLines(text, label.fontMetrics(), width);
    label.setText(shown);
    label.setToolTip(shown == text ? QString() : PlainHint(text));
}

} // namespace zv
