#include "backup/Backup.h"
#include "backup/ArchiveReader.h"
#include "backup/ArchiveWriter.h"
#include "storage/Workspace.h"

#include "BackupTestSupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
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
    // An older backup kept in "img" is replaced, never put into itself.
    const std::filesystem::path archive = folder_ / "img" / "sicherung.zip";
    WriteBytes(archive, "altes Backup");
    Workspace ws(folder_.Path());
    ws.Open();

    const BackupResult result = CreateBackup(ws, archive);

    ASSERT_TRUE(result.ok) << result.problem;
    std::vector<std::string> names;
    const std::map<std::string, std::string> contents = test::EntryContents(archive, &names);
    EXPECT_EQ(contents.at("karte.jpg"), "Fangbild");
    EXPECT_EQ(contents.count("sicherung.zip"), 0u);
    // The catch database lies in "img" and is the current one: the same
    // file, stored once and not reported.
    EXPECT_EQ(names.size(), contents.size());
    EXPECT_EQ(contents.count("Fang.f"), 1u);
    ASSERT_EQ(result.selection.leftOut.size(), 2u);
    EXPECT_EQ(result.selection.leftOut[0].source, folder_ / "karte.jpg");
    EXPECT_EQ(result.selection.leftOut[1].source, archive);
    const std::string message = BackupMessage(result, archive);
    EXPECT_NE(message.find("Nicht gesichert:\n" + (folder_ / "karte.jpg").string() +
                           ": Gesichert ist die gleichnamige Datei \"" +
                           (folder_ / "img" / "karte.jpg").string()),
              std::string::npos)
        << message;
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
    std::filesystem::create_directories(out_ / "gesperrt");
    const bool locked = test::MakeUnwritable(out_ / "gesperrt");
    std::vector<Case> cases = {
        {"missing folder", out_ / "fehlt" / "b.zip", "existiert nicht"},
        {"folder is a file", out_ / "datei.txt" / "b.zip", "kein Ordner"},
        {"target is a folder", out_ / "ordner.zip", "ein Ordner"},
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
    for (const Case& c : cases) {
        WriteBytes(archive, c.bytes);
        const int fd = ::open(archive.c_str(), O_RDONLY);
        ASSERT_GE(fd, 0);
        EXPECT_FALSE(CheckArchive(fd, archive, c.names, error)) << c.label;
        ::close(fd);
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.label << ": " << error;
        EXPECT_NE(error.find(archive.string()), std::string::npos) << c.label;
    }
    WriteBytes(archive, good);
    const int fd = ::open(archive.c_str(), O_RDONLY);
    EXPECT_TRUE(CheckArchive(fd, archive, {"bild.png"}, error)) << error;
    ::close(fd);
}

} // namespace
} // namespace zv
