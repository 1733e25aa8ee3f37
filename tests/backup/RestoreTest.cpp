#include "backup/Restore.h"
#include "backup/Backup.h"
#include "base/DateTime.h"
#include "base/Win1252.h"
#include "storage/IniFile.h"
#include "storage/Schemas.h"
#include "storage/Workspace.h"

#include "BackupTestSupport.h"
#include "ZipBytes.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

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
    WriteBytes(original / "karte_see.jpg", "Karte vom See");
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
    EXPECT_EQ(TreeBelow(program_),
              (std::set<std::string>{"Zelvorin.ini", "Fang.f", "Kosten.a", "Kalender.cal",
                                     "karte_see.jpg", "img", "img/karte.jpg", "img/hecht1.jpg",
                                     "DATs", "DATs/Faenger.dat"}));
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
        // A database must be a table of its kind, whatever its name says.
        {"a picture", {{"Fang.f", "\xFF\xD8\xFF\xE0JFIF"}}, {"", "", ""}, 0, 1, {{"Fang.f", wels}}},
        {"a cost table", {{"Fang.f", cost.data}}, {"", "", ""}, 0, 1, {{"Fang.f", wels}}},
        {"an empty file", {{"Leer.f", ""}}, {"", "", ""}, 0, 1},
        {"a letter as an old file",
         {{"Brief.fdb", "Lieber Jan,\r\nPetri Heil!\r\n"}},
         {"", "", ""},
         0,
         1},
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
        EXPECT_FALSE(std::filesystem::exists(program_ / "Leer.f"));
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
        {.name = "bombe.jpg", .data = std::string(100, 'x'), .declaredSize = 2 << 20, .method = 8},
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

// Two entries of 2.1 GiB together, each packed only 195-fold: no bomb, but
// more than 4 GiB. Their data are no deflate stream, so nothing unpacks.
std::string LargeArchive() {
    const std::uint64_t declared = 2150ull << 20;
    const std::string packed(11 << 20, '\xFF');
    return test::ZipBytes(
        {{.name = "gross1.jpg", .data = packed, .declaredSize = declared, .method = 8},
         {.name = "gross2.jpg", .data = packed, .declaredSize = declared, .method = 8}});
}

TEST_F(RestoreTest, ARefusedArchiveChangesNothing) {
    const std::string valid = test::ZipBytes({{"klein.jpg", "Bild"}, {"A.f", Catches({"Aal"})}});
    struct Case {
        const char* label;
        std::string bytes;
        const char* reason;
        std::uint64_t freeBytes = UINT64_MAX;
        bool linkedImg = false;
    };
    const std::vector<Case> cases = {
        {"more than the free space", LargeArchive(), "sind nur 1,00 GB frei", 1 << 30},
        {"overlapping entries",
         test::ZipBytes(
             {{.name = "a.jpg", .data = "Bild", .overlapsNext = true}, {"b.jpg", "Bild"}}),
         "\"a.jpg\" und \"b.jpg\" überschneiden sich"},
        {"local header disagrees",
         test::ZipBytes({{.name = "a.jpg", .data = "Bild", .localNameDiffers = true}}),
         "beschädigt"},
        {"img leads elsewhere", valid, "symbolische Verknüpfung", UINT64_MAX, true},
        {"no zip archive", "Fangdatum;Fischart\r\n", "kein Zip-Archiv"},
        {"cut short", valid.substr(0, valid.size() - 10), "kann nicht gelesen"},
        {"missing", "", "existiert nicht"},
    };
    std::filesystem::create_directories(program_);
    const std::string settings = "[Datenbank]\r\nZelvorin=" + P("Alt.f") + "\r\n";
    WriteBytes(program_ / "Zelvorin.ini", settings);
    WriteBytes(program_ / "Alt.f", Catches({"Wels"}));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        std::filesystem::remove(program_ / "img");
        if (c.linkedImg) {
            std::filesystem::create_directories(sandbox_ / "anderswo");
            std::filesystem::create_directory_symlink(sandbox_ / "anderswo", program_ / "img");
        }
        const std::filesystem::path archive = archives_ / "backup.zip";
        std::filesystem::remove(archive);
        if (!c.bytes.empty()) {
            WriteBytes(archive, c.bytes);
        }
        Workspace ws(program_);
        ws.Open();
        const std::set<std::string> before = TreeBelow(sandbox_.Path());
        const RestoreReport report =
            RestoreBackup(ws, archive, {EncodeDate(2024, 5, 1), c.freeBytes});
        EXPECT_FALSE(report.opened);
        EXPECT_NE(report.problem.find(c.reason), std::string::npos) << report.problem;
        EXPECT_NE(report.problem.find(archive.string()), std::string::npos);
        EXPECT_EQ(TreeBelow(sandbox_.Path()), before);
        EXPECT_EQ(ReadBytes(program_ / "Zelvorin.ini"), settings);
        EXPECT_EQ(ws.CatchPath(), P("Alt.f"));
        EXPECT_EQ(ws.DB().RowCount(), 1);
    }
}

// No total cap: an archive of more than 4 GiB is taken when it fits.
TEST_F(RestoreTest, AnArchiveOfMoreThan4GiBIsTakenWhenItFitsTheFreeSpace) {
    std::filesystem::create_directories(program_);
    WriteBytes(archives_ / "gross.zip", LargeArchive());
    Workspace ws(program_);
    const RestoreReport report =
        RestoreBackup(ws, archives_ / "gross.zip", {std::nullopt, std::uint64_t(1) << 40});
    ASSERT_TRUE(report.opened) << report.problem;
    ASSERT_EQ(report.entries.size(), 2u);
    for (const RestoredEntry& entry : report.entries) {
        EXPECT_EQ(entry.outcome, RestoreOutcome::Failed) << entry.name;
    }
    EXPECT_TRUE(TreeBelow(program_ / "img").empty());
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

// Every file is written in its own folder under its own name: a link found
// there is replaced, never written through, and the longest names a file
// system allows come back too.
TEST_F(RestoreTest, FilesReplaceLinksInsteadOfWritingThroughThem) {
    const std::filesystem::path outside = sandbox_ / "draussen";
    WriteBytes(outside / "ziel.jpg", "fremdes Bild");
    WriteBytes(outside / "liste.dat", "fremde Liste");
    std::filesystem::create_directories(program_ / "img");
    std::filesystem::create_directories(program_ / "DATs");
    std::filesystem::create_symlink(outside / "ziel.jpg", program_ / "img" / "Hecht.jpg");
    std::filesystem::create_symlink(outside / "liste.dat", program_ / "DATs" / "Köder.dat");
    const std::string longest = std::string(251, 'x') + ".jpg";
    Workspace ws(program_);
    const RestoreReport report = RestoreBackup(
        ws, Archive({{"Hecht.jpg", "Hecht"}, {"Köder.dat", "Blinker"}, {longest, "lang"}}));

    ASSERT_TRUE(report.opened) << report.problem;
    EXPECT_EQ(report.RestoredCount(), 3) << RestoreMessage(report, ws, archives_ / "backup.zip");
    for (const auto& [file, bytes] : {std::pair{program_ / "img" / "Hecht.jpg", "Hecht"},
                                      {program_ / "DATs" / "Köder.dat", "Blinker"},
                                      {program_ / "img" / longest, "lang"},
                                      {outside / "ziel.jpg", "fremdes Bild"},
                                      {outside / "liste.dat", "fremde Liste"}}) {
        EXPECT_FALSE(std::filesystem::is_symlink(file)) << file;
        EXPECT_EQ(ReadBytes(file), bytes) << file;
    }
}

// A name marked UTF-8 or valid UTF-8 is taken as it is; other bytes from a
// Unix system are a file name of that system, from DOS they are the DOS
// code page. The zip64 records of archives over 4 GiB read the same, for
// packed entries too.
TEST_F(RestoreTest, NamesComeBackAsTheSystemThatWroteThemHadThem) {
    struct Case {
        CraftedEntry entry;
        std::string file; // in "img"
    };
    const Case cases[] = {
        {{.name = "Äsche.jpg", .data = "1"}, "Äsche.jpg"},
        {{.name = "Döbel.jpg", .data = std::string(300, '2'), .utf8Flag = false, .deflated = true},
         "Döbel.jpg"},
        {{.name = "\xE4sche.jpg", .data = "3", .utf8Flag = false}, "\xE4sche.jpg"},
        {{.name = "\x8Esche2.jpg", .data = "4", .madeBy = 0, .utf8Flag = false}, "Äsche2.jpg"},
    };
    std::vector<CraftedEntry> entries;
    for (const Case& c : cases) {
        entries.push_back(c.entry);
    }
    for (const bool zip64 : {false, true}) {
        SCOPED_TRACE(zip64 ? "zip64" : "zip");
        std::filesystem::remove_all(program_);
        std::filesystem::create_directories(program_);
        WriteBytes(archives_ / "backup.zip", test::ZipBytes(entries, zip64));
        Workspace ws(program_);
        const RestoreReport report = RestoreBackup(ws, archives_ / "backup.zip");
        ASSERT_TRUE(report.opened) << report.problem;
        for (const Case& c : cases) {
            EXPECT_EQ(ReadBytes(program_ / "img" / c.file), c.entry.data) << c.file;
        }
    }
}

// Umlauts in every folder and in the databases' names, and a Latin-1 name
// from an old camera card: every file comes back under its name, byte for
// byte.
TEST_F(RestoreTest, NamesWithUmlautsAndOtherBytesRoundTrip) {
    TempFolder original;
    const std::map<std::filesystem::path, std::string> files = {
        {"img/Äsche.jpg", "Äsche"},
        {std::filesystem::path("img") / std::string("\xE4sche vom See.jpg"), "Latin-1"},
        {"DATs/Köder.dat", "Blinker\r\n"},
        {"Fänge.f", Catches({"Äsche"})},
        {"Käufe.a", test::TableBytes(CostFields(), {{{"Artikel", "Köder"}}})},
        {"Tage am Möhnesee.cal", test::TableBytes(CalendarFields(), {})},
    };
    for (const auto& [file, bytes] : files) {
        WriteBytes(original.Path() / file, bytes);
    }
    WriteBytes(original / "Zelvorin.ini",
               *Utf8ToWin1252("[Datenbank]\r\nZelvorin=" + (original / "Fänge.f").string() +
                              "\r\nAngelkosten=" + (original / "Käufe.a").string() +
                              "\r\nKalender=" + (original / "Tage am Möhnesee.cal").string() +
                              "\r\n"));
    Workspace source(original.Path());
    ASSERT_TRUE(source.Open().Problems().empty());
    const std::filesystem::path archive = archives_ / "backup.zip";
    const BackupResult saved = CreateBackup(source, archive);
    ASSERT_TRUE(saved.ok) << saved.problem;
    EXPECT_TRUE(saved.selection.leftOut.empty());

    std::filesystem::create_directories(program_);
    Workspace ws(program_);
    const RestoreReport report = RestoreBackup(ws, archive);
    ASSERT_TRUE(report.opened) << report.problem;
    EXPECT_TRUE(report.Problems().empty()) << RestoreMessage(report, ws, archive);
    for (const auto& [file, bytes] : files) {
        EXPECT_EQ(ReadBytes(program_ / file), bytes) << file;
    }
    EXPECT_EQ(ws.CatchPath(), P("Fänge.f"));
    EXPECT_EQ(ws.CostPath(), P("Käufe.a"));
    EXPECT_EQ(ws.CalendarPath(), P("Tage am Möhnesee.cal"));
}

// Before anything is replaced the current data go into a safety backup in
// the program folder; one that cannot be written stops the restore.
TEST_F(RestoreTest, ASafetyBackupKeepsTheFormerData) {
    const TDateTime at = EncodeDate(2024, 5, 1) + EncodeTime(7, 8, 9);
    const std::filesystem::path archive = Archive({{"A.f", Catches({"Aal"})}});
    std::filesystem::create_directories(program_);
    Workspace empty(program_);
    // An empty program folder has nothing to keep.
    EXPECT_EQ(RestoreBackup(empty, archive, {at, std::nullopt}).safetyBackup, "");

    const std::string former = ReadBytes(program_ / "A.f");
    for (const char* name : {"Sicherung vor dem Laden 2024-05-01 07-08-09.zip",
                             "Sicherung vor dem Laden 2024-05-01 07-08-09 (2).zip"}) {
        Workspace ws(program_);
        ws.Open();
        const RestoreReport report = RestoreBackup(ws, archive, {at, std::nullopt});
        ASSERT_TRUE(report.opened) << report.problem;
        EXPECT_EQ(report.safetyBackup, P(name));
        EXPECT_EQ(test::EntryContents(program_ / name).at("A.f"), former);
        EXPECT_NE(RestoreMessage(report, ws, archive).find("vorher in \"" + P(name)),
                  std::string::npos);
    }

    if (test::MakeUnwritable(program_)) {
        const std::set<std::string> before = TreeBelow(program_);
        Workspace ws(program_);
        ws.Open();
        const RestoreReport report = RestoreBackup(ws, archive, {at, std::nullopt});
        test::MakeWritable(program_);
        EXPECT_FALSE(report.opened);
        EXPECT_NE(report.problem.find("bisherigen Daten konnten nicht gesichert"),
                  std::string::npos)
            << report.problem;
        EXPECT_EQ(TreeBelow(program_), before);
    }
}

} // namespace
} // namespace zv
