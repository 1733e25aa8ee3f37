#include "reports/pdf/TPdfDictionary.h"

#include "reports/pdf/TPdfOutput.h"

namespace zv {

void TPdfDictionary::Put(std::string key, TPdfObjectPtr value, bool internal) {
    Remove(key);
    items_.push_back(Element{std::move(key), StoredForm(value), internal});
}

void TPdfDictionary::Add(std::string key, const TPdfObjectPtr& value) {
    Put(std::move(key), value, false);
}

void TPdfDictionary::AddInternal(std::string key, const TPdfObjectPtr& value) {
    Put(std::move(key), value, true);
}

void TPdfDictionary::AddName(std::string key, std::string name) {
    Put(std::move(key), std::make_shared<TPdfName>(std::move(name)), false);
}

void TPdfDictionary::AddNumber(std::string key, long long value) {
    Put(std::move(key), std::make_shared<TPdfNumber>(value), false);
}

void TPdfDictionary::AddReal(std::string key, double value) {
    Put(std::move(key), std::make_shared<TPdfReal>(value), false);
}

void TPdfDictionary::AddText(std::string key, std::string utf8) {
    Put(std::move(key), std::make_shared<TPdfText>(std::move(utf8)), false);
}

void TPdfDictionary::AddBoolean(std::string key, bool value) {
    Put(std::move(key), std::make_shared<TPdfBoolean>(value), false);
}

TPdfObject* TPdfDictionary::Value(std::string_view key) const {
    for (const auto& element : items_) {
        if (element.key == key) {
            return element.value.get();
        }
    }
    return nullptr;
}

void TPdfDictionary::Remove(std::string_view key) {
    for (auto it = items_.begin(); it != items_.end(); ++it) {
        if (it->key == key) {
            items_.erase(it);
            return;
        }
    }
}

void TPdfDictionary::Write(TPdfOutput& out) {
    out.Write("<<\r\n");
    WriteElements(out);
    out.Write(">>");
}

void TPdfDictionary::WriteElements(TPdfOutput& out) {
    for (auto& element : items_) {
        if (element.internal) {
            continue;
        }
        out.WriteName(element.key);
        out.Write(' ');
        element.value->Write(out);
        out.Write("\r\n");
    }
}

} // namespace zv
