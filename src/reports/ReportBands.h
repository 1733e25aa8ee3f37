#pragma once

#include "reports/pdf/PdfTypes.h"

#include <span>

namespace zv {

class TPRGridPanel;
class TPRLabel;
class TPRPage;

// The parts the cost list and the year summary share: A4 pages with a
// title band, a header band of framed column captions and a grid of 50
// lines.

struct ReportColumn {
    const char* caption;
    int left;
    int width;
};

// The top of the line under a grid line, inside its cell.
inline constexpr int kLineBottom = 13;

// An A4 template (596 × 842, margins 32) with a title band of height 24
// holding a centred Arial 20 label, which is returned.
TPRLabel& AddTitleBand(TPRPage& page, const char* labelName);
// A band of height 25 with one framed cell per column and its caption in
// navy bold Arial 12, centred.
void AddHeaderBand(TPRPage& page, std::span<const ReportColumn> columns);
// The grid of one column and `lines` lines on 530 × 727 points below the
// two bands.
TPRGridPanel& AddLineGrid(TPRPage& page, const char* name, int lines);
// An Arial 10 label of a grid line.
TPRLabel& AddLineLabel(TPRGridPanel& grid, const char* name, int left, int width,
                       TPdfAlignment alignment);

} // namespace zv
