#pragma once

#include "reports/pdf/TPdfObject.h"

#include <cstdint>
#include <vector>

namespace zv {

class TPdfOutlineEntry;
class TPdfPage;

// What object number n stands for: an object of the graph, a page or its
// content stream, or a bookmark. Pages and bookmarks are kept compactly by
// the document and written from their state, so a long report does not
// hold an object graph for each of them.
class TPdfXrefEntry {
public:
    enum class Kind : std::uintptr_t { Object, Page, Contents, Outline };

    TPdfXrefEntry(Kind kind, const void* target)
        : bits_(reinterpret_cast<std::uintptr_t>(target) | static_cast<std::uintptr_t>(kind)) {}

    Kind GetKind() const { return static_cast<Kind>(bits_ & kKindMask); }
    TPdfObject* Object() const { return static_cast<TPdfObject*>(Target()); }
    TPdfPage* Page() const { return static_cast<TPdfPage*>(Target()); }
    TPdfOutlineEntry* Outline() const { return static_cast<TPdfOutlineEntry*>(Target()); }

private:
    // The kind sits in the low bits every target's alignment leaves free.
    static constexpr std::uintptr_t kKindMask = 3;
    void* Target() const { return reinterpret_cast<void*>(bits_ & ~kKindMask); }

    std::uintptr_t bits_;
};

// The cross-reference table. Object numbers are positions in the list, so
// objects are numbered 1, 2, 3, … in the order they are registered; entry 0
// is the free head of the list (written "0000000000 65535 f").
class TPdfXref {
public:
    TPdfXref();

    // Makes `object` indirect with the next number; returns that number.
    // The table keeps the object alive.
    int Register(const TPdfObjectPtr& object);
    // The same for an object that its owner keeps alive.
    int Register(TPdfObject& object);
    // Numbers a page (returned) and, with the next number, its content stream.
    int RegisterPage(TPdfPage& page);
    int RegisterOutline(TPdfOutlineEntry& entry);

    // Entries including entry 0.
    std::size_t Count() const { return entries_.size(); }
    // Entry `number`, 1 … Count() − 1.
    TPdfXrefEntry Entry(std::size_t number) const { return entries_.at(number); }

private:
    std::vector<TPdfXrefEntry> entries_;
    std::vector<TPdfObjectPtr> owned_;
};

} // namespace zv
