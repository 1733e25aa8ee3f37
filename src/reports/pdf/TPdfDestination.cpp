#include "reports/pdf/TPdfDestination.h"

#include "reports/pdf/PdfFormat.h"
#include "reports/pdf/TPdfArray.h"
#include "reports/pdf/TPdfOutput.h"
#include "reports/pdf/TPdfPage.h"

#include <stdexcept>
#include <string>

namespace zv {

namespace {
constexpr int kMaxZoom = 10;
}

TPdfDestination::TPdfDestination(const TPdfDoc* doc, std::shared_ptr<TPdfPage> page)
    : doc_(doc), page_(std::move(page)) {}

void TPdfDestination::SetZoom(double zoom) {
    if (zoom < 0) {
        throw std::runtime_error("Zoom property cannot set to under 0.");
    }
    if (zoom > kMaxZoom) {
        throw std::runtime_error("Zoom property cannot set to over " + std::to_string(kMaxZoom) +
                                 ".");
    }
    zoom_ = zoom;
}

std::shared_ptr<TPdfArray> TPdfDestination::GetValue() const {
    auto array = std::make_shared<TPdfArray>();
    array->Add(page_);
    switch (kind_) {
    case TPdfDestinationType::XYZ:
        array->AddName("XYZ");
        array->AddNumber(Left());
        array->AddNumber(Top());
        array->AddReal(zoom_);
        break;
    case TPdfDestinationType::Fit:
        array->AddName("Fit");
        break;
    case TPdfDestinationType::FitH:
        array->AddName("FitH");
        array->AddNumber(Top());
        break;
    case TPdfDestinationType::FitV:
        array->AddName("FitV");
        array->AddNumber(Left());
        break;
    case TPdfDestinationType::FitR:
        array->AddName("FitR");
        array->AddNumber(Left());
        array->AddNumber(Bottom());
        array->AddNumber(Right());
        array->AddNumber(Top());
        break;
    case TPdfDestinationType::FitB:
        array->AddName("FitB");
        break;
    case TPdfDestinationType::FitBH:
        array->AddName("FitBH");
        array->AddNumber(Top());
        break;
    case TPdfDestinationType::FitBV:
        array->AddName("FitBV");
        array->AddNumber(Left());
        break;
    }
    return array;
}

void TPdfDestination::WriteValue(TPdfOutput& out) const {
    if (kind_ != TPdfDestinationType::XYZ || !page_ || !page_->IsIndirect()) {
        GetValue()->Write(out);
        return;
    }
    out.Write('[');
    out.WriteInt(page_->ObjectNumber());
    out.Write(' ');
    out.WriteInt(page_->Generation());
    out.Write(" R /XYZ ");
    out.WriteInt(Left());
    out.Write(' ');
    out.WriteInt(Top());
    out.Write(' ');
    std::string zoom;
    AppendPdfReal(zoom, zoom_);
    out.Write(zoom);
    out.Write(" ]");
}

} // namespace zv
