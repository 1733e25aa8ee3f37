#include "PdfTestSupport.h"

#include "reports/pdf/PdfFormat.h"
#include "reports/pdf/TPdfCanvas.h"
#include "reports/pdf/TPdfDoc.h"
#include "reports/pdf/TPdfPage.h"

#include <gtest/gtest.h>

using namespace zv;
using namespace zv::test;

namespace {

class PdfCanvasTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc_.NewDocument();
        doc_.AddPage();
    }
    TPdfCanvas& Canvas() { return doc_.GetCanvas(); }
    // The page's content without the default font line that starts it.
    std::string Content() {
        std::string data = doc_.CurrentPage()->Contents().Data();
        return data.substr(std::string("/F0 10 Tf\n").size());
    }
    void CheckFromOutside(const std::vector<std::string>& texts) {
        auto path = folder_.File("canvas.pdf");
        WriteBytes(path, SaveToString(doc_));
        EXPECT_EQ(CheckPdfFromOutside(path, texts), "");
    }

    TPdfDoc doc_;
    TempFolder folder_;
};

} // namespace

TEST_F(PdfCanvasTest, TextWidthSumsTheFontWidthsAndSpacing) {
    Canvas().SetFont("Arial", 12);
    EXPECT_NEAR(Canvas().TextWidth("Fang"), 27.348, 1e-9);
    Canvas().SetFont("Arial", 10);
    EXPECT_NEAR(Canvas().TextWidth("%%C"), 25.0, 1e-9);
    EXPECT_NEAR(Canvas().TextWidth("ä€"), 11.12, 1e-9);
    EXPECT_EQ(Canvas().TextWidth(""), 0);

    // Character spacing after every character but the last; word spacing
    // for blanks that are not last, and only when positive.
    Canvas().SetCharSpace(1);
    EXPECT_NEAR(Canvas().TextWidth("%%C"), 27.0, 1e-9);
    Canvas().SetCharSpace(0);
    Canvas().SetWordSpace(3);
    EXPECT_NEAR(Canvas().TextWidth("a b "), 5.56 * 2 + 2.78 * 2 + 3, 1e-9);
    Canvas().SetWordSpace(-3);
    EXPECT_NEAR(Canvas().TextWidth("a b"), 5.56 * 2 + 2.78, 1e-9);
    Canvas().SetWordSpace(0);

    Canvas().SetHorizontalScaling(50);
    EXPECT_NEAR(Canvas().TextWidth("%%C"), 12.5, 1e-9);
    Canvas().SetHorizontalScaling(100);

    Canvas().SetFont("FixedWidth", 10);
    EXPECT_NEAR(Canvas().TextWidth("Köder"), 30.0, 1e-9);
    CheckFromOutside({});
}

TEST_F(PdfCanvasTest, MeasureTextCountsTheCharactersThatFit) {
    Canvas().SetFont("FixedWidth", 10); // 6 points a character
    EXPECT_EQ(Canvas().MeasureText("abcdef", 18), 3u);
    EXPECT_EQ(Canvas().MeasureText("abcdef", 17.99), 2u);
    EXPECT_EQ(Canvas().MeasureText("abcdef", 100), 6u);
    EXPECT_EQ(Canvas().MeasureText("abcdef", 0), 0u);
    Canvas().SetCharSpace(2); // the spacing counts only between characters
    EXPECT_EQ(Canvas().MeasureText("abcdef", 14), 2u);
    EXPECT_EQ(Canvas().MeasureText("abcdef", 13.99), 1u);
    CheckFromOutside({});
}

TEST_F(PdfCanvasTest, TextRectAlignsOnTheBaseline) {
    Canvas().SetFont("Arial", 10);
    TPdfRect rect{100, 800, 165, 785};
    Canvas().TextRect(rect, "%%C", TPdfAlignment::Center, false);
    Canvas().TextRect(rect, "%%C", TPdfAlignment::RightJustify, false);
    Canvas().TextRect(rect, "Köder (groß)", TPdfAlignment::LeftJustify, false);
    EXPECT_EQ(Content(), "BT\n120 791.5 Td\n(%%C) Tj\nET\n"
                         "BT\n140 791.5 Td\n(%%C) Tj\nET\n"
                         "BT\n100 791.5 Td\n(K\xF6"
                         "der \\(gro\xDF\\)) Tj\nET\n");
    CheckFromOutside({"Köder", "(groß)", "%%C"});
}

TEST_F(PdfCanvasTest, OperatorsWriteEveryDigitOfLargeNumbers) {
    Canvas().MoveTo(1e300, -1e300);
    std::string large;
    AppendContentNumber(large, 1e300);
    EXPECT_EQ(Content(), large + " -" + large + " m\n");
}

TEST_F(PdfCanvasTest, ClippedTextRectClipsInsideSaveAndRestore) {
    Canvas().SetFont("Arial", 10);
    Canvas().TextRect(TPdfRect{10, 100, 40, 85}, "abgeschnitten", TPdfAlignment::LeftJustify, true);
    EXPECT_EQ(Content(), "q\n10 85 30 15 re\nW\nn\nBT\n10 91.5 Td\n(abgeschnitten) Tj\nET\nQ\n");
    CheckFromOutside({});
}

TEST_F(PdfCanvasTest, MultilineTextWrapsWordsAndStopsAtTheBottom) {
    Canvas().SetFont("FixedWidth", 10); // 6 points a character
    Canvas().SetLeading(14);
    // 60 points hold ten characters; 30 points of height hold two lines.
    Canvas().MultilineTextRect(TPdfRect{0, 500, 60, 470}, "Hecht am Schilf gefangen heute", true);
    EXPECT_EQ(Content(),
              "/F1 10 Tf\n14 TL\nBT\n0 491.5 Td\n(Hecht am ) Tj\nT*\n(Schilf ) Tj\nT*\nET\n");
    CheckFromOutside({"Hecht am", "Schilf"});
}

TEST_F(PdfCanvasTest, MultilineTextBreaksAtCrLfAndCutsLongLines) {
    Canvas().SetFont("FixedWidth", 10);
    Canvas().SetLeading(12);
    Canvas().MultilineTextRect(TPdfRect{0, 500, 30, 400}, "Barsch\r\nRotauge Zander", false);
    // Without word wrap the second line runs on and is cut to five
    // characters at the edge.
    EXPECT_EQ(Content(), "/F1 10 Tf\n12 TL\nBT\n0 491.5 Td\n(Barsc) Tj\nT*\n(Rotau) Tj\nET\n");
    CheckFromOutside({"Barsc", "Rotau"});
}

TEST_F(PdfCanvasTest, MultilineTextOfOneLineShowsItWithoutNextLine) {
    Canvas().SetFont("Arial", 10);
    Canvas().MultilineTextRect(TPdfRect{0, 500, 300, 470}, "Nur eine Zeile", true);
    EXPECT_EQ(Content(), "BT\n0 491.5 Td\n(Nur eine Zeile) Tj\nET\n");
    CheckFromOutside({"Nur eine Zeile"});
}
