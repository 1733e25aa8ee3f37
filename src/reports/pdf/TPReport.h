#pragma once

#include "base/DateTime.h"
#include "reports/pdf/PdfTypes.h"
#include "reports/pdf/TPRDestination.h"
#include "reports/pdf/TPROutlineRoot.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace zv {

class RandomSource;
class TPRPage;
class TPdfCanvas;
class TPdfDoc;

enum class TPRCompressionMethod { cmNone, cmFlateDecode };

// The report document: its settings, and the document of the writer from
// StartDocument until FinishDocument writes it. Misuse and the writer's
// failures are reported by std::runtime_error with the writer's messages.
class TPReport {
public:
    TPReport();
    ~TPReport();
    TPReport(const TPReport&) = delete;
    TPReport& operator=(const TPReport&) = delete;

    // Settings, used by StartDocument and FinishDocument.
    std::string FileName; // UTF-8 path
    std::string Title;
    std::string Author;
    std::string Creator;
    std::string Keywords;
    std::string Subject;
    // The writer stamps both dates with the time they are set, so these two
    // only document what a caller meant.
    TDateTime CreationDate = 0;
    TDateTime ModDate = 0;
    TPdfPageLayout PageLayout = TPdfPageLayout::SinglePage;
    TPdfPageMode PageMode = TPdfPageMode::UseNone;
    std::optional<TPdfPageMode> NonFullScreenPageMode;
    unsigned ViewerPreference = 0;
    bool UseOutlines = false;
    // Streams are always written uncompressed; a request for compression is
    // accepted and has no effect.
    TPRCompressionMethod CompressionMethod = TPRCompressionMethod::cmNone;

    // Begins a new document, discarding an unfinished one.
    void StartDocument();
    // Adds a page to the document and prints the template onto it.
    void RenderPage(TPRPage& page);
    // Writes the document to FileName and frees it. The file is replaced as
    // a whole: when writing fails, an earlier file of that name stays as it
    // was and the document stays unfinished.
    void FinishDocument();
    // Drops an unfinished document without writing anything.
    void AbortDocument();

    // Reports the progress of FinishDocument's writing (objects written of
    // their total); returning false stops it with EPdfWriteStopped, and the
    // file stays as it was.
    std::function<bool(std::size_t written, std::size_t total)> OnWriteProgress;

    bool HasDocument() const { return doc_ != nullptr; }
    // Pages printed since the document began.
    int PageCount() const { return pageCount_; }
    TPdfDoc& Document();
    TPdfCanvas& Canvas();

    // A destination on the current page: XYZ, Top −10, zoom 1.
    TPRDestination CreateDestination();
    void SetOpenAction(const TPRDestination& dest);
    TPRDestination OpenAction();
    TPROutlineRoot OutlineRoot();

    // The random numbers for unshared image names; tests install a fixed
    // source. nullptr restores the system source.
    void SetRandomSource(RandomSource* random);

private:
    std::unique_ptr<TPdfDoc> doc_;
    int pageCount_ = 0;
    std::unique_ptr<RandomSource> systemRandom_;
    RandomSource* random_ = nullptr;
};

} // namespace zv
