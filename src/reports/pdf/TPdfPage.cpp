#include "reports/pdf/TPdfPage.h"

#include "reports/pdf/TPdfOutput.h"

namespace zv {

void TPdfPageContents::Write(TPdfOutput& out, std::string_view data) {
    out.Write("<<\r\n/Length ");
    out.WriteInt(static_cast<long long>(data.size()));
    out.Write("\r\n/Filter []\r\n>>\r\nstream\r\n");
    out.Write(data);
    out.Write("\nendstream");
}

TPdfPage::TPdfPage(int objectNumber, double width, double height, std::uint32_t firstImageUse) {
    record_.number = objectNumber;
    record_.width = width;
    record_.height = height;
    record_.imagesBegin = firstImageUse;
    record_.imagesEnd = firstImageUse;
}

bool TPdfPage::UsesFont(int index) const {
    for (int i = 0; i < record_.fontCount; ++i) {
        if (record_.fonts[i] == index) {
            return true;
        }
    }
    return false;
}

void TPdfPage::AddFont(int index) {
    if (record_.fontCount < kMaxFonts && !UsesFont(index)) {
        record_.fonts[record_.fontCount++] = static_cast<std::uint8_t>(index);
    }
}

} // namespace zv
