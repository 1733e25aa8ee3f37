#pragma once

#include "reports/pdf/TPdfDictionary.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zv {

class TPdfArray;
class TPdfSpill;

// A dictionary and data bytes. Written uncompressed: "Length" is set to the
// number of data bytes when the stream is written and a FlateDecode entry is
// dropped from "Filter".
class TPdfStream : public TPdfObject {
public:
    TPdfStream();

    TPdfDictionary& Attributes() { return attributes_; }
    const TPdfDictionary& Attributes() const { return attributes_; }
    TPdfArray& Filter() { return *filter_; }
    std::string& Data() { return data_; }
    const std::string& Data() const { return data_; }

    void Write(TPdfOutput& out) override;

    // Moves the data into `spill` (they are read back when the stream is
    // written; Data() is empty then). False keeps them here.
    bool MoveDataTo(TPdfSpill& spill);

protected:
    // The bytes to write. A stream whose data live elsewhere (a picture in a
    // file) overrides this and fetches them into `scratch` just for the write.
    virtual std::string_view FetchData(std::string& scratch);
    // Called after FetchData, before the dictionary is written, so that
    // entries derived from the data can still change.
    virtual void BeforeWriteAttributes(std::string_view data);

private:
    TPdfDictionary attributes_;
    std::shared_ptr<TPdfArray> filter_;
    std::string data_;
    const TPdfSpill* spill_ = nullptr;
    std::uint64_t spillOffset_ = 0;
    std::size_t spillSize_ = 0;
};

} // namespace zv
