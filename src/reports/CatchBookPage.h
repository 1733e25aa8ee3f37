#pragma once

#include "reports/pdf/TPRPage.h"

#include <filesystem>
#include <string>
#include <vector>

namespace zv {

class TMlbc;
class TPRGridPanel;
class TPRJpegImage;
class TPRLabel;
class TPRRect;
class TPRText;

// The page template of the catch book: a title band with the year and a
// grid of three framed blocks, one catch each, with the catch's data on the
// left and its picture on the right.
class CatchBookPage {
public:
    CatchBookPage();
    CatchBookPage(const CatchBookPage&) = delete;
    CatchBookPage& operator=(const CatchBookPage&) = delete;

    TPRPage& Page() { return page_; }
    TPRGridPanel& Grid() { return *grid_; }

    // The year text of the title band ("" for all years).
    void SetTitle(const std::string& yearText);
    const std::string& Title() const;

    // Fills the block from the catch at the table's cursor; the picture is
    // the first name of Bilder looked up in `pictureFolder`. Returns the
    // block's heading, trimmed, for its bookmark.
    std::string FillBlock(const TMlbc& db, const std::filesystem::path& pictureFolder);
    // A blank block: no texts, no frame, lines, picture or captions.
    void ClearBlock();

    // The block's heading as the last FillBlock set it.
    std::string Heading() const;
    const TPRJpegImage& Picture() const { return *picture_; }

private:
    TPRPage page_;
    TPRLabel* title_ = nullptr;
    TPRGridPanel* grid_ = nullptr;
    TPRJpegImage* picture_ = nullptr;
    TPRText* heading_ = nullptr;
    // Every text of the block (values and the captions set per block).
    std::vector<TPRText*> texts_;
    std::vector<TPRLabel*> labels_;
    // Frame, lines, picture frame and the six fixed weather captions.
    std::vector<TPRRect*> rects_;
    std::vector<TPRLabel*> fixedCaptions_;
};

} // namespace zv
