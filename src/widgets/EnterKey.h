#pragma once

class QDialog;

namespace zv {

// Enter in a window's inputs presses the window's default button and no
// other. Qt hands the default on its own to the first button of a dialog
// that has none, so Enter in the calendar's year box stepped to the month
// before; here every button but the default is kept from it. A button that
// has the focus still takes Enter itself. ShowModal applies this to every
// window before showing it.
void SettleEnterKey(QDialog& dialog);

} // namespace zv
