#include "reports/pdf/TPdfPage.h"

#include <cmath>

namespace zv {

namespace {

// A whole size is written as an integer, anything else as a real.
TPdfObjectPtr SizeNumber(double value) {
    if (value == std::floor(value) && std::fabs(value) < 1e15) {
        return std::make_shared<TPdfNumber>(static_cast<long long>(value));
    }
    return std::make_shared<TPdfReal>(value);
}

} // namespace

TPdfPage::TPdfPage(double width, double height)
    : contents_(std::make_shared<TPdfStream>()), fonts_(std::make_shared<TPdfDictionary>()),
      xobjects_(std::make_shared<TPdfDictionary>()), mediaBox_(std::make_shared<TPdfArray>()),
      width_(width), height_(height) {
    mediaBox_->AddNumber(0);
    mediaBox_->AddNumber(0);
    mediaBox_->Add(SizeNumber(width));
    mediaBox_->Add(SizeNumber(height));
}

void TPdfPage::SetWidth(double width) {
    width_ = width;
    mediaBox_->Set(2, SizeNumber(width));
}

void TPdfPage::SetHeight(double height) {
    height_ = height;
    mediaBox_->Set(3, SizeNumber(height));
}

} // namespace zv
