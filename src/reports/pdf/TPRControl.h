#pragma once

#include <string>

namespace zv {

class TPRPrintContext;

// How a control places itself inside its parent's free area, like window
// controls: bands stacked at the top or bottom, columns at the left or
// right, and one control filling what remains.
enum class TPRAlign { None, Top, Bottom, Left, Right, Client };

// A rectangle in top-down page coordinates (origin top-left, y downwards).
struct TPRBounds {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
};

// The common part of every band, grid and item of a page template: a name,
// a position and size inside the parent and an alignment.
class TPRControl {
public:
    explicit TPRControl(std::string name) : name_(std::move(name)) {}
    virtual ~TPRControl() = default;
    TPRControl(const TPRControl&) = delete;
    TPRControl& operator=(const TPRControl&) = delete;

    const std::string& Name() const { return name_; }

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int left) { left_ = left; }
    void SetTop(int top) { top_ = top; }
    void SetWidth(int width) { width_ = width; }
    void SetHeight(int height) { height_ = height; }
    void SetBounds(int left, int top, int width, int height) {
        left_ = left;
        top_ = top;
        width_ = width;
        height_ = height;
    }

    TPRAlign Align() const { return align_; }
    void SetAlign(TPRAlign align) { align_ = align; }

    // Prints the control into `rect` (its place on the page).
    virtual void Print(TPRPrintContext& context, const TPRBounds& rect) = 0;
    // True for a control its panel leaves out when printing.
    virtual bool Skipped() const { return false; }

private:
    std::string name_;
    int left_ = 0;
    int top_ = 0;
    int width_ = 100;
    int height_ = 30;
    TPRAlign align_ = TPRAlign::None;
};

} // namespace zv
