#pragma once

#include "reports/pdf/TPdfArray.h"
#include "reports/pdf/TPdfDictionary.h"

#include <string>

namespace zv {

// A dictionary and data bytes, written uncompressed: the stream writes its
// "Length" (the number of data bytes) and "Filter" (with a FlateDecode entry
// dropped) first, then the entries of Attributes().
class TPdfStream : public TPdfObject {
public:
    // The entries besides "Length" and "Filter".
    TPdfDictionary& Attributes() { return attributes_; }
    const TPdfDictionary& Attributes() const { return attributes_; }
    TPdfArray& Filter() { return filter_; }
    std::string& Data() { return data_; }
    const std::string& Data() const { return data_; }

    void Write(TPdfOutput& out) override;

private:
    TPdfDictionary attributes_;
    TPdfArray filter_;
    std::string data_;
};

} // namespace zv
