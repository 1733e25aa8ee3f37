#pragma once

#include "statistics/Tally.h"

#include <QTableWidget>

namespace zv {

// One list of the statistics window: a read-only report list with grid lines
// and whole-row selection whose first, narrow column is a colour swatch, so
// the list is the legend of the pie chart beside it. Row i (from 0) shows
// palette colour i, every row from the eleventh on the last colour.
class TallyListView : public QTableWidget {
    Q_OBJECT
public:
    // `countWidth` 0 takes the default column width.
    TallyListView(const QString& name, const QString& countCaption, int countWidth,
                  const QString& labelCaption, int labelWidth, QWidget* parent);

    // Empties the list, then adds one row per tally row in its order: the
    // swatch (item text " "), the count and the label.
    void ShowTally(const Tally& tally);
    void Empty();

    static constexpr int kSwatchWidth = 10;
    static constexpr int kDefaultColumnWidth = 50;
};

} // namespace zv
