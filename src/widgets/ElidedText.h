#pragma once

#include <QString>

class QFontMetrics;
class QLabel;

namespace zv {

// Each line of `text` as it fits `width`: whole, or shortened with "…".
QString ElidedLines(const QString& text, const QFontMetrics& metrics, int width);

// Shows the angler's `text` in a label of fixed size: whole when it fits,
// otherwise each line too wide shortened with "…" and the whole text in the
// label's hint. The last resort where a window has no more room.
void SetElidedText(QLabel& label, const QString& text);

} // namespace zv
