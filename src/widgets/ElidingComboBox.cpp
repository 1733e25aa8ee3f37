#include "widgets/ElidingComboBox.h"

#include "widgets/PlainHint.h"

#include <QStyle>
#include <QStyleOptionComboBox>

namespace zv {

ElidingComboBox::ElidingComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    connect(this, &QComboBox::currentTextChanged, this, [this] { UpdateHint(); });
}

int ElidingComboBox::TextWidth() const {
    QStyleOptionComboBox option;
    QComboBox::initStyleOption(&option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    return field.width() - 2; // the style keeps a pixel free on either side
}

void ElidingComboBox::initStyleOption(QStyleOptionComboBox* option) const {
    QComboBox::initStyleOption(option);
    option->currentText =
        fontMetrics().elidedText(option->currentText, Qt::ElideRight, TextWidth());
}

void ElidingComboBox::resizeEvent(QResizeEvent* event) {
    QComboBox::resizeEvent(event);
    UpdateHint();
}

void ElidingComboBox::UpdateHint() {
    const bool cut = fontMetrics().horizontalAdvance(currentText()) > TextWidth();
    setToolTip(cut ? PlainHint(currentText()) : QString());
}

} // namespace zv
