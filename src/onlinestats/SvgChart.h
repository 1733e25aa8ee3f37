#pragma once

#include "onlinestats/Aggregates.h"

#include <string>
#include <vector>

namespace zv {

// Charts as SVG elements to put into a page (or to serve on their own).
// Every label is escaped here, at output; coordinates never depend on the
// locale.

// One bar per label, its count above it; `title` names the chart for
// screen readers.
std::string BarChartSvg(const std::string& title, const std::vector<std::string>& labels,
                        const std::vector<long long>& counts);

// A pie of the counts with a legend (label, count, share). The first ten
// entries get a slice each, the rest share an eleventh, "Sonstige".
std::string PieChartSvg(const std::string& title, const std::vector<LabelCount>& counts);

} // namespace zv
