#include "PdfTestSupport.h"

#include "../base/JpegSamples.h"

#include "base/DateTime.h"
#include "reports/pdf/TJpegPicture.h"
#include "reports/pdf/TPdfCanvas.h"
#include "reports/pdf/TPdfCatalog.h"
#include "reports/pdf/TPdfDestination.h"
#include "reports/pdf/TPdfDoc.h"
#include "reports/pdf/TPdfFont.h"
#include "reports/pdf/TPdfImage.h"
#include "reports/pdf/TPdfInfo.h"
#include "reports/pdf/TPdfJpegImage.h"
#include "reports/pdf/TPdfPage.h"
#include "reports/pdf/TPdfXref.h"

#include <gtest/gtest.h>

#include <csignal>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <sys/resource.h>

using namespace zv;
using namespace zv::test;

namespace {

// Runs `action` and returns the message it threw, empty if it did not.
template <class F> std::string ErrorOf(F&& action) {
    try {
        action();
    } catch (const std::exception& error) {
        return error.what();
    }
    return {};
}

class PdfDocTest : public ::testing::Test {
protected:
    void SetUp() override { SetCurrentClock(&clock_); }
    void TearDown() override { SetCurrentClock(nullptr); }

    // Saves the document into a file, checks it from outside and returns
    // its bytes.
    std::string SaveAndCheck(TPdfDoc& doc, const std::vector<std::string>& texts = {}) {
        std::string bytes = SaveToString(doc);
        auto path = folder_.File("doc" + std::to_string(++saved_) + ".pdf");
        WriteBytes(path, bytes);
        std::string problems = CheckPdfFromOutside(path, texts);
        EXPECT_EQ(problems, "");
        lastPath_ = path;
        return bytes;
    }

    // A small picture loaded from a file of the test's folder.
    TJpegPicture SmallFilePicture() {
        auto path = folder_.File("klein.jpg");
        WriteBytes(path, MakeJpeg(16, 12));
        TJpegPicture picture;
        std::string error;
        EXPECT_TRUE(picture.LoadFromFile(path, error)) << error;
        return picture;
    }

    FixedClock clock_{EncodeDate(2007, 6, 5) + EncodeTime(18, 42, 7)};
    TempFolder folder_;
    std::filesystem::path lastPath_;
    int saved_ = 0;
};

} // namespace

TEST_F(PdfDocTest, EmptyPageWithOutlinesHasSevenObjectsAndEightXrefEntries) {
    TPdfDoc doc;
    doc.SetUseOutlines(true);
    doc.NewDocument();
    doc.AddPage();
    std::string pdf = SaveAndCheck(doc);

    EXPECT_EQ(pdf.rfind("%PDF-1.2 \r\n", 0), 0u);
    EXPECT_NE(ObjectBody(pdf, 1).find("/Type /Catalog"), std::string::npos);
    EXPECT_NE(ObjectBody(pdf, 1).find("/Outlines 2 0 R"), std::string::npos);
    EXPECT_NE(ObjectBody(pdf, 1).find("/Pages 4 0 R"), std::string::npos);
    EXPECT_NE(ObjectBody(pdf, 2).find("/Type /Outlines"), std::string::npos);
    EXPECT_NE(ObjectBody(pdf, 2).find("/Count 0"), std::string::npos);
    EXPECT_NE(ObjectBody(pdf, 3).find("/Producer ("), std::string::npos);
    EXPECT_NE(ObjectBody(pdf, 3).find("/CreationDate (D:20070605184207)"), std::string::npos);
    EXPECT_NE(ObjectBody(pdf, 3).find("/ModDate (D:20070605184207)"), std::string::npos);
    EXPECT_NE(ObjectBody(pdf, 4).find("/Type /Pages"), std::string::npos);
    EXPECT_NE(ObjectBody(pdf, 4).find("/Kids [5 0 R ]"), std::string::npos);
    EXPECT_NE(ObjectBody(pdf, 4).find("/Count 1"), std::string::npos);
    std::string page = ObjectBody(pdf, 5);
    EXPECT_NE(page.find("/Type /Page\r\n"), std::string::npos);
    EXPECT_NE(page.find("/MediaBox [0 0 596 842 ]"), std::string::npos);
    EXPECT_NE(page.find("/Contents 6 0 R"), std::string::npos);
    EXPECT_NE(page.find("/Font <<\r\n/F0 7 0 R\r\n>>"), std::string::npos);
    EXPECT_NE(page.find("/ProcSet [/PDF /Text /ImageC ]"), std::string::npos);
    // The page starts with the default font.
    EXPECT_NE(ObjectBody(pdf, 6).find("stream\r\n/F0 10 Tf\n\nendstream"), std::string::npos);
    std::string font = ObjectBody(pdf, 7);
    EXPECT_NE(font.find("/BaseFont /Helvetica\r\n"), std::string::npos);
    EXPECT_NE(font.find("/Name /F0"), std::string::npos);
    EXPECT_NE(font.find("/Encoding /WinAnsiEncoding"), std::string::npos);
    EXPECT_NE(font.find("/FirstChar 32"), std::string::npos);
    EXPECT_NE(font.find("/LastChar 255"), std::string::npos);
    EXPECT_EQ(ObjectBody(pdf, 8), "");

    std::size_t xref = pdf.find("xref\r\n0 8\r\n0000000000 65535 f\r\n");
    ASSERT_NE(xref, std::string::npos);
    // Every offset points at its object.
    std::istringstream entries(pdf.substr(xref + 11 + 20));
    for (int number = 1; number <= 7; ++number) {
        std::string offset, generation, kind;
        entries >> offset >> generation >> kind;
        EXPECT_EQ(generation, "00000");
        EXPECT_EQ(kind, "n");
        EXPECT_EQ(pdf.compare(std::stoul(offset), std::to_string(number).size() + 6,
                              std::to_string(number) + " 0 obj"),
                  0)
            << number;
    }
    EXPECT_NE(
        pdf.find("trailer\r\n<<\r\n/Size 8\r\n/Root 1 0 R\r\n/Info 3 0 R\r\n>>\r\nstartxref\r\n" +
                 std::to_string(xref) + "\r\n%%EOF\r\n"),
        std::string::npos);
}

TEST_F(PdfDocTest, WithoutOutlinesTheInformationIsObjectTwo) {
    TPdfDoc doc;
    doc.NewDocument();
    doc.AddPage();
    std::string pdf = SaveAndCheck(doc);
    EXPECT_NE(ObjectBody(pdf, 2).find("/Producer"), std::string::npos);
    EXPECT_EQ(ObjectBody(pdf, 1).find("/Outlines"), std::string::npos);
    EXPECT_NE(pdf.find("xref\r\n0 7\r\n"), std::string::npos);
}

TEST_F(PdfDocTest, FontsAreCreatedOnceAndNumberedInOrder) {
    TPdfDoc doc;
    doc.NewDocument();
    doc.AddPage();
    TPdfFont& arial = doc.GetFont("Arial");
    EXPECT_EQ(&doc.GetFont("Arial"), &arial);
    EXPECT_EQ(arial.ResourceName(), "F0");
    TPdfCanvas& canvas = doc.GetCanvas();
    canvas.SetFont("Arial-Bold", 12);
    EXPECT_EQ(doc.GetFont("Arial-Bold").ResourceName(), "F1");
    canvas.SetFont("FixedWidth", 9);
    EXPECT_EQ(doc.FontCount(), 3u);
    // The same font and size again writes nothing.
    std::size_t before = doc.CurrentPage()->Contents().Data().size();
    canvas.SetFont("FixedWidth", 9);
    EXPECT_EQ(doc.CurrentPage()->Contents().Data().size(), before);
    canvas.SetFont("Arial", 10);

    // A second page lists only the fonts it uses and starts with Arial again.
    doc.AddPage();
    canvas.SetFont("FixedWidth", 9);
    std::string pdf = SaveAndCheck(doc);
    EXPECT_NE(ObjectBody(pdf, 4).find("/Font <<\r\n/F0 6 0 R\r\n/F1 7 0 R\r\n/F2 8 0 R\r\n>>"),
              std::string::npos);
    EXPECT_NE(ObjectBody(pdf, 9).find("/Font <<\r\n/F0 6 0 R\r\n/F2 8 0 R\r\n>>"),
              std::string::npos);
    EXPECT_NE(ObjectBody(pdf, 10).find("/F0 10 Tf\n/F2 9 Tf\n"), std::string::npos);
    EXPECT_NE(ObjectBody(pdf, 7).find("/BaseFont /Helvetica-Bold"), std::string::npos);
    EXPECT_NE(ObjectBody(pdf, 8).find("/BaseFont /Courier"), std::string::npos);

    EXPECT_EQ(ErrorOf([&] { doc.GetFont("Comic"); }), "CreateFont --InvalidFontName:Comic");
}

TEST_F(PdfDocTest, ColoursAreComponentsOf255AndNumbersHaveTwoDecimals) {
    TPdfDoc doc;
    doc.NewDocument();
    doc.AddPage();
    TPdfCanvas& canvas = doc.GetCanvas();
    canvas.SetRGBFillColor(clNavy);
    canvas.SetRGBFillColor(clRed);
    canvas.SetRGBStrokeColor(RGBColor(0, 128, 0));
    canvas.SetRGBStrokeColor(-5); // a system colour counts as black
    canvas.MoveTo(10.456, 20);
    canvas.LineTo(100.004, 20.5);
    canvas.Stroke();
    canvas.SetDash({}, 0);
    canvas.SetLineWidth(0);
    std::string content = doc.CurrentPage()->Contents().Data();
    EXPECT_EQ(content, "/F0 10 Tf\n0 0 0.5 rg\n1 0 0 rg\n0 0.5 0 RG\n0 0 0 RG\n"
                       "10.46 20 m\n100 20.5 l\nS\n[] 0 d\n0 w\n");
    SaveAndCheck(doc);
}

TEST_F(PdfDocTest, JpegImageKeepsTheBytesAndReadsTheSizeFromTheHeader) {
    std::string jpeg = MakeJpeg(640, 480);
    TPdfDoc doc;
    doc.NewDocument();
    doc.AddPage();
    TJpegPicture picture;
    picture.LoadFromBytes(jpeg);
    auto image = CreatePdfImage(picture, "Pdf-Jpeg");
    doc.AddXObject("Bild 1", image);
    doc.GetCanvas().DrawXObject(10, 20, 320, 240, "Bild 1");
    std::string pdf = SaveAndCheck(doc);

    std::string body = ObjectBody(pdf, image->ObjectNumber());
    EXPECT_NE(body.find("/Type /XObject"), std::string::npos);
    EXPECT_NE(body.find("/Subtype /Image"), std::string::npos);
    EXPECT_NE(body.find("/ColorSpace /DeviceRGB"), std::string::npos);
    EXPECT_NE(body.find("/Width 640\r\n"), std::string::npos);
    EXPECT_NE(body.find("/Height 480\r\n"), std::string::npos);
    EXPECT_NE(body.find("/BitsPerComponent 8"), std::string::npos);
    EXPECT_NE(body.find("/Filter [/DCTDecode ]"), std::string::npos);
    EXPECT_NE(body.find("/Name /Bild#201"), std::string::npos);
    EXPECT_NE(body.find("/Length " + std::to_string(jpeg.size()) + "\r\n"), std::string::npos);
    EXPECT_NE(body.find("stream\r\n" + jpeg + "\nendstream"), std::string::npos);
    EXPECT_NE(ObjectBody(pdf, 4).find("/XObject <<\r\n/Bild#201 " +
                                      std::to_string(image->ObjectNumber()) + " 0 R"),
              std::string::npos);
    EXPECT_NE(ObjectBody(pdf, 5).find("q\n320 0 0 240 10 20 cm\n/Bild#201 Do\nQ\n"),
              std::string::npos);

    // The picture is really decodable: poppler renders it.
    int status = 0;
    std::string list = RunCommand("pdfimages -list '" + lastPath_.string() + "'", status);
    EXPECT_EQ(status, 0) << list;
    EXPECT_NE(list.find("640   480"), std::string::npos) << list;
}

TEST_F(PdfDocTest, GreyAndCmykPicturesCarryTheirColourSpaceAndPrintInTheirColours) {
    struct Case {
        std::vector<std::uint8_t> pixel; // as stored in the JPEG
        const char* attributes;
        int rgb[3];
    };
    const Case cases[] = {
        {{100}, "/ColorSpace /DeviceGray\r\n", {100, 100, 100}},
        {{255, 0, 0, 255},
         "/ColorSpace /DeviceCMYK\r\n/Decode [1 0 1 0 1 0 1 0 ]\r\n",
         {255, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        TPdfDoc doc;
        doc.NewDocument();
        doc.AddPage();
        TJpegPicture picture;
        picture.LoadFromBytes(SolidJpeg(8, 8, c.pixel));
        auto image = CreatePdfImage(picture, "Pdf-Jpeg");
        doc.AddXObject("Bild", image);
        doc.GetCanvas().DrawXObject(0, 0, 596, 842, "Bild");
        const std::string pdf = SaveAndCheck(doc);
        EXPECT_NE(ObjectBody(pdf, image->ObjectNumber()).find(c.attributes), std::string::npos);

        int status = 0;
        const std::string pixel = RunCommand(
            "pdftoppm -r 72 -x 300 -y 400 -W 1 -H 1 '" + lastPath_.string() + "'", status);
        ASSERT_EQ(status, 0) << pixel;
        ASSERT_GE(pixel.size(), 3u);
        for (std::size_t i = 0; i < 3; ++i) {
            // poppler mixes CMYK inks a little darker than plain arithmetic
            EXPECT_NEAR(static_cast<unsigned char>(pixel[pixel.size() - 3 + i]), c.rgb[i], 40) << i;
        }
    }
}

TEST_F(PdfDocTest, FileBackedPictureIsReadWhileWriting) {
    auto path = folder_.File("bild.jpg");
    WriteBytes(path, MakeJpeg(64, 48));
    TJpegPicture picture;
    std::string error;
    ASSERT_TRUE(picture.LoadFromFile(path, error)) << error;
    EXPECT_EQ(picture.Width(), 64);

    TPdfDoc doc;
    doc.NewDocument();
    doc.AddPage();
    doc.AddXObject("Bild", CreatePdfImage(picture, "Pdf-Jpeg"));
    doc.GetCanvas().DrawXObject(0, 0, 64, 48, "Bild");
    // The file changes after loading: the document embeds what is there when
    // it is written, with the size that belongs to those bytes.
    std::string replaced = MakeJpeg(32, 16);
    WriteBytes(path, replaced);
    std::string pdf = SaveAndCheck(doc);
    EXPECT_NE(pdf.find("stream\r\n" + replaced + "\nendstream"), std::string::npos);
    EXPECT_NE(pdf.find("/Width 32\r\n"), std::string::npos);
    EXPECT_NE(pdf.find("/Height 16\r\n"), std::string::npos);

    // A picture file that vanished stops the writing with a reason.
    std::filesystem::remove(path);
    std::ostringstream sink;
    EXPECT_NE(ErrorOf([&] { doc.SaveToStream(sink); }), "");

    TJpegPicture notJpeg;
    WriteBytes(path, "kein Bild");
    EXPECT_FALSE(notJpeg.LoadFromFile(path, error));
    EXPECT_TRUE(notJpeg.Empty());
    EXPECT_NE(error.find("kein JPEG-Bild"), std::string::npos);
}

TEST_F(PdfDocTest, PictureSizeIsFoundBehindLongLeadingSegments) {
    // Camera files put previews and metadata in front of the frame header;
    // each count of 60,000-byte segments ends it in another of the reads
    // that look for it.
    for (int segments : {0, 1, 3}) {
        SCOPED_TRACE(segments);
        const std::string plain = MakeJpeg(40, 30);
        std::string jpeg = plain.substr(0, 2);
        for (int i = 0; i < segments; ++i) {
            const int length = 60000;
            jpeg += "\xFF\xE1";
            jpeg.push_back(static_cast<char>(length >> 8));
            jpeg.push_back(static_cast<char>(length & 0xFF));
            jpeg.append(length - 2, static_cast<char>('a' + i));
        }
        jpeg += plain.substr(2);
        const auto path = folder_.File("vorschau.jpg");
        WriteBytes(path, jpeg);

        TJpegPicture picture;
        std::string error;
        ASSERT_TRUE(picture.LoadFromFile(path, error)) << error;
        EXPECT_EQ(picture.Width(), 40);
        EXPECT_EQ(picture.Height(), 30);
        TPdfDoc doc;
        doc.NewDocument();
        doc.AddPage();
        doc.AddXObject("Bild", CreatePdfImage(picture, "Pdf-Jpeg"));
        doc.GetCanvas().DrawXObject(0, 0, 40, 30, "Bild");
        const std::string pdf = SaveAndCheck(doc);
        EXPECT_NE(pdf.find("stream\r\n" + jpeg + "\nendstream"), std::string::npos);
    }
}

TEST_F(PdfDocTest, ImageErrors) {
    TPdfDoc doc;
    doc.NewDocument();
    doc.AddPage();
    TJpegPicture picture;
    picture.LoadFromBytes(MakeJpeg(8, 8));
    doc.AddXObject("A", CreatePdfImage(picture, "Pdf-Jpeg"));
    EXPECT_EQ(ErrorOf([&] { doc.AddXObject("A", CreatePdfImage(picture, "Pdf-Jpeg")); }),
              "AddImage --the image named A is already exists..");
    EXPECT_EQ(ErrorOf([&] { doc.AddXObject("B", std::make_shared<TPdfDictionary>()); }),
              "AddImage --the image is not valid TPdfImage..");
    EXPECT_EQ(ErrorOf([&] { CreatePdfImage(picture, "Pdf-Bitmap"); }),
              "AddImage --InvalidImageClassName:Pdf-Bitmap");
    EXPECT_EQ(ErrorOf([&] { doc.GetCanvas().DrawXObject(0, 0, 1, 1, "C"); }),
              "DrawXObject --XObject not found: C");
    TJpegPicture png;
    png.LoadFromBytes("\x89PNG\r\n\x1a\n");
    EXPECT_FALSE(png.IsJpeg());
    EXPECT_EQ(ErrorOf([&] { TPdfJpegImage image(png); }), "only jpeg image is allowed.");
    TJpegPicture empty;
    EXPECT_EQ(ErrorOf([&] { TPdfJpegImage image(empty); }), "only jpeg image is allowed.");
    // A picture file's image is kept by the document under the same rules.
    EXPECT_EQ(ErrorOf([&] { doc.AddJpegFile("B", picture); }), "only jpeg image is allowed.");
    const auto path = folder_.File("bild.jpg");
    WriteBytes(path, MakeJpeg(8, 8));
    TJpegPicture file;
    std::string error;
    ASSERT_TRUE(file.LoadFromFile(path, error)) << error;
    EXPECT_EQ(ErrorOf([&] { doc.AddJpegFile("A", file); }),
              "AddImage --the image named A is already exists..");
    SaveAndCheck(doc);
}

TEST_F(PdfDocTest, MisuseIsReportedWithTheWritersMessages) {
    TPdfDoc doc;
    std::ostringstream sink;
    EXPECT_EQ(ErrorOf([&] { doc.SaveToStream(sink); }),
              "SaveToStream --there is no document to save.");
    EXPECT_EQ(ErrorOf([&] { doc.GetCanvas(); }), "GetCanvas --Document is null");
    EXPECT_EQ(ErrorOf([&] { doc.AddPage(); }), "AddPage --current pages null.");
    doc.NewDocument();
    EXPECT_EQ(ErrorOf([&] { doc.SaveToStream(sink); }), "GetPage --the Page is nil");
    EXPECT_EQ(sink.str(), ""); // nothing written at all
    EXPECT_EQ(ErrorOf([&] { doc.GetCanvas().MoveTo(0, 0); }), "GetPage --the Page is nil");
    EXPECT_NE(ErrorOf([&] { doc.GetOutlineRoot(); }), "");
}

TEST_F(PdfDocTest, DestinationsKeepTheirRangesAndFormOfWriting) {
    TPdfDoc doc;
    doc.SetUseOutlines(true);
    doc.NewDocument();
    TPdfPage& page = doc.AddPage();
    page.SetHeight(700);
    auto dest = doc.CreateDestination();
    EXPECT_EQ(dest->PageIndex(), 0u);
    EXPECT_EQ(dest->PageHeight(), 700);
    EXPECT_EQ(dest->Kind(), TPdfDestinationType::XYZ);
    EXPECT_EQ(dest->Zoom(), 1);
    dest->SetTop(800);
    dest->SetLeft(-20);
    EXPECT_EQ(dest->Left(), -1);
    EXPECT_EQ(ErrorOf([&] { dest->SetZoom(-0.5); }), "Zoom property cannot set to under 0.");
    EXPECT_EQ(ErrorOf([&] { dest->SetZoom(10.5); }), "Zoom property cannot set to over 10.");
    dest->SetZoom(10);
    dest->SetZoom(2.5);
    doc.SetOpenAction(dest);

    TPdfOutlineEntry first = doc.GetOutlineRoot().AddChild();
    first.SetTitle("Seite 1");
    first.SetDest(dest);
    TPdfOutlineEntry child = first.AddChild();
    child.SetTitle("Hecht (groß)");
    TPdfOutlineEntry second = doc.GetOutlineRoot().AddChild();
    second.SetTitle("Summe (inkl. 8,85 € Versandkosten) – „Hecht“");

    TPdfDoc other;
    other.NewDocument();
    other.AddPage();
    EXPECT_EQ(ErrorOf([&] { first.SetDest(other.CreateDestination()); }),
              "SetDest --internal docs are not equal.");
    // A destination kept past a new start of `other` refers to a page that
    // is no longer there.
    auto earlier = other.CreateDestination();
    other.SetUseOutlines(true);
    other.NewDocument();
    other.AddPage();
    TPdfOutlineEntry again = other.GetOutlineRoot().AddChild();
    EXPECT_EQ(ErrorOf([&] { again.SetDest(earlier); }), "SetDest --internal docs are not equal.");

    std::string pdf = SaveAndCheck(doc);
    int pageNumber = page.ObjectNumber();
    std::string destText = "[" + std::to_string(pageNumber) + " 0 R /XYZ -1 800 2.5 ]";
    EXPECT_NE(ObjectBody(pdf, 1).find("/OpenAction " + destText), std::string::npos);
    std::string root = ObjectBody(pdf, 2);
    EXPECT_NE(root.find("/Count 3"), std::string::npos);
    EXPECT_NE(root.find("/First " + std::to_string(first.ObjectNumber()) + " 0 R"),
              std::string::npos);
    EXPECT_NE(root.find("/Last " + std::to_string(second.ObjectNumber()) + " 0 R"),
              std::string::npos);
    std::string firstBody = ObjectBody(pdf, first.ObjectNumber());
    EXPECT_NE(firstBody.find("/Count -1"), std::string::npos);
    EXPECT_NE(firstBody.find("/Title (Seite 1)"), std::string::npos);
    EXPECT_NE(firstBody.find("/Dest " + destText), std::string::npos);
    EXPECT_NE(firstBody.find("/Next " + std::to_string(second.ObjectNumber()) + " 0 R"),
              std::string::npos);
    EXPECT_NE(firstBody.find("/Parent 2 0 R"), std::string::npos);
    EXPECT_EQ(firstBody.find("/Prev"), std::string::npos);
    std::string childBody = ObjectBody(pdf, child.ObjectNumber());
    EXPECT_NE(childBody.find("/Title (Hecht \\(gro\xDF\\))"), std::string::npos);
    EXPECT_NE(childBody.find("/Count 0"), std::string::npos);
    EXPECT_EQ(childBody.find("/Dest"), std::string::npos);
    EXPECT_NE(ObjectBody(pdf, second.ObjectNumber())
                  .find("/Prev " + std::to_string(first.ObjectNumber()) + " 0 R"),
              std::string::npos);

    // poppler sees the same tree.
    int status = 0;
    std::string outline =
        RunCommand("qpdf --json --json-key=outlines '" + lastPath_.string() + "'", status);
    EXPECT_NE(outline.find("\"title\": \"Seite 1\""), std::string::npos) << outline;
    EXPECT_NE(outline.find("\"title\": \"Hecht (groß)\""), std::string::npos) << outline;
    EXPECT_NE(outline.find("\"title\": \"Summe (inkl. 8,85 € Versandkosten) – „Hecht“\""),
              std::string::npos)
        << outline;
}

TEST_F(PdfDocTest, CatalogAndInformationEntries) {
    TPdfDoc doc;
    doc.NewDocument();
    doc.AddPage();
    doc.GetRoot().SetPageMode(TPdfPageMode::UseOutlines);
    doc.GetRoot().SetPageLayout(TPdfPageLayout::OneColumn);
    doc.GetInfo().SetTitle("Zelvorin");
    doc.GetInfo().SetAuthor("");
    clock_.Set(EncodeDate(2024, 12, 31) + EncodeTime(23, 59, 58));
    std::string pdf = SaveAndCheck(doc);
    EXPECT_NE(ObjectBody(pdf, 1).find("/PageMode /UseOutlines"), std::string::npos);
    EXPECT_NE(ObjectBody(pdf, 1).find("/PageLayout /OneColumn"), std::string::npos);
    EXPECT_EQ(ObjectBody(pdf, 1).find("/OpenAction"), std::string::npos);
    std::string info = ObjectBody(pdf, 2);
    EXPECT_NE(info.find("/Title (Zelvorin)"), std::string::npos);
    EXPECT_NE(info.find("/Author ()"), std::string::npos);
    EXPECT_NE(info.find("/CreationDate (D:20070605184207)"), std::string::npos);
    EXPECT_NE(info.find("/ModDate (D:20241231235958)"), std::string::npos);
    int status = 0;
    std::string meta = RunCommand("pdfinfo '" + lastPath_.string() + "'", status);
    EXPECT_NE(meta.find("Zelvorin"), std::string::npos) << meta;
    EXPECT_TRUE(std::regex_search(meta, std::regex("Pages:\\s+1\\n"))) << meta;
}

TEST_F(PdfDocTest, TitlesReadBackAsTheyWereGiven) {
    // The no-break space and the soft hyphen mean other characters (or none)
    // in the encoding of text strings than in Windows-1252.
    const std::string title = "Hecht\u00A0am Schilf, Kescher\u00ADnetz";
    TPdfDoc doc;
    doc.NewDocument();
    doc.AddPage();
    doc.GetInfo().SetTitle(title);
    doc.GetInfo().SetSubject("Fänger: Jörg");
    std::string pdf = SaveAndCheck(doc);
    EXPECT_NE(ObjectBody(pdf, 2).find("/Subject (F\xE4nger: J\xF6rg)"), std::string::npos);
    int status = 0;
    std::string meta = RunCommand("pdfinfo -enc UTF-8 '" + lastPath_.string() + "'", status);
    EXPECT_EQ(status, 0);
    EXPECT_NE(meta.find(title + "\n"), std::string::npos) << meta;
    EXPECT_NE(meta.find("Fänger: Jörg"), std::string::npos) << meta;
}

TEST_F(PdfDocTest, PageSizeRewritesTheMediaBox) {
    TPdfDoc doc;
    doc.NewDocument();
    doc.AddPage();
    doc.GetCanvas().SetPageWidth(600);
    doc.GetCanvas().SetPageHeight(700.5);
    std::string pdf = SaveAndCheck(doc);
    EXPECT_NE(pdf.find("/MediaBox [0 0 600 700.5 ]"), std::string::npos);
}

namespace {

// Builds a document long enough that its records of pages, bookmarks,
// destinations and pictures leave memory for the temporary file: each page
// shows its number and two pictures of one file under names of its own,
// and has a bookmark with a child, both to a destination on the page.
// Returns the first page's destination.
std::shared_ptr<TPdfDestination> BuildLongDocument(TPdfDoc& doc, const TJpegPicture& picture,
                                                   int pages) {
    doc.SetUseOutlines(true);
    doc.NewDocument();
    std::shared_ptr<TPdfDestination> first;
    for (int p = 0; p < pages; ++p) {
        doc.AddPage();
        TPdfCanvas& canvas = doc.GetCanvas();
        if (p % 7 == 3) {
            canvas.SetPageHeight(600 + p % 100);
        }
        canvas.BeginText();
        canvas.ShowText("Seite " + std::to_string(p));
        canvas.EndText();
        for (const char* which : {"a", "b"}) {
            const std::string name = "Bild" + std::to_string(p) + which;
            doc.AddJpegFile(name, picture);
            canvas.DrawXObject(10, 10, 16, 12, name);
        }
        auto dest = doc.CreateDestination();
        dest->SetKind(TPdfDestinationType::FitH);
        dest->SetTop(p % 800);
        TPdfOutlineEntry entry = doc.GetOutlineRoot().AddChild();
        entry.SetTitle("Seite " + std::to_string(p));
        entry.SetDest(dest);
        TPdfOutlineEntry child = entry.AddChild();
        child.SetTitle("Fang " + std::to_string(p));
        child.SetDest(dest);
        if (p == 0) {
            first = dest;
        }
    }
    return first;
}

// The object numbers in the page tree's "Kids", in order.
std::vector<int> PageNumbers(const std::string& pdf, int pageTree) {
    std::vector<int> numbers;
    const std::string tree = ObjectBody(pdf, pageTree);
    const std::regex kid("(\\d+) 0 R ");
    const std::string kids = tree.substr(tree.find("/Kids ["));
    for (auto it = std::sregex_iterator(kids.begin(), kids.begin() + kids.find(']'), kid);
         it != std::sregex_iterator(); ++it) {
        numbers.push_back(std::stoi((*it)[1]));
    }
    return numbers;
}

} // namespace

TEST_F(PdfDocTest, ALongDocumentIsWrittenAsItWasBuilt) {
    const int pages = 2100;
    const TJpegPicture picture = SmallFilePicture();

    TPdfDoc doc;
    auto first = BuildLongDocument(doc, picture, pages);
    // The first page and its destination were finished long ago; both are
    // still read and changed as they were given.
    EXPECT_EQ(first->PageHeight(), 842);
    first->SetTop(5);
    int found = 0;
    for (int p = 0; p < pages; ++p) {
        found += doc.HasXObject("Bild" + std::to_string(p) + "a") +
                 doc.HasXObject("Bild" + std::to_string(p) + "b");
    }
    EXPECT_EQ(found, 2 * pages);
    EXPECT_FALSE(doc.HasXObject("Bild0c"));
    EXPECT_FALSE(doc.HasXObject("Bild"));
    EXPECT_EQ(doc.XObjectCount(), 2u * pages);

    const std::string pdf = SaveAndCheck(doc);
    const std::vector<int> kids = PageNumbers(pdf, 4);
    ASSERT_EQ(kids.size(), static_cast<std::size_t>(pages));
    for (int p : {0, 3, 1000, pages - 1}) {
        SCOPED_TRACE(p);
        const std::string page = ObjectBody(pdf, kids[p]);
        const int height = p % 7 == 3 ? 600 + p % 100 : 842;
        EXPECT_NE(page.find("/MediaBox [0 0 596 " + std::to_string(height) + " ]"),
                  std::string::npos);
        for (const char* which : {"a", "b"}) {
            const std::string name = "Bild" + std::to_string(p) + which;
            std::smatch image;
            ASSERT_TRUE(std::regex_search(page, image, std::regex("/" + name + " (\\d+) 0 R")));
            EXPECT_NE(ObjectBody(pdf, std::stoi(image[1])).find("/Name /" + name + "\r\n"),
                      std::string::npos);
        }
        EXPECT_NE(ObjectBody(pdf, kids[p] + 1).find("(Seite " + std::to_string(p) + ") Tj"),
                  std::string::npos);
    }

    const std::string root = ObjectBody(pdf, 2);
    EXPECT_NE(root.find("/Count " + std::to_string(2 * pages) + "\r\n"), std::string::npos);
    std::smatch link;
    ASSERT_TRUE(std::regex_search(root, link, std::regex("/First (\\d+) 0 R")));
    const std::string entry = ObjectBody(pdf, std::stoi(link[1]));
    EXPECT_NE(entry.find("/Count -1\r\n/Title (Seite 0)\r\n/Dest [" + std::to_string(kids[0]) +
                         " 0 R /FitH 5 ]"),
              std::string::npos)
        << entry;
    ASSERT_TRUE(std::regex_search(root, link, std::regex("/Last (\\d+) 0 R")));
    const std::string last = ObjectBody(pdf, std::stoi(link[1]));
    EXPECT_NE(last.find("/Title (Seite " + std::to_string(pages - 1) + ")\r\n/Dest [" +
                        std::to_string(kids[pages - 1]) + " 0 R /FitH " +
                        std::to_string((pages - 1) % 800) + " ]"),
              std::string::npos)
        << last;
}

TEST_F(PdfDocTest, WhenTheTemporaryFileCannotGrowTheDocumentStaysWhole) {
    const int pages = 1200;
    const TJpegPicture picture = SmallFilePicture();
    TPdfDoc roomy;
    BuildLongDocument(roomy, picture, pages);
    const std::string expected = SaveToString(roomy);

    // Files of this process may not grow past 64 KB while the document is
    // built: the temporary file fills up a few hundred pages in, as on a
    // full disk, and what did not fit stays in memory.
    TPdfDoc squeezed;
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    rlimit small = before;
    small.rlim_cur = 64 * 1024;
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string failure = ErrorOf([&] { BuildLongDocument(squeezed, picture, pages); });
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    ASSERT_EQ(failure, "");

    const std::string written = SaveToString(squeezed);
    EXPECT_EQ(written.size(), expected.size());
    EXPECT_TRUE(written == expected);
}
