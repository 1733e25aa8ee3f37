#pragma once

#include "reports/pdf/PdfTypes.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

class TPdfDoc;
class TPdfFont;
class TPdfPage;

// The text state the canvas tracks for the current page.
struct TPdfCanvasAttribute {
    TPdfFont* font = nullptr;
    double fontSize = 0;
    double charSpace = 0;
    double wordSpace = 0;
    double horizontalScaling = 100;
    double leading = 0;
};

// Writes content-stream operators into the current page, one line each.
// Coordinates are page coordinates (origin bottom-left); every number is
// rounded to two decimals. Texts are UTF-8 and reach the page as
// Windows-1252 bytes for the WinAnsi fonts.
class TPdfCanvas {
public:
    explicit TPdfCanvas(TPdfDoc* doc) : doc_(doc) {}

    // Makes `page` current and starts it with the default text state (Arial
    // at 10 points, which writes the first operator of the page), with room
    // for `expectedSize` bytes of content.
    void SetPage(TPdfPage& page, std::size_t expectedSize = 0);
    // The current page; throws "GetPage --the Page is nil" without one.
    TPdfPage& Page() const;
    bool HasPage() const { return page_ != nullptr; }
    double PageWidth() const;
    double PageHeight() const;
    void SetPageWidth(double width);
    void SetPageHeight(double height);
    const TPdfCanvasAttribute& Attribute() const { return attr_; }

    void GSave();
    void GRestore();
    void Concat(double a, double b, double c, double d, double e, double f);
    void SetLineWidth(double width);
    void SetDash(const std::vector<double>& pattern, double phase);
    void SetRGBFillColor(TColor color);
    void SetRGBStrokeColor(TColor color);
    void MoveTo(double x, double y);
    void LineTo(double x, double y);
    void Rectangle(double x, double y, double width, double height);
    void ClosePath();
    void NewPath();
    void Stroke();
    void ClosePathStroke();
    void Fill();
    void ClosePathFillStroke();
    void Clip();
    void BeginText();
    void EndText();
    void MoveTextPoint(double x, double y);
    void MoveToNextLine();
    // Looks the font up by its registered name (creating it in the document
    // on first use) and writes Tf only when font or size change.
    void SetFont(std::string_view registeredName, double size);
    void SetCharSpace(double value);
    void SetWordSpace(double value);
    void SetHorizontalScaling(double percent);
    void SetLeading(double value);
    void ShowText(std::string_view utf8);
    void ExecuteXObject(std::string_view name);

    // Width of a text in the current font and text state.
    double TextWidth(std::string_view utf8) const;
    // The same for bytes already in the page encoding.
    double TextWidthBytes(std::string_view bytes) const {
        return TextWidthBytes(bytes, attr_.charSpace);
    }
    // … with another character spacing than the current one.
    double TextWidthBytes(std::string_view bytes, double charSpace) const;
    // How many leading bytes fit into `width`.
    std::size_t MeasureText(std::string_view bytes, double width) const;

    // One line of text in a rectangle: aligned horizontally, baseline
    // 0.85 × font size below the top, optionally clipped to the rectangle.
    void TextRect(const TPdfRect& rect, std::string_view utf8, TPdfAlignment alignment,
                  bool clipping);
    // Several lines from the top of the rectangle, broken at CR LF and, with
    // `wordWrap`, between words; nothing is written below the rectangle.
    void MultilineTextRect(const TPdfRect& rect, std::string_view utf8, bool wordWrap);

    // Draws an image of the document scaled to width × height with its
    // lower-left corner at x, y.
    void DrawXObject(double x, double y, double width, double height, std::string_view name);
    // Draws it the same way, clipped to the given rectangle.
    void DrawXObjectEx(double x, double y, double width, double height, double clipX, double clipY,
                       double clipWidth, double clipHeight, std::string_view name);

private:
    std::string& Out() const;
    // One operator line: the numbers, each followed by a blank, and `op`.
    void Operator(std::initializer_list<double> numbers, std::string_view op);
    void Operator(std::string_view op) { Operator({}, op); }
    void ShowBytes(std::string_view bytes);

    TPdfDoc* doc_;
    TPdfPage* page_ = nullptr;
    TPdfCanvasAttribute attr_;
    // The page-encoded bytes of the text being written.
    std::string bytes_;
};

} // namespace zv
