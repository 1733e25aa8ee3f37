#include "reports/pdf/TPdfCanvas.h"

#include "reports/pdf/PdfFormat.h"
#include "reports/pdf/TPdfDoc.h"
#include "reports/pdf/TPdfFont.h"
#include "reports/pdf/TPdfPage.h"

#include <array>
#include <cmath>
#include <stdexcept>

namespace zv {

namespace {

// A colour component as byte ÷ 255; negative colours are black. A report
// uses few colours, over and over: the last texts are kept.
void AppendColor(std::string& out, TColor color) {
    if (color < 0) {
        color = clBlack;
    }
    struct Known {
        TColor color = -1;
        std::string text;
    };
    thread_local std::array<Known, 8> known;
    Known& entry = known[static_cast<std::size_t>((color ^ (color >> 11)) & 7)];
    if (entry.color != color) {
        entry.color = color;
        entry.text.clear();
        AppendContentNumber(entry.text, static_cast<double>(color & 0xFF) / 255.0);
        entry.text.push_back(' ');
        AppendContentNumber(entry.text, static_cast<double>((color >> 8) & 0xFF) / 255.0);
        entry.text.push_back(' ');
        AppendContentNumber(entry.text, static_cast<double>((color >> 16) & 0xFF) / 255.0);
        entry.text.push_back(' ');
    }
    out.append(entry.text);
}

} // namespace

void TPdfCanvas::SetPage(TPdfPage& page, std::size_t expectedSize) {
    page_ = &page;
    page_->Contents().Data().reserve(expectedSize);
    attr_ = TPdfCanvasAttribute{};
    SetFont("Arial", 10);
}

TPdfPage& TPdfCanvas::Page() const {
    if (page_ == nullptr) {
        throw std::runtime_error("GetPage --the Page is nil");
    }
    return *page_;
}

double TPdfCanvas::PageWidth() const {
    return Page().Width();
}

double TPdfCanvas::PageHeight() const {
    return Page().Height();
}

void TPdfCanvas::SetPageWidth(double width) {
    Page().SetWidth(width);
}

void TPdfCanvas::SetPageHeight(double height) {
    Page().SetHeight(height);
}

std::string& TPdfCanvas::Out() const {
    return Page().Contents().Data();
}

void TPdfCanvas::Operator(std::initializer_list<double> numbers, std::string_view op) {
    // Formatted on the stack and appended in one piece: a page has
    // thousands of these lines.
    char line[6 * (kMaxContentNumberSize + 1) + 16];
    char* at = line;
    for (double value : numbers) {
        at = FormatContentNumber(at, value);
        *at++ = ' ';
    }
    at = std::copy(op.begin(), op.end(), at);
    *at++ = '\n';
    Out().append(line, at);
}

void TPdfCanvas::GSave() {
    Operator("q");
}

void TPdfCanvas::GRestore() {
    Operator("Q");
}

void TPdfCanvas::Concat(double a, double b, double c, double d, double e, double f) {
    Operator({a, b, c, d, e, f}, "cm");
}

void TPdfCanvas::SetLineWidth(double width) {
    Operator({width}, "w");
}

void TPdfCanvas::SetDash(const std::vector<double>& pattern, double phase) {
    std::string& out = Out();
    out.push_back('[');
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (i > 0) {
            out.push_back(' ');
        }
        AppendContentNumber(out, pattern[i]);
    }
    out += "] ";
    Operator({phase}, "d");
}

void TPdfCanvas::SetRGBFillColor(TColor color) {
    AppendColor(Out(), color);
    Operator("rg");
}

void TPdfCanvas::SetRGBStrokeColor(TColor color) {
    AppendColor(Out(), color);
    Operator("RG");
}

void TPdfCanvas::MoveTo(double x, double y) {
    Operator({x, y}, "m");
}

void TPdfCanvas::LineTo(double x, double y) {
    Operator({x, y}, "l");
}

void TPdfCanvas::Rectangle(double x, double y, double width, double height) {
    Operator({x, y, width, height}, "re");
}

void TPdfCanvas::ClosePath() {
    Operator("h");
}

void TPdfCanvas::NewPath() {
    Operator("n");
}

void TPdfCanvas::Stroke() {
    Operator("S");
}

void TPdfCanvas::ClosePathStroke() {
    Operator("s");
}

void TPdfCanvas::Fill() {
    Operator("f");
}

void TPdfCanvas::ClosePathFillStroke() {
    Operator("b");
}

void TPdfCanvas::Clip() {
    Operator("W");
}

void TPdfCanvas::BeginText() {
    Operator("BT");
}

void TPdfCanvas::EndText() {
    Operator("ET");
}

void TPdfCanvas::MoveTextPoint(double x, double y) {
    Operator({x, y}, "Td");
}

void TPdfCanvas::MoveToNextLine() {
    Operator("T*");
}

void TPdfCanvas::SetFont(std::string_view registeredName, double size) {
    TPdfPage& page = Page();
    // Reports set the same font over and over: the current one needs no
    // search through the document's fonts.
    TPdfFont& font = attr_.font != nullptr && attr_.font->RegisteredName() == registeredName
                         ? *attr_.font
                         : doc_->GetFont(registeredName);
    if (&font == attr_.font && size == attr_.fontSize) {
        return;
    }
    // The text state starts afresh on every page, so a font in use on this
    // page has always passed through here and is in its resources.
    page.AddFont(font.Index());
    attr_.font = &font;
    attr_.fontSize = size;
    std::string& out = Out();
    AppendPdfName(out, font.ResourceName());
    out.push_back(' ');
    Operator({size}, "Tf");
}

void TPdfCanvas::SetCharSpace(double value) {
    attr_.charSpace = value;
    Operator({value}, "Tc");
}

void TPdfCanvas::SetWordSpace(double value) {
    attr_.wordSpace = value;
    Operator({value}, "Tw");
}

void TPdfCanvas::SetHorizontalScaling(double percent) {
    attr_.horizontalScaling = percent;
    Operator({percent}, "Tz");
}

void TPdfCanvas::SetLeading(double value) {
    attr_.leading = value;
    Operator({value}, "TL");
}

void TPdfCanvas::ShowBytes(std::string_view bytes) {
    constexpr std::string_view kShow = " Tj\n";
    std::string& out = Out();
    char line[PdfLiteralRoom(128) + kShow.size()];
    if (bytes.size() <= 128) {
        char* at = FormatPdfLiteral(line, bytes);
        at = std::copy(kShow.begin(), kShow.end(), at);
        out.append(line, at);
    } else {
        AppendPdfLiteral(out, bytes);
        out.append(kShow);
    }
}

void TPdfCanvas::ShowText(std::string_view utf8) {
    AssignContentBytes(bytes_, utf8);
    ShowBytes(bytes_);
}

void TPdfCanvas::ExecuteXObject(std::string_view name) {
    std::string& out = Out();
    AppendPdfName(out, name);
    out.push_back(' ');
    Operator("Do");
}

double TPdfCanvas::TextWidth(std::string_view utf8) const {
    return TextWidthBytes(ContentBytes(utf8));
}

double TPdfCanvas::TextWidthBytes(std::string_view bytes, double charSpace) const {
    if (attr_.font == nullptr) {
        return 0;
    }
    double width = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        auto code = static_cast<unsigned char>(bytes[i]);
        int charWidth = attr_.font->CharWidth(code);
        double advance = charWidth * attr_.fontSize / 1000.0;
        if (attr_.horizontalScaling != 100) {
            advance = advance * attr_.horizontalScaling / 100.0;
        }
        width += advance;
        bool last = i + 1 == bytes.size();
        if (!last) {
            if (charWidth != 0) {
                width += charSpace;
            }
            if (code == ' ' && attr_.wordSpace > 0) {
                width += attr_.wordSpace;
            }
        }
    }
    return width;
}

std::size_t TPdfCanvas::MeasureText(std::string_view bytes, double width) const {
    if (attr_.font == nullptr) {
        return 0;
    }
    // The running width of a prefix counts the spacing after each character
    // except its last one, as TextWidthBytes does.
    double before = 0;
    std::size_t count = 0;
    for (char c : bytes) {
        auto code = static_cast<unsigned char>(c);
        int charWidth = attr_.font->CharWidth(code);
        double advance = charWidth * attr_.fontSize / 1000.0;
        if (attr_.horizontalScaling != 100) {
            advance = advance * attr_.horizontalScaling / 100.0;
        }
        double running = before + advance;
        if (running > width) {
            break;
        }
        ++count;
        before = running;
        if (charWidth != 0) {
            before += attr_.charSpace;
        }
        if (code == ' ' && attr_.wordSpace > 0) {
            before += attr_.wordSpace;
        }
    }
    return count;
}

void TPdfCanvas::TextRect(const TPdfRect& rect, std::string_view utf8, TPdfAlignment alignment,
                          bool clipping) {
    AssignContentBytes(bytes_, utf8);
    const std::string_view bytes = bytes_;
    double rectWidth = rect.Right - rect.Left;
    double offset = 0;
    if (alignment == TPdfAlignment::RightJustify) {
        offset = std::nearbyint(rectWidth - TextWidthBytes(bytes));
    } else if (alignment == TPdfAlignment::Center) {
        offset = std::nearbyint((rectWidth - TextWidthBytes(bytes)) / 2);
    }
    if (clipping) {
        GSave();
        Rectangle(rect.Left, rect.Bottom, rectWidth, rect.Top - rect.Bottom);
        Clip();
        NewPath();
    }
    BeginText();
    MoveTextPoint(rect.Left + offset, rect.Top - 0.85 * attr_.fontSize);
    ShowBytes(bytes);
    EndText();
    if (clipping) {
        GRestore();
    }
}

void TPdfCanvas::MultilineTextRect(const TPdfRect& rect, std::string_view utf8, bool wordWrap) {
    AssignContentBytes(bytes_, utf8);
    const std::string_view bytes = bytes_;
    double width = rect.Right - rect.Left;
    double top = rect.Top;
    std::string line;
    std::string candidate;
    bool stopped = false;

    auto showLine = [&]() {
        std::size_t fits = MeasureText(line, width);
        ShowBytes(std::string_view(line).substr(0, fits));
    };
    auto endLine = [&]() {
        showLine();
        MoveToNextLine();
        line.clear();
        top -= attr_.leading;
        if (top - rect.Bottom < attr_.fontSize) {
            stopped = true;
        }
    };

    BeginText();
    MoveTextPoint(rect.Left, rect.Top - 0.85 * attr_.fontSize);
    std::size_t i = 0;
    while (i < bytes.size() && !stopped) {
        // A word runs up to and including a blank or a CR LF pair.
        std::size_t end = i;
        bool lineBreak = false;
        while (end < bytes.size()) {
            if (bytes[end] == ' ') {
                ++end;
                break;
            }
            if (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') {
                lineBreak = true;
                end += 2;
                break;
            }
            ++end;
        }
        std::string_view word(bytes.data() + i, end - i - (lineBreak ? 2 : 0));
        i = end;
        if (wordWrap && !line.empty()) {
            candidate.assign(line).append(word);
            if (TextWidthBytes(candidate) > width) {
                endLine();
                if (stopped) {
                    break;
                }
            }
        }
        line.append(word);
        if (lineBreak) {
            endLine();
        }
    }
    if (!stopped && !line.empty()) {
        showLine();
    }
    EndText();
}

void TPdfCanvas::DrawXObject(double x, double y, double width, double height,
                             std::string_view name) {
    doc_->UseXObject(name);
    GSave();
    Concat(width, 0, 0, height, x, y);
    ExecuteXObject(name);
    GRestore();
}

void TPdfCanvas::DrawXObjectEx(double x, double y, double width, double height, double clipX,
                               double clipY, double clipWidth, double clipHeight,
                               std::string_view name) {
    doc_->UseXObject(name);
    GSave();
    Rectangle(clipX, clipY, clipWidth, clipHeight);
    Clip();
    NewPath();
    Concat(width, 0, 0, height, x, y);
    ExecuteXObject(name);
    GRestore();
}

} // namespace zv
