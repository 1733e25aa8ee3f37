#include "storage/Workspace.h"

#include "base/Win1252.h"
#include "storage/Schemas.h"

#include "DataTestSupport.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

std::string CatchHeader() {
    std::string line;
    for (const std::string& f : CatchFields()) {
        line += (line.empty() ? "" : ";") + f;
    }
    return line + "\r\n";
}

const std::string kLegacyCatches = "Fangdatum;Fischart;Uferdistanz;Bemerkungen\r\n"
                                   "05.06.2007;Hecht;10;erster\r\n"
                                   "07.06.2007;Barsch;4;zweiter\r\n";

class WorkspaceTest : public ::testing::Test {
protected:
    std::string Ini(const std::string& section, const std::string& key) const {
        return IniFile(folder_ / "Zelvorin.ini").ReadString(section, key);
    }
    std::string P(const std::string& name) const { return (folder_ / name).string(); }

    TempFolder folder_;
};

TEST_F(WorkspaceTest, OlderSettingsLayoutIsConvertedAtOpening) {
    TempFolder elsewhere;
    WriteBytes(elsewhere / "Fang.fdb", kLegacyCatches);
    WriteBytes(folder_ / "Zelvorin.ini",
               "[DB]\r\nFile=" + (elsewhere / "Fang.fdb").string() + "\r\n");
    Workspace ws(folder_.Path());
    const OpenReport report = ws.Open();

    EXPECT_TRUE(report.Problems().empty());
    EXPECT_TRUE(report.catches.converted);
    EXPECT_EQ(report.catches.legacyPath, (elsewhere / "Fang.fdb").string());
    EXPECT_EQ(report.catches.settingsPath, P("Fang.f"));
    EXPECT_TRUE(report.catches.opened);
    EXPECT_EQ(ws.CatchPath(), P("Fang.f"));
    EXPECT_EQ(Ini("Datenbank", "Zelvorin"), P("Fang.f"));
    EXPECT_EQ(Ini("DB", "File"), (elsewhere / "Fang.fdb").string());
    EXPECT_EQ(ReadBytes(elsewhere / "Fang.fdb"), kLegacyCatches);
    ASSERT_EQ(ws.DB().RowCount(), 2);
    EXPECT_EQ(ws.DB().FieldCount(), 38);
    ws.DB().First();
    EXPECT_EQ(ws.DB().GetData("Distanz"), "10");
    EXPECT_EQ(ws.DB().GetData("Kommentar"), "erster");
    EXPECT_EQ(ws.CostPath(), "");
    EXPECT_EQ(ws.CalendarPath(), "");
}

TEST_F(WorkspaceTest, WindowsPathOfAnOlderProgramIsLookedUpInTheProgramFolder) {
    WriteBytes(folder_ / "Fang.fdb", kLegacyCatches);
    WriteBytes(folder_ / "Kosten.akdb", "Kaufdatum;Gesamtpreis;Gesamtpreisversand\r\n"
                                        "01.01.2008;10,5;15,4\r\n");
    WriteBytes(folder_ / "Zelvorin.ini", "[DB]\r\nFile=D:\\Alt\\Fang.fdb\r\n"
                                         "[AKDB]\r\nFile=D:\\Alt\\Kosten.akdb\r\n");
    Workspace ws(folder_.Path());
    const OpenReport report = ws.Open();
    EXPECT_TRUE(report.Problems().empty());
    EXPECT_EQ(ws.CatchPath(), P("Fang.f"));
    EXPECT_EQ(ws.CostPath(), P("Kosten.a"));
    EXPECT_EQ(Ini("Datenbank", "Zelvorin"), P("Fang.f"));
    EXPECT_EQ(Ini("Datenbank", "Angelkosten"), P("Kosten.a"));
    EXPECT_EQ(ws.DB().RowCount(), 2);
    ws.ak().First();
    EXPECT_EQ(ws.ak().GetData("Versandkosten"), "4,90");

    // The converted paths are current from now on: a second start converts nothing.
    Workspace again(folder_.Path());
    const OpenReport second = again.Open();
    EXPECT_FALSE(second.catches.converted);
    EXPECT_TRUE(second.catches.opened);
    EXPECT_EQ(again.DB().RowCount(), 2);
}

TEST_F(WorkspaceTest, DatenbankKeysWinOverTheOlderLayout) {
    WriteBytes(folder_ / "Neu.f", CatchHeader() + "01.01.2009\r\n");
    WriteBytes(folder_ / "Alt.fdb", kLegacyCatches);
    WriteBytes(folder_ / "K.cal", "Datum\r\n02.02.2009\r\n03.02.2009\r\n");
    WriteBytes(folder_ / "Zelvorin.ini", "[DB]\r\nFile=" + P("Alt.fdb") +
                                             "\r\n[Datenbank]\r\nZelvorin=" + P("Neu.f") +
                                             "\r\nKalender=" + P("K.cal") + "\r\n");
    Workspace ws(folder_.Path());
    ws.Open();
    EXPECT_EQ(ws.CatchPath(), P("Neu.f"));
    EXPECT_EQ(ws.DB().RowCount(), 1);
    EXPECT_FALSE(std::filesystem::exists(folder_ / "Alt.f"));
    EXPECT_EQ(ws.CalendarPath(), P("K.cal"));
    EXPECT_EQ(ws.cal().RowCount(), 2);
}

TEST_F(WorkspaceTest, MissingFilesStayClosedQuietly) {
    WriteBytes(folder_ / "Zelvorin.ini",
               "[Datenbank]\r\nZelvorin=" + P("weg.f") + "\r\nKalender=/nirgends/K.cal\r\n");
    Workspace ws(folder_.Path());
    const OpenReport report = ws.Open();
    EXPECT_TRUE(report.Problems().empty());
    EXPECT_FALSE(report.catches.opened);
    EXPECT_EQ(report.catches.path, P("weg.f"));
    EXPECT_EQ(ws.CatchPath(), "");
    EXPECT_EQ(ws.CalendarPath(), "");
    EXPECT_EQ(ws.DB().RowCount(), 0);
}

TEST_F(WorkspaceTest, OpeningANewProgramFolderCreatesItsListAndPictureFolders) {
    Workspace ws(folder_.Path());
    EXPECT_TRUE(ws.Open().Problems().empty());
    for (const char* folder : {"DATs", "img"}) {
        EXPECT_TRUE(std::filesystem::is_directory(folder_ / folder)) << folder;
    }
}

// A database that exists but does not load holds the angler's data: it is
// reported, never made current, and no default takes its place until
// another database of that kind is chosen.
TEST_F(WorkspaceTest, DatabaseThatDoesNotLoadIsKeptAndNoDefaultTakesItsPlace) {
    // A data line with more pieces than the header has fields.
    const std::string broken = "Kaufdatum;Gesamtpreis\r\n01.01.2008;1;2;3\r\n";
    struct Case {
        DatabaseKind kind;
        const char* section;
        const char* file;
    };
    const Case cases[] = {
        {DatabaseKind::Catch, "Datenbank", "Kaputt.f"},
        {DatabaseKind::Cost, "Datenbank", "Kaputt.a"},
        {DatabaseKind::Calendar, "Datenbank", "Kaputt.cal"},
        {DatabaseKind::Catch, "DB", "Kaputt.fdb"}, // an old file that cannot be converted
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        TempFolder folder;
        WriteBytes(folder / c.file, broken);
        const std::string ini = std::string("[") + c.section + "]\r\n" +
                                (c.section == std::string("DB") ? "File" : SettingsKeyOf(c.kind)) +
                                "=" + (folder / c.file).string() + "\r\n";
        WriteBytes(folder / "Zelvorin.ini", ini);
        Workspace ws(folder.Path());
        const OpenReport report = ws.Open();
        ASSERT_EQ(report.Problems().size(), 1u);
        EXPECT_NE(report.Problems()[0].find(c.file), std::string::npos) << report.Problems()[0];
        EXPECT_EQ(ws.CurrentPath(c.kind), "");
        EXPECT_EQ(ws.UnopenedPath(c.kind), (folder / c.file).string());

        const WorkspaceResult created = ws.EnsureDatabase(c.kind);
        EXPECT_FALSE(created.ok);
        for (const std::string& part : {(folder / c.file).string(), std::string("Zeile"),
                                        std::string("\"Datei\" \"Datenbank\"")}) {
            EXPECT_NE(created.problem.find(part), std::string::npos) << created.problem;
        }
        EXPECT_EQ(ReadBytes(folder / c.file), broken);
        EXPECT_EQ(ReadBytes(folder / "Zelvorin.ini"), ini);
        EXPECT_FALSE(std::filesystem::exists(folder / DefaultFileNameOf(c.kind)));

        // Another database chosen in the database window ends the refusal.
        WriteBytes(folder / "Leer", "");
        ASSERT_TRUE(ws.LoadDatabase(c.kind, (folder / "Leer").string()).ok);
        EXPECT_EQ(ws.UnopenedProblem(c.kind), "");
    }
}

TEST_F(WorkspaceTest, LegacyFileThatCannotBeReadIsReportedAndNothingChanges) {
    const std::string ini = "[DB]\r\nFile=/nirgends/Fang.fdb\r\n";
    WriteBytes(folder_ / "Zelvorin.ini", ini);
    Workspace ws(folder_.Path());
    const OpenReport report = ws.Open();
    ASSERT_EQ(report.Problems().size(), 1u);
    EXPECT_FALSE(report.catches.converted);
    EXPECT_EQ(ws.CatchPath(), "");
    EXPECT_EQ(ReadBytes(folder_ / "Zelvorin.ini"), ini);
    // No empty table takes the place of the conversion's result.
    EXPECT_FALSE(std::filesystem::exists(folder_ / "Fang.f"));
}

// The settings still name an old file whose converted database exists
// already: converting again would bring back deleted catches and lose added
// ones. Whether the new key could never be written (read-only settings) or
// was emptied in the database window, the existing database is opened.
TEST_F(WorkspaceTest, AnExistingConversionTargetIsOpenedNotConvertedOver) {
    const std::string converted = CatchHeader() + "07.06.2007;;;;;Barsch\r\n";
    const std::string costs = "Kaufdatum;Geschaeft;Artikel;Menge;Einzelpreis;Gesamtpreis;"
                              "Versandkosten\r\n01.01.2008;;Haken;1;2;2;\r\n";
    struct Route {
        const char* what;
        bool readOnly;
        bool emptiedKeys;
        bool legacyGone;
    };
    const Route routes[] = {
        {"read-only settings", true, false, false},
        {"emptied keys", false, true, false},
        {"old file gone", false, false, true},
    };
    for (const Route& route : routes) {
        SCOPED_TRACE(route.what);
        TempFolder folder;
        const std::filesystem::path ini = folder / "Zelvorin.ini";
        WriteBytes(ini,
                   "[DB]\r\nFile=" + (folder / "Fang.fdb").string() +
                       "\r\n[AKDB]\r\nFile=" + (folder / "Kosten.akdb").string() + "\r\n" +
                       (route.emptiedKeys ? "[Datenbank]\r\nZelvorin=\r\nAngelkosten=\r\n" : ""));
        if (route.readOnly) {
            std::filesystem::permissions(ini, std::filesystem::perms::owner_read);
        }
        if (!route.legacyGone) {
            WriteBytes(folder / "Fang.fdb", kLegacyCatches);
            WriteBytes(folder / "Kosten.akdb", "Kaufdatum;Gesamtpreis\r\n01.01.2008;10\r\n");
        }
        WriteBytes(folder / "Fang.f", converted);
        WriteBytes(folder / "Kosten.a", costs);

        Workspace ws(folder.Path());
        const OpenReport report = ws.Open();
        EXPECT_FALSE(report.catches.converted);
        EXPECT_EQ(ws.CatchPath(), (folder / "Fang.f").string());
        EXPECT_EQ(ws.CostPath(), (folder / "Kosten.a").string());
        EXPECT_EQ(ws.DB().RowCount(), 1);
        EXPECT_EQ(ReadBytes(folder / "Fang.f"), converted);
        EXPECT_EQ(ReadBytes(folder / "Kosten.a"), costs);
        const std::vector<std::string> notices = report.Notices();
        ASSERT_EQ(notices.size(), 2u);
        EXPECT_NE(notices[0].find("\"" + (folder / "Fang.f").string() + "\" wurde geöffnet"),
                  std::string::npos)
            << notices[0];
        EXPECT_NE(notices[0].find((folder / "Fang.fdb").string()), std::string::npos);
        // The settings name the database from now on where they can.
        EXPECT_EQ(IniFile(ini).ReadString("Datenbank", "Zelvorin"),
                  route.readOnly ? "" : (folder / "Fang.f").string());
        EXPECT_EQ(report.Problems().size(), route.readOnly ? 2u : 0u);
    }
}

TEST_F(WorkspaceTest, OpeningRemovesTheLitterOfInterruptedSaves) {
    TempFolder elsewhere;
    WriteBytes(elsewhere / "Fang.f", CatchHeader());
    WriteBytes(folder_ / "Zelvorin.ini",
               "[Datenbank]\r\nZelvorin=" + (elsewhere / "Fang.f").string() + "\r\n");
    const std::filesystem::path litter[] = {
        folder_ / "Zelvorin.ini.tmp-0123456789ab", folder_ / "DATs" / "Koeder.dat.tmp-0123456789ab",
        folder_ / "img" / "1_0.jpg.tmp-0123456789ab", elsewhere / "Fang.f.tmp-0123456789ab"};
    for (const auto& path : litter) {
        WriteBytes(path, "halb");
    }
    Workspace ws(folder_.Path());
    ws.Open();
    for (const auto& path : litter) {
        EXPECT_FALSE(std::filesystem::exists(path)) << path;
    }
    EXPECT_TRUE(std::filesystem::exists(elsewhere / "Fang.f"));
}

TEST_F(WorkspaceTest, PathsWithUmlautsAndBlanks) {
    TempFolder root;
    const auto program = root / "Programme Jörg" / "Zelvorin Äsche";
    const auto data = root / "Fänge und Köder";
    WriteBytes(data / "Fänge 2007.fdb", kLegacyCatches);
    WriteBytes(data / "Tage am See.cal", "Datum;Gewaesser\r\n01.05.2007;M\xF6hnesee\r\n");
    WriteBytes(program / "Zelvorin.ini",
               "[DB]\r\nFile=" + *Utf8ToWin1252((data / "Fänge 2007.fdb").string()) +
                   "\r\n[Datenbank]\r\nKalender=" +
                   *Utf8ToWin1252((data / "Tage am See.cal").string()) + "\r\n");
    Workspace ws(program);
    const OpenReport report = ws.Open();
    EXPECT_TRUE(report.Problems().empty());
    EXPECT_EQ(ws.CatchPath(), (program / "Fänge 2007.f").string());
    EXPECT_EQ(IniFile(program / "Zelvorin.ini").ReadString("Datenbank", "Zelvorin"),
              (program / "Fänge 2007.f").string());
    EXPECT_EQ(ws.DB().RowCount(), 2);
    ASSERT_EQ(ws.CalendarPath(), (data / "Tage am See.cal").string());
    ws.cal().First();
    EXPECT_EQ(ws.cal().GetData("Gewaesser"), "Möhnesee");
}

TEST_F(WorkspaceTest, DefaultDatabasesAreCreatedRecordedAndCurrent) {
    Workspace ws(folder_.Path());
    ws.Open();
    const WorkspaceResult result = ws.CreateDefaultDatabase(DatabaseKind::Catch);
    ASSERT_TRUE(result.ok) << result.problem;
    EXPECT_EQ(result.problem, "");
    EXPECT_EQ(result.message, "Es wurde automatisch eine Zelvorin Datenbank angelegt. \r\n"
                              "Diese kann jederzeit unter dem Menüpunkt \"Datei\" \"Datenbank\" "
                              "verändert werden.");
    EXPECT_EQ(ReadBytes(folder_ / "Datenbank.f"), CatchHeader());
    EXPECT_EQ(ws.CatchPath(), P("Datenbank.f"));
    EXPECT_EQ(Ini("Datenbank", "Zelvorin"), P("Datenbank.f"));
    EXPECT_EQ(ws.DB().FieldCount(), 38);

    const WorkspaceResult cost = ws.CreateDefaultDatabase(DatabaseKind::Cost);
    ASSERT_TRUE(cost.ok);
    EXPECT_TRUE(cost.message.starts_with("Es wurde automatisch eine Datenbank angelegt. \r\n"));
    EXPECT_EQ(ReadBytes(folder_ / "Angelkosten.a"),
              "Kaufdatum;Geschaeft;Artikel;Menge;Einzelpreis;Gesamtpreis;Versandkosten\r\n");
    EXPECT_EQ(Ini("Datenbank", "Angelkosten"), P("Angelkosten.a"));

    const WorkspaceResult cal = ws.CreateDefaultDatabase(DatabaseKind::Calendar);
    ASSERT_TRUE(cal.ok);
    EXPECT_TRUE(
        cal.message.starts_with("Es wurde automatisch eine Kalender Datenbank angelegt. \r\n"));
    EXPECT_EQ(ws.cal().FieldCount(), 22);
    EXPECT_EQ(ws.CalendarPath(), P("Kalender.cal"));
    EXPECT_EQ(Ini("Datenbank", "Zelvorin"), P("Datenbank.f"));
}

// A folder named relative to the working folder (as on a command line) must
// record full paths: a recorded "prog/Angelkosten.a" would later be looked up
// as "prog/prog/Angelkosten.a" and the database would seem lost.
TEST_F(WorkspaceTest, AProgramFolderNamedFromTheWorkingFolderRecordsFullPaths) {
    std::filesystem::create_directory(folder_ / "prog");
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder_.Path());
    WorkspaceResult created;
    {
        Workspace ws("prog");
        ws.Open();
        created = ws.CreateDefaultDatabase(DatabaseKind::Cost);
    }
    std::filesystem::current_path(before);
    ASSERT_TRUE(created.ok) << created.problem;
    const std::string full = P("prog/Angelkosten.a");
    EXPECT_EQ(IniFile(folder_ / "prog" / "Zelvorin.ini").ReadString("Datenbank", "Angelkosten"),
              full);
    Workspace again(folder_ / "prog");
    EXPECT_TRUE(again.Open().costs.opened);
}

TEST_F(WorkspaceTest, DefaultDatabaseThatAlreadyExistsKeepsItsRows) {
    const std::string existing = CatchHeader() + "01.01.2009;;;;Uwe;Aal\r\n";
    WriteBytes(folder_ / "Datenbank.f", existing);
    Workspace ws(folder_.Path());
    ws.Open();
    const WorkspaceResult result = ws.EnsureDatabase(DatabaseKind::Catch);
    ASSERT_TRUE(result.ok) << result.problem;
    EXPECT_NE(result.message.find("vorhandene"), std::string::npos);
    EXPECT_EQ(ReadBytes(folder_ / "Datenbank.f"), existing);
    EXPECT_EQ(ws.DB().RowCount(), 1);
    EXPECT_EQ(ws.CatchPath(), P("Datenbank.f"));
    EXPECT_EQ(Ini("Datenbank", "Zelvorin"), P("Datenbank.f"));

    // Once open, ensuring does nothing more.
    const WorkspaceResult again = ws.EnsureDatabase(DatabaseKind::Catch);
    EXPECT_TRUE(again.ok);
    EXPECT_EQ(again.message, "");
}

TEST_F(WorkspaceTest, DatabaseFileWithoutAHeaderGetsItsFields) {
    // A zero-byte file holds no rows; without fields, every cell stored into
    // it later would be dropped.
    WriteBytes(folder_ / "Leer.f", "");
    WriteBytes(folder_ / "Kalender.cal", "\r\n");
    WriteBytes(folder_ / "Zelvorin.ini", "[Datenbank]\r\nZelvorin=" + P("Leer.f") + "\r\n");
    Workspace ws(folder_.Path());
    ws.Open();
    ASSERT_EQ(ws.CatchPath(), P("Leer.f"));
    ASSERT_EQ(ws.DB().FieldCount(), 38);
    EXPECT_EQ(ws.DB().FieldName(1), "Fangdatum");
    EXPECT_EQ(ws.DB().FieldName(38), "zurueckgesetzt");
    EXPECT_EQ(ws.DB().RowCount(), 0);

    const WorkspaceResult cal = ws.EnsureDatabase(DatabaseKind::Calendar);
    ASSERT_TRUE(cal.ok) << cal.problem;
    EXPECT_EQ(ws.cal().FieldCount(), 22);
    ws.cal().AppendRow();
    EXPECT_TRUE(ws.cal().SetData("Gewaesser", "Möhnesee"));

    WriteBytes(folder_ / "Auch leer.a", "");
    ASSERT_TRUE(ws.LoadDatabase(DatabaseKind::Cost, P("Auch leer.a")).ok);
    EXPECT_EQ(ws.ak().FieldCount(), 7);
}

TEST_F(WorkspaceTest, UnwritableProgramFolderGivesAReportedFailure) {
    WriteBytes(folder_ / "blocked", "x");
    Workspace ws(folder_ / "blocked");
    ws.Open();
    const WorkspaceResult result = ws.CreateDefaultDatabase(DatabaseKind::Catch);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.problem.find("Datenbank.f"), std::string::npos) << result.problem;
    EXPECT_EQ(ws.CatchPath(), "");
    EXPECT_EQ(ReadBytes(folder_ / "blocked"), "x");
    EXPECT_FALSE(ws.RebuildValueLists().ok);
}

class WorkspaceRowsTest : public WorkspaceTest {
protected:
    void SetUp() override {
        // Bilder is the 31st field.
        WriteBytes(folder_ / "Fang.f", CatchHeader() + "01.01.2009;;;;A;Aal" +
                                           std::string(25, ';') + "1.jpg,2.jpg\r\n" +
                                           "02.01.2009;;;;B;Barsch\r\n" +
                                           "03.01.2009;;;;C;Carp\r\n");
        WriteBytes(folder_ / "Zelvorin.ini", "[Datenbank]\r\nZelvorin=" + P("Fang.f") + "\r\n");
        ws_.Open();
        ASSERT_EQ(ws_.DB().RowCount(), 3);
    }
    std::vector<std::string> SavedSpecies() {
        TMlbc saved;
        EXPECT_TRUE(saved.LoadFromFile(P("Fang.f")));
        std::vector<std::string> species;
        for (int row = 1; row <= saved.RowCount(); ++row) {
            species.emplace_back(saved.Cell(row, saved.FieldIndex("Fischart")));
        }
        return species;
    }

    Workspace ws_{folder_.Path()};
};

TEST_F(WorkspaceRowsTest, DeleteRemovesTheRowAndSaves) {
    ASSERT_TRUE(ws_.DeleteCatch(2).ok);
    EXPECT_EQ(SavedSpecies(), (std::vector<std::string>{"Aal", "Carp"}));
    EXPECT_EQ(ws_.DB().CurrentRow(), 2);
    ASSERT_TRUE(ws_.DeleteCatch(2).ok);
    EXPECT_EQ(ws_.DB().CurrentRow(), 1);
    EXPECT_EQ(SavedSpecies(), (std::vector<std::string>{"Aal"}));

    const WorkspaceResult gone = ws_.DeleteCatch(5);
    EXPECT_FALSE(gone.ok);
    EXPECT_FALSE(gone.problem.empty());
    EXPECT_EQ(ws_.DB().RowCount(), 1);
}

TEST_F(WorkspaceRowsTest, CloneAppendsACopyWithTheSamePicturesAndSaves) {
    ASSERT_TRUE(ws_.CloneCatch(1).ok);
    EXPECT_EQ(ws_.DB().RowCount(), 4);
    EXPECT_EQ(ws_.DB().CurrentRow(), 4);
    EXPECT_EQ(ws_.DB().GetData("Bilder"), "1.jpg,2.jpg");
    EXPECT_EQ(SavedSpecies(), (std::vector<std::string>{"Aal", "Barsch", "Carp", "Aal"}));
    EXPECT_FALSE(ws_.CloneCatch(0).ok);
    EXPECT_EQ(ws_.DB().RowCount(), 4);
}

TEST_F(WorkspaceRowsTest, FailedSaveIsReportedAndTheTableKeepsTheChange) {
    const std::string before = ReadBytes(folder_ / "Fang.f");
    WriteBytes(folder_ / "blocked", "x");
    ws_.SetCatchPath((folder_ / "blocked" / "Fang.f").string());
    const WorkspaceResult result = ws_.DeleteCatch(1);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.problem.empty());
    EXPECT_EQ(ws_.DB().RowCount(), 2);
    EXPECT_EQ(ReadBytes(folder_ / "Fang.f"), before);

    ws_.SetCatchPath("");
    EXPECT_FALSE(ws_.CloneCatch(1).ok);
}

TEST_F(WorkspaceRowsTest, LoadDatabaseSwitchesOnlyWhenTheFileLoads) {
    WriteBytes(folder_ / "Zwei.f", CatchHeader() + "09.09.2009\r\n");
    EXPECT_FALSE(ws_.LoadDatabase(DatabaseKind::Catch, P("fehlt.f")).ok);
    EXPECT_EQ(ws_.CatchPath(), P("Fang.f"));
    EXPECT_EQ(ws_.DB().RowCount(), 3);
    ASSERT_TRUE(ws_.LoadDatabase(DatabaseKind::Catch, P("Zwei.f")).ok);
    EXPECT_EQ(ws_.CatchPath(), P("Zwei.f"));
    EXPECT_EQ(ws_.DB().RowCount(), 1);
}

TEST_F(WorkspaceRowsTest, RebuildReadsTheCatchTable) {
    ASSERT_TRUE(ws_.RebuildValueLists().ok);
    EXPECT_EQ(ReadBytes(folder_ / "DATs" / "Fischarten.dat"), "Aal\r\nBarsch\r\nCarp\r\n");
}

} // namespace
} // namespace zv
