#include "cli/DataCommands.h"

#include "storage/IniFile.h"

#include "DataTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace zv {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

struct Outcome {
    int code = 0;
    std::string out;
    std::string err;
};

template <typename Fn> Outcome Call(Fn fn, const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    Outcome outcome;
    outcome.code = fn(args, out, err);
    outcome.out = out.str();
    outcome.err = err.str();
    return outcome;
}

const std::string kLegacy = "Fangdatum;Fischart;Faenger\r\n"
                            "05.06.2007;Hecht;Uwe\r\n"
                            "06.06.2007;\xC4sche;Uwe\r\n";

TEST(DataCommandsTest, OpenShowsTheDatabaseConvertedFromOlderSettings) {
    TempFolder folder;
    WriteBytes(folder / "Fang.fdb", kLegacy);
    WriteBytes(folder / "Zelvorin.ini", "[DB]\r\nFile=C:\\Angeln\\Fang.fdb\r\n");
    const Outcome open = Call(cli::RunOpenCommand, {folder.Path().string()});
    EXPECT_EQ(open.code, 0) << open.err;
    EXPECT_NE(open.out.find("Fangdatenbank: " + (folder / "Fang.f").string() + " (2 Zeilen)"),
              std::string::npos)
        << open.out;
    EXPECT_NE(open.out.find("umgewandelt aus \"C:\\Angeln\\Fang.fdb\""), std::string::npos);
    EXPECT_NE(open.out.find("Kalenderdatenbank: nicht geöffnet"), std::string::npos);
    EXPECT_EQ(IniFile(folder / "Zelvorin.ini").ReadString("Datenbank", "Zelvorin"),
              (folder / "Fang.f").string());
}

TEST(DataCommandsTest, OpenTellsWhyADatabaseDidNotOpen) {
    TempFolder folder;
    WriteBytes(folder / "Kaputt.f", "A;B\r\n1;2;3\r\n");
    WriteBytes(folder / "Zelvorin.ini",
               "[Datenbank]\r\nZelvorin=" + (folder / "Kaputt.f").string() +
                   "\r\nKalender=" + (folder / "weg.cal").string() + "\r\n");
    const Outcome open = Call(cli::RunOpenCommand, {folder.Path().string()});
    EXPECT_EQ(open.code, 1);
    EXPECT_NE(open.err.find("Kaputt.f"), std::string::npos) << open.err;
    EXPECT_NE(open.out.find("weg.cal\" existiert nicht"), std::string::npos) << open.out;
    EXPECT_EQ(Call(cli::RunOpenCommand, {}).code, 2);
}

TEST(DataCommandsTest, ConvertLegacyWritesTheAutomaticTargetOrTheGivenFile) {
    TempFolder source;
    TempFolder program;
    WriteBytes(source / "Alt.fdb", kLegacy);
    const Outcome automatic = Call(cli::RunConvertLegacyCommand,
                                   {(source / "Alt.fdb").string(), "--folder", program.Path()});
    EXPECT_EQ(automatic.code, 0) << automatic.err;
    EXPECT_TRUE(std::filesystem::exists(program / "Alt.f"));
    EXPECT_EQ(ReadBytes(source / "Alt.fdb"), kLegacy);

    const Outcome given = Call(cli::RunConvertLegacyCommand,
                               {(source / "Alt.fdb").string(), (source / "Neu.f").string()});
    EXPECT_EQ(given.code, 0) << given.err;
    EXPECT_EQ(ReadBytes(source / "Neu.f"), ReadBytes(program / "Alt.f"));

    EXPECT_EQ(Call(cli::RunConvertLegacyCommand, {(source / "Alt.fdb").string()}).code, 2);
    EXPECT_EQ(Call(cli::RunConvertLegacyCommand, {(source / "Neu.f").string(), "x.f"}).code, 2);
    EXPECT_EQ(
        Call(cli::RunConvertLegacyCommand, {(source / "fehlt.fdb").string(), "--folder", "."}).code,
        1);
}

TEST(DataCommandsTest, RebuildListsReadsTheFoldersCatchDatabase) {
    TempFolder folder;
    WriteBytes(folder / "Fang.fdb", kLegacy);
    WriteBytes(folder / "Zelvorin.ini", "[DB]\r\nFile=" + (folder / "Fang.fdb").string() + "\r\n");
    const Outcome rebuild = Call(cli::RunRebuildListsCommand, {folder.Path().string()});
    EXPECT_EQ(rebuild.code, 0) << rebuild.err;
    EXPECT_EQ(ReadBytes(folder / "DATs" / "Fischarten.dat"), "\xC4sche\r\nHecht\r\n");
    EXPECT_EQ(ReadBytes(folder / "DATs" / "Faenger.dat"), "Uwe\r\n");

    TempFolder empty;
    EXPECT_EQ(Call(cli::RunRebuildListsCommand, {empty.Path().string()}).code, 1);
}

} // namespace
} // namespace zv
