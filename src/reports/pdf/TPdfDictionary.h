#pragma once

#include "reports/pdf/TPdfObject.h"

#include <string>
#include <vector>

namespace zv {

// "<<" CR LF, one "key value" line per element, ">>". Keys are unique:
// setting a key again drops the old element and appends the new one, so
// the written order is the order of the latest settings. Internal elements
// serve the writer itself and are never written.
class TPdfDictionary : public TPdfObject {
public:
    // An indirect object is stored as a reference to it.
    void Add(std::string key, const TPdfObjectPtr& value);
    void AddInternal(std::string key, const TPdfObjectPtr& value);
    void AddName(std::string key, std::string name);
    void AddNumber(std::string key, long long value);
    void AddReal(std::string key, double value);
    void AddText(std::string key, std::string utf8);
    void AddBoolean(std::string key, bool value);

    // The stored element (a reference for an indirect value), or nullptr.
    TPdfObject* Value(std::string_view key) const;
    bool Contains(std::string_view key) const { return Value(key) != nullptr; }
    void Remove(std::string_view key);
    std::size_t Count() const { return items_.size(); }
    const std::string& Key(std::size_t index) const { return items_.at(index).key; }

    void Write(TPdfOutput& out) override;
    // The "key value" lines of the stored elements, internal ones left out.
    void WriteElements(TPdfOutput& out);

private:
    struct Element {
        std::string key;
        TPdfObjectPtr value;
        bool internal = false;
    };
    void Put(std::string key, TPdfObjectPtr value, bool internal);

    std::vector<Element> items_;
};

} // namespace zv
