#include "reports/pdf/TPdfXref.h"

#include <stdexcept>

namespace zv {

namespace {
// An entry keeps its kind in the top bits and the index below.
constexpr int kIndexBits = 29;
constexpr std::uint32_t kIndexMask = (1u << kIndexBits) - 1;
} // namespace

TPdfXref::TPdfXref(TPdfSpill& spill) : entries_(spill) {
    entries_.Add(0);
}

int TPdfXref::Register(const TPdfObjectPtr& object) {
    if (object->IsIndirect()) {
        return object->ObjectNumber();
    }
    owned_.push_back(object);
    return Register(*object);
}

int TPdfXref::Register(TPdfObject& object) {
    if (object.IsIndirect()) {
        return object.ObjectNumber();
    }
    const int number = Add(Kind::Object, objects_.size());
    objects_.push_back(&object);
    object.SetObjectNumber(number, 0);
    return number;
}

int TPdfXref::Add(Kind kind, std::size_t index) {
    if (index > kIndexMask || entries_.Size() > kIndexMask) {
        throw std::runtime_error("Das Dokument wird zu groß für eine PDF-Datei.");
    }
    const auto number = static_cast<int>(entries_.Size());
    entries_.Add(static_cast<std::uint32_t>(kind) << kIndexBits |
                 static_cast<std::uint32_t>(index));
    return number;
}

TPdfXref::Entry TPdfXref::At(std::size_t number) {
    const std::uint32_t bits = entries_.Get(number);
    return Entry{static_cast<Kind>(bits >> kIndexBits), bits & kIndexMask};
}

} // namespace zv
