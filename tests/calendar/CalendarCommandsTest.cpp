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
using Command = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);

struct CommandResult {
    int code;
    std::string out;
    std::string err;
};

class CalendarCommandsTest : public ::testing::Test {
protected:
    CalendarCommandsTest() { std::filesystem::create_directories(folder_); }
    ~CalendarCommandsTest() override {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }

    // Both tables in the program folder, named in the settings.
    void SaveFolder(const std::vector<Row>& catches, const std::vector<Row>& days) {
        std::ofstream(folder_ / "Zelvorin.ini", std::ios::binary)
            << "[Datenbank]\r\nZelvorin=" << Save("Fang.f", CatchFields(), catches)
            << "\r\nKalender=" << Save("Tage.cal", CalendarFields(), days) << "\r\n";
    }
    std::string Save(const char* name, const std::vector<std::string>& fields,
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
    CommandResult Run(Command command, std::vector<std::string> args) {
        args.insert(args.begin(), PathToUtf8(folder_));
        std::ostringstream out;
        std::ostringstream err;
        const int code = command(args, out, err);
        return {code, out.str(), err.str()};
    }

    std::filesystem::path folder_ = std::filesystem::temp_directory_path() /
                                    ("zv-cal-" + std::to_string(std::random_device()()));
};

TEST_F(CalendarCommandsTest, MonthPrintsTheHeaderAndSixWeeks) {
    SaveFolder({{{"Fangdatum", "17.02.2004"}},
                {{"Fangdatum", "17.02.2004"}},
                {{"Fangdatum", "17.02.2004"}},
                {{"Fangdatum", "01.02.2004"}}},
               {{{"Datum", "04.02.2004"}}});
    const CommandResult run = Run(cli::RunMonthCommand, {"02", "2004"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "Mo;Di;Mi;Do;Fr;Sa;So\n"
                       ";;;;;;1 / 1 Fisch\n"
                       "2;3;4 / Keinen Fisch gefangen;5;6;7;8\n"
                       "9;10;11;12;13;14;15\n"
                       "16;17 / 3 Fische;18;19;20;21;22\n"
                       "23;24;25;26;27;28;29\n"
                       ";;;;;;\n");
}

TEST_F(CalendarCommandsTest, FishingDayPrintsThePanelAndTheCatchesOfACatchOrAFishingDay) {
    SaveFolder({{{"Fangdatum", "17.02.2004"},
                 {"Fischart", "Hecht"},
                 {"Gewaesser", "Rhein"},
                 {"Faenger", "Jan"},
                 {"Laenge", "78"},
                 {"Gewicht", "4200"}},
                {{"Fangdatum", "17.02.2004"},
                 {"Angelbeginn", "22:30:00"},
                 {"Angelende", "01:15:00"},
                 {"Fischart", "Zander"},
                 {"Gewaesser", "Rhein"},
                 {"Mondphase", "Vollmond"},
                 {"Kommentar", "Erst spät\r\ngebissen"}}},
               {{{"Datum", "04.02.2004"}, {"Angelbeginn", "06:00:00"}, {"Angelende", "06:00:00"}}});
    const struct {
        const char* date;
        const char* out; // the start of the output
    } cases[] = {
        {"17.2.2004", "datum;Dienstag, 17.02.2004\n"
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
                      "2;Zander;Rhein;;;\n"},
        {"04.02.2004",
         "datum;Mittwoch, 04.02.2004\nangelzeit;06:00 Uhr - 06:00 Uhr = 00:00 Stunden\n"},
        {"05.02.2004", ""}, // neither: nothing
    };
    for (const auto& c : cases) {
        const CommandResult run = Run(cli::RunFishingDayCommand, {c.date});
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_TRUE(run.out.starts_with(c.out)) << run.out;
        EXPECT_EQ(run.out.empty(), *c.out == '\0');
    }
}

TEST_F(CalendarCommandsTest, ErrorsPrintTheGermanMessageAndNothingElse) {
    SaveFolder(
        {{{"Fangdatum", "17.02.2004"}, {"Angelbeginn", "abends"}}, {{"Fangdatum", "30.02.2004"}}},
        {});
    const struct {
        Command command;
        std::vector<std::string> args;
        int code;
        const char* message; // empty: the usage
    } cases[] = {
        {cli::RunMonthCommand, {"Feb", "2004"}, 1, "'Feb' ist kein gültiger Integerwert\n"},
        {cli::RunMonthCommand, {"13", "2004"}, 1, "Der Monat 13 liegt nicht zwischen 1 und 12.\n"},
        {cli::RunMonthCommand, {"02", "2004"}, 1, "'30.02.2004' ist kein gültiges Datum\n"},
        {cli::RunFishingDayCommand, {"31.02.2004"}, 1, "'31.02.2004' ist kein gültiges Datum\n"},
        {cli::RunFishingDayCommand, {"17.02.2004"}, 1, "'abends' ist keine gültige Uhrzeit\n"},
        {cli::RunMonthCommand, {"02"}, 2, ""},
        {cli::RunFishingDayCommand, {}, 2, ""},
        {cli::RunFishingDayCommand, {"01.02.2004", "02.02.2004"}, 2, ""},
    };
    for (const auto& c : cases) {
        const CommandResult run = Run(c.command, c.args);
        EXPECT_EQ(run.code, c.code) << run.err;
        EXPECT_TRUE(*c.message ? run.err == c.message : run.err.starts_with("Aufruf:")) << run.err;
        EXPECT_EQ(run.out, "");
    }
    // A database the settings name but that is gone is reported by its name.
    std::ofstream(folder_ / "Zelvorin.ini", std::ios::binary)
        << "[Datenbank]\r\nKalender=" << PathToUtf8(folder_ / "weg.cal") << "\r\n";
    const CommandResult missing = Run(cli::RunMonthCommand, {"02", "2004"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find("weg.cal"), std::string::npos) << missing.err;
}

} // namespace
} // namespace zv
