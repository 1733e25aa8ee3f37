#include "reports/pdf/TPReport.h"

#include "base/AtomicFile.h"
#include "base/RandomSource.h"
#include "reports/pdf/TPRPage.h"
#include "reports/pdf/TPRPrintContext.h"
#include "reports/pdf/TPdfCanvas.h"
#include "reports/pdf/TPdfCatalog.h"
#include "reports/pdf/TPdfDestination.h"
#include "reports/pdf/TPdfDoc.h"
#include "reports/pdf/TPdfInfo.h"
#include "reports/pdf/TPdfPage.h"

#include <ostream>
#include <stdexcept>
#include <streambuf>

namespace zv {

namespace {

// Lets the writer's one-pass output go straight into an atomic file.
class AtomicFileBuf : public std::streambuf {
public:
    explicit AtomicFileBuf(AtomicFileWriter& writer) : writer_(writer) {}

protected:
    std::streamsize xsputn(const char* data, std::streamsize count) override {
        if (!writer_.Write(std::string_view(data, static_cast<std::size_t>(count)))) {
            return 0;
        }
        return count;
    }
    int_type overflow(int_type ch) override {
        if (traits_type::eq_int_type(ch, traits_type::eof())) {
            return traits_type::not_eof(ch);
        }
        char c = traits_type::to_char_type(ch);
        return writer_.Write(std::string_view(&c, 1)) ? ch : traits_type::eof();
    }

private:
    AtomicFileWriter& writer_;
};

} // namespace

TPReport::TPReport()
    : systemRandom_(std::make_unique<SystemRandom>()), random_(systemRandom_.get()) {}

TPReport::~TPReport() = default;

void TPReport::SetRandomSource(RandomSource* random) {
    random_ = random != nullptr ? random : systemRandom_.get();
}

void TPReport::StartDocument() {
    doc_.reset();
    auto doc = std::make_unique<TPdfDoc>();
    doc->SetUseOutlines(UseOutlines);
    doc->NewDocument();
    TPdfCatalog& catalog = doc->GetRoot();
    catalog.SetPageMode(PageMode);
    catalog.SetPageLayout(PageLayout);
    if (NonFullScreenPageMode) {
        catalog.SetNonFullScreenPageMode(*NonFullScreenPageMode);
    }
    if (ViewerPreference != 0) {
        catalog.SetViewerPreference(ViewerPreference);
    }
    TPdfInfo& info = doc->GetInfo();
    info.SetAuthor(Author);
    info.SetCreationDate();
    info.SetCreator(Creator);
    info.SetKeywords(Keywords);
    info.SetModDate();
    info.SetSubject(Subject);
    info.SetTitle(Title);
    doc_ = std::move(doc);
    pageCount_ = 0;
}

TPdfDoc& TPReport::Document() {
    if (!doc_) {
        throw std::runtime_error("document is null..");
    }
    return *doc_;
}

TPdfCanvas& TPReport::Canvas() {
    return Document().GetCanvas();
}

void TPReport::RenderPage(TPRPage& page) {
    TPdfDoc& doc = Document();
    doc.AddPage();
    ++pageCount_;
    TPRPrintContext context(doc, doc.GetCanvas(), *random_, page.PageHeight());
    page.Print(context);
}

void TPReport::FinishDocument() {
    if (!doc_) {
        throw std::runtime_error("document is null..");
    }
    AtomicFileWriter writer;
    if (!writer.Open(PathFromUtf8(FileName))) {
        throw std::runtime_error(writer.Error());
    }
    try {
        AtomicFileBuf buffer(writer);
        std::ostream stream(&buffer);
        doc_->SaveToStream(stream, OnWriteProgress);
    } catch (const std::runtime_error&) {
        // The stream only knows that a write failed; the file writer knows
        // which file and why (a full disk), and that is what the user needs.
        if (!writer.Error().empty()) {
            throw std::runtime_error(writer.Error());
        }
        throw;
    }
    if (!writer.Commit()) {
        throw std::runtime_error(writer.Error());
    }
    doc_.reset();
}

void TPReport::AbortDocument() {
    doc_.reset();
    pageCount_ = 0;
}

TPRDestination TPReport::CreateDestination() {
    if (!doc_ || doc_->CurrentPage() == nullptr) {
        throw std::runtime_error("CreateDestination --invalid operation.");
    }
    TPRDestination dest(doc_->CreateDestination());
    dest.SetKind(TPdfDestinationType::XYZ);
    dest.SetTop(-10);
    dest.SetZoom(1);
    return dest;
}

void TPReport::SetOpenAction(const TPRDestination& dest) {
    if (!doc_) {
        throw std::runtime_error("SetOpenAction --invalid operation.");
    }
    if (dest.Data() && !doc_->Owns(*dest.Data())) {
        throw std::runtime_error("SetOpenAction --invalid operation.");
    }
    doc_->SetOpenAction(dest.Data());
}

TPRDestination TPReport::OpenAction() {
    if (!doc_) {
        throw std::runtime_error("GetOpenAction --invalid operation.");
    }
    return TPRDestination(doc_->OpenAction());
}

TPROutlineRoot TPReport::OutlineRoot() {
    if (!doc_ || !UseOutlines || !doc_->UseOutlines()) {
        throw std::runtime_error("GetOutlineRoot --invalid operation.");
    }
    return TPROutlineRoot(doc_->GetOutlineRoot());
}

} // namespace zv
