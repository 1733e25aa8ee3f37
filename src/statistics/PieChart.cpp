#include "statistics/PieChart.h"

#include "statistics/PiePalette.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace zv {

namespace {

struct Sector {
    double start = 0; // degrees, counter-clockwise from the rightward horizontal
    double sweep = 0; // degrees, 0 … 360
};

// The point on the circle a radius of that angle ends on, on whole pixels
// (halves to the even neighbour, as the default rounding mode does).
QPoint RadiusEnd(int cx, int cy, int r, double degrees) {
    const double radians = degrees * std::numbers::pi / 180.0;
    const int dx = static_cast<int>(std::nearbyint(r * std::cos(radians)));
    const int dy = static_cast<int>(std::nearbyint(r * std::sin(radians)));
    return {cx + dx, cy - dy};
}

double AngleOf(QPoint centre, QPoint end) {
    return std::atan2(double(centre.y() - end.y()), double(end.x() - centre.x())) * 180.0 /
           std::numbers::pi;
}

// The sector between the radii through the rounded end points of `from` and
// `to`. Rounding moves an end point by less than a pixel, so the sweep is
// taken as the turn nearest to the true one: a tiny slice whose two end
// points fall on the same pixel stays a line instead of becoming a whole
// disc over the other slices, and a whole circle stays whole.
Sector SectorBetween(int cx, int cy, int r, double from, double to) {
    const QPoint centre(cx, cy);
    const double start = AngleOf(centre, RadiusEnd(cx, cy, r, from));
    const double end = AngleOf(centre, RadiusEnd(cx, cy, r, to));
    const double wanted = to - from;
    double sweep = end - start;
    while (sweep - wanted > 180.0) {
        sweep -= 360.0;
    }
    while (sweep - wanted < -180.0) {
        sweep += 360.0;
    }
    return {start, std::clamp(sweep, 0.0, 360.0)};
}

} // namespace

QImage DrawPieChart(const std::vector<int>& values, int width, int height) {
    QImage picture(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    picture.fill(Qt::white);
    double sum = 0;
    for (int value : values) {
        sum += value;
    }
    const int cx = width / 2;
    const int cy = height / 2;
    const int r = height / 2 - 10;
    if (values.empty() || !(sum > 0) || r <= 0 || width <= 0) {
        return picture.convertToFormat(QImage::Format_RGB888);
    }

    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1));
    const QRectF circle(cx - r, cy - r, 2 * r, 2 * r);
    const std::size_t n = values.size();
    double from = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double to = i + 1 == n ? 360.0 : from + (100.0 / sum) * values[i] * 3.6;
        const PieColour colour = LegendColour(i);
        painter.setBrush(QColor(colour.red, colour.green, colour.blue));
        const Sector sector = SectorBetween(cx, cy, r, from, to);
        if (sector.sweep >= 360.0) {
            painter.drawEllipse(circle);
        } else {
            QPainterPath path(QPointF(cx, cy));
            path.arcTo(circle, sector.start, sector.sweep);
            path.closeSubpath();
            painter.drawPath(path);
        }
        from = to;
    }
    painter.end();
    return picture.convertToFormat(QImage::Format_RGB888);
}

} // namespace zv
