#include "statistics/ui/RecordLabel.h"

#include "widgets/ElidedText.h"
#include "widgets/PlainHint.h"

#include <QMouseEvent>

namespace zv {

RecordLabel::RecordLabel(const QString& name, QWidget* parent) : QLabel(parent) {
    setObjectName(name);
    // The species and bait are the angler's own text: never read as markup.
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(false);
}

void RecordLabel::ShowRecord(const QString& lines, bool clickable) {
    record_ = lines;
    record_.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    setToolTip(PlainHint(record_));
    clickable_ = clickable;
    setCursor(clickable ? Qt::PointingHandCursor : Qt::ArrowCursor);
    ShowLines();
}

void RecordLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    ShowLines();
}

void RecordLabel::ShowLines() {
    setText(ElidedLines(record_, fontMetrics(), contentsRect().width()));
}

void RecordLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (clickable_ && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

} // namespace zv
