#include "backup/Backup.h"
#include "backup/ArchiveReader.h"
#include "backup/ArchiveWriter.h"
#include "backup/Restore.h"
#include "storage/Workspace.h"

#include "BackupTestSupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zv {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::TreeBelow;
using test::WriteBytes;

class BackupTest : public ::testing::Test {
protected:
    TempFolder folder_;
    TempFolder out_;
};

TEST_F(BackupTest, HoldsEverySourceFlatInItsOrderAndReplacesAnOlderArchive) {
    TempFolder elsewhere;
    test::WriteProgramFolder(folder_.Path(), elsewhere / "Fang.f");
    WriteBytes(folder_ / "Foto.JPG", "großes Foto");
    WriteBytes(folder_ / "liesmich.txt", "nicht gesichert");
    WriteBytes(folder_ / "img" / "bild.png", "PNG-Bild");
    WriteBytes(folder_ / "img" / "alt" / "tief.jpg", "in einem Unterordner");
    WriteBytes(folder_ / "DATs" / "Faenger.bak", "alt");
    const std::filesystem::path archive = out_ / "backup.zip";
    WriteBytes(archive, "ein älteres Backup");
    Workspace ws(folder_.Path());
    ws.Open();

    const BackupResult result = CreateBackup(ws, archive);

    ASSERT_TRUE(result.ok) << result.problem;
    EXPECT_TRUE(result.selection.leftOut.empty());
    const std::vector<std::string> expected = {
        "Foto.JPG",    "karte.jpg", "bild.png",     "hecht1.jpg", "notiz.txt",
        "Faenger.dat", "Fang.f",    "Zelvorin.ini", "Kosten.a",   "Kalender.cal"};
    std::vector<std::string> names;
    const std::map<std::string, std::string> contents = test::EntryContents(archive, &names);
    EXPECT_EQ(names, expected);
    for (const std::filesystem::path& source :
         {folder_ / "img" / "hecht1.jpg", elsewhere / "Fang.f", folder_ / "Zelvorin.ini",
          folder_ / "Kalender.cal"}) {
        EXPECT_EQ(contents.at(source.filename().string()), ReadBytes(source)) << source;
    }

    // Formats that are compressed already are stored as they are.
    ArchiveReader reader;
    ASSERT_TRUE(reader.Open(archive));
    for (const ArchiveEntry& entry : reader.Entries()) {
        EXPECT_EQ(entry.stored, entry.name == "bild.png") << entry.name;
    }
    EXPECT_EQ(TreeBelow(out_.Path()), std::set<std::string>{"backup.zip"});
    EXPECT_NE(BackupMessage(result, archive).find("10 Dateien"), std::string::npos);
}

TEST_F(BackupTest, OfTwoFilesWithOneNameTheLaterSourceGoesInAndTheOtherIsListed) {
    test::WriteProgramFolder(folder_.Path(), folder_ / "img" / "Fang.f");
    WriteBytes(folder_ / "img" / "karte.jpg", "Fangbild");
    // A map picture is read from the program folder: a stale copy in
    // "img" never takes its place.
    WriteBytes(folder_ / "karte_see.jpg", "Karte");
    WriteBytes(folder_ / "img" / "karte_see.jpg", "alte Karte");
    const std::filesystem::path archive = out_ / "sicherung.zip";
    Workspace ws(folder_.Path());
    ws.Open();

    const BackupResult result = CreateBackup(ws, archive);

    ASSERT_TRUE(result.ok) << result.problem;
    std::vector<std::string> names;
    const std::map<std::string, std::string> contents = test::EntryContents(archive, &names);
    EXPECT_EQ(contents.at("karte.jpg"), "Fangbild");
    EXPECT_EQ(contents.at("karte_see.jpg"), "Karte");
    // The catch database lies in "img" and is the current one: the same
    // file, stored once and not reported.
    EXPECT_EQ(names.size(), contents.size());
    EXPECT_EQ(contents.count("Fang.f"), 1u);
    ASSERT_EQ(result.selection.leftOut.size(), 2u);
    EXPECT_EQ(result.selection.leftOut[0].source, folder_ / "karte.jpg");
    EXPECT_EQ(result.selection.leftOut[1].source, folder_ / "img" / "karte_see.jpg");
    EXPECT_TRUE(result.selection.Complete());
    const std::string message = BackupMessage(result, archive);
    EXPECT_NE(message.find("Nicht gesichert:\n" + (folder_ / "karte.jpg").string() +
                           ": Gesichert ist die gleichnamige Datei \"" +
                           (folder_ / "img" / "karte.jpg").string()),
              std::string::npos)
        << message;
}

// A backup over one of its own sources would destroy that file.
TEST_F(BackupTest, ATargetThatIsOneOfTheSavedFilesIsRefused) {
    TempFolder elsewhere;
    test::WriteProgramFolder(folder_.Path(), elsewhere / "Fang.f");
    std::filesystem::create_symlink(folder_ / "Kosten.a", out_ / "Verweis.zip");
    const std::filesystem::path targets[] = {elsewhere / "Fang.f", folder_ / "Zelvorin.ini",
                                             folder_ / "img" / "notiz.txt", out_ / "Verweis.zip"};
    for (const std::filesystem::path& target : targets) {
        SCOPED_TRACE(target);
        const std::set<std::string> before = TreeBelow(folder_.Path());
        const std::string bytes = ReadBytes(target);
        Workspace ws(folder_.Path());
        ws.Open();
        const BackupResult result = CreateBackup(ws, target);
        EXPECT_FALSE(result.ok);
        EXPECT_NE(BackupMessage(result, target).find("gehört selbst zu den Dateien"),
                  std::string::npos)
            << result.problem;
        EXPECT_EQ(ReadBytes(target), bytes);
        EXPECT_EQ(TreeBelow(folder_.Path()), before);
    }
}

// A database that did not load is saved as it lies on the disk; a file
// that cannot be read is named, and the backup is incomplete.
TEST_F(BackupTest, ADatabaseThatDidNotLoadIsSavedAndAnUnreadableFileIsNamed) {
    test::WriteProgramFolder(folder_.Path(), folder_ / "Fang.f");
    const std::string broken = ReadBytes(folder_ / "Fang.f") + std::string(60, ';') + "\r\n";
    WriteBytes(folder_ / "Fang.f", broken);
    std::filesystem::create_symlink("schleife.jpg", folder_ / "img" / "schleife.jpg");
    Workspace ws(folder_.Path());
    ASSERT_EQ(ws.Open().Problems().size(), 1u);
    const std::filesystem::path archive = out_ / "sicherung.zip";

    const BackupResult result = CreateBackup(ws, archive);

    ASSERT_TRUE(result.ok) << result.problem;
    EXPECT_EQ(test::EntryContents(archive).at("Fang.f"), broken);
    ASSERT_EQ(result.selection.leftOut.size(), 1u);
    EXPECT_EQ(result.selection.leftOut[0].source, folder_ / "img" / "schleife.jpg");
    EXPECT_FALSE(result.selection.Complete());
    EXPECT_NE(BackupMessage(result, archive).find("schleife.jpg: Die Datei kann nicht gelesen"),
              std::string::npos)
        << BackupMessage(result, archive);
}

// Every name comes back as itself: one the restore would shorten to its
// last part, or one that is no file name there, is not saved.
TEST_F(BackupTest, NamesThatWouldNotComeBackAsThemselvesAreLeftOut) {
    const std::string names[] = {"Rursee:Hecht.jpg", "alt\\Hecht.jpg", "Zeile\nUmbruch.jpg"};
    WriteBytes(folder_ / "img" / "Hecht.jpg", "das echte Bild");
    for (const std::string& name : names) {
        WriteBytes(folder_ / "img" / name, name);
    }
    Workspace ws(folder_.Path());
    const std::filesystem::path archive = out_ / "sicherung.zip";

    const BackupResult result = CreateBackup(ws, archive);

    ASSERT_TRUE(result.ok) << result.problem;
    EXPECT_EQ(test::EntryContents(archive),
              (std::map<std::string, std::string>{{"Hecht.jpg", "das echte Bild"}}));
    ASSERT_EQ(result.selection.leftOut.size(), std::size(names));
    for (const LeftOutFile& file : result.selection.leftOut) {
        EXPECT_FALSE(file.unreadable) << file.source;
        EXPECT_NE(file.reason.find("Name"), std::string::npos) << file.reason;
    }
}

// A file that deflates beyond what a restore takes for honest data is
// stored, so the backup can be restored.
TEST_F(BackupTest, AFileThatPacksTooWellIsStoredAndComesBack) {
    const std::string zeros(2 << 20, '\0');
    WriteBytes(folder_ / "img" / "schwarz.jpg", zeros);
    WriteBytes(folder_ / "img" / "hecht.jpg", std::string(1000, 'h'));
    Workspace ws(folder_.Path());
    const std::filesystem::path archive = out_ / "sicherung.zip";

    ASSERT_TRUE(CreateBackup(ws, archive).ok);

    ArchiveReader reader;
    ASSERT_TRUE(reader.Open(archive)) << reader.Error();
    for (const ArchiveEntry& entry : reader.Entries()) {
        EXPECT_EQ(entry.stored, entry.name == "schwarz.jpg") << entry.name;
    }
    TempFolder restored;
    Workspace target(restored.Path());
    ASSERT_EQ(RestoreBackup(target, archive).RestoredCount(), 2);
    EXPECT_EQ(ReadBytes(restored / "img" / "schwarz.jpg"), zeros);
}

// Message boxes stay smaller than the screen: ten names, then a count.
TEST_F(BackupTest, MessagesNameAtMostTenFilesOfAList) {
    BackupResult backup;
    backup.ok = true;
    RestoreReport restore;
    restore.opened = true;
    for (int i = 1; i <= 12; ++i) {
        const std::string name = "karte_" + std::to_string(i) + ".jpg";
        backup.selection.leftOut.push_back({folder_ / name, "Grund."});
        restore.entries.push_back({name, RestoreOutcome::Failed, "", name + " fehlt."});
    }
    Workspace ws(folder_.Path());
    for (const std::string& message :
         {BackupMessage(backup, out_ / "b.zip"), RestoreMessage(restore, ws, out_ / "b.zip")}) {
        EXPECT_NE(message.find("karte_10.jpg"), std::string::npos) << message;
        EXPECT_EQ(message.find("karte_11.jpg"), std::string::npos) << message;
        EXPECT_TRUE(message.ends_with("\n… und 2 weitere")) << message;
    }
}

TEST_F(BackupTest, FailureNamesTheFileAndLeavesNoArchive) {
    struct Case {
        const char* label;
        std::filesystem::path archive;
        const char* reason;
        bool emptyFolder = false;
    };
    WriteBytes(out_ / "datei.txt", "kein Ordner");
    std::filesystem::create_directories(out_ / "ordner.zip");
    ASSERT_EQ(::mkfifo((out_ / "pipe.zip").c_str(), 0644), 0);
    std::filesystem::create_directories(out_ / "gesperrt");
    const bool locked = test::MakeUnwritable(out_ / "gesperrt");
    std::vector<Case> cases = {
        {"missing folder", out_ / "fehlt" / "b.zip", "existiert nicht"},
        {"folder is a file", out_ / "datei.txt" / "b.zip", "kein Ordner"},
        {"target is a folder", out_ / "ordner.zip", "ein Ordner"},
        {"target is a pipe", out_ / "pipe.zip", "keine gewöhnliche Datei"},
        {"nothing to save", out_ / "leer.zip", "keine Dateien", true},
    };
    if (locked) {
        cases.push_back(
            {"folder cannot be written", out_ / "gesperrt" / "b.zip", "Zugriff verweigert"});
    }
    WriteBytes(folder_ / "img" / "hecht1.jpg", "Hecht");
    TempFolder empty;
    for (const Case& c : cases) {
        Workspace ws(c.emptyFolder ? empty.Path() : folder_.Path());
        const BackupResult result = CreateBackup(ws, c.archive);
        EXPECT_FALSE(result.ok) << c.label;
        const std::string message = BackupMessage(result, c.archive);
        EXPECT_NE(message.find(c.archive.string()), std::string::npos) << c.label << message;
        EXPECT_NE(message.find(c.reason), std::string::npos) << c.label << message;
        EXPECT_FALSE(std::filesystem::is_regular_file(c.archive)) << c.label;
    }
    if (locked) {
        EXPECT_TRUE(TreeBelow(out_ / "gesperrt").empty());
        test::MakeWritable(out_ / "gesperrt");
    }
}

TEST_F(BackupTest, AnArchiveThatFailsWhileWritingLeavesTheOlderOneAndNothingElse) {
    const std::filesystem::path archive = out_ / "backup.zip";
    WriteBytes(archive, "das ältere Backup");
    WriteBytes(folder_ / "weg.jpg", "verschwindet");
    ArchiveWriter writer;
    ASSERT_TRUE(writer.Open(archive)) << writer.Error();
    ASSERT_TRUE(writer.Add("weg.jpg", folder_ / "weg.jpg", false)) << writer.Error();
    std::filesystem::remove(folder_ / "weg.jpg"); // gone before the archive is written

    EXPECT_FALSE(writer.Commit());
    EXPECT_NE(writer.Error().find((folder_ / "weg.jpg").string()), std::string::npos)
        << writer.Error();
    EXPECT_EQ(ReadBytes(archive), "das ältere Backup");
    EXPECT_EQ(TreeBelow(out_.Path()), std::set<std::string>{"backup.zip"});
}

TEST_F(BackupTest, TheCheckAfterWritingFindsDamage) {
    const std::filesystem::path archive = out_ / "backup.zip";
    WriteBytes(folder_ / "bild.png", std::string(1000, 'x'));
    ArchiveWriter writer;
    ASSERT_TRUE(writer.Open(archive));
    ASSERT_TRUE(writer.Add("bild.png", folder_ / "bild.png", true));
    ASSERT_TRUE(writer.Commit()) << writer.Error();
    const std::string good = ReadBytes(archive);

    struct Case {
        const char* label;
        std::string bytes;
        std::vector<std::string> names;
        const char* reason;
    };
    std::string flipped = good;
    flipped[30 + 8 + 500] ^= 0x20; // a byte of the stored data, after the local header
    const std::vector<Case> cases = {
        {"data changed", flipped, {"bild.png"}, "Prüfsumme"},
        {"other entries", good, {"bild.png", "karte.jpg"}, "statt 2"},
        {"cut short", good.substr(0, good.size() / 2), {"bild.png"}, "kann nicht gelesen"},
    };
    std::string error;
    std::vector<std::size_t> tooCompressed;
    for (const Case& c : cases) {
        WriteBytes(archive, c.bytes);
        const int fd = ::open(archive.c_str(), O_RDONLY);
        ASSERT_GE(fd, 0);
        EXPECT_FALSE(CheckArchive(fd, archive, c.names, error, tooCompressed)) << c.label;
        ::close(fd);
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.label << ": " << error;
        EXPECT_NE(error.find(archive.string()), std::string::npos) << c.label;
    }
    WriteBytes(archive, good);
    const int fd = ::open(archive.c_str(), O_RDONLY);
    EXPECT_TRUE(CheckArchive(fd, archive, {"bild.png"}, error, tooCompressed)) << error;
    ::close(fd);
}

} // namespace
} // namespace zv
