#include "cli/Cli.h"
#include "cli/ProgressLine.h"

#include "../exporting/SpreadsheetReader.h"
#include "../storage/DataTestSupport.h"
#include "base/AtomicFile.h"
#include "storage/Schemas.h"
#include "storage/TMlbc.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <sstream>

namespace zv::cli {
namespace {

using test::TempFolder;

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

CliRun Cli(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = RunCli(args, out, err);
    return {code, out.str(), err.str()};
}

// A program folder whose settings name a catch database of `catches` rows
// and a calendar database of one day; no cost database.
void WriteProgramFolder(const std::filesystem::path& folder, int catches) {
    const auto db = MakeEmptyTable(CatchFields());
    for (int i = 0; i < catches; ++i) {
        db->AppendRow();
        db->SetData("Fischart", "Hecht");
    }
    const auto cal = MakeEmptyTable(CalendarFields());
    cal->AppendRow();
    cal->SetData("Datum", "01.05.2024");
    ASSERT_TRUE(db->SaveToFile(PathToUtf8(folder / "Fang.f")));
    ASSERT_TRUE(cal->SaveToFile(PathToUtf8(folder / "Tage.cal")));
    test::WriteBytes(folder / "Zelvorin.ini",
                     "[Datenbank]\r\nZelvorin=" + PathToUtf8(folder / "Fang.f") +
                         "\r\nKalender=" + PathToUtf8(folder / "Tage.cal") + "\r\n");
}

TEST(CliTest, HelpListsEveryCommandOnItsOwnLine) {
    const CliRun help = Cli({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.err.empty());
    for (const std::vector<std::string>& same : {std::vector<std::string>{"-h"}, {"help"}}) {
        EXPECT_EQ(Cli(same).out, help.out) << same[0];
    }
    for (const CommandInfo& command : Commands()) {
        const std::size_t at = help.out.find("\n  " + std::string(command.name) + " ");
        ASSERT_NE(at, std::string::npos) << command.name;
        const std::size_t end = help.out.find('\n', at + 1);
        EXPECT_TRUE(std::string_view(help.out).substr(at, end - at).ends_with(command.summary))
            << command.name;
    }
    // Without any word the list goes to standard error, as a usage error.
    const CliRun nothing = Cli({});
    EXPECT_EQ(nothing.code, 2);
    EXPECT_EQ(nothing.err, help.out);
}

TEST(CliTest, EachCommandHasItsUsageAndOptionsInItsHelp) {
    for (const CommandInfo& command : Commands()) {
        const std::string name(command.name);
        const CliRun help = Cli({"help", name});
        EXPECT_EQ(help.code, 0) << name;
        EXPECT_EQ(Cli({name, "--help"}).out, help.out) << name;
        EXPECT_EQ(Cli({name, "x", "-h"}).out, help.out) << name;
        EXPECT_NE(help.out.find(command.usage), std::string::npos) << name;
        for (const CommandOption& option : command.options) {
            EXPECT_NE(help.out.find(std::string(option.name)), std::string::npos)
                << name << " " << option.name;
        }
    }
}

// The usage a command prints when called wrongly is the one its help shows.
TEST(CliTest, EachCommandsOwnUsageIsTheOneItsHelpShows) {
    for (const CommandInfo& command : Commands()) {
        std::ostringstream out;
        std::ostringstream err;
        const std::vector<std::string> wrong = command.name == "folder"
                                                   ? std::vector<std::string>{"zu", "viel"}
                                                   : std::vector<std::string>{};
        EXPECT_EQ(command.run(wrong, out, err), 2) << command.name;
        EXPECT_EQ(err.str(), command.usage) << command.name;
    }
}

TEST(CliTest, TheManPageDescribesEveryCommand) {
    const std::string page = test::ReadBytes(std::filesystem::path(ZV_TEST_SOURCE_DIR) /
                                             "../../packaging/zelvorin-cli.1");
    ASSERT_FALSE(page.empty());
    for (const CommandInfo& command : Commands()) {
        const std::string entry = "\n.TP\n.B " + std::string(command.name);
        const std::size_t at = page.find(entry);
        ASSERT_NE(at, std::string::npos) << command.name;
        EXPECT_NE(std::string_view(" \n").find(page[at + entry.size()]), std::string_view::npos)
            << command.name;
    }
}

TEST(CliTest, UnknownWordsAreNamedAndPointToTheHelp) {
    struct Case {
        std::vector<std::string> args;
        std::string said;
        std::string hint;
    };
    const Case cases[] = {
        {{"frob"}, "Unbekannter Befehl \"frob\"", "zelvorin-cli --help"},
        {{"--frob"}, "Unbekannte Option \"--frob\"", "zelvorin-cli --help"},
        {{"help", "frob"}, "Unbekannter Befehl \"frob\"", "zelvorin-cli --help"},
        {{"export", "ordner", "aus.csv", "--kostn"},
         "Unbekannte Option \"--kostn\" für \"export\"",
         "zelvorin-cli export --help"},
    };
    for (const Case& c : cases) {
        const CliRun run = Cli(c.args);
        EXPECT_EQ(run.code, 2) << c.said;
        EXPECT_TRUE(run.out.empty()) << c.said;
        EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(c.hint), std::string::npos) << run.err;
    }
}

TEST(CliTest, VersionIsPrintedAlone) {
    const CliRun run = Cli({"--version"});
    EXPECT_EQ(run.code, 0);
    EXPECT_TRUE(std::regex_match(run.out, std::regex("zelvorin-cli [0-9]+\\.[0-9]+\\.[0-9]+\n")))
        << run.out;
}

// An option's value and everything after "--" reach the command as words,
// whatever they look like.
TEST(CliTest, ValuesAndWordsAfterTheEndOfOptionsAreNotOptions) {
    TempFolder folder;
    WriteProgramFolder(folder.Path(), 1);
    const std::string place = folder.Path().string();
    const CliRun value = Cli({"stats", "species", place, "--faenger", "--help"});
    EXPECT_EQ(value.code, 0) << value.err;
    EXPECT_EQ(value.out.find("Aufruf"), std::string::npos);
    const CliRun term = Cli({"search", place, "--", "--kante"});
    EXPECT_EQ(term.code, 0) << term.err;
}

TEST(CliTest, ExportWritesTheChosenTable) {
    struct Case {
        const char* option; // nullptr: the catches
        std::vector<std::string> fields;
        std::size_t rows;
    };
    const Case cases[] = {
        {nullptr, CatchFields(), 3},
        {"--kalender", CalendarFields(), 1},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        WriteProgramFolder(folder.Path(), 3);
        std::vector<std::string> args = {"export", folder.Path().string(),
                                         (folder / "aus.csv").string()};
        if (c.option != nullptr) {
            args.emplace_back(c.option);
        }
        const CliRun run = Cli(args);
        ASSERT_EQ(run.code, 0) << run.err;
        EXPECT_NE(run.out.find("aus.csv"), std::string::npos) << run.out;
        const test::CsvFile csv = test::ReadCsv(folder / "aus.csv");
        ASSERT_EQ(csv.records.size(), c.rows + 1) << run.out;
        EXPECT_EQ(csv.records[0], c.fields);
    }
}

TEST(CliTest, ExportRefusesWhatItCannotWrite) {
    TempFolder folder;
    WriteProgramFolder(folder.Path(), 1);
    const std::string place = folder.Path().string();
    const std::string csv = (folder / "aus.csv").string();
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string said;
    };
    const Case cases[] = {
        {{"export", place, (folder / "aus.xls").string()}, 2, ".xlsx oder .csv"},
        {{"export", place, csv, "--kosten", "--kalender"}, 2, "Nur eine Tabelle"},
        {{"export", place, csv, "--kosten"}, 1, "keine Angelkostendatenbank"},
        {{"export", (folder / "fehlt").string(), csv}, 1, "existiert nicht"},
    };
    for (const Case& c : cases) {
        const CliRun run = Cli(c.args);
        EXPECT_EQ(run.code, c.code) << c.said;
        EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(csv)) << c.said;
    }
}

TEST(CliTest, LongWorkShowsProgressOnlyWhenStandardErrorIsATerminal) {
    for (const bool shown : {false, true}) {
        TempFolder folder;
        TempFolder restored;
        WriteProgramFolder(folder.Path(), 3);
        const std::string zip = (folder / "b.zip").string();
        const std::pair<std::vector<std::string>, const char*> runs[] = {
            {{"export", folder.Path().string(), (folder / "aus.xlsx").string()},
             "Export: 100 % (3 von 3)"},
            {{"backup", folder.Path().string(), zip}, "Das Backup wird geprüft … (100 %)"},
            {{"restore", restored.Path().string(), zip},
             "Das Backup wird geladen: Datei 2 von 2 (100 %)"},
        };
        SetProgressShown(shown);
        for (const auto& [args, progress] : runs) {
            const CliRun run = Cli(args);
            EXPECT_EQ(run.code, 0) << run.err;
            if (shown) {
                EXPECT_NE(run.err.find(progress), std::string::npos) << run.err;
                EXPECT_TRUE(run.err.ends_with("\r\x1b[K")) << "the line is cleared at the end";
            } else {
                EXPECT_TRUE(run.err.empty()) << run.err;
            }
        }
        SetProgressShown(false);
    }
}

TEST(CliTest, FolderNamesTheProgramFolderOfZelvorinHome) {
    TempFolder folder;
    ::setenv("ZELVORIN_HOME", folder.Path().c_str(), 1);
    const CliRun run = Cli({"folder"});
    ::unsetenv("ZELVORIN_HOME");
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, folder.Path().string() + "\n");
}

} // namespace
} // namespace zv::cli
