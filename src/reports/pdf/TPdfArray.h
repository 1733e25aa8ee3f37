#pragma once

#include "reports/pdf/TPdfObject.h"

#include <vector>

namespace zv {

// "[", each element followed by one blank, "]".
class TPdfArray : public TPdfObject {
public:
    // An indirect object is stored as a reference to it.
    void Add(const TPdfObjectPtr& object);
    void AddName(std::string name);
    void AddNumber(long long value);
    void AddReal(double value);

    std::size_t Count() const { return items_.size(); }
    TPdfObject* Item(std::size_t index) const { return items_.at(index).get(); }
    void Set(std::size_t index, const TPdfObjectPtr& object);
    void Remove(std::size_t index);
    void Clear() { items_.clear(); }
    // Index of the first name element equal to `name`, or -1.
    long long FindName(std::string_view name) const;

    void Write(TPdfOutput& out) override;

private:
    std::vector<TPdfObjectPtr> items_;
};

} // namespace zv
