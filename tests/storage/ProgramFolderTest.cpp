#include "base/ProgramFolder.h"
#include "storage/ProgramFolderSetup.h"

#include "DataTestSupport.h"

#include <gtest/gtest.h>

#include <map>

namespace zv {
namespace {

using test::TempFolder;

EnvironmentLookup Environment(std::map<std::string, std::string> values) {
    return [values = std::move(values)](const char* name) -> std::optional<std::string> {
        const auto it = values.find(name);
        if (it == values.end()) {
            return std::nullopt;
        }
        return it->second;
    };
}

TEST(ProgramFolderTest, TheFolderFollowsTheEnvironmentAndTheLayout) {
    TempFolder root;
    const std::filesystem::path portable = root / "Zelvorin";
    const std::filesystem::path bin = root / "usr" / "bin";
    std::filesystem::create_directories(portable);
    std::filesystem::create_directories(bin);
    std::filesystem::create_directories(root / "usr" / "share" / "zelvorin");
    const std::filesystem::path missing = root / "schreibgeschuetzt";
    struct Case {
        const char* what;
        std::filesystem::path executableFolder;
        std::map<std::string, std::string> environment;
        std::filesystem::path expected;
    };
    const Case cases[] = {
        {"portable", portable, {{"HOME", "/home/a"}}, portable},
        {"ZELVORIN_HOME first", portable, {{"ZELVORIN_HOME", "/daten"}}, "/daten"},
        {"empty ZELVORIN_HOME", portable, {{"ZELVORIN_HOME", ""}}, portable},
        {"installed", bin, {{"HOME", "/home/a"}}, "/home/a/.local/share/Zelvorin"},
        {"not writable", missing, {{"HOME", "/home/a"}}, "/home/a/.local/share/Zelvorin"},
        {"XDG_DATA_HOME", bin, {{"HOME", "/home/a"}, {"XDG_DATA_HOME", "/xdg"}}, "/xdg/Zelvorin"},
        {"relative XDG_DATA_HOME",
         bin,
         {{"HOME", "/home/a"}, {"XDG_DATA_HOME", "xdg"}},
         "/home/a/.local/share/Zelvorin"},
        {"installed, ZELVORIN_HOME", bin, {{"ZELVORIN_HOME", "/daten"}}, "/daten"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChooseProgramFolder(c.executableFolder, Environment(c.environment)), c.expected)
            << c.what;
    }
    EXPECT_EQ(SharedDataFolder(bin), root / "usr" / "share" / "zelvorin");
    EXPECT_EQ(SharedDataFolder(portable), portable);
}

TEST(ProgramFolderTest, FirstStartMakesTheFolderWithItsDefaultsAndKeepsWhatExists) {
    TempFolder root;
    const std::filesystem::path shared = root / "share";
    test::WriteBytes(shared / "KFaktor.dat", "[KFaktor]\r\nHecht = 0,759\r\n");
    const std::filesystem::path folder = root / "daten" / "Zelvorin";
    std::string error;
    ASSERT_TRUE(PrepareProgramFolder(folder, shared, error)) << error;
    EXPECT_TRUE(std::filesystem::is_directory(folder / "DATs"));
    EXPECT_TRUE(std::filesystem::is_directory(folder / "img"));
    EXPECT_EQ(test::ReadBytes(folder / "KFaktor.dat"), test::ReadBytes(shared / "KFaktor.dat"));

    test::WriteBytes(folder / "KFaktor.dat", "eigene Faktoren");
    ASSERT_TRUE(PrepareProgramFolder(folder, shared, error)) << error;
    EXPECT_EQ(test::ReadBytes(folder / "KFaktor.dat"), "eigene Faktoren");

    test::WriteBytes(root / "datei", "");
    EXPECT_FALSE(PrepareProgramFolder(root / "datei" / "Zelvorin", shared, error));
    EXPECT_NE(error.find((root / "datei").string()), std::string::npos) << error;
}

} // namespace
} // namespace zv
