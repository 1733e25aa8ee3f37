#pragma once

#include "reports/pdf/TPdfDestination.h"
#include "reports/pdf/TPdfObject.h"
#include "reports/pdf/TPdfOutlineEntry.h"
#include "reports/pdf/TPdfPage.h"

#include <functional>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

class TPdfCanvas;
class TPdfCatalog;
class TPdfDictionary;
class TPdfFont;
class TJpegPicture;
class TPdfInfo;
class TPdfDocRecords;
class TPdfOutput;

// Thrown when the caller's progress function asks to stop writing.
class EPdfWriteStopped : public std::runtime_error {
public:
    EPdfWriteStopped() : std::runtime_error("SaveToStream --stopped by the caller.") {}
};

// A PDF 1.2 document, written in one pass. The few document-wide objects
// (catalog, information, fonts, images handed in) form an object graph;
// pages, destinations, bookmarks and picture files, of which a long report
// has hundreds of thousands, are kept as records in a temporary file (see
// TPdfDocRecords) and written from them, so that building a document takes
// about the same memory whatever its length.
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
    bool InUse() const { return records_ != nullptr; }

    // Appends a page and makes it the canvas's current page.
    TPdfPage& AddPage();
    std::size_t PageCount() const;
    TPdfPage* CurrentPage() const;

    TPdfCanvas& GetCanvas();
    TPdfInfo& GetInfo();
    TPdfCatalog& GetRoot();
    // The top of the bookmark tree, written with "Type" "Outlines", open.
    // Throws without a document or when it has no outlines.
    TPdfOutlineEntry GetOutlineRoot();

    // The document's font of a registered name, created on first use.
    TPdfFont& GetFont(std::string_view registeredName);
    std::size_t FontCount() const { return fonts_.size(); }

    // Registers an image under a name; the image gets "Name" /name.
    void AddXObject(const std::string& name, const TPdfObjectPtr& image);
    // The same for a picture loaded from a file, kept compactly (its path
    // and size, not an object of its own); written like
    // AddXObject(name, CreatePdfImage(picture, "Pdf-Jpeg")).
    void AddJpegFile(const std::string& name, const TJpegPicture& picture);
    // Whether an image is registered under that name.
    bool HasXObject(std::string_view name) const;
    std::size_t XObjectCount() const;
    // Puts the image of that name into the current page's resources (once
    // per page); throws "DrawXObject --XObject not found: <name>".
    void UseXObject(std::string_view name);

    // A destination on the current page.
    std::shared_ptr<TPdfDestination> CreateDestination();
    // Whether `dest` was made for the document now being built (not for
    // another one, nor for an earlier one of this TPdfDoc).
    bool Owns(const TPdfDestination& dest) const { return dest.Records() == records_.get(); }
    const std::shared_ptr<TPdfDestination>& OpenAction() const { return openAction_; }
    void SetOpenAction(std::shared_ptr<TPdfDestination> dest) { openAction_ = std::move(dest); }

    // Makes an object indirect; returns its number.
    int RegisterObject(const TPdfObjectPtr& object);

    // Called after each object is written with the number of objects
    // written and their total; returning false stops the write with
    // EPdfWriteStopped. Writing a document full of pictures takes a while,
    // and a window wants to show it and offer a way out.
    using WriteProgress = std::function<bool(std::size_t written, std::size_t total)>;

    // Writes the whole document front to back.
    void SaveToStream(std::ostream& stream, const WriteProgress& progress = {});

private:
    void RequireDocument(const char* message) const;
    // Throws the writer's message when the document has an image of that name.
    void RequireNewImageName(const std::string& name) const;
    void WritePage(TPdfOutput& out, const TPdfPageRecord& page) const;
    void WriteFileImage(TPdfOutput& out, std::uint32_t index) const;

    bool useOutlines_ = false;
    double defaultPageWidth_ = 596;
    double defaultPageHeight_ = 842;

    std::shared_ptr<TPdfDocRecords> records_;
    std::shared_ptr<TPdfDictionary> trailer_;
    std::shared_ptr<TPdfCatalog> catalog_;
    std::shared_ptr<TPdfInfo> info_;
    std::shared_ptr<TPdfObject> pageTree_;
    std::unique_ptr<TPdfCanvas> canvas_;
    std::vector<std::shared_ptr<TPdfFont>> fonts_;
    std::shared_ptr<TPdfDestination> openAction_;
};

} // namespace zv
