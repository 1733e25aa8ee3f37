#include "backup/Restore.h"
#include "backup/Backup.h"
#include "storage/IniFile.h"
#include "storage/Schemas.h"
#include "storage/Workspace.h"

#include "BackupTestSupport.h"
#include "ZipBytes.h"

#include <gtest/gtest.h>

#include <array>

namespace zv {
namespace {

using test::CraftedEntry;
using test::ReadBytes;
using test::TempFolder;
using test::TreeBelow;
using test::WriteBytes;

const std::string kLegacyCatches = "Fangdatum;Fischart;Uferdistanz;Bemerkungen\r\n"
                                   "05.06.2007;Hecht;10;erster\r\n"
                                   "07.06.2007;Barsch;4;zweiter\r\n";

std::string Catches(std::initializer_list<const char*> species) {
    std::vector<std::map<std::string, std::string>> rows;
    for (const char* s : species) {
        rows.push_back({{"Fischart", s}});
    }
    return test::TableBytes(CatchFields(), rows);
}

class RestoreTest : public ::testing::Test {
protected:
    std::string Ini(const std::string& key) const {
        return IniFile(program_ / "Zelvorin.ini").ReadString("Datenbank", key);
    }
    std::string P(const std::string& name) const { return (program_ / name).string(); }
    std::filesystem::path Archive(const std::vector<CraftedEntry>& entries) {
        const std::filesystem::path archive = archives_ / "backup.zip";
        WriteBytes(archive, test::ZipBytes(entries));
        return archive;
    }

    TempFolder sandbox_; // the program folder lies inside: nothing may appear beside it
    std::filesystem::path program_ = sandbox_ / "Zelvorin";
    TempFolder archives_;
};

TEST_F(RestoreTest, ABackupComesBackIntoItsFoldersAndItsDatabasesOpen) {
    TempFolder original;
    test::WriteProgramFolder(original.Path(), original / "Fang.f");
    Workspace source(original.Path());
    source.Open();
    const std::filesystem::path archive = archives_ / "backup.zip";
    ASSERT_TRUE(CreateBackup(source, archive).ok);

    std::filesystem::create_directories(program_);
    WriteBytes(program_ / "Zelvorin.ini", "[Felder]\r\nKurz=1,2\r\n");
    Workspace ws(program_);
    ws.Open();
    const RestoreReport report = RestoreBackup(ws, archive);

    ASSERT_TRUE(report.opened) << report.problem;
    EXPECT_TRUE(report.Problems().empty());
    EXPECT_EQ(
        TreeBelow(program_),
        (std::set<std::string>{"Zelvorin.ini", "Fang.f", "Kosten.a", "Kalender.cal", "img",
                               "img/karte.jpg", "img/hecht1.jpg", "DATs", "DATs/Faenger.dat"}));
    EXPECT_EQ(ReadBytes(program_ / "Fang.f"), ReadBytes(original / "Fang.f"));
    // The restored program keeps its own settings, pointed at the restored databases.
    EXPECT_EQ(IniFile(program_ / "Zelvorin.ini").ReadString("Felder", "Kurz"), "1,2");
    EXPECT_EQ(Ini("Zelvorin"), P("Fang.f"));
    EXPECT_EQ(ws.DB().RowCount(), 2);
    EXPECT_EQ(ws.ak().RowCount(), 1);
    EXPECT_EQ(ws.cal().RowCount(), 1);
    for (const RestoredEntry& entry : report.entries) {
        const bool restores = entry.name != "notiz.txt" && entry.name != "Zelvorin.ini";
        EXPECT_EQ(entry.outcome, restores ? RestoreOutcome::Restored : RestoreOutcome::NotRestored)
            << entry.name;
    }
}

TEST_F(RestoreTest, DatabaseEntriesBecomeCurrentOnlyByTheirExactSuffixAndWhenTheyLoad) {
    struct Case {
        const char* label;
        std::vector<CraftedEntry> entries;
        std::array<const char*, 3> current; // catch, cost, calendar database afterwards ("" none)
        int rows;                           // rows of the current catch database
        std::size_t problems;
        std::map<std::string, std::string> existing = {}; // before; must stay as they are
        const char* restored = nullptr;                   // a file that must exist afterwards
    };
    const CraftedEntry cost{"Ausgaben.a", test::TableBytes(CostFields(), {{{"Gesamtpreis", "3"}}})};
    const CraftedEntry costX{"X.A", cost.data};
    const CraftedEntry legacy{"Hecht.fdb", kLegacyCatches};
    const CraftedEntry a{"A.f", Catches({"Hecht"})};
    const CraftedEntry b{"B.f", Catches({"Aal", "Aland"})};
    const CraftedEntry damaged{.name = "B.f", .data = Catches({"Aal"}), .wrongCrc = true};
    const CraftedEntry calendar{"Tage.cal", test::TableBytes(CalendarFields(), {})};
    // A data line with more cells than the table has fields does not load.
    const std::string broken = test::TableBytes(CatchFields(), {}) + std::string(60, ';') + "\r\n";
    const CraftedEntry brokenFang{"Fang.f", broken};
    const std::string wels = Catches({"Wels"});
    const std::vector<Case> cases = {
        {"legacy catches", {legacy}, {"Hecht.f", "", ""}, 2, 0, {}, "Hecht.fdb"},
        {"cost database", {cost}, {"", "Ausgaben.a", ""}, 0, 0},
        {"capital suffix: restored, never current", {costX}, {"", "", ""}, 0, 0, {}, "X.A"},
        {"calendar", {calendar}, {"", "", "Tage.cal"}, 0, 0},
        {"last one wins", {a, b}, {"B.f", "", ""}, 2, 0},
        {"one that does not load", {a, {"Kaputt.f", broken}}, {"A.f", "", ""}, 1, 1},
        {"damaged entry", {a, damaged}, {"A.f", "", ""}, 1, 1},
        {"broken over an older file", {brokenFang}, {"", "", ""}, 0, 1, {{"Fang.f", wels}}},
        {"conversion target exists", {legacy}, {"", "", ""}, 0, 1, {{"Hecht.f", wels}}},
    };
    const char* keys[] = {"Zelvorin", "Angelkosten", "Kalender"};
    const DatabaseKind kinds[] = {DatabaseKind::Catch, DatabaseKind::Cost, DatabaseKind::Calendar};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        std::filesystem::remove_all(program_);
        for (const auto& [name, bytes] : c.existing) {
            WriteBytes(program_ / name, bytes);
        }
        std::filesystem::create_directories(program_);
        Workspace ws(program_);
        const RestoreReport report = RestoreBackup(ws, Archive(c.entries));
        ASSERT_TRUE(report.opened) << report.problem;
        EXPECT_EQ(report.Problems().size(), c.problems);
        for (int k = 0; k < 3; ++k) {
            const std::string expected = *c.current[k] ? P(c.current[k]) : "";
            EXPECT_EQ(ws.CurrentPath(kinds[k]), expected) << keys[k];
            EXPECT_EQ(Ini(keys[k]), expected) << keys[k];
        }
        EXPECT_EQ(ws.DB().RowCount(), c.rows);
        for (const auto& [name, bytes] : c.existing) {
            EXPECT_EQ(ReadBytes(program_ / name), bytes) << "changed " << name;
        }
        if (c.restored != nullptr) {
            EXPECT_TRUE(std::filesystem::exists(program_ / c.restored));
        }
        // The folders exist though the archive held nothing for them.
        EXPECT_TRUE(std::filesystem::is_directory(program_ / "img"));
        EXPECT_TRUE(std::filesystem::is_directory(program_ / "DATs"));
    }
}

TEST_F(RestoreTest, EntriesNeverWriteOutsideTheirFolderAndLinksAreSkipped) {
    const std::string outside = (sandbox_ / "draussen" / "absolut.f").string();
    const std::vector<CraftedEntry> entries = {
        {"../evil.f", Catches({"Hecht"})},
        {outside, Catches({"Barsch"})},
        {"img/../../x.dat", "Liste"},
        {"C:\\Windows\\y.jpg", "Bild"},
        {.name = "link.jpg", .data = "../../draussen/ziel", .unixMode = 0120777},
        {.name = "ordner.jpg/", .data = "", .unixMode = 040755},
        {.name = "geraet.jpg", .data = "", .unixMode = 020644},
        {"..", "nichts"},
    };
    std::filesystem::create_directories(program_);
    Workspace ws(program_);
    const RestoreReport report = RestoreBackup(ws, Archive(entries));

    ASSERT_TRUE(report.opened) << report.problem;
    const std::set<std::string> tree = {
        "Zelvorin",           "Zelvorin/evil.f", "Zelvorin/absolut.f",  "Zelvorin/img",
        "Zelvorin/img/y.jpg", "Zelvorin/DATs",   "Zelvorin/DATs/x.dat", "Zelvorin/Zelvorin.ini"};
    EXPECT_EQ(TreeBelow(sandbox_.Path()), tree);
    // The first four are plain files under odd names, the rest are not.
    ASSERT_EQ(report.entries.size(), entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(report.entries[i].outcome,
                  i < 4 ? RestoreOutcome::Restored : RestoreOutcome::Skipped)
            << report.entries[i].name;
    }
    // The last database of the archive is the current one, under its bare name.
    EXPECT_EQ(ws.CatchPath(), P("absolut.f"));
}

TEST_F(RestoreTest, AnArchiveThatCannotBeReadOrIsTooBigChangesNothing) {
    const std::string huge = "x"; // declared far larger than it is
    const std::vector<CraftedEntry> bomb = {
        {"klein.jpg", "Bild"},
        {.name = "gross1.jpg", .data = huge, .declaredSize = 3u << 30, .method = 8},
        {.name = "gross2.jpg", .data = huge, .declaredSize = 3u << 30, .method = 8},
    };
    const std::string valid = test::ZipBytes({{"klein.jpg", "Bild"}, {"A.f", Catches({"Aal"})}});
    struct Case {
        const char* label;
        std::string bytes;
        const char* reason;
    };
    const std::vector<Case> cases = {
        {"too big", test::ZipBytes(bomb), "größer als 4,00 GB"},
        {"no zip archive", "Fangdatum;Fischart\r\n", "kein Zip-Archiv"},
        {"cut short", valid.substr(0, valid.size() - 10), "kann nicht gelesen"},
        {"missing", "", "existiert nicht"},
    };
    std::filesystem::create_directories(program_);
    const std::string settings = "[Datenbank]\r\nZelvorin=" + P("Alt.f") + "\r\n";
    WriteBytes(program_ / "Zelvorin.ini", settings);
    WriteBytes(program_ / "Alt.f", Catches({"Wels"}));
    Workspace(program_).Open(); // opening alone adds the folders DATs and img
    const std::set<std::string> before = TreeBelow(program_);
    for (const Case& c : cases) {
        const std::filesystem::path archive = archives_ / "backup.zip";
        std::filesystem::remove(archive);
        if (!c.bytes.empty()) {
            WriteBytes(archive, c.bytes);
        }
        Workspace ws(program_);
        ws.Open();
        const RestoreReport report = RestoreBackup(ws, archive);
        EXPECT_FALSE(report.opened) << c.label;
        EXPECT_NE(report.problem.find(c.reason), std::string::npos)
            << c.label << ": " << report.problem;
        EXPECT_NE(report.problem.find(archive.string()), std::string::npos) << c.label;
        EXPECT_EQ(TreeBelow(program_), before) << c.label;
        EXPECT_EQ(ReadBytes(program_ / "Zelvorin.ini"), settings) << c.label;
        EXPECT_EQ(ws.CatchPath(), P("Alt.f")) << c.label;
        EXPECT_EQ(ws.DB().RowCount(), 1) << c.label;
    }
}

TEST_F(RestoreTest, ADamagedEntryLeavesTheOlderFileWholeAndNoTemporaryFile) {
    std::filesystem::create_directories(program_);
    WriteBytes(program_ / "img" / "a.jpg", "das alte Bild");
    Workspace ws(program_);
    const RestoreReport report =
        RestoreBackup(ws, Archive({{.name = "a.jpg", .data = "ein neues Bild", .wrongCrc = true},
                                   {"b.jpg", "noch ein Bild"}}));

    ASSERT_TRUE(report.opened);
    EXPECT_EQ(report.entries[0].outcome, RestoreOutcome::Failed);
    EXPECT_NE(report.entries[0].note.find("a.jpg"), std::string::npos) << report.entries[0].note;
    EXPECT_EQ(report.entries[1].outcome, RestoreOutcome::Restored);
    EXPECT_EQ(ReadBytes(program_ / "img" / "a.jpg"), "das alte Bild");
    EXPECT_EQ(TreeBelow(program_ / "img"), (std::set<std::string>{"a.jpg", "b.jpg"}));
    const std::string message = RestoreMessage(report, ws, archives_ / "backup.zip");
    EXPECT_NE(message.find("1 Datei wurde"), std::string::npos) << message;
    EXPECT_NE(message.find("Fehler:\n" + report.entries[0].note), std::string::npos) << message;
}

} // namespace
} // namespace zv
