#include "ReportTestSupport.h"

#include "base/Win1252.h"
#include "cli/ReportCommands.h"
#include "reports/HtmlCatchSheet.h"
#include "reports/ReportWriter.h"
#include "storage/TMlbc.h"

#include <gtest/gtest.h>

#include <sstream>

namespace zv {
namespace {

using namespace test;

struct Outcome {
    int code = 0;
    std::string out;
    std::string err;
};

Outcome Call(int (*command)(const std::vector<std::string>&, std::ostream&, std::ostream&),
             const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    Outcome outcome;
    outcome.code = command(args, out, err);
    outcome.out = out.str();
    outcome.err = err.str();
    return outcome;
}

class ReportCommandsTest : public ::testing::Test {
protected:
    ReportCommandsTest() {
        catches_ =
            CatchTable({{{"Fischart", "Hecht"}, {"Faenger", "Uwe"}, {"Fangdatum", "05.06.2007"}},
                        {{"Fischart", "Zander"}, {"Faenger", "Jan"}, {"Fangdatum", "06.06.2007"}},
                        {{"Fischart", "Aal"}, {"Faenger", "Uwe"}, {"Fangdatum", "07.06.2008"}},
                        {{"Fischart", "Barsch"}, {"Faenger", "Uwe"}, {"Fangdatum", "08.06.2007"}}});
        costs_ = CostTable(
            {{{"Kaufdatum", "05.06.2007"}, {"Artikel", "Rute"}, {"Gesamtpreis", "30,00"}}});
        catches_->SaveToFile(folder_.File("Fang.f").string());
        costs_->SaveToFile(folder_.File("Kosten.a").string());
        WriteBytes(folder_.File("Zelvorin.ini"),
                   "[Datenbank]\r\nZelvorin=" + folder_.File("Fang.f").string() +
                       "\r\nAngelkosten=" + folder_.File("Kosten.a").string() + "\r\n");
    }
    std::string Folder() const { return folder_.Path().string(); }
    std::string File(const char* name) const { return folder_.File(name).string(); }

    TempFolder folder_;
    std::unique_ptr<TMlbc> catches_;
    std::unique_ptr<TMlbc> costs_;
};

TEST_F(ReportCommandsTest, ReportsAreTheWindowsDocuments) {
    const Outcome book = Call(cli::RunReportCommand, {"catchbook", Folder(), File("buch.pdf"),
                                                      "--faenger", "Uwe", "--jahr", "2007"});
    ASSERT_EQ(book.code, 0) << book.err;
    EXPECT_EQ(book.out, File("buch.pdf") + ": 1 Seite\n");
    EXPECT_EQ(CheckPdfFromOutside(folder_.File("buch.pdf"), {"2007", "Hecht", "Barsch"}), "");

    ReportWriter writer(folder_.Path());
    writer.SelectCatches(*catches_, "Uwe", "2007");
    ASSERT_EQ(writer.Write(File("fenster.pdf")).status, ReportOutcome::Status::Written);
    const std::vector<Bookmark> fromCli = ReadBookmarks(folder_.File("buch.pdf"));
    const std::vector<Bookmark> fromWindow = ReadBookmarks(folder_.File("fenster.pdf"));
    ASSERT_EQ(fromCli.size(), 1u);
    ASSERT_EQ(fromCli[0].kids.size(), fromWindow[0].kids.size());
    for (std::size_t i = 0; i < fromCli[0].kids.size(); ++i) {
        EXPECT_EQ(fromCli[0].kids[i].title, fromWindow[0].kids[i].title);
        EXPECT_EQ(fromCli[0].kids[i].top, fromWindow[0].kids[i].top);
    }
    EXPECT_EQ(PageText(folder_.File("buch.pdf"), 1), PageText(folder_.File("fenster.pdf"), 1));

    const Outcome costs = Call(cli::RunReportCommand, {"costs", Folder(), File("kosten.pdf")});
    ASSERT_EQ(costs.code, 0) << costs.err;
    EXPECT_EQ(CheckPdfFromOutside(folder_.File("kosten.pdf"),
                                  {"Rute", "Summe (inkl. 0,00 € Versandkosten):", "30,00 €"}),
              "");

    const Outcome years = Call(cli::RunReportCommand, {"years", Folder(), File("jahre.pdf")});
    ASSERT_EQ(years.code, 0) << years.err;
    EXPECT_EQ(CheckPdfFromOutside(folder_.File("jahre.pdf"), {"2007", "30,00 €"}), "");
}

TEST_F(ReportCommandsTest, FailuresPrintTheReasonAndWriteNothing) {
    WriteBytes(folder_.File("Leer.a"), "Kaufdatum;Geschaeft;Artikel;Menge;Einzelpreis;Gesamtpreis;"
                                       "Versandkosten\r\n");
    const struct {
        const char* what;
        std::vector<std::string> args;
        int code;
        std::string err;
    } cases[] = {
        {"no catch of the year",
         {"catchbook", Folder(), File("x.pdf"), "--jahr", "1999"},
         1,
         std::string(kNoSelectedData) + "\n"},
        {"year no number",
         {"catchbook", Folder(), File("x.pdf"), "--jahr", "neu"},
         1,
         "'neu' ist kein gültiger Integerwert\n" + std::string(kNothingWritten) + "\n"},
        {"missing folder",
         {"catchbook", File("fehlt"), File("x.pdf")},
         1,
         "Der Ordner \"" + File("fehlt") + "\" existiert nicht.\n"},
        {"unknown report", {"fische", Folder(), File("x.pdf")}, 2, ""},
        {"catcher on costs", {"costs", Folder(), File("x.pdf"), "--faenger", "Uwe"}, 2, ""},
        {"year on the summary", {"years", Folder(), File("x.pdf"), "--jahr", "2007"}, 2, ""},
        {"missing target", {"catchbook", Folder()}, 2, ""},
    };
    for (const auto& c : cases) {
        const Outcome outcome = Call(cli::RunReportCommand, c.args);
        EXPECT_EQ(outcome.code, c.code) << c.what;
        if (!c.err.empty()) {
            EXPECT_EQ(outcome.err, c.err) << c.what;
        }
        EXPECT_FALSE(std::filesystem::exists(folder_.File("x.pdf"))) << c.what;
    }

    WriteBytes(folder_.File("Zelvorin.ini"),
               "[Datenbank]\r\nAngelkosten=" + folder_.File("Leer.a").string() + "\r\n");
    const Outcome empty = Call(cli::RunReportCommand, {"costs", Folder(), File("x.pdf")});
    EXPECT_EQ(empty.code, 1);
    EXPECT_EQ(empty.err, std::string(kNoReportData) + "\n");
    EXPECT_FALSE(std::filesystem::exists(folder_.File("x.pdf")));
}

TEST_F(ReportCommandsTest, OnlyTheDatabaseTheReportReadsMustOpen) {
    WriteBytes(folder_.File("Zelvorin.ini"), "[Datenbank]\r\nZelvorin=" + File("Fang.f") +
                                                 "\r\nAngelkosten=" + File("weg.a") +
                                                 "\r\nKalender=" + File("weg.cal") + "\r\n");
    const Outcome costs = Call(cli::RunReportCommand, {"costs", Folder(), File("x.pdf")});
    EXPECT_EQ(costs.code, 1);
    EXPECT_EQ(costs.err, "Die Angelkostendatenbank \"" + File("weg.a") + "\" existiert nicht.\n");
    EXPECT_FALSE(std::filesystem::exists(folder_.File("x.pdf")));

    const Outcome book = Call(cli::RunReportCommand, {"catchbook", Folder(), File("buch.pdf")});
    EXPECT_EQ(book.code, 0) << book.err;
    EXPECT_TRUE(std::filesystem::exists(folder_.File("buch.pdf")));
}

TEST_F(ReportCommandsTest, HtmlSheetIsWrittenForTheFoldersCatchDatabase) {
    const Outcome sheet = Call(cli::RunHtmlSheetCommand, {Folder(), File("liste.html")});
    ASSERT_EQ(sheet.code, 0) << sheet.err;
    std::string expected;
    for (const std::string& line : BuildCatchSheet(*catches_)) {
        expected += line + "\r\n";
    }
    EXPECT_EQ(ReadBytes(folder_.File("liste.html")), Utf8ToWin1252(expected).value());

    const Outcome failed = Call(cli::RunHtmlSheetCommand, {Folder(), File("fehlt/liste.html")});
    EXPECT_EQ(failed.code, 1);
    EXPECT_NE(failed.err.find("fehlt/liste.html"), std::string::npos) << failed.err;
}

} // namespace
} // namespace zv
