#pragma once

#include <QComboBox>

namespace zv {

// A drop-down list of the angler's values in a box of fixed width: a chosen
// entry wider than the box is shown shortened with "…" and whole in the
// box's hint (the opened list shows every entry whole).
class ElidingComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ElidingComboBox(QWidget* parent = nullptr);

protected:
    void initStyleOption(QStyleOptionComboBox* option) const override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The width the chosen entry has in the box.
    int TextWidth() const;
    void UpdateHint();
};

} // namespace zv
