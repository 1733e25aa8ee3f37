#pragma once

#include <QLabel>

namespace zv {

// The record catch of a statistics tab: several lines of plain text in the
// window's font, in a fixed box the window makes tall enough for them. A
// line wider than the box is shortened with "…"; the tool tip always shows
// the whole text. While it names a catch it shows a hand cursor and reports
// clicks.
class RecordLabel : public QLabel {
    Q_OBJECT
public:
    RecordLabel(const QString& name, QWidget* parent);

    // `lines` separated by "\r", as the record texts are built; `clickable`
    // says whether a click opens anything.
    void ShowRecord(const QString& lines, bool clickable);
    bool Clickable() const { return clickable_; }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowLines();

    QString record_;
    bool clickable_ = false;
};

} // namespace zv
