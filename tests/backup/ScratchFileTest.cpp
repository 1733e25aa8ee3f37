#include "backup/ScratchFile.h"

#include "BackupTestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace zv {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::TreeBelow;
using test::WriteBytes;

// The scratch file becomes the target itself (the same file, renamed, never
// copied: a backup needs the room of one archive), in the target's folder
// whatever the length of its name; a file there keeps its mode, and a link
// there is replaced without touching the file it points to.
TEST(ScratchFileTest, TheWrittenFileIsRenamedIntoPlace) {
    TempFolder folder;
    TempFolder outside;
    WriteBytes(folder / "alt.zip", "alt");
    std::filesystem::permissions(folder / "alt.zip", std::filesystem::perms(0640));
    WriteBytes(outside / "fremd.zip", "fremd");
    std::filesystem::create_symlink(outside / "fremd.zip", folder / "Verweis.zip");
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const unsigned fresh = 0666 & ~mask; // a new file's mode
    struct Case {
        std::string name;
        unsigned mode; // afterwards
    };
    const Case cases[] = {{"neu.zip", fresh},
                          {"alt.zip", 0640},
                          {"Verweis.zip", fresh},
                          {std::string(251, 'x') + ".zip", fresh}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::filesystem::path target = folder / c.name;
        ScratchFile scratch;
        std::string error;
        ASSERT_TRUE(scratch.Create(target, error)) << error;
        ASSERT_TRUE(scratch.Append("Inhalt", error)) << error;
        struct stat written {};
        ASSERT_EQ(::fstat(scratch.Descriptor(), &written), 0);

        ASSERT_TRUE(scratch.MoveIntoPlace(error)) << error;

        struct stat placed {};
        ASSERT_EQ(::lstat(target.c_str(), &placed), 0);
        EXPECT_EQ(placed.st_ino, written.st_ino);
        EXPECT_TRUE(S_ISREG(placed.st_mode));
        EXPECT_EQ(placed.st_mode & 0777, c.mode);
        EXPECT_EQ(ReadBytes(target), "Inhalt");
    }
    EXPECT_EQ(ReadBytes(outside / "fremd.zip"), "fremd");
    EXPECT_EQ(TreeBelow(folder.Path()).size(), std::size(cases));
}

} // namespace
} // namespace zv
