#pragma once

class QTableView;

namespace zv {

// The read-only lists of the windows look and behave alike: whole rows are
// selected one at a time, cells are not edited, the grid shows, texts do not
// wrap and there is no row header. Rows keep one height, which also keeps a
// list of any length as cheap to show as a short one.
void MakeReportList(QTableView* view);

} // namespace zv
