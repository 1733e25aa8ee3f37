#include "reports/pdf/TPdfDestination.h"

#include "reports/pdf/TPdfArray.h"
#include "reports/pdf/TPdfOutput.h"

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

TPdfDestinationRecord TPdfDestination::Load() const {
    return records_->destinations.Get(index_);
}

std::size_t TPdfDestination::PageIndex() const {
    return records_->destinations.Peek(index_).page;
}

double TPdfDestination::PageHeight() const {
    return records_->Page(PageIndex()).height;
}

void TPdfDestination::SetKind(TPdfDestinationType kind) {
    records_->destinations.Edit(index_).kind = kind;
}

void TPdfDestination::SetElement(int at, int value) {
    records_->destinations.Edit(index_).elements[at] = value < 0 ? -1 : value;
}

void TPdfDestination::SetZoom(double zoom) {
    if (zoom < 0) {
        throw std::runtime_error("Zoom property cannot set to under 0.");
    }
    if (zoom > kMaxZoom) {
        throw std::runtime_error("Zoom property cannot set to over " + std::to_string(kMaxZoom) +
                                 ".");
    }
    records_->destinations.Edit(index_).zoom = zoom;
}

namespace {

// The numbers the kind writes after its name, in written order.
int Numbers(const TPdfDestinationRecord& record, int numbers[4]) {
    const std::int32_t* e = record.elements;
    switch (record.kind) {
    case TPdfDestinationType::XYZ:
        numbers[0] = e[0];
        numbers[1] = e[1];
        return 2; // and the zoom
    case TPdfDestinationType::FitH:
    case TPdfDestinationType::FitBH:
        numbers[0] = e[1];
        return 1;
    case TPdfDestinationType::FitV:
    case TPdfDestinationType::FitBV:
        numbers[0] = e[0];
        return 1;
    case TPdfDestinationType::FitR:
        numbers[0] = e[0];
        numbers[1] = e[3];
        numbers[2] = e[2];
        numbers[3] = e[1];
        return 4;
    case TPdfDestinationType::Fit:
    case TPdfDestinationType::FitB:
        break;
    }
    return 0;
}

} // namespace

std::shared_ptr<TPdfArray> TPdfDestination::GetValue() const {
    const TPdfDestinationRecord record = Load();
    auto array = std::make_shared<TPdfArray>();
    array->Add(std::make_shared<TPdfVirtualObject>(records_->Page(record.page).number, 0));
    array->AddName(KindName(record.kind));
    int numbers[4];
    const int count = Numbers(record, numbers);
    for (int i = 0; i < count; ++i) {
        array->AddNumber(numbers[i]);
    }
    if (record.kind == TPdfDestinationType::XYZ) {
        array->AddReal(record.zoom);
    }
    return array;
}

void TPdfDestination::WriteValue(TPdfOutput& out, TPdfDocRecords& records, std::uint32_t index) {
    const TPdfDestinationRecord record = records.destinations.Get(index);
    out.Write('[');
    out.WriteRef(records.Page(record.page).number, 0);
    out.Write(' ');
    out.WriteName(KindName(record.kind));
    out.Write(' ');
    int numbers[4];
    const int count = Numbers(record, numbers);
    for (int i = 0; i < count; ++i) {
        out.WriteInt(numbers[i]);
        out.Write(' ');
    }
    if (record.kind == TPdfDestinationType::XYZ) {
        out.WriteReal(record.zoom);
        out.Write(' ');
    }
    out.Write(']');
}

} // namespace zv
