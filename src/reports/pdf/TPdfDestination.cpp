#include "reports/pdf/TPdfDestination.h"

#include "reports/pdf/TPdfArray.h"
#include "reports/pdf/TPdfOutput.h"
#include "reports/pdf/TPdfPage.h"

#include <stdexcept>
#include <string>

namespace zv {

namespace {

constexpr int kMaxZoom = 10;

const char* KindName(TPdfDestinationType kind) {
    switch (kind) {
    case TPdfDestinationType::XYZ:
        return "XYZ";
    case TPdfDestinationType::Fit:
        return "Fit";
    case TPdfDestinationType::FitH:
        return "FitH";
    case TPdfDestinationType::FitV:
        return "FitV";
    case TPdfDestinationType::FitR:
        return "FitR";
    case TPdfDestinationType::FitB:
        return "FitB";
    case TPdfDestinationType::FitBH:
        return "FitBH";
    case TPdfDestinationType::FitBV:
        return "FitBV";
    }
    return "XYZ";
}

} // namespace

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

int TPdfDestination::Numbers(int numbers[4]) const {
    switch (kind_) {
    case TPdfDestinationType::XYZ:
        numbers[0] = Left();
        numbers[1] = Top();
        return 2; // and the zoom
    case TPdfDestinationType::FitH:
    case TPdfDestinationType::FitBH:
        numbers[0] = Top();
        return 1;
    case TPdfDestinationType::FitV:
    case TPdfDestinationType::FitBV:
        numbers[0] = Left();
        return 1;
    case TPdfDestinationType::FitR:
        numbers[0] = Left();
        numbers[1] = Bottom();
        numbers[2] = Right();
        numbers[3] = Top();
        return 4;
    case TPdfDestinationType::Fit:
    case TPdfDestinationType::FitB:
        break;
    }
    return 0;
}

std::shared_ptr<TPdfArray> TPdfDestination::GetValue() const {
    auto array = std::make_shared<TPdfArray>();
    array->Add(std::make_shared<TPdfVirtualObject>(page_->ObjectNumber(), page_->Generation()));
    array->AddName(KindName(kind_));
    int numbers[4];
    const int count = Numbers(numbers);
    for (int i = 0; i < count; ++i) {
        array->AddNumber(numbers[i]);
    }
    if (kind_ == TPdfDestinationType::XYZ) {
        array->AddReal(zoom_);
    }
    return array;
}

void TPdfDestination::WriteValue(TPdfOutput& out) const {
    out.Write('[');
    out.WriteRef(page_->ObjectNumber(), page_->Generation());
    out.Write(' ');
    out.WriteName(KindName(kind_));
    out.Write(' ');
    int numbers[4];
    const int count = Numbers(numbers);
    for (int i = 0; i < count; ++i) {
        out.WriteInt(numbers[i]);
        out.Write(' ');
    }
    if (kind_ == TPdfDestinationType::XYZ) {
        out.WriteReal(zoom_);
        out.Write(' ');
    }
    out.Write(']');
}

} // namespace zv
