#include "reports/pdf/TPdfDoc.h"

#include "reports/pdf/TJpegPicture.h"
#include "reports/pdf/TPdfArray.h"
#include "reports/pdf/TPdfCanvas.h"
#include "reports/pdf/TPdfCatalog.h"
#include "reports/pdf/TPdfFont.h"
#include "reports/pdf/TPdfImage.h"
#include "reports/pdf/TPdfInfo.h"
#include "reports/pdf/TPdfOutlineRoot.h"
#include "reports/pdf/TPdfOutput.h"
#include "reports/pdf/TPdfSpill.h"
#include "reports/pdf/TPdfXref.h"

#include <atomic>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace zv {

namespace {

const char kProducer[] = "Zelvorin PDF-Writer 1.1";

// The root of the page tree: "Type" "Pages", the pages as "Kids" and their
// "Count", written from the document's list of pages.
class PageTree : public TPdfObject {
public:
    explicit PageTree(const std::deque<TPdfPage>& pages) : pages_(pages) {}

    void Write(TPdfOutput& out) override {
        out.Write("<<\r\n/Type /Pages\r\n/Kids [");
        for (const TPdfPage& page : pages_) {
            out.WriteRef(page.ObjectNumber(), page.Generation());
            out.Write(' ');
        }
        out.Write("]\r\n/Count ");
        out.WriteInt(static_cast<long long>(pages_.size()));
        out.Write("\r\n>>");
    }

private:
    const std::deque<TPdfPage>& pages_;
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
    xref_.reset();
    trailer_.reset();
    catalog_.reset();
    info_.reset();
    outlineRoot_.reset();
    pageTree_.reset();
    records_.reset();
    outlines_.clear();
    texts_.Clear();
    fonts_.clear();
    images_.clear();
    ownedImages_.clear();
    fileImages_.clear();
    imageIndex_.clear();
    imageUses_.clear();
    openAction_.reset();
    spill_.reset();

    xref_ = std::make_unique<TPdfXref>();
    records_ = std::make_shared<Records>();
    // Counted over all documents, so that one made by another TPdfDoc at
    // the same address does not pass for this one's either.
    static std::atomic<std::uint32_t> runs{0};
    run_ = ++runs;
    trailer_ = std::make_shared<TPdfDictionary>();
    trailer_->AddNumber("Size", 0);
    canvas_ = std::make_unique<TPdfCanvas>(this);

    catalog_ = std::make_shared<TPdfCatalog>();
    xref_->Register(catalog_);
    trailer_->Add("Root", catalog_);

    if (useOutlines_) {
        outlineRoot_ = std::make_unique<TPdfOutlineRoot>(this);
        outlineRoot_->number_ = xref_->RegisterOutline(*outlineRoot_);
        catalog_->Add("Outlines", std::make_shared<TPdfVirtualObject>(outlineRoot_->ObjectNumber(),
                                                                      outlineRoot_->Generation()));
    }

    info_ = std::make_shared<TPdfInfo>();
    xref_->Register(info_);
    info_->SetProducer(kProducer);
    trailer_->Add("Info", info_);
    info_->SetCreationDate();

    pageTree_ = std::make_shared<PageTree>(records_->pages);
    xref_->Register(pageTree_);
    catalog_->Add("Pages", pageTree_);
}

TPdfPage& TPdfDoc::AddPage() {
    if (!InUse() || !pageTree_) {
        throw std::runtime_error("AddPage --current pages null.");
    }
    std::deque<TPdfPage>& pages = records_->pages;
    TPdfPage* finished = pages.empty() ? nullptr : &pages.back();
    const int number = static_cast<int>(xref_->Count());
    TPdfPage& page = pages.emplace_back(number, defaultPageWidth_, defaultPageHeight_,
                                        static_cast<std::uint32_t>(imageUses_.size()));
    xref_->RegisterPage(page);

    // Pages made from one template come out alike, so the next page starts
    // with room for as much as the last one held.
    std::size_t expected = 0;
    if (finished != nullptr) {
        expected = finished->Contents().Data().size();
        expected += expected / 8;
        // A finished page is never drawn on again: its content can leave
        // memory.
        if (!spill_) {
            spill_ = std::make_unique<TPdfSpill>();
        }
        finished->Contents().MoveTo(*spill_, page.Contents());
    }
    canvas_->SetPage(page, expected);
    return page;
}

std::size_t TPdfDoc::PageCount() const {
    return records_ ? records_->pages.size() : 0;
}

TPdfPage* TPdfDoc::CurrentPage() const {
    return PageCount() == 0 ? nullptr : &records_->pages.back();
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

TPdfOutlineRoot& TPdfDoc::GetOutlineRoot() {
    RequireDocument("GetOutlineRoot --Document is null");
    if (!outlineRoot_) {
        throw std::runtime_error("GetOutlineRoot --the document has no outlines.");
    }
    return *outlineRoot_;
}

TPdfOutlineEntry* TPdfDoc::NewOutlineEntry() {
    RequireDocument("AddChild --Document is null");
    TPdfOutlineEntry& entry = outlines_.emplace_back(this);
    entry.number_ = xref_->RegisterOutline(entry);
    return &entry;
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
    xref_->Register(font);
    fonts_.push_back(font);
    return *font;
}

void TPdfDoc::RequireNewImageName(const std::string& name) const {
    RequireDocument("AddImage --Document is null");
    if (imageIndex_.count(name) != 0) {
        char message[512];
        std::snprintf(message, sizeof message, "AddImage --the image named %s is already exists..",
                      name.c_str());
        throw std::runtime_error(message);
    }
}

void TPdfDoc::AddImage(const std::string& name, TPdfImage& image) {
    xref_->Register(image);
    image.SetName(texts_.Keep(name));
    images_.push_back(ImageSlot{&image});
    imageIndex_.emplace(image.Name(), images_.size() - 1);
}

void TPdfDoc::AddXObject(const std::string& name, const TPdfObjectPtr& image) {
    RequireNewImageName(name);
    auto asImage = std::dynamic_pointer_cast<TPdfImage>(image);
    if (!asImage) {
        throw std::runtime_error("AddImage --the image is not valid TPdfImage..");
    }
    ownedImages_.push_back(asImage);
    AddImage(name, *asImage);
}

void TPdfDoc::AddJpegFile(const std::string& name, const TJpegPicture& picture) {
    RequireNewImageName(name);
    if (!picture.FromFile() || !picture.IsJpeg()) {
        throw std::runtime_error("only jpeg image is allowed.");
    }
    TPdfJpegFileImage& image = fileImages_.emplace_back(
        texts_.Keep(picture.FilePath()),
        JpegHeader{picture.Width(), picture.Height(), picture.Components()});
    AddImage(name, image);
}

TPdfImage* TPdfDoc::GetXObject(std::string_view name) const {
    auto found = imageIndex_.find(name);
    return found == imageIndex_.end() ? nullptr : images_[found->second].image;
}

void TPdfDoc::UseXObject(std::string_view name) {
    TPdfPage& page = GetCanvas().Page();
    auto found = imageIndex_.find(name);
    if (found == imageIndex_.end()) {
        throw std::runtime_error("DrawXObject --XObject not found: " + std::string(name));
    }
    ImageSlot& slot = images_[found->second];
    if (slot.lastPage != records_->pages.size()) {
        slot.lastPage = records_->pages.size();
        imageUses_.push_back(static_cast<std::uint32_t>(found->second));
        page.AddImageUse();
    }
}

std::shared_ptr<TPdfDestination> TPdfDoc::CreateDestination() {
    RequireDocument("CreateDestination --Document is null");
    if (records_->pages.empty()) {
        throw std::runtime_error("GetPage --the Page is nil");
    }
    TPdfDestination& dest =
        records_->destinations.emplace_back(this, run_, &records_->pages.back());
    return std::shared_ptr<TPdfDestination>(records_, &dest);
}

int TPdfDoc::RegisterObject(const TPdfObjectPtr& object) {
    RequireDocument("RegisterObject --Document is null");
    return xref_->Register(object);
}

const TPdfXref& TPdfDoc::Xref() const {
    RequireDocument("Xref --Document is null");
    return *xref_;
}

void TPdfDoc::WritePage(TPdfOutput& out, const TPdfPage& page) const {
    out.Write("<<\r\n/Type /Page\r\n/Parent ");
    out.WriteRef(pageTree_->ObjectNumber(), pageTree_->Generation());
    out.Write("\r\n/MediaBox [0 0 ");
    WriteSize(out, page.Width());
    out.Write(' ');
    WriteSize(out, page.Height());
    out.Write(" ]\r\n/Resources <<\r\n/Font <<\r\n");
    for (int i = 0; i < page.FontCount(); ++i) {
        const TPdfFont& font = *fonts_[static_cast<std::size_t>(page.Font(i))];
        out.WriteName(font.ResourceName());
        out.Write(' ');
        out.WriteRef(font.ObjectNumber(), font.Generation());
        out.Write("\r\n");
    }
    out.Write(">>\r\n/XObject <<\r\n");
    for (std::uint32_t use = page.ImagesBegin(); use < page.ImagesEnd(); ++use) {
        const TPdfImage& image = *images_[imageUses_[use]].image;
        out.WriteName(image.Name());
        out.Write(' ');
        out.WriteRef(image.ObjectNumber(), image.Generation());
        out.Write("\r\n");
    }
    out.Write(">>\r\n/ProcSet [/PDF /Text /ImageC ]\r\n>>\r\n/Contents ");
    out.WriteRef(page.ContentsNumber(), page.Generation());
    out.Write("\r\n>>");
}

void TPdfDoc::SaveToStream(std::ostream& stream, const WriteProgress& progress) {
    RequireDocument("SaveToStream --there is no document to save.");
    if (records_->pages.empty()) {
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
    const std::size_t count = xref_->Count();
    std::vector<std::uint64_t> offsets(count, 0);
    std::string scratch;
    for (std::size_t number = 1; number < count; ++number) {
        offsets[number] = out.Position();
        out.WriteInt(static_cast<long long>(number));
        out.Write(" 0 obj\r\n");
        const TPdfXrefEntry entry = xref_->Entry(number);
        switch (entry.GetKind()) {
        case TPdfXrefEntry::Kind::Object:
            entry.Object()->Write(out);
            break;
        case TPdfXrefEntry::Kind::Page:
            WritePage(out, *entry.Page());
            break;
        case TPdfXrefEntry::Kind::Contents:
            entry.Page()->Contents().Write(out, spill_.get(), scratch);
            break;
        case TPdfXrefEntry::Kind::Outline:
            entry.Outline()->Write(out);
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
        out.WriteZeroPadded(offsets[number], 10);
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
