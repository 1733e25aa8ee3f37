#include "base/AtomicFile.h"

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace zv;
namespace fs = std::filesystem;

namespace {

class AtomicFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("zv_atomic_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    static std::string Read(const fs::path& p) {
        std::string s, e;
        EXPECT_TRUE(ReadFileBytes(p, s, e)) << e;
        return s;
    }
    std::size_t EntryCount() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), {}));
    }

    fs::path dir_;
};

} // namespace

TEST_F(AtomicFileTest, WritesAndReplacesWholeFiles) {
    // The longest name a file may have: its temporary name must fit as well.
    for (const std::string& name : {std::string("Fänge mit Blank.f"), std::string(255, 'x')}) {
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        const fs::path target = dir_ / name;
        std::string error;
        ASSERT_TRUE(WriteFileAtomic(target, "eins\r\n", error)) << error;
        EXPECT_EQ(Read(target), "eins\r\n");
        ASSERT_TRUE(WriteFileAtomic(target, std::string("zwei\0drei", 9), error)) << error;
        EXPECT_EQ(Read(target), std::string("zwei\0drei", 9));
        EXPECT_EQ(EntryCount(), 1u); // no temporary file left behind
    }
}

TEST_F(AtomicFileTest, AnAbandonedWriteLeavesTheOldFile) {
    const fs::path target = dir_ / "a.f";
    std::string error;
    ASSERT_TRUE(WriteFileAtomic(target, "alt", error));
    {
        AtomicFileWriter w;
        ASSERT_TRUE(w.Open(target));
        ASSERT_TRUE(w.Write("neu und halb"));
        // destroyed without Commit
    }
    EXPECT_EQ(Read(target), "alt");
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(AtomicFileTest, FailuresNameTheFileAndChangeNothing) {
    std::string error;
    // The parent is a plain file, so nothing can be created beneath it.
    ASSERT_TRUE(WriteFileAtomic(dir_ / "datei", "x", error));
    EXPECT_FALSE(WriteFileAtomic(dir_ / "datei" / "kind.f", "y", error));
    EXPECT_NE(error.find("kind.f"), std::string::npos) << error;

    EXPECT_FALSE(WriteFileAtomic(dir_ / "fehlt" / "a.f", "y", error));
    EXPECT_NE(error.find("existiert nicht"), std::string::npos) << error;

    fs::create_directory(dir_ / "ordner");
    EXPECT_FALSE(WriteFileAtomic(dir_ / "ordner", "y", error));
    EXPECT_TRUE(fs::is_directory(dir_ / "ordner"));
    EXPECT_EQ(Read(dir_ / "datei"), "x");
    EXPECT_EQ(EntryCount(), 2u);

    std::string bytes = "unverändert";
    EXPECT_FALSE(ReadFileBytes(dir_ / "nichts.f", bytes, error));
    EXPECT_EQ(bytes, "unverändert");
    EXPECT_NE(error.find("nichts.f"), std::string::npos);
}

TEST_F(AtomicFileTest, WritesThroughALinkInsteadOfReplacingIt) {
    std::string error;
    fs::create_directory(dir_ / "daten");
    ASSERT_TRUE(WriteFileAtomic(dir_ / "daten" / "Fang.f", "alt", error));
    fs::create_symlink(dir_ / "daten" / "Fang.f", dir_ / "Verweis.f");
    ASSERT_TRUE(WriteFileAtomic(dir_ / "Verweis.f", "neu", error)) << error;
    EXPECT_TRUE(fs::is_symlink(dir_ / "Verweis.f"));
    EXPECT_EQ(Read(dir_ / "daten" / "Fang.f"), "neu");
}

TEST_F(AtomicFileTest, NodesThatAreNoRegularFileAreRefusedAndKept) {
    const fs::path fifo = dir_ / "Fang.f";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const fs::path socketPath = dir_ / "Kosten.a";
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socketPath.string().size(), sizeof address.sun_path);
    std::strcpy(address.sun_path, socketPath.c_str());
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    fs::create_symlink(fifo, dir_ / "Verweis.f");
    struct Case {
        fs::path target;
        fs::path named; // the node the refusal names
    };
    const Case cases[] = {{fifo, fifo}, {socketPath, socketPath}, {dir_ / "Verweis.f", fifo}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        std::string error;
        EXPECT_FALSE(WriteFileAtomic(c.target, "neu", error));
        EXPECT_NE(error.find("\"" + c.named.string() + "\" ist keine gewöhnliche Datei"),
                  std::string::npos)
            << error;
    }
    ::close(sock);
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_TRUE(fs::is_socket(socketPath));
    EXPECT_TRUE(fs::is_symlink(dir_ / "Verweis.f"));
    EXPECT_EQ(EntryCount(), 3u);
}

TEST_F(AtomicFileTest, AReplacedFileKeepsItsPermissionBits) {
    for (const fs::perms mode : {fs::perms(0600), fs::perms(0640)}) {
        SCOPED_TRACE(static_cast<int>(mode));
        const fs::path target = dir_ / "Fang.f";
        std::string error;
        ASSERT_TRUE(WriteFileAtomic(target, "alt", error)) << error;
        fs::permissions(target, mode);
        ASSERT_TRUE(WriteFileAtomic(target, "neu", error)) << error;
        EXPECT_EQ(fs::status(target).permissions(), mode);
    }
}

TEST_F(AtomicFileTest, ASaveKilledWhileWritingLeavesTheOldFileAndNoLitter) {
    const fs::path target = dir_ / "Fang.f";
    std::string error;
    ASSERT_TRUE(WriteFileAtomic(target, "alt", error));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        AtomicFileWriter w;
        if (w.Open(target)) {
            w.Write(std::string(4 << 20, 'x')); // more than any buffer: it reaches the disk
        }
        ::raise(SIGKILL);
        ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(Read(target), "alt");
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(AtomicFileTest, LeftoverTemporariesOfThisProgramAreRemoved) {
    struct Case {
        const char* name;
        bool leftover;
    };
    const Case cases[] = {
        {".zv-0123456789ab.tmp", true},
        {"Fang.f.tmp-0123456789ab", true},
        {"Zelvorin.ini.tmp-abcdef012345", true},
        {".zv-0123456789AB.tmp", false},
        {"x.zv-0123456789ab.tmp", false},
        {"Fang.f", false},
        {"Fang.f.tmp-0123456789", false},
        {"Fang.f.tmp-0123456789AB", false},
        {".tmp-0123456789ab", false},
        {"Fang.f.tmp-0123456789abc", false},
        {"Notiz.tmp-0123456789ag", false},
    };
    for (const Case& c : cases) {
        std::ofstream(dir_ / c.name) << "x";
    }
    fs::create_directory(dir_ / "Ordner.tmp-0123456789ab");
    EXPECT_EQ(RemoveLeftoverTemporaries(dir_), 3);
    for (const Case& c : cases) {
        EXPECT_EQ(fs::exists(dir_ / c.name), !c.leftover) << c.name;
    }
    EXPECT_TRUE(fs::is_directory(dir_ / "Ordner.tmp-0123456789ab"));
    EXPECT_EQ(RemoveLeftoverTemporaries(dir_ / "fehlt"), 0);
}

TEST_F(AtomicFileTest, Utf8PathsRoundTrip) {
    const fs::path p = PathFromUtf8("/tmp/Äsche Fänge.f");
    EXPECT_EQ(PathToUtf8(p), "/tmp/Äsche Fänge.f");
    EXPECT_EQ(PathToUtf8(p.filename()), "Äsche Fänge.f");
}
