// zelvorin-cli month and fishing-day over a program folder.

#include "cli/CalendarCommands.h"

#include "base/AtomicFile.h"
#include "storage/Schemas.h"
#include "storage/TMlbc.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace zv {
namespace {

using Row = std::map<std::string, std::string>;

struct CommandResult {
    int code;
    std::string out;
    std::string err;
};

class CalendarCommandsTest : public ::testing::Test {
protected:
    CalendarCommandsTest() {
        std::random_device rd;
        folder_ = std::filesystem::temp_directory_path() /
                  ("zv-cal-" + std::to_string(rd()) + "-" + std::to_string(rd()));
        std::filesystem::create_directories(folder_);
    }
    ~CalendarCommandsTest() override {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }

    // Saves both tables into the program folder and names them in the settings.
    void SaveFolder(const std::vector<Row>& catches, const std::vector<Row>& days) {
        const std::string db = Save("Fang.f", CatchFields(), catches);
        const std::string cal = Save("Tage.cal", CalendarFields(), days);
        std::ofstream ini(folder_ / "Zelvorin.ini", std::ios::binary);
        ini << "[Datenbank]\r\nZelvorin=" << db << "\r\nKalender=" << cal << "\r\n";
    }
    std::string Save(const std::string& name, const std::vector<std::string>& fields,
                     const std::vector<Row>& rows) {
        std::unique_ptr<TMlbc> table = MakeEmptyTable(fields);
        for (const Row& row : rows) {
            table->AppendRow();
            for (const auto& [field, value] : row) {
                EXPECT_TRUE(table->SetData(field, value)) << field;
            }
        }
        const std::string path = PathToUtf8(folder_ / name);
        EXPECT_TRUE(table->SaveToFile(path));
        return path;
    }
    CommandResult Month(const std::vector<std::string>& more) {
        return Run(&cli::RunMonthCommand, more);
    }
    CommandResult Day(const std::vector<std::string>& more) {
        return Run(&cli::RunFishingDayCommand, more);
    }
    CommandResult Run(int (*command)(const std::vector<std::string>&, std::ostream&, std::ostream&),
                      const std::vector<std::string>& more) {
        std::vector<std::string> args = {PathToUtf8(folder_)};
        args.insert(args.end(), more.begin(), more.end());
        std::ostringstream out;
        std::ostringstream err;
        const int code = command(args, out, err);
        return {code, out.str(), err.str()};
    }

    std::filesystem::path folder_;
};

TEST_F(CalendarCommandsTest, MonthPrintsTheHeaderAndSixWeeks) {
    SaveFolder({{{"Fangdatum", "17.02.2004"}},
                {{"Fangdatum", "17.02.2004"}},
                {{"Fangdatum", "17.02.2004"}},
                {{"Fangdatum", "01.02.2004"}}},
               {{{"Datum", "04.02.2004"}}});
    const CommandResult run = Month({"02", "2004"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "Mo;Di;Mi;Do;Fr;Sa;So\n"
                       ";;;;;;1 / 1 Fisch\n"
                       "2;3;4 / Keinen Fisch gefangen;5;6;7;8\n"
                       "9;10;11;12;13;14;15\n"
                       "16;17 / 3 Fische;18;19;20;21;22\n"
                       "23;24;25;26;27;28;29\n"
                       ";;;;;;\n");
}

TEST_F(CalendarCommandsTest, FishingDayPrintsThePanelAndTheCatches) {
    SaveFolder({{{"Fangdatum", "17.02.2004"},
                 {"Fischart", "Hecht"},
                 {"Gewaesser", "Rhein"},
                 {"Faenger", "Jan"},
                 {"Laenge", "78"},
                 {"Gewicht", "4200"}},
                {{"Fangdatum", "18.02.2004"}, {"Fischart", "Aal"}},
                {{"Fangdatum", "17.02.2004"},
                 {"Angelbeginn", "22:30:00"},
                 {"Angelende", "01:15:00"},
                 {"Fischart", "Zander"},
                 {"Gewaesser", "Rhein"},
                 {"Faenger", "Eva"},
                 {"Laenge", "55,5"},
                 {"Mondphase", "Vollmond"},
                 {"Kommentar", "Erst spät\r\ngebissen"}}},
               {{{"Datum", "04.02.2004"},
                 {"Angelbeginn", "06:00:00"},
                 {"Angelende", "06:00:00"},
                 {"Gewaesser", "Kanal"},
                 {"Lufttemp", "3"}}});

    const CommandResult catches = Day({"17.2.2004"});
    ASSERT_EQ(catches.code, 0) << catches.err;
    EXPECT_EQ(catches.out, "datum;Dienstag, 17.02.2004\n"
                           "angelzeit;22:30 Uhr - 01:15 Uhr = 02:45 Stunden\n"
                           "mond;Vollmond\n"
                           "gewaesser;Rhein\n"
                           "stelle;\n"
                           "wetter;\n"
                           "luftdruck; hPa\n"
                           "wassertemp; °C\n"
                           "lufttemp; °C\n"
                           "windrichtung;\n"
                           "windstaerke;\n"
                           "wassertruebung;\n"
                           "wasserstand;\n"
                           "kommentar;Erst spät | gebissen\n"
                           "1;Hecht;Rhein;Jan;78;4200\n"
                           "3;Zander;Rhein;Eva;55,5;\n");

    const CommandResult nothing = Day({"04.02.2004"});
    ASSERT_EQ(nothing.code, 0) << nothing.err;
    EXPECT_NE(nothing.out.find("datum;Mittwoch, 04.02.2004\n"
                               "angelzeit;06:00 Uhr - 06:00 Uhr = 00:00 Stunden\n"),
              std::string::npos);
    EXPECT_NE(nothing.out.find("gewaesser;Kanal\n"), std::string::npos);
    EXPECT_NE(nothing.out.find("lufttemp;3 °C\n"), std::string::npos);
    EXPECT_TRUE(nothing.out.ends_with("kommentar;\n")) << nothing.out;

    const CommandResult neither = Day({"05.02.2004"});
    EXPECT_EQ(neither.code, 0);
    EXPECT_EQ(neither.out, "");
    EXPECT_EQ(neither.err, "");
}

TEST_F(CalendarCommandsTest, ConversionErrorsPrintTheGermanMessageAndNothingElse) {
    SaveFolder(
        {{{"Fangdatum", "17.02.2004"}, {"Angelbeginn", "abends"}}, {{"Fangdatum", "30.02.2004"}}},
        {});
    struct Case {
        bool month;
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {true, {"Feb", "2004"}, "'Feb' ist kein gültiger Integerwert\n"},
        {true, {"13", "2004"}, "Der Monat 13 liegt nicht zwischen 1 und 12.\n"},
        {true, {"02", "2004"}, "'30.02.2004' ist kein gültiges Datum\n"},
        {false, {"31.02.2004"}, "'31.02.2004' ist kein gültiges Datum\n"},
        {false, {"17.02.2004"}, "'abends' ist keine gültige Uhrzeit\n"},
    };
    for (const Case& c : cases) {
        const CommandResult run = c.month ? Month(c.args) : Day(c.args);
        EXPECT_EQ(run.code, 1) << c.message;
        EXPECT_EQ(run.err, c.message);
        EXPECT_EQ(run.out, "");
    }
}

TEST_F(CalendarCommandsTest, MissingDatabasesAndWrongUsageAreRefused) {
    std::ofstream(folder_ / "Zelvorin.ini", std::ios::binary)
        << "[Datenbank]\r\nKalender=" << PathToUtf8(folder_ / "weg.cal") << "\r\n";
    const CommandResult missing = Month({"02", "2004"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find("weg.cal"), std::string::npos) << missing.err;

    EXPECT_EQ(Month({"02"}).code, 2);
    EXPECT_EQ(Day({}).code, 2);
    EXPECT_EQ(Day({"01.02.2004", "02.02.2004"}).code, 2);
}

} // namespace
} // namespace zv
