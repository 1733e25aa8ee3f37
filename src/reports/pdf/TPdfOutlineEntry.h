#pragma once

#include "reports/pdf/TPdfDictionary.h"

#include <memory>
#include <string>

namespace zv {

class TPdfDestination;
class TPdfDoc;

// A bookmark. The tree is linked through plain pointers; the document's
// cross-reference table owns every entry. The entries that describe the
// tree ("Count", "Title", "Dest", the links) are written from the entry's
// state when the document is written, after its stored elements; a report
// has hundreds of thousands of bookmarks, so they are not stored as objects.
class TPdfOutlineEntry : public TPdfDictionary {
public:
    explicit TPdfOutlineEntry(TPdfDoc* doc) : doc_(doc) {}

    // A new entry as the last child of this one.
    TPdfOutlineEntry* AddChild();

    TPdfDoc* Doc() const { return doc_; }
    TPdfOutlineEntry* Parent() const { return parent_; }
    TPdfOutlineEntry* First() const { return first_; }
    TPdfOutlineEntry* Last() const { return last_; }
    TPdfOutlineEntry* Prev() const { return prev_; }
    TPdfOutlineEntry* Next() const { return next_; }

    const std::string& Title() const { return title_; }
    void SetTitle(std::string utf8) { title_ = std::move(utf8); }
    const std::shared_ptr<TPdfDestination>& Dest() const { return dest_; }
    // Throws std::runtime_error "SetDest --internal docs are not equal." for
    // a destination of another document.
    void SetDest(std::shared_ptr<TPdfDestination> dest);
    bool Opened() const { return opened_; }
    void SetOpened(bool opened) { opened_ = opened; }

    // Number of all entries below this one.
    int DescendantCount() const { return descendants_; }

    void Write(TPdfOutput& out) override;

protected:
    TPdfDoc* doc_;
    bool opened_ = false;

private:
    TPdfOutlineEntry* parent_ = nullptr;
    TPdfOutlineEntry* first_ = nullptr;
    TPdfOutlineEntry* last_ = nullptr;
    TPdfOutlineEntry* prev_ = nullptr;
    TPdfOutlineEntry* next_ = nullptr;
    std::string title_;
    std::shared_ptr<TPdfDestination> dest_;
    int descendants_ = 0;
};

} // namespace zv
