#include "reports/CatchBookPage.h"

#include "base/AtomicFile.h"
#include "catchlog/CommaText.h"
#include "reports/pdf/TPRGridPanel.h"
#include "reports/pdf/TPRJpegImage.h"
#include "reports/pdf/TPRLabel.h"
#include "reports/pdf/TPRLayoutPanel.h"
#include "reports/pdf/TPRRect.h"
#include "reports/pdf/TPRText.h"
#include "storage/TMlbc.h"

#include <system_error>

namespace zv {

namespace {

constexpr int kValueLeft = 102;
constexpr int kValueWidth = 203; // up to the right end of the heading
constexpr int kCaptionWidth = 88;
constexpr int kTextHeight = 16;

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

// A picture name may come from another machine with a folder in front; the
// picture itself always lies in the img folder.
std::string BareFileName(const std::string& name) {
    const std::size_t slash = name.find_last_of("/\\");
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

} // namespace

CatchBookPage::CatchBookPage() {
    page_.SetPageWidth(600);
    page_.SetPageHeight(700);
    page_.SetMarginLeft(32);
    page_.SetMarginRight(32);
    page_.SetMarginTop(2);
    page_.SetMarginBottom(2);

    auto& band = page_.Add<TPRLayoutPanel>("PRLayoutPanel1");
    band.SetAlign(TPRAlign::Top);
    band.SetHeight(25);
    title_ = &band.Add<TPRLabel>("PRLabel11");
    title_->SetAlign(TPRAlign::Client);
    title_->SetFontSize(20);
    title_->SetAlignment(TPdfAlignment::Center);

    grid_ = &page_.Add<TPRGridPanel>("PRGridPanel1");
    grid_->SetBounds(0, 25, 534, 669);
    grid_->SetColCount(1);
    grid_->SetRowCount(3);
    TPRGridPanel& grid = *grid_;

    auto rect = [&](const char* name, int left, int top, int width, int height) {
        auto& item = grid.Add<TPRRect>(name);
        item.SetBounds(left, top, width, height);
        rects_.push_back(&item);
        return &item;
    };
    auto text = [&](const char* name, int left, int top, int width, int height) {
        auto& item = grid.Add<TPRText>(name);
        item.SetBounds(left, top, width, height);
        item.SetFontSize(10);
        texts_.push_back(&item);
        return &item;
    };
    auto caption = [&](const char* name, int left, int top, const char* fixedText) {
        auto& item = grid.Add<TPRLabel>(name);
        item.SetBounds(left, top, kCaptionWidth, kTextHeight);
        item.SetFontSize(10);
        item.SetFontBold(true);
        if (fixedText != nullptr) {
            item.SetCaption(fixedText);
            fixedCaptions_.push_back(&item);
        } else {
            labels_.push_back(&item);
        }
        return &item;
    };

    rect("PRRect1", 0, 0, 534, 223);
    heading_ = text("PRText2", 12, 6, 293, 17);
    heading_->SetFontSize(12);
    heading_->SetFontBold(true);
    heading_->SetFontColor(clNavy);
    text("PRText3", 12, 19, 293, kTextHeight);
    rect("PRRect3", 10, 32, 300, 1);

    caption("lbKoeder", 12, 34, nullptr);
    text("PRText5", 56, 34, 249, kTextHeight)->SetWordWrap(true);
    caption("lbFangmethode", 12, 47, nullptr);
    text("PRText16", kValueLeft, 47, kValueWidth, kTextHeight);
    caption("lbGewaesser", 12, 61, nullptr);
    text("PRText6", kValueLeft, 61, kValueWidth, kTextHeight);
    caption("lbStelle", 12, 76, nullptr);
    text("PRText7", kValueLeft, 76, kValueWidth, kTextHeight);
    caption("lbMondphase", 12, 91, nullptr);
    text("PRText8", kValueLeft, 91, kValueWidth, kTextHeight);
    caption("lbLufttemp", 12, 105, "Lufttemp.:");
    text("lufttemp", kValueLeft, 105, kValueWidth, kTextHeight);
    caption("lbWassertemp", 12, 118, "Wassertemp.:");
    text("wassertemp", kValueLeft, 118, kValueWidth, kTextHeight);
    caption("lbLuftdruck", 12, 131, "Luftdruck:");
    text("luftdruck", kValueLeft, 131, kValueWidth, kTextHeight);
    caption("lbWetter", 12, 143, nullptr);
    text("PRText9", kValueLeft, 143, kValueWidth, kTextHeight);
    caption("lbWind", 12, 156, "Wind:");
    text("wind", kValueLeft, 156, kValueWidth, kTextHeight);
    caption("lbWassertruebung", 12, 170, "Wassertrübung:");
    text("wassertruebung", kValueLeft, 170, kValueWidth, kTextHeight);
    caption("lbWasserstand", 12, 183, "Wasserstand:");
    text("wasserstand", kValueLeft, 183, kValueWidth, kTextHeight);
    rect("PRRect4", 10, 196, 300, 1);
    caption("lbBemerkungen", 12, 197, nullptr);
    text("PRText10", kValueLeft, 197, 419, 30)->SetWordWrap(true);

    // The picture goes under its frame, so the frame stays visible over a
    // picture that fills the box.
    picture_ = &grid.Add<TPRJpegImage>("PRJpegImage1");
    picture_->SetBounds(319, 6, 200, 150);
    picture_->SetSharedImage(false);
    picture_->SetStretch(true);
    rect("PRRect2", 319, 6, 200, 150);
    caption("lbFaenger", 319, 165, nullptr);
    text("PRText18", 368, 165, 153, kTextHeight);
}

void CatchBookPage::SetTitle(const std::string& yearText) {
    title_->SetCaption(yearText);
}

const std::string& CatchBookPage::Title() const {
    return title_->Caption();
}

std::string CatchBookPage::Heading() const {
    return Trimmed(heading_->Text());
}

std::string CatchBookPage::FillBlock(const TMlbc& db, const std::filesystem::path& pictureFolder) {
    auto value = [&db](const char* field) { return db.GetData(field); };
    const std::string texts[] = {
        value("Fischart") + ", " + value("Laenge") + " cm, " + value("Gewicht") + " g",
        "gefangen am " + value("Fangdatum") + " um " + value("Fangzeit") + " Uhr",
        value("Koeder"),
        value("Fangmethode"),
        value("Gewaesser"),
        value("Stelle"),
        value("Mondphase"),
        value("Lufttemp") + " °C",
        value("Wassertemp") + " °C",
        value("Luftdruck") + " hPa",
        value("Wetter"),
        value("Windstaerke") + ", " + value("Windrichtung"),
        value("Wassertruebung"),
        value("Wasserstand"),
        value("Kommentar"),
        value("Faenger"),
    };
    for (std::size_t i = 0; i < texts_.size(); ++i) {
        texts_[i]->SetText(texts[i]);
    }
    const char* captions[] = {"Köder:",     "Fangmethode:", "Gewässer:",    "Stelle:",
                              "Mondphase:", "Wetter:",      "Bemerkungen:", "Fänger:"};
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        labels_[i]->SetCaption(captions[i]);
    }
    for (TPRRect* rect : rects_) {
        rect->SetPrintable(true);
    }
    for (TPRLabel* label : fixedCaptions_) {
        label->SetPrintable(true);
    }

    picture_->SetPrintable(true);
    picture_->Picture().Clear();
    const std::vector<std::string> names = SplitCommaText(value("Bilder"));
    if (!names.empty() && !names.front().empty()) {
        const std::filesystem::path path =
            pictureFolder / PathFromUtf8(BareFileName(names.front()));
        std::error_code ec;
        if (std::filesystem::is_regular_file(path, ec)) {
            // A file that cannot be read or is no JPEG leaves the box empty,
            // like a missing one.
            std::string ignored;
            picture_->Picture().LoadFromFile(path, ignored);
        }
    }
    return Heading();
}

void CatchBookPage::ClearBlock() {
    for (TPRText* text : texts_) {
        text->SetLines({});
    }
    for (TPRLabel* label : labels_) {
        label->SetCaption("");
    }
    for (TPRRect* rect : rects_) {
        rect->SetPrintable(false);
    }
    for (TPRLabel* label : fixedCaptions_) {
        label->SetPrintable(false);
    }
    picture_->Picture().Clear();
    picture_->SetPrintable(false);
}

} // namespace zv
