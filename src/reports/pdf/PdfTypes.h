#pragma once

#include <cstdint>

namespace zv {

// A colour as the desktop toolkit stores it: 0x00BBGGRR. Negative values
// (system colours) count as black; clNone means "no colour".
using TColor = std::int32_t;

constexpr TColor RGBColor(int red, int green, int blue) {
    return static_cast<TColor>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clGreen = 0x008000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clNone = 0x1FFFFFFF;

enum class TPdfPageMode { UseNone, UseOutlines, UseThumbs, FullScreen };
enum class TPdfPageLayout { SinglePage, OneColumn, TwoColumnLeft, TwoColumnRight };
enum class TPdfDestinationType { XYZ, Fit, FitH, FitV, FitR, FitB, FitBH, FitBV };
enum class TPdfAlignment { LeftJustify, RightJustify, Center };

// Viewer preferences as bits; 0 means none is set.
enum TPdfViewerPreference : unsigned {
    vpHideToolbar = 1,
    vpHideMenubar = 2,
    vpHideWindowUI = 4,
    vpFitWindow = 8,
    vpCenterWindow = 16,
};

// A rectangle in page coordinates (origin bottom-left): Top > Bottom.
struct TPdfRect {
    double Left = 0;
    double Top = 0;
    double Right = 0;
    double Bottom = 0;
};

} // namespace zv
