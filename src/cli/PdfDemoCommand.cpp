#include "cli/PdfDemoCommand.h"

#include "base/AtomicFile.h"
#include "base/NumberText.h"
#include "reports/pdf/TPRGridPanel.h"
#include "reports/pdf/TPRJpegImage.h"
#include "reports/pdf/TPRLabel.h"
#include "reports/pdf/TPRLayoutPanel.h"
#include "reports/pdf/TPRPage.h"
#include "reports/pdf/TPRRect.h"
#include "reports/pdf/TPRText.h"
#include "reports/pdf/TPReport.h"

#include <array>
#include <exception>
#include <ostream>

namespace zv::cli {

namespace {

constexpr int kLinesPerPage = 10;
constexpr int kLineCount = 17;

struct DemoLine {
    const char* date;
    const char* shop;
    const char* article;
    int quantity;
    double price;
};

const std::array<DemoLine, 5> kArticles = {{
    {"05.06.2007", "Angel-Sepp", "Wobbler \"Hecht (groß)\"", 2, 12.5},
    {"12.06.2007", "Gerätehaus Nord", "Monofile Schnur 0,30 mm", 1, 7.95},
    {"30.06.2007", "Angel-Sepp", "Drillinge Gr. 4 – 10 Stück", 3, 4.2},
    {"14.07.2007", "Köderbox & Co.", "Tauwürmer", 5, 3},
    {"02.08.2007", "Gerätehaus Nord", "Kescher, Alu, 2,40 m", 1, 39.9},
}};

// A framed header cell with a navy bold caption.
void AddHeaderCell(TPRLayoutPanel& band, const char* name, int left, int width,
                   const char* caption) {
    auto& frame = band.Add<TPRRect>(std::string(name) + "Rahmen");
    frame.SetBounds(left, 0, width, 25);
    auto& label = band.Add<TPRLabel>(name);
    label.SetBounds(left, 5, width, 16);
    label.SetFontBold(true);
    label.SetFontColor(clNavy);
    label.SetAlignment(TPdfAlignment::Center);
    label.SetCaption(caption);
}

TPRLabel& AddCell(TPRGridPanel& grid, const char* name, int left, int width) {
    auto& label = grid.Add<TPRLabel>(name);
    label.SetBounds(left, 3, width, 14);
    label.SetFontSize(10);
    return label;
}

} // namespace

int RunPdfDemoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args.size() > 2) {
        err << "Aufruf: zelvorin-cli pdf-demo AUSGABE.pdf [BILD.jpg]\n";
        return 2;
    }
    try {
        TPReport report;
        report.FileName = args[0];
        report.Title = "Zelvorin";
        report.Author = "Zelvorin";
        report.Creator = "zelvorin-cli pdf-demo";
        report.Subject = "Beispiel der Berichtsbausteine";
        report.PageLayout = TPdfPageLayout::OneColumn;
        report.PageMode = TPdfPageMode::UseOutlines;
        report.UseOutlines = true;

        TPRPage page;
        auto& title = page.Add<TPRLayoutPanel>("Titel");
        title.SetAlign(TPRAlign::Top);
        title.SetHeight(30);
        auto& titleLabel = title.Add<TPRLabel>("PRLabel12");
        titleLabel.SetAlign(TPRAlign::Client);
        titleLabel.SetFontSize(20);
        titleLabel.SetAlignment(TPdfAlignment::Center);
        titleLabel.SetCaption("Angelkosten 2007");

        auto& header = page.Add<TPRLayoutPanel>("Kopf");
        header.SetAlign(TPRAlign::Top);
        header.SetHeight(25);
        AddHeaderCell(header, "Datum", 0, 65, "Datum:");
        AddHeaderCell(header, "Geschaeft", 64, 121, "Geschäft:");
        AddHeaderCell(header, "Artikel", 184, 249, "Artikel:");
        AddHeaderCell(header, "Menge", 432, 33, "#:");
        AddHeaderCell(header, "Preis", 464, 65, "Preis:");

        auto& footer = page.Add<TPRLayoutPanel>("Fuss");
        footer.SetAlign(TPRAlign::Bottom);
        footer.SetHeight(230);
        auto& frame = footer.Add<TPRRect>("PRRect1");
        frame.SetBounds(0, 10, 530, 220);
        frame.SetFillColor(RGBColor(240, 244, 255));
        frame.SetLineColor(clNavy);
        frame.SetLineWidth(1);
        auto& heading = footer.Add<TPRLabel>("PRText2");
        heading.SetBounds(12, 18, 293, 17);
        heading.SetFontBold(true);
        heading.SetFontColor(clNavy);
        heading.SetCaption("Hecht, 87 cm, 5400 g");
        auto& rule = footer.Add<TPRRect>("PRRect3");
        rule.SetBounds(10, 40, 300, 1);
        auto& comment = footer.Add<TPRText>("PRText10");
        comment.SetBounds(12, 46, 293, 60);
        comment.SetFontSize(10);
        comment.SetWordWrap(true);
        comment.SetLines({"Bemerkungen: Am frühen Morgen am Schilfgürtel gefangen, "
                          "Köder langsam geführt. Der Text bricht an Wortgrenzen um und "
                          "endet am unteren Rand des Feldes, auch wenn er länger ist als "
                          "der Platz, der ihm bleibt."});
        auto& justified = footer.Add<TPRLabel>("Blocksatz");
        justified.SetBounds(12, 112, 293, 14);
        justified.SetFontSize(10);
        justified.SetAlignJustified(true);
        justified.SetCaption("Blocksatz über die ganze Breite");
        auto& times = footer.Add<TPRLabel>("Times");
        times.SetBounds(12, 132, 293, 14);
        times.SetFontName(TPRFontName::fnTimesRoman);
        times.SetFontItalic(true);
        times.SetFontSize(11);
        times.SetCaption("Times kursiv: Äsche, Döbel, Große Maräne");
        auto& fixed = footer.Add<TPRLabel>("Fest");
        fixed.SetBounds(12, 152, 293, 14);
        fixed.SetFontName(TPRFontName::fnFixedWidth);
        fixed.SetFontSize(10);
        fixed.SetCaption("FixedWidth: 12,50 €");
        auto& right = footer.Add<TPRLabel>("Rechts");
        right.SetBounds(12, 172, 293, 14);
        right.SetFontSize(10);
        right.SetAlignment(TPdfAlignment::RightJustify);
        right.SetCaption("rechtsbündig");
        auto& clipped = footer.Add<TPRLabel>("Abgeschnitten");
        clipped.SetBounds(12, 192, 90, 14);
        clipped.SetFontSize(10);
        clipped.SetClipping(true);
        clipped.SetCaption("Abgeschnitten am Rand des Feldes");
        auto& pictureFrame = footer.Add<TPRRect>("PRRect2");
        pictureFrame.SetBounds(319, 20, 200, 150);
        auto& picture = footer.Add<TPRJpegImage>("PRJpegImage1");
        picture.SetBounds(319, 20, 200, 150);
        picture.SetSharedImage(false);
        auto& catcher = footer.Add<TPRLabel>("PRText18");
        catcher.SetBounds(319, 178, 200, 14);
        catcher.SetFontSize(10);
        catcher.SetFontBold(true);
        catcher.SetCaption("Fänger: Jörg");
        for (int x : {0, 529}) {
            auto& side = footer.Add<TPRRect>("Seite" + std::to_string(x));
            side.SetBounds(x, 200, 1, 15);
            side.SetLineColor(clRed);
        }
        if (args.size() == 2) {
            std::string error;
            if (!picture.Picture().LoadFromFile(PathFromUtf8(args[1]), error)) {
                err << error << "\n";
                return 1;
            }
        }

        auto& grid = page.Add<TPRGridPanel>("PRGridPanel2");
        grid.SetAlign(TPRAlign::Client);
        grid.SetRowCount(kLinesPerPage);
        auto& date = AddCell(grid, "PRLabel6", 3, 65);
        auto& shop = AddCell(grid, "PRLabel7", 67, 118);
        auto& article = AddCell(grid, "PRLabel8", 187, 246);
        auto& quantity = AddCell(grid, "PRLabel9", 432, 33);
        quantity.SetAlignment(TPdfAlignment::Center);
        auto& price = AddCell(grid, "PRLabel10", 464, 62);
        price.SetAlignment(TPdfAlignment::RightJustify);
        price.SetFontColor(clRed);
        auto& bottomLine = grid.Add<TPRRect>("PRRect17");
        bottomLine.SetBounds(0, 19, 530, 1);
        bottomLine.SetLineColor(RGBColor(128, 128, 128));

        int printed = 0;
        double sum = 0;
        TPROutlineEntry pageEntry;
        page.OnPrintPage = [&](TPRPage&, TPdfCanvas&) {
            if (report.PageCount() == 1) {
                report.SetOpenAction(report.CreateDestination());
            }
            TPRDestination dest = report.CreateDestination();
            dest.SetTop(0);
            pageEntry = report.OutlineRoot().AddChild();
            pageEntry.SetDest(dest);
            pageEntry.SetTitle("Seite " + std::to_string(report.PageCount()));
        };
        grid.BeforePrintChild = [&](TPRGridPanel&, TPdfCanvas&, int, int, const TPRBounds& cell) {
            bool sumLine = printed == kLineCount;
            bool blank = printed > kLineCount;
            date.SetFontBold(sumLine);
            price.SetFontBold(sumLine);
            bottomLine.SetPrintable(!blank && !sumLine);
            if (blank) {
                for (TPRLabel* label : {&date, &shop, &article, &quantity, &price}) {
                    label->SetCaption("");
                }
                return;
            }
            std::string bookmark;
            if (sumLine) {
                date.SetCaption("Summe:");
                shop.SetCaption("");
                article.SetCaption("");
                quantity.SetCaption("");
                price.SetCaption(FormatMoney(sum));
                bookmark = "Summe";
            } else {
                const DemoLine& line =
                    kArticles[static_cast<std::size_t>(printed) % kArticles.size()];
                double total = line.quantity * line.price;
                sum += total;
                date.SetCaption(line.date);
                shop.SetCaption(line.shop);
                article.SetCaption(line.article);
                quantity.SetCaption(std::to_string(line.quantity));
                price.SetCaption(FormatMoney(total));
                bookmark = std::string(line.date) + " " + line.article;
            }
            TPRDestination dest = report.CreateDestination();
            dest.SetTop(cell.Top);
            dest.SetLeft(cell.Left);
            TPROutlineEntry entry = pageEntry.AddChild();
            entry.SetDest(dest);
            entry.SetTitle(bookmark);
            ++printed;
        };

        report.StartDocument();
        while (printed <= kLineCount) {
            report.RenderPage(page);
        }
        report.FinishDocument();
        out << args[0] << "\n";
        return 0;
    } catch (const std::exception& error) {
        err << error.what() << "\n";
        return 1;
    }
}

} // namespace zv::cli
