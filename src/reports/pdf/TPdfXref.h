#pragma once

#include "reports/pdf/TPdfObject.h"

#include <cstdint>
#include <vector>

namespace zv {

struct TPdfXrefEntry {
    std::uint64_t byteOffset = 0;
    int generation = 0;
    char kind = 'n'; // 'n' in use, 'f' free
    TPdfObjectPtr object;
};

// The cross-reference table. Object numbers are positions in the list, so
// objects are numbered 1, 2, 3, … in the order they are registered; entry 0
// is the free head of the list.
class TPdfXref {
public:
    TPdfXref();

    // Makes `object` indirect with the next number; returns that number.
    int Register(const TPdfObjectPtr& object);

    // Entries including entry 0.
    std::size_t Count() const { return entries_.size(); }
    TPdfXrefEntry& Entry(std::size_t number) { return entries_.at(number); }
    const TPdfXrefEntry& Entry(std::size_t number) const { return entries_.at(number); }

private:
    std::vector<TPdfXrefEntry> entries_;
};

} // namespace zv
