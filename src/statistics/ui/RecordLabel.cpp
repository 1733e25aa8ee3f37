#include "statistics/ui/RecordLabel.h"

#include "widgets/PlainHint.h"

#include <QMouseEvent>

namespace zv {

RecordLabel::RecordLabel(const QString& name, QWidget* parent) : QLabel(parent) {
    setObjectName(name);
    // The species and bait are the angler's own text: never read as markup.
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(false);
    baseFont_ = font();
}

void RecordLabel::ShowRecord(const QString& lines, bool clickable) {
    QString text = lines;
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    setText(text);
    setToolTip(PlainHint(text));
    clickable_ = clickable;
    setCursor(clickable ? Qt::PointingHandCursor : Qt::ArrowCursor);
    FitFont();
}

void RecordLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    FitFont();
}

void RecordLabel::FitFont() {
    QFont fitted = baseFont_;
    const QRect box = contentsRect();
    auto fits = [&](const QFont& f) {
        const QRect needed =
            QFontMetrics(f).boundingRect(box, Qt::AlignLeft | Qt::AlignTop, text());
        return needed.width() <= box.width() && needed.height() <= box.height();
    };
    while (!fits(fitted) && fitted.pointSizeF() > 6) {
        fitted.setPointSizeF(fitted.pointSizeF() - 0.5);
    }
    if (fitted != font()) {
        setFont(fitted);
    }
}

void RecordLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (clickable_ && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

} // namespace zv
