#pragma once

#include "reports/pdf/TPdfDestination.h"
#include "reports/pdf/TPdfJpegFileImage.h"
#include "reports/pdf/TPdfObject.h"
#include "reports/pdf/TPdfOutlineEntry.h"
#include "reports/pdf/TPdfPage.h"
#include "reports/pdf/TPdfTextArena.h"

#include <deque>
#include <functional>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zv {

class TPdfCanvas;
class TPdfCatalog;
class TPdfDictionary;
class TPdfFont;
class TJpegPicture;
class TPdfImage;
class TPdfInfo;
class TPdfOutlineRoot;
class TPdfOutput;
class TPdfSpill;
class TPdfXref;

// Thrown when the caller's progress function asks to stop writing.
class EPdfWriteStopped : public std::runtime_error {
public:
    EPdfWriteStopped() : std::runtime_error("SaveToStream --stopped by the caller.") {}
};

// A PDF 1.2 document, written in one pass. The few document-wide objects
// (catalog, information, fonts, images) form an object graph; pages,
// destinations and bookmarks, of which a long report has hundreds of
// thousands, are kept as compact records and written from them.
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
    std::size_t PageCount() const;
    TPdfPage* CurrentPage() const;

    TPdfCanvas& GetCanvas();
    TPdfInfo& GetInfo();
    TPdfCatalog& GetRoot();
    // Throws without a document or when it has no outlines.
    TPdfOutlineRoot& GetOutlineRoot();

    // The document's font of a registered name, created on first use.
    TPdfFont& GetFont(std::string_view registeredName);
    std::size_t FontCount() const { return fonts_.size(); }

    // Registers an image under a name; the image gets "Name" /name.
    void AddXObject(const std::string& name, const TPdfObjectPtr& image);
    // The same for a picture loaded from a file, kept compactly (its path
    // and size, not an object of its own); written like
    // AddXObject(name, CreatePdfImage(picture, "Pdf-Jpeg")).
    void AddJpegFile(const std::string& name, const TJpegPicture& picture);
    TPdfImage* GetXObject(std::string_view name) const;
    std::size_t XObjectCount() const { return images_.size(); }
    // Puts the image of that name into the current page's resources (once
    // per page); throws "DrawXObject --XObject not found: <name>".
    void UseXObject(std::string_view name);

    // A destination on the current page. It lives as long as the document
    // or the last pointer to it.
    std::shared_ptr<TPdfDestination> CreateDestination();
    // Whether `dest` was made for the document now being built (not for
    // another one, nor for an earlier one of this TPdfDoc).
    bool Owns(const TPdfDestination& dest) const {
        return dest.Doc() == this && dest.Run() == run_;
    }
    const std::shared_ptr<TPdfDestination>& OpenAction() const { return openAction_; }
    void SetOpenAction(std::shared_ptr<TPdfDestination> dest) { openAction_ = std::move(dest); }

    // Makes an object indirect; returns its number.
    int RegisterObject(const TPdfObjectPtr& object);
    const TPdfXref& Xref() const;

    // A new bookmark for TPdfOutlineEntry::AddChild, numbered next.
    TPdfOutlineEntry* NewOutlineEntry();
    // A copy of a short text (a bookmark's title) kept with the document.
    std::string_view KeepText(std::string_view text) { return texts_.Keep(text); }

    // Called after each object is written with the number of objects
    // written and their total; returning false stops the write with
    // EPdfWriteStopped. Writing a document full of pictures takes a while,
    // and a window wants to show it and offer a way out.
    using WriteProgress = std::function<bool(std::size_t written, std::size_t total)>;

    // Writes the whole document front to back.
    void SaveToStream(std::ostream& stream, const WriteProgress& progress = {});

private:
    // Pages and destinations, shared with the destinations handed out, so
    // a destination and its page stay valid as long as anyone holds it.
    struct Records {
        std::deque<TPdfPage> pages;
        std::deque<TPdfDestination> destinations;
    };
    struct ImageSlot {
        TPdfImage* image;
        // The page (counted from 1) whose resources last took it.
        std::size_t lastPage = 0;
    };

    void RequireDocument(const char* message) const;
    // Throws the writer's message when the document has an image of that name.
    void RequireNewImageName(const std::string& name) const;
    void AddImage(const std::string& name, TPdfImage& image);
    void WritePage(TPdfOutput& out, const TPdfPage& page) const;

    bool useOutlines_ = false;
    // Tells the document being built from every other one; its
    // destinations carry it.
    std::uint32_t run_ = 0;
    double defaultPageWidth_ = 596;
    double defaultPageHeight_ = 842;

    std::unique_ptr<TPdfXref> xref_;
    std::shared_ptr<TPdfDictionary> trailer_;
    std::shared_ptr<TPdfCatalog> catalog_;
    std::shared_ptr<TPdfInfo> info_;
    std::unique_ptr<TPdfOutlineRoot> outlineRoot_;
    std::shared_ptr<TPdfObject> pageTree_;
    std::shared_ptr<Records> records_;
    std::deque<TPdfOutlineEntry> outlines_;
    TPdfTextArena texts_;
    std::unique_ptr<TPdfCanvas> canvas_;
    std::vector<std::shared_ptr<TPdfFont>> fonts_;
    std::vector<ImageSlot> images_;
    // The images: those handed in and those of picture files.
    std::vector<std::shared_ptr<TPdfImage>> ownedImages_;
    std::deque<TPdfJpegFileImage> fileImages_;
    std::unordered_map<std::string_view, std::size_t> imageIndex_;
    // The images each page uses, page after page (see TPdfPage).
    std::vector<std::uint32_t> imageUses_;
    std::shared_ptr<TPdfDestination> openAction_;
    // Content of finished pages, kept out of memory until the document is
    // written (made with the second page).
    std::unique_ptr<TPdfSpill> spill_;
};

} // namespace zv
