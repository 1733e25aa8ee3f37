#include "reports/pdf/TPdfPage.h"

#include "reports/pdf/TPdfOutput.h"
#include "reports/pdf/TPdfSpill.h"

#include <stdexcept>

namespace zv {

bool TPdfPageContents::MoveTo(TPdfSpill& spill, TPdfPageContents& next) {
    if (spilled_ || !spill.Keep(data_, spillOffset_)) {
        return false;
    }
    spilled_ = true;
    spillSize_ = data_.size();
    // Reusing the buffer spares every page allocating and touching fresh
    // memory for its content.
    data_.clear();
    data_.swap(next.data_);
    return true;
}

void TPdfPageContents::Write(TPdfOutput& out, const TPdfSpill* spill, std::string& scratch) const {
    std::string_view data = data_;
    if (spilled_) {
        if (spill == nullptr ||
            !spill->Fetch(spillOffset_, static_cast<std::size_t>(spillSize_), scratch)) {
            throw std::runtime_error("Fehler beim Lesen der Seiteninhalte aus der Zwischendatei.");
        }
        data = scratch;
    }
    out.Write("<<\r\n/Length ");
    out.WriteInt(static_cast<long long>(data.size()));
    out.Write("\r\n/Filter []\r\n>>\r\nstream\r\n");
    out.Write(data);
    out.Write("\nendstream");
}

bool TPdfPage::UsesFont(int index) const {
    for (int i = 0; i < fontCount_; ++i) {
        if (fonts_[i] == index) {
            return true;
        }
    }
    return false;
}

void TPdfPage::AddFont(int index) {
    if (fontCount_ < kMaxFonts && !UsesFont(index)) {
        fonts_[fontCount_++] = static_cast<std::uint8_t>(index);
    }
}

} // namespace zv
