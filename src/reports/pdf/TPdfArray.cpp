#include "reports/pdf/TPdfArray.h"

#include "reports/pdf/TPdfOutput.h"

namespace zv {

void TPdfArray::Add(const TPdfObjectPtr& object) {
    items_.push_back(StoredForm(object));
}

void TPdfArray::AddName(std::string name) {
    items_.push_back(std::make_shared<TPdfName>(std::move(name)));
}

void TPdfArray::AddNumber(long long value) {
    items_.push_back(std::make_shared<TPdfNumber>(value));
}

void TPdfArray::AddReal(double value) {
    items_.push_back(std::make_shared<TPdfReal>(value));
}

void TPdfArray::Set(std::size_t index, const TPdfObjectPtr& object) {
    items_.at(index) = StoredForm(object);
}

void TPdfArray::Remove(std::size_t index) {
    if (index < items_.size()) {
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
    }
}

long long TPdfArray::FindName(std::string_view name) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        auto* asName = dynamic_cast<const TPdfName*>(items_[i].get());
        if (asName != nullptr && asName->Value() == name) {
            return static_cast<long long>(i);
        }
    }
    return -1;
}

void TPdfArray::Write(TPdfOutput& out) {
    out.Write('[');
    for (auto& item : items_) {
        item->Write(out);
        out.Write(' ');
    }
    out.Write(']');
}

} // namespace zv
