#include "cli/BackupCommands.h"

#include "BackupTestSupport.h"
#include "ZipBytes.h"

#include <gtest/gtest.h>

#include <sstream>

namespace zv {
namespace {

using test::TempFolder;
using test::WriteBytes;

struct CommandRun {
    int code;
    std::string out;
    std::string err;
};

CommandRun RunCommand(int (*command)(const std::vector<std::string>&, std::ostream&, std::ostream&),
                      const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = command(args, out, err);
    return {code, out.str(), err.str()};
}

TEST(BackupCommandsTest, BackupAndRestoreTellWhatBecameOfEachFile) {
    TempFolder original;
    TempFolder restored;
    TempFolder archives;
    test::WriteProgramFolder(original.Path(), original / "Fang.f");
    const std::string archive = (archives / "b.zip").string();

    const CommandRun backup =
        RunCommand(cli::RunBackupCommand, {original.Path().string(), archive});
    EXPECT_EQ(backup.code, 0) << backup.err;
    EXPECT_NE(backup.out.find("hecht1.jpg <- " + (original / "img" / "hecht1.jpg").string()),
              std::string::npos)
        << backup.out;
    EXPECT_NE(backup.out.find("8 Dateien wurden"), std::string::npos) << backup.out;

    const CommandRun restore =
        RunCommand(cli::RunRestoreCommand, {restored.Path().string(), archive});
    EXPECT_EQ(restore.code, 0) << restore.err;
    EXPECT_NE(restore.out.find("hecht1.jpg -> " + (restored / "img" / "hecht1.jpg").string()),
              std::string::npos)
        << restore.out;
    EXPECT_NE(restore.out.find("notiz.txt: nicht wiederhergestellt."), std::string::npos);
    EXPECT_NE(restore.out.find("Fangdatenbank geöffnet: " + (restored / "Fang.f").string()),
              std::string::npos)
        << restore.out;

    // A second restore first saves what the first one brought, unless told not to.
    const CommandRun again =
        RunCommand(cli::RunRestoreCommand, {restored.Path().string(), archive});
    EXPECT_EQ(again.code, 0) << again.err;
    EXPECT_NE(again.out.find("Die bisherigen Daten wurden vorher in \"" +
                             (restored / "Sicherung vor dem Laden ").string()),
              std::string::npos)
        << again.out;
    const std::set<std::string> before = test::TreeBelow(restored.Path());
    const CommandRun unsaved =
        RunCommand(cli::RunRestoreCommand, {restored.Path().string(), archive, "--ohne-sicherung"});
    EXPECT_EQ(unsaved.code, 0) << unsaved.err;
    EXPECT_EQ(unsaved.out.find("bisherigen Daten"), std::string::npos) << unsaved.out;
    EXPECT_EQ(test::TreeBelow(restored.Path()), before);
}

// Each file left out is named once, whether on purpose (a name taken by a
// later source) or because it cannot be read.
TEST(BackupCommandsTest, EachFileLeftOutIsNamedOnce) {
    TempFolder folder;
    TempFolder archives;
    WriteBytes(folder / "hecht.jpg", "lose");
    WriteBytes(folder / "img" / "hecht.jpg", "Hecht");
    std::filesystem::create_symlink("weg.jpg", folder / "img" / "weg.jpg");
    const CommandRun run =
        RunCommand(cli::RunBackupCommand, {folder.Path().string(), (archives / "b.zip").string()});
    EXPECT_EQ(run.code, 1) << run.err;
    const std::string printed = run.out + run.err;
    for (const std::filesystem::path& leftOut :
         {folder / "hecht.jpg", folder / "img" / "weg.jpg"}) {
        const std::string line = leftOut.string() + ": ";
        const std::size_t first = printed.find(line);
        EXPECT_NE(first, std::string::npos) << printed;
        EXPECT_EQ(printed.find(line, first + 1), std::string::npos) << printed;
    }
}

TEST(BackupCommandsTest, FailuresPrintTheGermanReasonAndExitNonZero) {
    TempFolder folder;
    TempFolder archives;
    WriteBytes(folder / "img" / "hecht1.jpg", "Hecht");
    WriteBytes(folder / "Fang.f", "");
    WriteBytes(folder / "Zelvorin.ini", "[Datenbank]\r\nZelvorin=" + (folder / "Fang.f").string());
    WriteBytes(archives / "kaputt.zip", "kein Archiv");
    WriteBytes(archives / "schaden.zip",
               test::ZipBytes({{.name = "a.jpg", .data = "Bild", .wrongCrc = true}}));
    struct Case {
        int (*command)(const std::vector<std::string>&, std::ostream&, std::ostream&);
        std::vector<std::string> args;
        int code;
        std::string message;
    };
    std::vector<Case> cases = {
        {cli::RunBackupCommand,
         {folder.Path().string(), (archives / "fehlt" / "b.zip").string()},
         1,
         "konnte nicht erstellt werden"},
        {cli::RunBackupCommand,
         {folder.Path().string(), (folder / "Fang.f").string()},
         1,
         "gehört selbst zu den Dateien"},
        {cli::RunRestoreCommand,
         {folder.Path().string(), (archives / "kaputt.zip").string()},
         1,
         "kein Zip-Archiv"},
        {cli::RunRestoreCommand,
         {folder.Path().string(), (archives / "schaden.zip").string()},
         1,
         "Prüfsumme"},
        {cli::RunRestoreCommand,
         {(folder / "fehlt").string(), (archives / "schaden.zip").string()},
         1,
         "existiert nicht"},
        {cli::RunBackupCommand, {folder.Path().string()}, 2, "Aufruf"},
        {cli::RunRestoreCommand, {}, 2, "Aufruf"},
        {cli::RunRestoreCommand, {folder.Path().string(), "b.zip", "--sicherung"}, 2, "Aufruf"},
    };
    std::filesystem::create_symlink("weg.jpg", folder / "img" / "weg.jpg");
    cases.push_back({cli::RunBackupCommand,
                     {folder.Path().string(), (archives / "b.zip").string()},
                     1,
                     "Nicht gesichert: " + (folder / "img" / "weg.jpg").string()});
    for (const Case& c : cases) {
        const CommandRun run = RunCommand(c.command, c.args);
        EXPECT_EQ(run.code, c.code) << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
}

} // namespace
} // namespace zv
