// zelvorin-cli costs over a program folder.

#include "CostTestSupport.h"

#include "cli/CostsCommands.h"
#include "storage/IniFile.h"

#include <sstream>

namespace zv::test {
namespace {

class CostsCommandsTest : public CostFixture {
protected:
    void SetUp() override { SetCurrentClock(&clock_); }
    void TearDown() override { SetCurrentClock(nullptr); }

    int Run(std::vector<std::string> args) {
        out_.str({});
        err_.str({});
        args.insert(args.begin() + 1, PathToUtf8(folder_.Path()));
        return cli::RunCostsCommand(args, out_, err_);
    }

    FixedClock clock_{Now()};
    std::ostringstream out_;
    std::ostringstream err_;
};

const std::vector<CostRow> kRows = {{"02.03.2023", "Alpha", "Rute", "1", "50,00", "50,00", "4,90"},
                                    {"02.03.2023", "beta", "Pose", "2", "1,50", "3,00", ""},
                                    {"10.01.2024", "Alpha", "Rolle", "1", "30,00", "30,00", ""}};

TEST_F(CostsCommandsTest, TreeYearsAndSearchPrintWhatTheWindowsShow) {
    UseRows(kRows);
    ASSERT_EQ(Run({"tree"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "jahre;-Alle-;2024;2023\n"
                          "geschaefte;-Alle-;Alpha;beta\n"
                          "K;10.01.2024;Alpha;;30,00 €\n"
                          "A;Rolle;1;30,00 €;30,00 €\n"
                          "K;02.03.2023;beta;;3,00 €\n"
                          "A;Pose;2;1,50 €;3,00 €\n"
                          "K;02.03.2023;Alpha;4,90 €;50,00 €\n"
                          "A;Rute;1;50,00 €;50,00 €\n"
                          "versand;4,90 €\nartikel;83,00 €\ngesamt;87,90 €\n");
    ASSERT_EQ(Run({"tree", "--jahr", "2023", "--geschaeft", "beta"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "jahre;-Alle-;2024;2023\n"
                          "geschaefte;-Alle-;Alpha;beta\n"
                          "K;02.03.2023;beta;;3,00 €\n"
                          "A;Pose;2;1,50 €;3,00 €\n"
                          "versand;0,00 €\nartikel;3,00 €\ngesamt;3,00 €\n");
    ASSERT_EQ(Run({"years"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "2024;30,00;-27,90;-48,19;gruen\n2023;57,90;0;0;normal\n");
    ASSERT_EQ(Run({"search", "ALP"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "1;02.03.2023;Alpha;Rute;1;50,00;50,00\n"
                          "3;10.01.2024;Alpha;Rolle;1;30,00;30,00\n");
}

TEST_F(CostsCommandsTest, AddStoresAPurchaseInTheDefaultDatabaseItCreates) {
    const std::vector<std::string> add = {"add",         "--datum",      "4.5.2024",
                                          "--geschaeft", "Nord",         "--versand",
                                          "4,90",        "--artikel",    "Schnur; 0,25;1;12,5",
                                          "--artikel",   "Haken;10;0,20"};
    ASSERT_EQ(Run(add), 0) << err_.str();
    const std::string path = PathToUtf8(folder_ / "Angelkosten.a");
    EXPECT_EQ(out_.str(), "datenbank;" + path + "\nzeilen;2\n");
    EXPECT_EQ(err_.str(), "");
    EXPECT_EQ(IniFile(folder_ / "Zelvorin.ini").ReadString("Datenbank", "Angelkosten"), path);
    TMlbc table;
    ASSERT_TRUE(table.LoadFromFile(path));
    EXPECT_EQ(
        RowsOf(table),
        (std::vector<CostRow>{{"04.05.2024", "Nord", "Schnur; 0,25", "1", "12,50", "12,50", "4,90"},
                              {"04.05.2024", "Nord", "Haken", "10", "0,20", "2,00", ""}}));

    // Settings that cannot name the new database: stored, and said so.
    std::filesystem::remove(path);
    WriteBytes(folder_ / "Zelvorin.ini", "");
    std::filesystem::permissions(folder_ / "Zelvorin.ini", std::filesystem::perms::owner_read);
    ASSERT_EQ(Run(add), 0) << err_.str();
    EXPECT_NE(err_.str().find("Einstellungen"), std::string::npos) << err_.str();
    ASSERT_TRUE(table.LoadFromFile(path));
    EXPECT_EQ(table.RowCount(), 2);
}

TEST_F(CostsCommandsTest, ConversionErrorsAndBadUsageWriteNothing) {
    UseRows(kRows);
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* message; // start of the error output
    };
    const Case cases[] = {
        {{"add", "--datum", "31.02.2024", "--geschaeft", "N", "--artikel", "A;1;1"},
         1,
         "'31.02.2024' ist kein gültiges Datum"},
        {{"add", "--datum", "1.2.2024", "--geschaeft", "N", "--artikel", "A;1;1", "--artikel",
          "B;1;billig"},
         1,
         "'billig' ist kein gültiger Gleitkommawert"},
        {{"add", "--datum", "1.2.2024", "--geschaeft", "N", "--artikel", "A;1"},
         2,
         "Der Artikel \"A;1\""},
        {{"add", "--datum", "1.2.2024", "--geschaeft", "N"}, 2, "Datum, Geschäft"},
        {{"tree", "--jahr", "zwanzig"}, 1, "'zwanzig' ist kein gültiger Integerwert"},
        {{"tree", "--monat", "3"}, 2, "Unbekannte Option"},
        {{"ordnen"}, 2, "Unbekannter Unterbefehl"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.message);
        EXPECT_EQ(Run(c.args), c.code);
        EXPECT_EQ(err_.str().rfind(c.message, 0), 0u) << err_.str();
        EXPECT_EQ(RowsOnDisk(), kRows);
    }
    // A cost database that the settings name but that is gone.
    std::filesystem::remove(CostPath());
    EXPECT_EQ(Run({"years"}), 1);
    EXPECT_NE(err_.str().find("existiert nicht"), std::string::npos);
}

} // namespace
} // namespace zv::test
