#include "reports/pdf/TPdfDoc.h"

#include "reports/pdf/TPdfArray.h"
#include "reports/pdf/TPdfCanvas.h"
#include "reports/pdf/TPdfCatalog.h"
#include "reports/pdf/TPdfDestination.h"
#include "reports/pdf/TPdfFont.h"
#include "reports/pdf/TPdfImage.h"
#include "reports/pdf/TPdfInfo.h"
#include "reports/pdf/TPdfOutlineRoot.h"
#include "reports/pdf/TPdfOutput.h"
#include "reports/pdf/TPdfPage.h"
#include "reports/pdf/TPdfSpill.h"
#include "reports/pdf/TPdfXref.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <stdexcept>

namespace zv {

namespace {
const char kProducer[] = "Zelvorin PDF-Writer 1.1";

// Writes `value` as exactly `width` digits with leading zeros, the way
// printf's "%0<width>" does for values that fit.
char* ZeroPadded(char* out, unsigned long long value, int width) {
    char digits[24];
    char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    const auto length = static_cast<int>(end - digits);
    for (int i = length; i < width; ++i) {
        *out++ = '0';
    }
    return std::copy(digits, end, out);
}

// One line of the cross-reference table: "0000000017 00000 n" and CR LF.
std::string_view XrefLine(const TPdfXrefEntry& entry) {
    thread_local char line[64];
    char* p = ZeroPadded(line, entry.byteOffset, 10);
    *p++ = ' ';
    if (entry.generation < 0) {
        *p++ = '-';
        p = ZeroPadded(
            p, static_cast<unsigned long long>(-static_cast<long long>(entry.generation)), 4);
    } else {
        p = ZeroPadded(p, static_cast<unsigned long long>(entry.generation), 5);
    }
    *p++ = ' ';
    *p++ = entry.kind;
    *p++ = '\r';
    *p++ = '\n';
    return std::string_view(line, static_cast<std::size_t>(p - line));
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
    xref_.reset();
    trailer_.reset();
    catalog_.reset();
    info_.reset();
    outlineRoot_.reset();
    pagesRoot_.reset();
    kids_.reset();
    pages_.clear();
    canvas_.reset();
    fonts_.clear();
    images_.clear();
    openAction_.reset();
    spill_.reset();

    xref_ = std::make_unique<TPdfXref>();
    trailer_ = std::make_shared<TPdfDictionary>();
    trailer_->AddNumber("Size", 0);
    canvas_ = std::make_unique<TPdfCanvas>(this);

    catalog_ = std::make_shared<TPdfCatalog>();
    xref_->Register(catalog_);
    trailer_->Add("Root", catalog_);

    if (useOutlines_) {
        outlineRoot_ = std::make_shared<TPdfOutlineRoot>(this);
        xref_->Register(outlineRoot_);
        catalog_->Add("Outlines", outlineRoot_);
    }

    info_ = std::make_shared<TPdfInfo>();
    xref_->Register(info_);
    info_->SetProducer(kProducer);
    trailer_->Add("Info", info_);
    info_->SetCreationDate();

    pagesRoot_ = std::make_shared<TPdfDictionary>();
    xref_->Register(pagesRoot_);
    kids_ = std::make_shared<TPdfArray>();
    pagesRoot_->AddName("Type", "Pages");
    pagesRoot_->Add("Kids", kids_);
    pagesRoot_->AddNumber("Count", 0);
    catalog_->Add("Pages", pagesRoot_);
}

TPdfPage& TPdfDoc::AddPage() {
    if (!InUse() || !pagesRoot_) {
        throw std::runtime_error("AddPage --current pages null.");
    }
    auto page = std::make_shared<TPdfPage>(defaultPageWidth_, defaultPageHeight_);
    xref_->Register(page);
    kids_->Add(page);
    pagesRoot_->AddNumber("Count", static_cast<long long>(kids_->Count()));

    page->AddName("Type", "Page");
    page->Add("Parent", pagesRoot_);
    page->Add("MediaBox", page->MediaBoxObject());
    auto resources = std::make_shared<TPdfDictionary>();
    resources->Add("Font", page->FontResourcesObject());
    resources->Add("XObject", page->XObjectResourcesObject());
    auto procSet = std::make_shared<TPdfArray>();
    procSet->AddName("PDF");
    procSet->AddName("Text");
    procSet->AddName("ImageC");
    resources->Add("ProcSet", procSet);
    page->Add("Resources", resources);
    xref_->Register(page->ContentsObject());
    page->Add("Contents", page->ContentsObject());

    const std::shared_ptr<TPdfPage> finished = pages_.empty() ? nullptr : pages_.back();
    pages_.push_back(page);
    canvas_->SetPage(page);
    // A finished page is never drawn on again: its content can leave memory.
    if (finished) {
        if (!spill_) {
            spill_ = std::make_unique<TPdfSpill>();
        }
        finished->Contents().MoveDataTo(*spill_);
    }
    return *page;
}

TPdfPage* TPdfDoc::CurrentPage() const {
    return pages_.empty() ? nullptr : pages_.back().get();
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

TPdfObjectPtr TPdfDoc::FontObject(const TPdfFont& font) const {
    for (const auto& candidate : fonts_) {
        if (candidate.get() == &font) {
            return candidate;
        }
    }
    return nullptr;
}

void TPdfDoc::AddXObject(const std::string& name, const TPdfObjectPtr& image) {
    RequireDocument("AddImage --Document is null");
    if (images_.count(name) != 0) {
        char message[512];
        std::snprintf(message, sizeof message, "AddImage --the image named %s is already exists..",
                      name.c_str());
        throw std::runtime_error(message);
    }
    auto asImage = std::dynamic_pointer_cast<TPdfImage>(image);
    if (!asImage) {
        throw std::runtime_error("AddImage --the image is not valid TPdfImage..");
    }
    xref_->Register(asImage);
    asImage->Attributes().AddName("Name", name);
    images_.emplace(name, asImage);
}

TPdfImage* TPdfDoc::GetXObject(std::string_view name) const {
    auto found = images_.find(std::string(name));
    return found == images_.end() ? nullptr : found->second.get();
}

TPdfObjectPtr TPdfDoc::XObjectPtr(std::string_view name) const {
    auto found = images_.find(std::string(name));
    return found == images_.end() ? nullptr : found->second;
}

std::shared_ptr<TPdfDestination> TPdfDoc::CreateDestination() {
    RequireDocument("CreateDestination --Document is null");
    if (pages_.empty()) {
        throw std::runtime_error("GetPage --the Page is nil");
    }
    return std::make_shared<TPdfDestination>(this, pages_.back());
}

int TPdfDoc::RegisterObject(const TPdfObjectPtr& object) {
    RequireDocument("RegisterObject --Document is null");
    return xref_->Register(object);
}

const TPdfXref& TPdfDoc::Xref() const {
    RequireDocument("Xref --Document is null");
    return *xref_;
}

void TPdfDoc::SaveToStream(std::ostream& stream, const WriteProgress& progress) {
    RequireDocument("SaveToStream --there is no document to save.");
    if (pages_.empty()) {
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
    std::size_t count = xref_->Count();
    for (std::size_t number = 1; number < count; ++number) {
        TPdfXrefEntry& entry = xref_->Entry(number);
        entry.byteOffset = out.Position();
        out.WriteInt(static_cast<long long>(number));
        out.Write(' ');
        out.WriteInt(entry.generation);
        out.Write(" obj\r\n");
        entry.object->Write(out);
        out.Write("\r\nendobj\r\n");
        if (progress && !progress(number, count - 1)) {
            throw EPdfWriteStopped();
        }
    }
    std::uint64_t xrefOffset = out.Position();
    out.Write("xref\r\n0 ");
    out.WriteInt(static_cast<long long>(count));
    out.Write("\r\n");
    for (std::size_t number = 0; number < count; ++number) {
        const TPdfXrefEntry& entry = xref_->Entry(number);
        out.Write(XrefLine(entry));
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
