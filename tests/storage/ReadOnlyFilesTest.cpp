#include "storage/IniFile.h"
#include "storage/TMlbc.h"
#include "storage/ValueList.h"

#include "DataTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace zv {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

// A file the user made read-only (chmod a-w) is not replaced by a save, also
// when the program runs as root, as these tests do: the save fails, says
// why, and the file keeps its bytes and its mode.
TEST(ReadOnlyFiles, AreNotReplacedAndTheSaveSaysWhy) {
    TempFolder folder;
    struct Case {
        const char* file;
        // Saves over the file; the German reason, or empty when it saved.
        std::function<std::string(const std::string& path)> save;
    };
    const Case cases[] = {
        {"Fang.f",
         [](const std::string& path) {
             TMlbc table;
             table.AddField("Fischart");
             table.AppendRow();
             table.SetData("Fischart", "Hecht");
             return table.SaveToFile(path) ? std::string() : table.LastFailure();
         }},
        {"Zelvorin.ini",
         [](const std::string& path) {
             IniFile settings(path);
             return settings.WriteString("Datenbank", "Zelvorin", "neu") ? std::string()
                                                                         : settings.LastError();
         }},
        {"DATs/Fischarten.dat",
         [&folder](const std::string&) {
             std::string error;
             return WriteValueList(folder.Path(), "Fischarten", {"Hecht"}, error) ? std::string()
                                                                                  : error;
         }},
    };
    constexpr fs::perms kReadOnly =
        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    for (const Case& c : cases) {
        const fs::path path = folder / c.file;
        WriteBytes(path, "alt\r\n");
        fs::permissions(path, kReadOnly);
        const std::string error = c.save(path.string());
        EXPECT_NE(error.find("\"" + path.string() + "\" ist schreibgeschützt"), std::string::npos)
            << c.file << ": " << error;
        EXPECT_EQ(ReadBytes(path), "alt\r\n") << c.file;
        EXPECT_EQ(fs::status(path).permissions(), kReadOnly) << c.file;
        EXPECT_EQ(std::distance(fs::directory_iterator(path.parent_path()), {}),
                  path.parent_path() == folder.Path() ? &c - cases + 1 : 1)
            << c.file << ": nothing else was written beside it";
    }
}

} // namespace
} // namespace zv
