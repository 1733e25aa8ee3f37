#pragma once

#include "reports/pdf/PdfTypes.h"

#include <cstdint>
#include <memory>

namespace zv {

class TPdfArray;
class TPdfDoc;
class TPdfOutput;
class TPdfPage;

// A place in the document: a page, a kind and up to four whole-number
// positions in page coordinates, plus a zoom factor for XYZ. Destinations
// are made by the document (TPdfDoc::CreateDestination) and kept with its
// pages; a long report has one for every bookmark.
class TPdfDestination {
public:
    // `run` tells which document of `doc` it belongs to (see TPdfDoc::Owns).
    TPdfDestination(const TPdfDoc* doc, std::uint32_t run, TPdfPage* page)
        : doc_(doc), page_(page), run_(run) {}

    const TPdfDoc* Doc() const { return doc_; }
    std::uint32_t Run() const { return run_; }
    TPdfPage& Page() const { return *page_; }

    TPdfDestinationType Kind() const { return kind_; }
    void SetKind(TPdfDestinationType kind) { kind_ = kind; }

    // A negative value is stored as -1.
    int Left() const { return elements_[0]; }
    int Top() const { return elements_[1]; }
    int Right() const { return elements_[2]; }
    int Bottom() const { return elements_[3]; }
    void SetLeft(int value) { elements_[0] = Clamp(value); }
    void SetTop(int value) { elements_[1] = Clamp(value); }
    void SetRight(int value) { elements_[2] = Clamp(value); }
    void SetBottom(int value) { elements_[3] = Clamp(value); }

    double Zoom() const { return zoom_; }
    // 0 … 10; outside, std::runtime_error with the writer's message.
    void SetZoom(double zoom);

    // The written form: [page-reference /Kind values...].
    std::shared_ptr<TPdfArray> GetValue() const;
    // Writes the same array as GetValue()->Write, without building it.
    void WriteValue(TPdfOutput& out) const;

private:
    static int Clamp(int value) { return value < 0 ? -1 : value; }
    // The numbers the kind writes after its name, in written order.
    int Numbers(int numbers[4]) const;

    const TPdfDoc* doc_;
    TPdfPage* page_;
    int elements_[4] = {0, 0, 0, 0};
    double zoom_ = 1;
    TPdfDestinationType kind_ = TPdfDestinationType::XYZ;
    std::uint32_t run_;
};

} // namespace zv
