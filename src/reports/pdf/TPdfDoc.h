#pragma once

#include "reports/pdf/TPdfObject.h"

#include <functional>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zv {

class TPdfArray;
class TPdfCanvas;
class TPdfCatalog;
class TPdfDestination;
class TPdfDictionary;
class TPdfFont;
class TPdfImage;
class TPdfInfo;
class TPdfOutlineEntry;
class TPdfOutlineRoot;
class TPdfPage;
class TPdfSpill;
class TPdfXref;

// Thrown when the caller's progress function asks to stop writing.
class EPdfWriteStopped : public std::runtime_error {
public:
    EPdfWriteStopped() : std::runtime_error("SaveToStream --stopped by the caller.") {}
};

// A PDF 1.2 document held as an object graph and written in one pass.
// Misuse is reported by std::runtime_error with the writer's messages.
class TPdfDoc {
public:
    TPdfDoc();
    ~TPdfDoc();
    TPdfDoc(const TPdfDoc&) = delete;
    TPdfDoc& operator=(const TPdfDoc&) = delete;

    // Whether NewDocument creates an outline root.
    bool UseOutlines() const { return useOutlines_; }
    void SetUseOutlines(bool use) { useOutlines_ = use; }
    double DefaultPageWidth() const { return defaultPageWidth_; }
    double DefaultPageHeight() const { return defaultPageHeight_; }

    // Sets up an empty document, discarding anything held before.
    void NewDocument();
    bool InUse() const { return xref_ != nullptr; }

    // Appends a page and makes it the canvas's current page.
    TPdfPage& AddPage();
    std::size_t PageCount() const { return pages_.size(); }
    TPdfPage* CurrentPage() const;

    TPdfCanvas& GetCanvas();
    TPdfInfo& GetInfo();
    TPdfCatalog& GetRoot();
    // Throws without a document or when it has no outlines.
    TPdfOutlineRoot& GetOutlineRoot();

    // The document's font of a registered name, created on first use.
    TPdfFont& GetFont(std::string_view registeredName);
    TPdfObjectPtr FontObject(const TPdfFont& font) const;
    std::size_t FontCount() const { return fonts_.size(); }

    // Registers an image under a name; the image gets "Name" /name.
    void AddXObject(const std::string& name, const TPdfObjectPtr& image);
    TPdfImage* GetXObject(std::string_view name) const;
    TPdfObjectPtr XObjectPtr(std::string_view name) const;
    std::size_t XObjectCount() const { return images_.size(); }

    // A destination on the current page.
    std::shared_ptr<TPdfDestination> CreateDestination();
    const std::shared_ptr<TPdfDestination>& OpenAction() const { return openAction_; }
    void SetOpenAction(std::shared_ptr<TPdfDestination> dest) { openAction_ = std::move(dest); }

    // Makes an object indirect; returns its number.
    int RegisterObject(const TPdfObjectPtr& object);
    const TPdfXref& Xref() const;

    // Called after each object is written with the number of objects
    // written and their total; returning false stops the write with
    // EPdfWriteStopped. Writing a document full of pictures takes a while,
    // and a window wants to show it and offer a way out.
    using WriteProgress = std::function<bool(std::size_t written, std::size_t total)>;

    // Writes the whole document front to back.
    void SaveToStream(std::ostream& stream, const WriteProgress& progress = {});

private:
    void RequireDocument(const char* message) const;

    bool useOutlines_ = false;
    double defaultPageWidth_ = 596;
    double defaultPageHeight_ = 842;

    std::unique_ptr<TPdfXref> xref_;
    std::shared_ptr<TPdfDictionary> trailer_;
    std::shared_ptr<TPdfCatalog> catalog_;
    std::shared_ptr<TPdfInfo> info_;
    std::shared_ptr<TPdfOutlineRoot> outlineRoot_;
    std::shared_ptr<TPdfDictionary> pagesRoot_;
    std::shared_ptr<TPdfArray> kids_;
    std::vector<std::shared_ptr<TPdfPage>> pages_;
    std::unique_ptr<TPdfCanvas> canvas_;
    std::vector<std::shared_ptr<TPdfFont>> fonts_;
    std::unordered_map<std::string, std::shared_ptr<TPdfImage>> images_;
    std::shared_ptr<TPdfDestination> openAction_;
    // Content of finished pages, kept out of memory until the document is
    // written (made with the second page).
    std::unique_ptr<TPdfSpill> spill_;
};

} // namespace zv
