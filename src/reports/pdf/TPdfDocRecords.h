#pragma once

#include "base/Jpeg.h"
#include "reports/pdf/PdfTypes.h"
#include "reports/pdf/TPdfPage.h"
#include "reports/pdf/TPdfRecords.h"
#include "reports/pdf/TPdfSpill.h"
#include "reports/pdf/TPdfXref.h"

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace zv {

inline constexpr std::uint32_t kPdfNoRecord = std::numeric_limits<std::uint32_t>::max();

struct TPdfDestinationRecord {
    std::uint32_t page = 0;
    // Left, top, right, bottom; a negative value is stored as -1.
    std::int32_t elements[4] = {0, 0, 0, 0};
    double zoom = 1;
    TPdfDestinationType kind = TPdfDestinationType::XYZ;
};

// A bookmark; the links are indices of other bookmarks (kPdfNoRecord: none).
struct TPdfOutlineRecord {
    std::uint32_t parent = kPdfNoRecord;
    std::uint32_t first = kPdfNoRecord;
    std::uint32_t last = kPdfNoRecord;
    std::uint32_t prev = kPdfNoRecord;
    std::uint32_t next = kPdfNoRecord;
    std::uint32_t dest = kPdfNoRecord;
    int number = 0;
    // Number of all entries below this one.
    int descendants = 0;
    TPdfTextRef title;
    bool opened = false;
};

// An image registered under a name: an image object handed in (with an
// empty path) or a JPEG file, kept as its path and the header it was
// loaded with.
struct TPdfImageRecord {
    std::uint64_t nameHash = 0;
    TPdfTextRef name;
    TPdfTextRef path;
    JpegHeader loaded;
    int number = 0;
    // The page (counted from 1) whose resources last took it.
    std::uint32_t lastPage = 0;
};

// All that a document being built keeps of its pages, destinations,
// bookmarks and images, of which a long report has hundreds of thousands.
// Apart from the page being drawn on they lie in one temporary file, with
// only the parts used last in memory. Destinations and bookmarks handed
// out share it, so they stay usable as long as anyone holds them.
class TPdfDocRecords {
public:
    TPdfDocRecords();

    TPdfSpill spill;
    TPdfXref xref;
    TPdfTexts texts;
    TPdfRecords<TPdfDestinationRecord> destinations;
    TPdfRecords<TPdfOutlineRecord> outlines;
    TPdfRecords<TPdfImageRecord> images;
    // The images each page uses, page after page (see TPdfPage).
    TPdfRecords<std::uint32_t> imageUses;

    std::size_t PageCount() const { return finished_.Size() + (current_ ? 1 : 0); }
    // Page `index` (from 0): a finished one or the current one.
    TPdfPageRecord Page(std::size_t index);
    TPdfPage* Current() { return current_ ? &*current_ : nullptr; }
    // Makes a new current page, finishing the one before (its content goes
    // to the temporary file).
    TPdfPage& AddPage(int number, double width, double height);
    // The content of page `index`, read back into `scratch` when needed.
    std::string_view Contents(std::size_t index, std::string& scratch);

    // The index of the image registered under `name`, or kPdfNoRecord.
    std::uint32_t FindImage(std::string_view name);
    // Registers `record` (its name already kept) under `name`.
    std::uint32_t AddImage(std::string_view name, TPdfImageRecord record);

private:
    void IndexImage(std::uint64_t hash, std::uint32_t index);

    TPdfRecords<TPdfPageRecord> finished_;
    std::optional<TPdfPage> current_;
    // Content of finished pages that the temporary file could not take.
    std::unordered_map<std::size_t, std::string> unspilled_;
    // Open addressing over the images' name hashes: a slot holds the top
    // half of the hash above the image's index + 1 (0: free); at most half
    // of the slots are taken.
    std::unique_ptr<TPdfRecords<std::uint64_t>> nameSlots_;
    std::size_t slotCount_ = 0;
};

} // namespace zv
