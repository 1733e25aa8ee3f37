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
// copied: a backup needs the room of one archive); a file there keeps its
// mode.
TEST(ScratchFileTest, TheWrittenFileIsRenamedIntoPlace) {
    TempFolder folder;
    WriteBytes(folder / "alt.zip", "alt");
    std::filesystem::permissions(folder / "alt.zip", std::filesystem::perms(0640));
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const unsigned fresh = 0666 & ~mask; // a new file's mode
    struct Case {
        std::string name;
        unsigned mode; // afterwards
    };
    const Case cases[] = {{"neu.zip", fresh}, {"alt.zip", 0640}};
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
        EXPECT_EQ(placed.st_mode & 0777, c.mode);
        EXPECT_EQ(ReadBytes(target), "Inhalt");
    }
    EXPECT_EQ(TreeBelow(folder.Path()).size(), std::size(cases));
}

} // namespace
} // namespace zv
