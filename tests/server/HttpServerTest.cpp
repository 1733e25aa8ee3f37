// The service over HTTP on 127.0.0.1: the client's own request, every
// refusal with nothing stored, the routes, and the log.

#include "../onlinestats/TestDatabase.h"

#include "base/DateTime.h"
#include "onlinestats/OnlineStatistics.h"
#include "server/StatisticsHttpServer.h"
#include "statistics/UploadFile.h"
#include "statistics/UploadRequest.h"
#include "statistics/http/HttpPoster.h"
#include "storage/Schemas.h"
#include "storage/TMlbc.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <mutex>
#include <thread>

namespace zv::test {
namespace {

constexpr std::size_t kLimit = std::size_t{1} << 20;

// Sends raw bytes on a connection of its own and reads the reply until the
// server closes it (every request here asks it to).
std::string Exchange(int port, const std::string& request) {
    const int connection = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    timeval timeout{10, 0};
    setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    if (connect(connection, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(connection);
        return {};
    }
    for (std::size_t sent = 0; sent < request.size();) {
        const ssize_t n =
            send(connection, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) {
            break;
        }
        sent += static_cast<std::size_t>(n);
    }
    std::string reply;
    char buffer[4096];
    for (ssize_t n; (n = recv(connection, buffer, sizeof buffer, 0)) > 0;) {
        reply.append(buffer, static_cast<std::size_t>(n));
    }
    close(connection);
    return reply;
}

std::string Request(const std::string& method, const std::string& headers,
                    const std::string& body) {
    return method +
           " /onlinestatistik/upload.php HTTP/1.1\r\nHost: 127.0.0.1\r\n"
           "Connection: close\r\n" +
           headers +
           (body.empty() ? "" : "Content-Length: " + std::to_string(body.size()) + "\r\n") +
           "\r\n" + body;
}

std::string Multipart(const std::string& name, const std::string& content) {
    return "--XyZ\r\nContent-Disposition: form-data; name=\"" + name +
           "\"; filename=\"f.dat\"\r\nContent-Type: */*\r\n\r\n" + content + "\r\n--XyZ--\r\n";
}

class HttpServerTest : public BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        if (IsSkipped()) {
            return;
        }
        const auto log = [this](const std::string& line) {
            const std::lock_guard lock(logMutex_);
            log_.push_back(line);
        };
        service_ = std::make_unique<OnlineStatistics>(
            OnlineStatistics::Settings{database_->Location(), 2000, log});
        server_ = std::make_unique<StatisticsHttpServer>(*service_, kLimit, log);
        port_ = server_->Bind("127.0.0.1", 0);
        ASSERT_GT(port_, 0);
        thread_ = std::thread([this] { server_->Run(); });
    }
    void TearDown() override {
        if (server_) {
            server_->Stop();
            thread_.join();
        }
    }
    std::vector<std::string> Log() {
        const std::lock_guard lock(logMutex_);
        return log_;
    }
    std::string Url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }

    std::unique_ptr<OnlineStatistics> service_;
    std::unique_ptr<StatisticsHttpServer> server_;
    int port_ = 0;
    std::thread thread_;
    std::mutex logMutex_;
    std::vector<std::string> log_;
};

TEST_P(HttpServerTest, ReceivesTheRequestTheClientBuilds) {
    TMlbc catches;
    for (const std::string& field : CatchFields()) {
        catches.AddField(field);
    }
    for (const char* day : {"07.05.2007", "08.05.2007"}) {
        catches.AppendRow();
        catches.SetData("Fangdatum", day);
        catches.SetData("Fangzeit", "06:40:00");
        catches.SetData("Fischart", "Hecht");
        catches.SetData("Koedertyp", "Kunstköder");
        catches.SetData("Faenger", "Max");
    }
    const TDateTime now = EncodeDate(2007, 12, 8) + EncodeTime(15, 4, 5, 120);
    const UploadRequest request =
        BuildUploadRequest("C:\\Programme\\Zelvorin\\" + UploadFileName(now),
                           UploadFileBytes(catches, {true, false, false}), UploadBoundary(now));
    const HttpReply reply =
        HttpPoster().Post(Url(UploadRequest::kPath), request.headers, request.body);

    ASSERT_TRUE(reply.ok) << reply.error;
    EXPECT_EQ(reply.body, "2 Fänge empfangen, davon 2 neu gespeichert, 0 Zeilen übersprungen.\n");
    EXPECT_EQ(database_->Column("SELECT DISTINCT koedertyp || '/' || faenger FROM catches"),
              std::vector<std::string>({"Kunstköder/Max"}));
}

TEST_P(HttpServerTest, RefusesWhatItCannotTakeAndStoresNothing) {
    const std::string line = UploadFile({UploadLine({})});
    const std::string multipart = "Content-Type: multipart/form-data; boundary=XyZ\r\n";
    // The part's head as the first chunk, then chunks beyond the limit.
    const std::string partHead =
        "--XyZ\r\nContent-Disposition: form-data; name=\"userfile\"; filename=\"f\"\r\n\r\n";
    char headSize[16];
    std::snprintf(headSize, sizeof headSize, "%zx\r\n", partHead.size());
    std::string chunks = headSize + partHead + "\r\n";
    for (std::size_t sent = 0; sent <= kLimit; sent += 0x10000) {
        chunks += "10000\r\n" + std::string(0x10000, 'x') + "\r\n";
    }
    struct Case {
        const char* name;
        std::string request;
        int status;
    };
    const Case cases[] = {
        {"a form", Request("POST", "Content-Type: application/x-www-form-urlencoded\r\n", "a=1"),
         400},
        {"no userfile", Request("POST", multipart, Multipart("datei", line)), 400},
        {"no closing boundary",
         Request("POST", multipart, Multipart("userfile", line).substr(0, 60)), 400},
        {"GET", Request("GET", "", ""), 405},
        {"PUT", Request("PUT", multipart, Multipart("userfile", line)), 405},
        // Only the head is sent: the refusal comes before the body.
        {"declared too large", Request("POST", multipart + "Content-Length: 2000000\r\n", ""), 413},
        {"chunks beyond the limit",
         Request("POST", multipart + "Transfer-Encoding: chunked\r\n", "") + chunks + "0\r\n\r\n",
         413},
    };
    for (const Case& c : cases) {
        const std::string reply = Exchange(port_, c.request);
        EXPECT_TRUE(reply.starts_with("HTTP/1.1 " + std::to_string(c.status) + " "))
            << c.name << ":\n"
            << reply.substr(0, 300);
        // One German line says what happened.
        EXPECT_NE(reply.find("\r\n\r\n"), std::string::npos) << c.name;
        EXPECT_GT(reply.size() - reply.find("\r\n\r\n"), 10u) << c.name;
    }
    EXPECT_EQ(database_->CatchCount(), 0);
}

TEST_P(HttpServerTest, ServesPagesSummaryAndHealth) {
    service_->Upload(UploadFile({UploadLine({{3, "Großer Hecht"}})}));
    struct Case {
        std::string path;
        int status;
        std::string contentType;
    };
    const Case cases[] = {
        {"/onlinestatistik/", 200, "text/html; charset=utf-8"},
        {"/onlinestatistik/art/Gro%C3%9Fer%20Hecht", 200, "text/html; charset=utf-8"},
        {"/onlinestatistik/art/Wels", 404, "text/html; charset=utf-8"},
        {"/onlinestatistik/api/summary", 200, "application/json; charset=utf-8"},
        {"/onlinestatistik/health", 200, "text/plain; charset=utf-8"},
        {"/onlinestatistik", 301, ""},
        {"/anderswo", 404, "text/plain; charset=utf-8"},
    };
    for (const Case& c : cases) {
        const std::string reply =
            Exchange(port_, "GET " + c.path + " HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n");
        EXPECT_TRUE(reply.starts_with("HTTP/1.1 " + std::to_string(c.status) + " ")) << c.path;
        if (!c.contentType.empty()) {
            EXPECT_NE(reply.find("Content-Type: " + c.contentType + "\r\n"), std::string::npos)
                << c.path;
        }
    }
    EXPECT_TRUE(
        Exchange(port_, "GET /onlinestatistik/health HTTP/1.0\r\n\r\n").ends_with("\r\n\r\nok\n"));
}

TEST_P(HttpServerTest, LogsOneLinePerRequestWithoutPersonalData) {
    const std::string secrets[] = {"Erika Mustermann", "Geheimsee", "Steg 7", "127.0.0.1"};
    const std::string file =
        UploadFile({UploadLine({{21, secrets[0]}, {22, secrets[1]}, {23, secrets[2]}})});
    Exchange(port_, Request("POST", "Content-Type: multipart/form-data; boundary=XyZ\r\n",
                            Multipart("userfile", file)));
    Exchange(port_, "GET /onlinestatistik/health HTTP/1.1\r\nConnection: close\r\n\r\n");

    const std::vector<std::string> log = Log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_TRUE(log[0].ends_with(" POST /onlinestatistik/upload.php 200 gespeichert=1")) << log[0];
    EXPECT_TRUE(log[1].ends_with(" GET /onlinestatistik/health 200")) << log[1];
    for (const std::string& line : log) {
        for (const std::string& secret : secrets) {
            EXPECT_EQ(line.find(secret), std::string::npos) << line;
        }
    }
}

ZV_INSTANTIATE_FOR_BOTH_BACKENDS(HttpServerTest);

} // namespace
} // namespace zv::test
