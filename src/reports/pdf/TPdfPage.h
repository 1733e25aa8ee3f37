#pragma once

#include <cstdint>
#include <string>

namespace zv {

class TPdfOutput;
class TPdfSpill;

// The content stream of a page: operators appended while the page is
// current, moved to the document's temporary file once it is finished.
class TPdfPageContents {
public:
    std::string& Data() { return data_; }
    const std::string& Data() const { return data_; }

    // Moves the data into `spill` and hands the emptied buffer, with its
    // room, to `next` (the next page's contents, still empty); false keeps
    // them here.
    bool MoveTo(TPdfSpill& spill, TPdfPageContents& next);
    // Writes the stream object's body: "<< /Length … /Filter [] >>" and the
    // data, read back from the spill when they were moved there.
    void Write(TPdfOutput& out, const TPdfSpill* spill, std::string& scratch) const;

private:
    std::string data_;
    std::uint64_t spillOffset_ = 0;
    std::uint64_t spillSize_ = 0;
    bool spilled_ = false;
};

// A page of the document, kept compactly: its object number (its content
// stream has the next one), its size, the fonts it uses in the order of
// their first use and the range of its images in the document's list of
// image uses. Its dictionary is written from this state.
class TPdfPage {
public:
    // The document's fonts are at most the twelve standard ones.
    static constexpr int kMaxFonts = 12;

    TPdfPage(int objectNumber, double width, double height, std::uint32_t firstImageUse)
        : number_(objectNumber), width_(width), height_(height), imagesBegin_(firstImageUse),
          imagesEnd_(firstImageUse) {}

    int ObjectNumber() const { return number_; }
    int Generation() const { return 0; }
    int ContentsNumber() const { return number_ + 1; }
    TPdfPageContents& Contents() { return contents_; }
    const TPdfPageContents& Contents() const { return contents_; }

    double Width() const { return width_; }
    double Height() const { return height_; }
    // Rewrite the third and fourth numbers of "MediaBox".
    void SetWidth(double width) { width_ = width; }
    void SetHeight(double height) { height_ = height; }

    // Fonts by their index in the document's font list.
    bool UsesFont(int index) const;
    void AddFont(int index);
    int FontCount() const { return fontCount_; }
    int Font(int at) const { return fonts_[at]; }

    // The page's images are the uses [ImagesBegin, ImagesEnd) of the
    // document; only the current page adds to them.
    std::uint32_t ImagesBegin() const { return imagesBegin_; }
    std::uint32_t ImagesEnd() const { return imagesEnd_; }
    void AddImageUse() { ++imagesEnd_; }

private:
    int number_;
    double width_;
    double height_;
    std::uint32_t imagesBegin_;
    std::uint32_t imagesEnd_;
    std::uint8_t fonts_[kMaxFonts] = {};
    std::uint8_t fontCount_ = 0;
    TPdfPageContents contents_;
};

} // namespace zv
