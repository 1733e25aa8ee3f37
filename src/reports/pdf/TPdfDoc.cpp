#include "reports/pdf/TPdfDoc.h"

#include "reports/pdf/TJpegPicture.h"
#include "reports/pdf/TPdfArray.h"
#include "reports/pdf/TPdfCanvas.h"
#include "reports/pdf/TPdfCatalog.h"
#include "reports/pdf/TPdfDocRecords.h"
#include "reports/pdf/TPdfFont.h"
#include "reports/pdf/TPdfImage.h"
#include "reports/pdf/TPdfInfo.h"
#include "reports/pdf/TPdfJpegFileImage.h"
#include "reports/pdf/TPdfOutput.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace zv {

namespace {

const char kProducer[] = "Zelvorin PDF-Writer 1.1";

// The root of the page tree: "Type" "Pages", the pages as "Kids" and their
// "Count", written from the document's records of pages.
class PageTree : public TPdfObject {
public:
    explicit PageTree(TPdfDocRecords& records) : records_(records) {}

    void Write(TPdfOutput& out) override {
        out.Write("<<\r\n/Type /Pages\r\n/Kids [");
        const std::size_t count = records_.PageCount();
        for (std::size_t i = 0; i < count; ++i) {
            out.WriteRef(records_.Page(i).number, 0);
            out.Write(' ');
        }
        out.Write("]\r\n/Count ");
        out.WriteInt(static_cast<long long>(count));
        out.Write("\r\n>>");
    }

private:
    TPdfDocRecords& records_;
};

// A whole page size is written as an integer, anything else as a real.
void WriteSize(TPdfOutput& out, double value) {
    if (value == std::floor(value) && std::fabs(value) < 1e15) {
        out.WriteInt(static_cast<long long>(value));
    } else {
        out.WriteReal(value);
    }
}

} // namespace

TPdfDoc::TPdfDoc() = default;
TPdfDoc::~TPdfDoc() = default;

void TPdfDoc::RequireDocument(const char* message) const {
    if (!InUse()) {
        throw std::runtime_error(message);
    }
}

void TPdfDoc::NewDocument() {
    canvas_.reset();
    trailer_.reset();
    catalog_.reset();
    info_.reset();
    pageTree_.reset();
    fonts_.clear();
    openAction_.reset();
    // Destinations and bookmarks handed out keep the old records to
    // themselves; this document starts afresh.
    records_ = std::make_shared<TPdfDocRecords>();
    TPdfXref& xref = records_->xref;

    trailer_ = std::make_shared<TPdfDictionary>();
    trailer_->AddNumber("Size", 0);
    canvas_ = std::make_unique<TPdfCanvas>(this);

    catalog_ = std::make_shared<TPdfCatalog>();
    xref.Register(catalog_);
    trailer_->Add("Root", catalog_);

    if (useOutlines_) {
        // The root is bookmark 0, open.
        TPdfOutlineRecord root;
        root.opened = true;
        root.number = xref.Add(TPdfXref::Kind::Outline, 0);
        records_->outlines.Add(root);
        catalog_->Add("Outlines", std::make_shared<TPdfVirtualObject>(root.number, 0));
    }

    info_ = std::make_shared<TPdfInfo>();
    xref.Register(info_);
    info_->SetProducer(kProducer);
    trailer_->Add("Info", info_);
    info_->SetCreationDate();

    pageTree_ = std::make_shared<PageTree>(*records_);
    xref.Register(pageTree_);
    catalog_->Add("Pages", pageTree_);
}

TPdfPage& TPdfDoc::AddPage() {
    if (!InUse() || !pageTree_) {
        throw std::runtime_error("AddPage --current pages null.");
    }
    // Pages made from one template come out alike, so the next page starts
    // with room for as much as the last one held.
    std::size_t expected = 0;
    if (const TPdfPage* finished = records_->Current()) {
        expected = finished->Contents().Data().size();
        expected += expected / 8;
    }
    const std::size_t index = records_->PageCount();
    TPdfXref& xref = records_->xref;
    const int number = xref.Add(TPdfXref::Kind::Page, index);
    xref.Add(TPdfXref::Kind::Contents, index);
    TPdfPage& page = records_->AddPage(number, defaultPageWidth_, defaultPageHeight_);
    canvas_->SetPage(page, expected);
    return page;
}

std::size_t TPdfDoc::PageCount() const {
    return records_ ? records_->PageCount() : 0;
}

TPdfPage* TPdfDoc::CurrentPage() const {
    return records_ ? records_->Current() : nullptr;
}

TPdfCanvas& TPdfDoc::GetCanvas() {
    RequireDocument("GetCanvas --Document is null");
    return *canvas_;
}

TPdfInfo& TPdfDoc::GetInfo() {
    RequireDocument("GetInfo --Document is null");
    return *info_;
}

TPdfCatalog& TPdfDoc::GetRoot() {
    RequireDocument("GetRoot --Document is null");
    return *catalog_;
}

TPdfOutlineEntry TPdfDoc::GetOutlineRoot() {
    RequireDocument("GetOutlineRoot --Document is null");
    if (records_->outlines.Size() == 0) {
        throw std::runtime_error("GetOutlineRoot --the document has no outlines.");
    }
    return TPdfOutlineEntry(records_, 0);
}

TPdfFont& TPdfDoc::GetFont(std::string_view registeredName) {
    RequireDocument("GetFont --Document is null");
    for (auto& font : fonts_) {
        if (font->RegisteredName() == registeredName) {
            return *font;
        }
    }
    auto font = TPdfFont::CreateStandard(registeredName, static_cast<int>(fonts_.size()));
    if (!font) {
        throw std::runtime_error("CreateFont --InvalidFontName:" + std::string(registeredName));
    }
    records_->xref.Register(font);
    fonts_.push_back(font);
    return *font;
}

void TPdfDoc::RequireNewImageName(const std::string& name) const {
    RequireDocument("AddImage --Document is null");
    if (records_->FindImage(name) != kPdfNoRecord) {
        char message[512];
        std::snprintf(message, sizeof message, "AddImage --the image named %s is already exists..",
                      name.c_str());
        throw std::runtime_error(message);
    }
}

void TPdfDoc::AddXObject(const std::string& name, const TPdfObjectPtr& image) {
    RequireNewImageName(name);
    auto asImage = std::dynamic_pointer_cast<TPdfImage>(image);
    if (!asImage) {
        throw std::runtime_error("AddImage --the image is not valid TPdfImage..");
    }
    TPdfImageRecord record;
    record.number = records_->xref.Register(asImage);
    record.name = records_->texts.Keep(name);
    asImage->SetName(name);
    records_->AddImage(name, record);
}

void TPdfDoc::AddJpegFile(const std::string& name, const TJpegPicture& picture) {
    RequireNewImageName(name);
    if (!picture.FromFile() || !picture.IsJpeg()) {
        throw std::runtime_error("only jpeg image is allowed.");
    }
    TPdfImageRecord record;
    record.name = records_->texts.Keep(name);
    record.path = records_->texts.Keep(picture.FilePath());
    record.loaded = JpegHeader{picture.Width(), picture.Height(), picture.Components()};
    record.number = records_->xref.Add(TPdfXref::Kind::Image, records_->images.Size());
    records_->AddImage(name, record);
}

bool TPdfDoc::HasXObject(std::string_view name) const {
    return records_ && records_->FindImage(name) != kPdfNoRecord;
}

std::size_t TPdfDoc::XObjectCount() const {
    return records_ ? records_->images.Size() : 0;
}

void TPdfDoc::UseXObject(std::string_view name) {
    TPdfPage& page = GetCanvas().Page();
    const std::uint32_t index = records_->FindImage(name);
    if (index == kPdfNoRecord) {
        throw std::runtime_error("DrawXObject --XObject not found: " + std::string(name));
    }
    TPdfImageRecord record = records_->images.Get(index);
    const auto pageNumber = static_cast<std::uint32_t>(records_->PageCount());
    if (record.lastPage != pageNumber) {
        record.lastPage = pageNumber;
        records_->images.Set(index, record);
        records_->imageUses.Add(index);
        page.AddImageUse();
    }
}

std::shared_ptr<TPdfDestination> TPdfDoc::CreateDestination() {
    RequireDocument("CreateDestination --Document is null");
    if (records_->PageCount() == 0) {
        throw std::runtime_error("GetPage --the Page is nil");
    }
    TPdfDestinationRecord record;
    record.page = static_cast<std::uint32_t>(records_->PageCount() - 1);
    const auto index = static_cast<std::uint32_t>(records_->destinations.Add(record));
    return std::make_shared<TPdfDestination>(records_, index);
}

int TPdfDoc::RegisterObject(const TPdfObjectPtr& object) {
    RequireDocument("RegisterObject --Document is null");
    return records_->xref.Register(object);
}

void TPdfDoc::WritePage(TPdfOutput& out, const TPdfPageRecord& page) const {
    out.Write("<<\r\n/Type /Page\r\n/Parent ");
    out.WriteRef(pageTree_->ObjectNumber(), pageTree_->Generation());
    out.Write("\r\n/MediaBox [0 0 ");
    WriteSize(out, page.width);
    out.Write(' ');
    WriteSize(out, page.height);
    out.Write(" ]\r\n/Resources <<\r\n/Font <<\r\n");
    for (int i = 0; i < page.fontCount; ++i) {
        const TPdfFont& font = *fonts_[page.fonts[i]];
        out.WriteName(font.ResourceName());
        out.Write(' ');
        out.WriteRef(font.ObjectNumber(), font.Generation());
        out.Write("\r\n");
    }
    out.Write(">>\r\n/XObject <<\r\n");
    for (std::uint32_t use = page.imagesBegin; use < page.imagesEnd; ++use) {
        const TPdfImageRecord image = records_->images.Get(records_->imageUses.Get(use));
        out.WriteName(records_->texts.Get(image.name));
        out.Write(' ');
        out.WriteRef(image.number, 0);
        out.Write("\r\n");
    }
    out.Write(">>\r\n/ProcSet [/PDF /Text /ImageC ]\r\n>>\r\n/Contents ");
    out.WriteRef(page.number + 1, 0);
    out.Write("\r\n>>");
}

void TPdfDoc::WriteFileImage(TPdfOutput& out, std::uint32_t index) const {
    const TPdfImageRecord record = records_->images.Get(index);
    const std::string path = records_->texts.Get(record.path);
    TPdfJpegFileImage image(path, record.loaded);
    image.SetName(records_->texts.Get(record.name));
    image.Write(out);
}

void TPdfDoc::SaveToStream(std::ostream& stream, const WriteProgress& progress) {
    RequireDocument("SaveToStream --there is no document to save.");
    if (records_->PageCount() == 0) {
        throw std::runtime_error("GetPage --the Page is nil");
    }
    info_->SetModDate();
    if (openAction_) {
        catalog_->Add("OpenAction", openAction_->GetValue());
    } else {
        catalog_->Remove("OpenAction");
    }

    TPdfOutput out(stream);
    out.Write("%PDF-1.2 \r\n");
    TPdfXref& xref = records_->xref;
    const std::size_t count = xref.Count();
    // Where each object starts, for the cross-reference table at the end.
    TPdfRecords<std::uint64_t> offsets(records_->spill);
    offsets.Add(0);
    std::string scratch;
    for (std::size_t number = 1; number < count; ++number) {
        offsets.Add(out.Position());
        out.WriteInt(static_cast<long long>(number));
        out.Write(" 0 obj\r\n");
        const TPdfXref::Entry entry = xref.At(number);
        switch (entry.kind) {
        case TPdfXref::Kind::Object:
            xref.Object(entry.index).Write(out);
            break;
        case TPdfXref::Kind::Page:
            WritePage(out, records_->Page(entry.index));
            break;
        case TPdfXref::Kind::Contents:
            TPdfPageContents::Write(out, records_->Contents(entry.index, scratch));
            break;
        case TPdfXref::Kind::Outline:
            TPdfOutlineEntry::Write(out, *records_, entry.index);
            break;
        case TPdfXref::Kind::Image:
            WriteFileImage(out, entry.index);
            break;
        }
        out.Write("\r\nendobj\r\n");
        if (progress && !progress(number, count - 1)) {
            throw EPdfWriteStopped();
        }
    }
    const std::uint64_t xrefOffset = out.Position();
    out.Write("xref\r\n0 ");
    out.WriteInt(static_cast<long long>(count));
    out.Write("\r\n0000000000 65535 f\r\n");
    for (std::size_t number = 1; number < count; ++number) {
        out.WriteZeroPadded(offsets.Get(number), 10);
        out.Write(" 00000 n\r\n");
    }
    if (auto* size = dynamic_cast<TPdfNumber*>(trailer_->Value("Size"))) {
        size->SetValue(static_cast<long long>(count));
    }
    out.Write("trailer\r\n");
    trailer_->Write(out);
    out.Write("\r\nstartxref\r\n");
    out.WriteInt(static_cast<long long>(xrefOffset));
    out.Write("\r\n%%EOF\r\n");
    out.Flush();
}

} // namespace zv
