#pragma once

#include "reports/pdf/TPdfObject.h"
#include "reports/pdf/TPdfRecords.h"

#include <cstdint>
#include <vector>

namespace zv {

// The cross-reference table. Object numbers are positions in the list, so
// objects are numbered 1, 2, 3, … in the order they are registered; entry 0
// is the free head of the list (written "0000000000 65535 f"). Each entry
// tells what its number stands for: an object of the graph, or a page, its
// content stream, a bookmark or a picture file by its index in the
// document's records, which are written from their state. The entries
// themselves lie in the document's temporary file.
class TPdfXref {
public:
    enum class Kind : std::uint32_t { Object, Page, Contents, Outline, Image };
    struct Entry {
        Kind kind;
        std::uint32_t index;
    };

    explicit TPdfXref(TPdfSpill& spill);

    // Makes `object` indirect with the next number; returns that number.
    // The table keeps the object alive.
    int Register(const TPdfObjectPtr& object);
    // The same for an object that its owner keeps alive.
    int Register(TPdfObject& object);
    // Numbers the record `index` of a kind with the next number.
    int Add(Kind kind, std::size_t index);

    // Entries including entry 0.
    std::size_t Count() const { return entries_.Size(); }
    // Entry `number`, 1 … Count() − 1.
    Entry At(std::size_t number);
    TPdfObject& Object(std::uint32_t index) const { return *objects_[index]; }

private:
    TPdfRecords<std::uint32_t> entries_;
    std::vector<TPdfObject*> objects_;
    std::vector<TPdfObjectPtr> owned_;
};

} // namespace zv
