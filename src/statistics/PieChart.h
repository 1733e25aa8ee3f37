#pragma once

#include <QImage>

#include <vector>

namespace zv {

// The pie chart of a tally's pie values (see PieValues) on a white picture of
// the given size in 24-bit colour. The circle is centred at (width div 2,
// height div 2) with the radius height div 2 − 10; slice i runs counter-
// clockwise from the rightward horizontal, starting where slice i − 1 ended,
// filled with palette colour i − 1 (the last colour for any later slice)
// and outlined in black. The last slice always closes the circle; a single
// value gives a full disc, no values (or nothing but zeros) a white picture.
//
// The radii end on whole pixels, rounded half to even, and nothing is
// antialiased, so the picture is the same on every machine.
QImage DrawPieChart(const std::vector<int>& values, int width, int height);

} // namespace zv
