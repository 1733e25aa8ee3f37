#pragma once

#include "reports/pdf/PdfTypes.h"

#include <memory>

namespace zv {

class TPdfArray;
class TPdfDoc;
class TPdfOutput;
class TPdfPage;

// A place in the document: a page, a kind and up to four whole-number
// positions in page coordinates, plus a zoom factor for XYZ.
class TPdfDestination {
public:
    TPdfDestination(const TPdfDoc* doc, std::shared_ptr<TPdfPage> page);

    const TPdfDoc* Doc() const { return doc_; }
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
    // Writes the same array as GetValue()->Write, without building it (a
    // long report has a destination for every bookmark).
    void WriteValue(TPdfOutput& out) const;

private:
    static int Clamp(int value) { return value < 0 ? -1 : value; }

    const TPdfDoc* doc_;
    std::shared_ptr<TPdfPage> page_;
    TPdfDestinationType kind_ = TPdfDestinationType::XYZ;
    int elements_[4] = {0, 0, 0, 0};
    double zoom_ = 1;
};

} // namespace zv
