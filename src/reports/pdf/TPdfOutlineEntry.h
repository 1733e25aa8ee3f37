#pragma once

#include <memory>
#include <string_view>

namespace zv {

class TPdfDestination;
class TPdfDoc;
class TPdfOutput;

// A bookmark, kept compactly by its document: the tree is linked through
// plain pointers, the title lies in the document's text arena, the
// destination is one of the document's. Its dictionary ("Count", "Title",
// "Dest" and the links) is written from this state; a report has hundreds
// of thousands of bookmarks.
class TPdfOutlineEntry {
public:
    explicit TPdfOutlineEntry(TPdfDoc* doc) : doc_(doc) {}
    TPdfOutlineEntry(const TPdfOutlineEntry&) = delete;
    TPdfOutlineEntry& operator=(const TPdfOutlineEntry&) = delete;

    // A new entry as the last child of this one.
    TPdfOutlineEntry* AddChild();

    TPdfDoc* Doc() const { return doc_; }
    int ObjectNumber() const { return number_; }
    int Generation() const { return 0; }
    TPdfOutlineEntry* Parent() const { return parent_; }
    TPdfOutlineEntry* First() const { return first_; }
    TPdfOutlineEntry* Last() const { return last_; }
    TPdfOutlineEntry* Prev() const { return prev_; }
    TPdfOutlineEntry* Next() const { return next_; }

    std::string_view Title() const { return {title_, titleSize_}; }
    void SetTitle(std::string_view utf8);
    TPdfDestination* Dest() const { return dest_; }
    // Throws std::runtime_error "SetDest --internal docs are not equal." for
    // a destination of another document, or of an earlier one of this
    // TPdfDoc.
    void SetDest(const std::shared_ptr<TPdfDestination>& dest);
    bool Opened() const { return opened_; }
    void SetOpened(bool opened) { opened_ = opened; }

    // Number of all entries below this one.
    int DescendantCount() const { return descendants_; }

    void Write(TPdfOutput& out) const;

private:
    friend class TPdfDoc;

    TPdfDoc* doc_;
    TPdfOutlineEntry* parent_ = nullptr;
    TPdfOutlineEntry* first_ = nullptr;
    TPdfOutlineEntry* last_ = nullptr;
    TPdfOutlineEntry* prev_ = nullptr;
    TPdfOutlineEntry* next_ = nullptr;
    const char* title_ = nullptr;
    TPdfDestination* dest_ = nullptr;
    int number_ = 0;
    int descendants_ = 0;
    unsigned titleSize_ = 0;
    bool opened_ = false;
};

} // namespace zv
