#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zv {

class TPdfOutput;

// The content stream of the page being drawn on: the operators appended
// while the page is current.
class TPdfPageContents {
public:
    std::string& Data() { return data_; }
    const std::string& Data() const { return data_; }

    // Writes a content stream object's body: "<< /Length … /Filter [] >>"
    // and the data.
    static void Write(TPdfOutput& out, std::string_view data);

private:
    std::string data_;
};

// A page of the document, kept compactly: its object number (its content
// stream has the next one), its size, the fonts it uses in the order of
// their first use, the range of its images in the document's list of
// image uses and, once it is finished, where its content went. Its
// dictionary is written from this state; a finished page is kept as this
// record alone (see TPdfDoc).
struct TPdfPageRecord {
    // The document's fonts are at most the twelve standard ones.
    static constexpr int kMaxFonts = 12;

    int number = 0;
    double width = 0;
    double height = 0;
    std::uint32_t imagesBegin = 0;
    std::uint32_t imagesEnd = 0;
    std::uint64_t contentsAt = 0;
    std::uint64_t contentsSize = 0;
    std::uint8_t fonts[kMaxFonts] = {};
    std::uint8_t fontCount = 0;
    // Whether the content lies in the document's temporary file at
    // contentsAt, rather than in memory.
    bool contentsSpilled = false;
};

// The page being drawn on.
class TPdfPage {
public:
    static constexpr int kMaxFonts = TPdfPageRecord::kMaxFonts;

    TPdfPage(int objectNumber, double width, double height, std::uint32_t firstImageUse);

    int ObjectNumber() const { return record_.number; }
    TPdfPageContents& Contents() { return contents_; }
    const TPdfPageContents& Contents() const { return contents_; }

    double Width() const { return record_.width; }
    double Height() const { return record_.height; }
    // Rewrite the third and fourth numbers of "MediaBox".
    void SetWidth(double width) { record_.width = width; }
    void SetHeight(double height) { record_.height = height; }

    // Fonts by their index in the document's font list.
    bool UsesFont(int index) const;
    void AddFont(int index);
    int FontCount() const { return record_.fontCount; }
    int Font(int at) const { return record_.fonts[at]; }

    // The page's images are the uses [ImagesBegin, ImagesEnd) of the
    // document; only the current page adds to them.
    std::uint32_t ImagesBegin() const { return record_.imagesBegin; }
    std::uint32_t ImagesEnd() const { return record_.imagesEnd; }
    void AddImageUse() { ++record_.imagesEnd; }

    const TPdfPageRecord& Record() const { return record_; }

private:
    TPdfPageRecord record_;
    TPdfPageContents contents_;
};

} // namespace zv
