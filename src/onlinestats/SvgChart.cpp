#include "onlinestats/SvgChart.h"

#include "base/NumberText.h"
#include "onlinestats/MarkupText.h"
#include "statistics/PiePalette.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace zv {

namespace {

constexpr int kWidth = 640;

// A coordinate with two decimals and a decimal point, whatever the locale.
std::string Coordinate(double value) {
    char text[32];
    const auto end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2).ptr;
    return std::string(text, end);
}

std::string Colour(const PieColour& colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.red, colour.green, colour.blue);
    return text;
}

std::string Open(const std::string& title, int height) {
    const std::string name = HtmlEscaped(title);
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(kWidth) +
           "\" height=\"" + std::to_string(height) + "\" viewBox=\"0 0 " + std::to_string(kWidth) +
           " " + std::to_string(height) +
           "\" font-family=\"sans-serif\" font-size=\"11\" role=\"img\" aria-label=\"" + name +
           "\"><title>" + name + "</title>";
}

std::string Text(double x, double y, const std::string& anchor, const std::string& text,
                 const std::string& style = {}) {
    return "<text x=\"" + Coordinate(x) + "\" y=\"" + Coordinate(y) + "\" text-anchor=\"" + anchor +
           "\"" + (style.empty() ? "" : " class=\"" + style + "\"") + ">" + HtmlEscaped(text) +
           "</text>";
}

} // namespace

std::string BarChartSvg(const std::string& title, const std::vector<std::string>& labels,
                        const std::vector<long long>& counts) {
    constexpr int kHeight = 220;
    constexpr double kLeft = 10, kRight = 10, kTop = 22, kBottom = 26;
    const double plotHeight = kHeight - kTop - kBottom;
    const std::size_t n = std::min(labels.size(), counts.size());
    const long long largest = n == 0 ? 0 : *std::max_element(counts.begin(), counts.begin() + n);
    const double slot = n == 0 ? 0 : (kWidth - kLeft - kRight) / static_cast<double>(n);
    std::string svg = Open(title, kHeight);
    svg += "<line x1=\"" + Coordinate(kLeft) + "\" y1=\"" + Coordinate(kTop + plotHeight) +
           "\" x2=\"" + Coordinate(kWidth - kRight) + "\" y2=\"" + Coordinate(kTop + plotHeight) +
           "\" stroke=\"#555\"/>";
    for (std::size_t i = 0; i < n; ++i) {
        const double x = kLeft + slot * static_cast<double>(i);
        const double height = largest == 0 ? 0
                                           : plotHeight * static_cast<double>(counts[i]) /
                                                 static_cast<double>(largest);
        const double top = kTop + plotHeight - height;
        svg += "<rect x=\"" + Coordinate(x + slot * 0.15) + "\" y=\"" + Coordinate(top) +
               "\" width=\"" + Coordinate(slot * 0.7) + "\" height=\"" + Coordinate(height) +
               "\" fill=\"#2f6fb0\"/>";
        if (counts[i] > 0) {
            svg += Text(x + slot / 2, top - 4, "middle", std::to_string(counts[i]), "value");
        }
        svg += Text(x + slot / 2, kHeight - 8, "middle", labels[i], "label");
    }
    return svg + "</svg>";
}

std::string PieChartSvg(const std::string& title, const std::vector<LabelCount>& counts) {
    constexpr std::size_t kSlices = kPiePalette.size();
    std::vector<LabelCount> slices;
    for (const LabelCount& count : counts) {
        if (slices.size() + 1 < kSlices || counts.size() == kSlices) {
            slices.push_back(count);
        } else if (slices.size() + 1 == kSlices) {
            slices.push_back({"Sonstige", count.catches});
        } else {
            slices.back().catches += count.catches;
        }
    }
    long long total = 0;
    for (const LabelCount& slice : slices) {
        total += slice.catches;
    }
    constexpr double kRadius = 100, kCentreX = 115, kCentreY = 115;
    const int height = std::max(230, 28 + 22 * static_cast<int>(slices.size()));
    std::string svg = Open(title, height);
    if (total == 0) {
        svg += Text(kCentreX, kCentreY, "middle", "Keine Angaben", "label");
        return svg + "</svg>";
    }
    double angle = -std::numbers::pi / 2; // the first slice starts at the top
    for (std::size_t i = 0; i < slices.size(); ++i) {
        const std::string fill = Colour(LegendColour(i));
        const double share = static_cast<double>(slices[i].catches) / static_cast<double>(total);
        if (slices[i].catches == total) {
            svg += "<circle cx=\"" + Coordinate(kCentreX) + "\" cy=\"" + Coordinate(kCentreY) +
                   "\" r=\"" + Coordinate(kRadius) + "\" fill=\"" + fill + "\" stroke=\"#fff\"/>";
        } else if (slices[i].catches > 0) {
            const double end = angle + 2 * std::numbers::pi * share;
            svg += "<path d=\"M" + Coordinate(kCentreX) + "," + Coordinate(kCentreY) + " L" +
                   Coordinate(kCentreX + kRadius * std::cos(angle)) + "," +
                   Coordinate(kCentreY + kRadius * std::sin(angle)) + " A" + Coordinate(kRadius) +
                   "," + Coordinate(kRadius) + " 0 " + (share > 0.5 ? "1" : "0") + ",1 " +
                   Coordinate(kCentreX + kRadius * std::cos(end)) + "," +
                   Coordinate(kCentreY + kRadius * std::sin(end)) + " Z\" fill=\"" + fill +
                   "\" stroke=\"#fff\"/>";
            angle = end;
        }
        const double rowY = 24 + 22 * static_cast<double>(i);
        svg += "<rect x=\"250\" y=\"" + Coordinate(rowY - 12) +
               "\" width=\"14\" height=\"14\" fill=\"" + fill + "\" stroke=\"#555\"/>";
        svg += Text(272, rowY, "start",
                    slices[i].label + " – " + std::to_string(slices[i].catches) + " (" +
                        FloatToStrDe(std::round(share * 1000) / 10) + " %)",
                    "label");
    }
    return svg + "</svg>";
}

} // namespace zv
