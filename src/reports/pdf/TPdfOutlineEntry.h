#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace zv {

class TPdfDestination;
class TPdfDocRecords;
class TPdfOutput;

// A handle on a bookmark, which its document keeps as a record: the tree is
// linked through indices, the title lies with the document's texts, the
// destination is one of the document's. Its dictionary ("Count", "Title",
// "Dest" and the links) is written from the record; a report has hundreds
// of thousands of bookmarks. The handle keeps the records alive.
class TPdfOutlineEntry {
public:
    TPdfOutlineEntry() = default;
    TPdfOutlineEntry(std::shared_ptr<TPdfDocRecords> records, std::uint32_t index)
        : records_(std::move(records)), index_(index) {}

    bool Valid() const { return records_ != nullptr; }

    // A new entry as the last child of this one.
    TPdfOutlineEntry AddChild();

    int ObjectNumber() const;

    std::string Title() const;
    void SetTitle(std::string_view utf8);
    // Throws std::runtime_error "SetDest --internal docs are not equal." for
    // a destination of another document, or of an earlier one of this
    // entry's TPdfDoc.
    void SetDest(const std::shared_ptr<TPdfDestination>& dest);
    bool Opened() const;
    void SetOpened(bool opened);

    // Writes bookmark `index` of `records`; the root (index 0) is written
    // with "Type" "Outlines".
    static void Write(TPdfOutput& out, TPdfDocRecords& records, std::uint32_t index);

private:
    TPdfDocRecords& Records() const;

    std::shared_ptr<TPdfDocRecords> records_;
    std::uint32_t index_ = 0;
};

} // namespace zv
