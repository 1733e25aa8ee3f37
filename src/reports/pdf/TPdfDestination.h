#pragma once

#include "reports/pdf/PdfTypes.h"
#include "reports/pdf/TPdfDocRecords.h"

#include <cstdint>
#include <memory>

namespace zv {

class TPdfArray;
class TPdfOutput;

// A place in the document: a page, a kind and up to four whole-number
// positions in page coordinates, plus a zoom factor for XYZ. Destinations
// are made by the document (TPdfDoc::CreateDestination) and kept in its
// records; this is a handle on one of them, which keeps the records alive.
class TPdfDestination {
public:
    TPdfDestination(std::shared_ptr<TPdfDocRecords> records, std::uint32_t index)
        : records_(std::move(records)), index_(index) {}

    // The records of the document it belongs to (see TPdfDoc::Owns).
    const TPdfDocRecords* Records() const { return records_.get(); }
    std::uint32_t Index() const { return index_; }
    // The page's index in the document, counted from 0, and its height.
    std::size_t PageIndex() const;
    double PageHeight() const;

    TPdfDestinationType Kind() const { return Load().kind; }
    void SetKind(TPdfDestinationType kind);

    // A negative value is stored as -1.
    int Left() const { return Load().elements[0]; }
    int Top() const { return Load().elements[1]; }
    int Right() const { return Load().elements[2]; }
    int Bottom() const { return Load().elements[3]; }
    void SetLeft(int value) { SetElement(0, value); }
    void SetTop(int value) { SetElement(1, value); }
    void SetRight(int value) { SetElement(2, value); }
    void SetBottom(int value) { SetElement(3, value); }

    double Zoom() const { return Load().zoom; }
    // 0 … 10; outside, std::runtime_error with the writer's message.
    void SetZoom(double zoom);

    // The written form: [page-reference /Kind values...].
    std::shared_ptr<TPdfArray> GetValue() const;
    // Writes the same array as GetValue()->Write, without building it, for
    // destination `index` of `records`.
    static void WriteValue(TPdfOutput& out, TPdfDocRecords& records, std::uint32_t index);

private:
    TPdfDestinationRecord Load() const;
    void SetElement(int at, int value);

    std::shared_ptr<TPdfDocRecords> records_;
    std::uint32_t index_;
};

} // namespace zv
