// zelvorin-server as a process: its start with the defaults, a clean stop
// on SIGTERM and SIGINT, and a kill in the middle of an upload.

#include "../onlinestats/TestDatabase.h"

#include "onlinestats/SqliteDatabase.h"
#include "statistics/UploadRequest.h"
#include "statistics/http/HttpPoster.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <thread>

namespace zv::test {
namespace {

using Clock = std::chrono::steady_clock;

// The program started in a folder, its standard output read line by line.
class ServerProcess {
public:
    ServerProcess(const std::vector<std::string>& arguments, const std::filesystem::path& folder) {
        int output[2];
        if (pipe2(output, O_CLOEXEC) != 0) {
            throw std::runtime_error("pipe");
        }
        // Everything the child needs is made before the fork: after it, only
        // calls that are safe in a copy of a threaded process.
        std::vector<char*> argv = {const_cast<char*>(ZV_SERVER_PROGRAM)};
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        const std::string log = (folder / "server.log").string();
        pid_ = fork();
        if (pid_ == 0) {
            const int logFile = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
            if (dup2(output[1], STDOUT_FILENO) < 0 || dup2(logFile, STDERR_FILENO) < 0 ||
                chdir(folder.c_str()) != 0) {
                _exit(126);
            }
            execv(ZV_SERVER_PROGRAM, argv.data());
            _exit(127);
        }
        close(output[1]);
        output_ = output[0];
        // Up and serving once it has said how large an upload may be.
        while (ReadLine() && !lines_.back().starts_with("Größter Upload")) {
        }
    }
    ~ServerProcess() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        close(output_);
    }
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    std::string Url(const std::string& path) const {
        const std::string& first = lines_.at(0);
        const std::size_t start = first.find("http://");
        return first.substr(start, first.find("/onlinestatistik/") - start) + path;
    }
    const std::vector<std::string>& Lines() const { return lines_; }

    void Signal(int signal) const { kill(pid_, signal); }
    // The exit code, or -1 when it does not end in time or ends otherwise.
    int Wait() {
        const auto deadline = Clock::now() + std::chrono::seconds(20);
        int status = 0;
        while (waitpid(pid_, &status, WNOHANG) == 0) {
            if (Clock::now() > deadline) {
                return -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        pid_ = -1;
        while (ReadLine()) {
        }
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    bool ReadLine() {
        std::string line;
        char c = 0;
        pollfd wait{output_, POLLIN, 0};
        while (poll(&wait, 1, 20000) == 1 && read(output_, &c, 1) == 1) {
            if (c == '\n') {
                lines_.push_back(line);
                return true;
            }
            line += c;
        }
        return false;
    }

    pid_t pid_ = -1;
    int output_ = -1;
    std::vector<std::string> lines_;
};

HttpReply PostFile(const std::string& url, const std::string& file) {
    const UploadRequest request = BuildUploadRequest("upload.dat", file, "--------zv");
    return HttpPoster().Post(url, request.headers, request.body);
}

TEST(ServerProcessTest, StartsWithItsDefaultsAndStopsCleanlyOnSignals) {
    for (const int signal : {SIGTERM, SIGINT}) {
        std::string reason;
        const auto folder = TestDatabase::Create(DatabaseLocation::Backend::Sqlite, reason);
        ServerProcess server({"--listen", "127.0.0.1:0"}, folder->Folder());
        ASSERT_EQ(server.Lines().size(), 3u);
        EXPECT_TRUE(server.Lines()[0].starts_with("Zelvorin Online-Statistik: http://127.0.0.1:"));
        EXPECT_EQ(server.Lines()[1], "Datenbank: SQLite-Datei " +
                                         (folder->Folder() / "onlinestatistik.sqlite").string());
        EXPECT_EQ(server.Lines()[2], "Größter Upload: 64 MiB");
        EXPECT_TRUE(HttpPoster().Get(server.Url("/onlinestatistik/health")).ok);

        server.Signal(signal);
        EXPECT_EQ(server.Wait(), 0) << signal;
        EXPECT_EQ(server.Lines().back(), "Zelvorin Online-Statistik beendet.");
    }
}

class ServerProcessBackendTest : public BackendTest {
protected:
    std::string DatabaseArgument() const {
        const DatabaseLocation& location = database_->Location();
        return location.backend == DatabaseLocation::Backend::Sqlite
                   ? "sqlite:" + location.target
                   : location.target + "&application_name=" + kApplication;
    }
    // True once the server holds an open transaction that has written.
    bool Writing() const {
        if (GetParam() == DatabaseLocation::Backend::Postgres) {
            return database_
                       ->Column("SELECT COUNT(*) FROM pg_stat_activity WHERE "
                                "application_name = '" +
                                std::string(kApplication) + "' AND backend_xid IS NOT NULL")
                       .at(0) != "0";
        }
        // Opening may meet a lock for a moment too (the connection's own
        // settings read the file); that says nothing yet, so ask again.
        std::optional<SqliteDatabase> probe;
        try {
            probe.emplace(database_->Location().target, 0);
        } catch (const DatabaseError&) {
            return false;
        }
        try {
            probe->BeginWrite();
            probe->Rollback();
            return false;
        } catch (const DatabaseError&) {
            return true;
        }
    }

    static constexpr const char* kApplication = "zv_killed_upload";
};

TEST_P(ServerProcessBackendTest, AServerKilledDuringAnUploadStoresNothing) {
    constexpr int kLines = 20000;
    std::vector<std::string> lines;
    for (int i = 0; i < kLines; ++i) {
        lines.push_back(UploadLine({{2, std::to_string(i)}}));
    }
    const std::string file = UploadFile(lines);
    {
        ServerProcess server({"--listen", "127.0.0.1:0", "--db", DatabaseArgument()},
                             database_->Folder());
        std::thread client([&] { PostFile(server.Url(UploadRequest::kPath), file); });
        const auto deadline = Clock::now() + std::chrono::seconds(30);
        while (!Writing() && Clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        server.Signal(SIGKILL);
        client.join();
        EXPECT_EQ(server.Wait(), -1);
    }
    EXPECT_EQ(database_->CatchCount(), 0);

    ServerProcess again({"--listen", "127.0.0.1:0", "--db", DatabaseArgument()},
                        database_->Folder());
    const HttpReply reply = PostFile(again.Url(UploadRequest::kPath), file);
    EXPECT_EQ(reply.body, std::to_string(kLines) + " Fänge empfangen, davon " +
                              std::to_string(kLines) +
                              " neu gespeichert, 0 Zeilen übersprungen.\n");
    EXPECT_EQ(database_->CatchCount(), kLines);
}

ZV_INSTANTIATE_FOR_BOTH_BACKENDS(ServerProcessBackendTest);

} // namespace
} // namespace zv::test
