// The online statistics upload: the file and its name, the request as a
// loopback server receives it, the transport's limits, and what becomes of
// the file, through the engine and the command line.

#include "LoopbackHttpServer.h"
#include "StatisticsFixture.h"

#include "base/AtomicFile.h"
#include "base/DateTime.h"
#include "base/EConvertError.h"
#include "cli/UploadCommand.h"
#include "statistics/OnlineUpload.h"
#include "statistics/http/HttpPoster.h"
#include "storage/IniFile.h"

#include <fstream>
#include <optional>
#include <sstream>

namespace zv::test {
namespace {

// A catch with a value in every uploaded field and in some that are not.
const Cells kFullCatch = {{"Fangdatum", "07.05.2007"},
                          {"Fangzeit", "06:40:00"},
                          {"Angelbeginn", "05:00:00"},
                          {"Faenger", "Max"},
                          {"Fischart", "Hecht"},
                          {"Laenge", "82,5"},
                          {"Gewicht", "4350"},
                          {"Fangmethode", "Spinnfischen"},
                          {"Geschwindigkeit", "3"},
                          {"Koeder", "Wobbler"},
                          {"KoederFarbe", "Feuertiger"},
                          {"KoederLaenge", "12"},
                          {"Koedertyp", "Kunstköder"},
                          {"Koederverhalten", "schwimmend"},
                          {"Gewaesser", "Möhnesee"},
                          {"Stelle", "Bucht"},
                          {"GPSLat", "47°12.1234N"},
                          {"Wetter", "sonnig"},
                          {"Lufttemp", "18"},
                          {"Wassertemp", "14"},
                          {"Luftdruck", "1013"},
                          {"Windrichtung", "NW"},
                          {"Windstaerke", "Schwache Brise"},
                          {"Wasserstand", "normal"},
                          {"Wassertruebung", "klar"},
                          {"Kommentar", "privat"},
                          {"Mondphase", "Vollmond"},
                          {"zurueckgesetzt", "-1"}};
// Its fields 1 to 20, in Windows-1252.
const std::string kFullLine = "2007-5-7;06:40:00;Hecht;82,5;4350;Spinnfischen;Wobbler;Feuertiger;"
                              "12;Kunstk\xF6"
                              "der;sonnig;18;14;1013;NW;Schwache Brise;normal;klar;Vollmond;-1";

// 08.12.2007 15:04:05.120
TDateTime SampleNow() {
    return EncodeDate(2007, 12, 8) + EncodeTime(15, 4, 5, 120);
}

UploadServer Server(const std::string& text) {
    std::string problem;
    const std::optional<UploadServer> server = ParseUploadServer(text, problem);
    EXPECT_TRUE(server.has_value()) << problem;
    return server.value_or(UploadServer{});
}

class OnlineUploadTest : public StatisticsFixture {};

TEST_F(OnlineUploadTest, FileHasOneLinePerCatchWithTheTickedPersonalFields) {
    struct Case {
        const char* name;
        std::vector<Cells> rows;
        UploadPersonalFields personal;
        std::string expected;
    };
    const Case cases[] = {
        {"two rows, nothing ticked",
         {kFullCatch, {{"Fischart", "Barsch"}}},
         {},
         kFullLine + ";;;\r\n" + "2007-6-15;12:00:00;Barsch" + std::string(20, ';') + "\r\n"},
        {"only Stelle", {kFullCatch}, {false, false, true}, kFullLine + ";;;Bucht\r\n"},
        {"all three", {kFullCatch}, {true, true, true}, kFullLine + ";Max;M\xF6hnesee;Bucht\r\n"},
        {"a bait with a semicolon is not escaped",
         {{{"Koeder", "Gufi;rot"}}},
         {},
         "2007-6-15;12:00:00;;;;;Gufi;rot" + std::string(16, ';') + "\r\n"},
        {"an empty table", {}, {true, true, true}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        db_.ClearRows();
        for (const Cells& row : c.rows) {
            AddCatch(row);
        }
        EXPECT_EQ(UploadFileBytes(db_, c.personal), c.expected);
    }
}

TEST_F(OnlineUploadTest, FileNameAndBoundaryComeFromTheClock) {
    struct Case {
        TDateTime now;
        const char* name;
        const char* boundary;
    };
    const Case cases[] = {
        {SampleNow(), "81220071545120.dat", "--------120807150405120"},
        {EncodeDate(2010, 1, 1), "1120100000.dat", "--------010110000000000"},
        {EncodeDate(1999, 10, 31) + EncodeTime(23, 59, 59, 7), "311019992359597.dat",
         "--------103199235959007"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(UploadFileName(c.now), c.name);
        EXPECT_EQ(UploadBoundary(c.now), c.boundary);
    }
}

TEST_F(OnlineUploadTest, SendsTheFileAsTheOnlyPartOfAMultipartPost) {
    struct Case {
        const char* name;
        std::vector<Cells> rows;
        std::string fileBytes;
    };
    const Case cases[] = {
        {"a catch with Stelle ticked", {kFullCatch}, kFullLine + ";;;Bucht\r\n"},
        {"an empty table gives an empty file part", {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        db_.ClearRows();
        for (const Cells& row : c.rows) {
            AddCatch(row);
        }
        LoopbackHttpServer server(200, "OK", "<html>danke</html>");
        const UploadServer target = Server(server.HostPort());
        PreparedUpload prepared;
        std::string problem;
        ASSERT_TRUE(OnlineUpload::Prepare(db_, folder_, target, {false, false, true}, SampleNow(),
                                          prepared, problem))
            << problem;
        const std::filesystem::path file = folder_ / "81220071545120.dat";
        EXPECT_EQ(prepared.file, file);
        std::string written;
        ASSERT_TRUE(ReadFileBytes(file, written, problem)) << problem;
        EXPECT_EQ(written, c.fileBytes);

        const HttpReply reply =
            HttpPoster().Post(target.Url(), prepared.request.headers, prepared.request.body);
        EXPECT_TRUE(reply.ok) << reply.error;
        EXPECT_EQ(reply.status, 200);
        EXPECT_EQ(reply.body, "<html>danke</html>");

        const std::vector<std::string> requests = server.Requests();
        ASSERT_EQ(requests.size(), 1u);
        const HttpRequestParts request = SplitRequest(requests[0]);
        EXPECT_EQ(request.requestLine, "POST /onlinestatistik/upload.php HTTP/1.1");
        const std::string boundary = "--------120807150405120";
        const std::string body =
            "--" + boundary + "\r\nContent-Disposition: form-data; name=\"userfile\"; filename=\"" +
            file.string() + "\"\r\nContent-Type: */*\r\n\r\n" + c.fileBytes + "\r\n--" + boundary +
            "--\r\n";
        EXPECT_EQ(request.body, body);
        const std::pair<const char*, std::string> headers[] = {
            {"Host", server.HostPort()},
            {"Content-Type", "multipart/form-data; boundary=" + boundary},
            {"Accept", "text/html, */*"},
            {"User-Agent", "Mozilla/3.0 (compatible; Indy Library)"},
            {"Content-Length", std::to_string(body.size())},
            {"Expect", ""},
        };
        for (const auto& [name, value] : headers) {
            EXPECT_EQ(request.Header(name), value) << name;
        }
    }
}

TEST_F(OnlineUploadTest, FileNameParameterCannotBreakTheHeader) {
    struct Case {
        const char* path;
        std::string parameter;
    };
    const Case cases[] = {
        {"/home/anna/Zelvorin/1.dat", "/home/anna/Zelvorin/1.dat"},
        {"/home/anna/Köln/1.dat", "/home/anna/K\xF6ln/1.dat"},
        {"/tmp/a\"b\r\nX-Evil: 1/1.dat", "/tmp/a%22b%0D%0AX-Evil: 1/1.dat"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const UploadRequest request = BuildUploadRequest(c.path, "", "B");
        EXPECT_EQ(request.body, "--B\r\nContent-Disposition: form-data; name=\"userfile\"; "
                                "filename=\"" +
                                    c.parameter + "\"\r\nContent-Type: */*\r\n\r\n\r\n--B--\r\n");
    }
}

TEST_F(OnlineUploadTest, ServerIsAHostWithAnOptionalPort) {
    struct Case {
        const char* text;
        const char* url; // nullptr: refused
    };
    const Case cases[] = {
        {"", "http://localhost/onlinestatistik/upload.php"},
        {" statistik.example.org ", "http://statistik.example.org/onlinestatistik/upload.php"},
        {"127.0.0.1:8080", "http://127.0.0.1:8080/onlinestatistik/upload.php"},
        {"[::1]:81", "http://[::1]:81/onlinestatistik/upload.php"},
        {"http://example.org", nullptr},
        {"example.org/upload", nullptr},
        {"user@example.org", nullptr},
        {"exa mple.org", nullptr},
        {"example.org:0", nullptr},
        {"example.org:65536", nullptr},
        {"example.org:80x", nullptr},
        {"[example]:80", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string problem;
        const std::optional<UploadServer> server = ParseUploadServer(c.text, problem);
        if (c.url == nullptr) {
            EXPECT_FALSE(server.has_value());
            EXPECT_NE(problem.find("ist ungültig"), std::string::npos) << problem;
            // The text need not come from the settings (the command line's
            // --server): only the settings' reading names the settings.
            EXPECT_EQ(problem.find("Zelvorin.ini"), std::string::npos) << problem;
        } else {
            ASSERT_TRUE(server.has_value()) << problem;
            EXPECT_EQ(server->Url(), c.url);
        }
    }

    // The settings name the server; without the key it is localhost.
    IniFile settings(folder_ / "Zelvorin.ini");
    std::string problem;
    EXPECT_EQ(ConfiguredUploadServer(settings, problem)->Text(), "localhost");
    ASSERT_TRUE(settings.WriteString("online", "server", "stat.example.org:8081"));
    EXPECT_EQ(ConfiguredUploadServer(settings, problem)->Text(), "stat.example.org:8081");
    ASSERT_TRUE(settings.WriteString("Online", "Server", "stat example"));
    EXPECT_FALSE(ConfiguredUploadServer(settings, problem));
    EXPECT_NE(problem.find("\"stat example\" ([Online] \"Server\" in Zelvorin.ini) ist ungültig"),
              std::string::npos)
        << problem;
}

TEST_F(OnlineUploadTest, TransferEndsWhenTheServerIsSilentOrTheUserCancels) {
    struct Case {
        const char* name;
        bool cancelled;
        const char* reason;
    };
    const Case cases[] = {
        {"a server that never answers", false, "Zeitüberschreitung"},
        {"a cancel", true, "Die Übertragung wurde abgebrochen."},
    };
    HttpLimits limits;
    limits.connectSeconds = 2;
    limits.stallSeconds = 1;
    const HttpPoster poster(limits);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoopbackHttpServer server(200, "OK", "", LoopbackHttpServer::Mode::Silent);
        const std::atomic<bool> cancel{c.cancelled};
        const HttpReply reply = poster.Post(Server(server.HostPort()).Url(), {}, "body", &cancel);
        EXPECT_FALSE(reply.ok);
        EXPECT_EQ(reply.cancelled, c.cancelled);
        EXPECT_NE(reply.error.find(c.reason), std::string::npos) << reply.error;
    }
}

class UploadCommandTest : public StatisticsFixture {
protected:
    void TearDown() override {
        SetCurrentClock(nullptr);
        StatisticsFixture::TearDown();
    }

    // Saves the catch table as the folder's catch database, with more
    // settings lines after it.
    void SaveFolder(const std::string& moreSettings = {}) {
        const std::string path = (folder_ / "Fang.f").string();
        ASSERT_TRUE(db_.SaveToFile(path));
        std::ofstream ini(folder_ / "Zelvorin.ini", std::ios::binary);
        ini << "[Datenbank]\r\nZelvorin=" << path << "\r\n" << moreSettings;
    }

    std::vector<std::filesystem::path> UploadFiles() const {
        std::vector<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
            if (entry.path().extension() == ".dat") {
                files.push_back(entry.path());
            }
        }
        return files;
    }

    int Run(const std::vector<std::string>& args) {
        out_.str({});
        err_.str({});
        return cli::RunUploadCommand(args, out_, err_);
    }

    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(UploadCommandTest, DeletesTheFileOnlyWhenTheServerTookIt) {
    enum class Reply { Ok, ServerError, Refused };
    struct Case {
        const char* name;
        Reply reply;
        int exitCode;
        const char* reason;
    };
    const Case cases[] = {
        {"a 200 reply", Reply::Ok, 0, ""},
        {"a 500 reply", Reply::ServerError, 1, "HTTP 500 Internal Server Error"},
        {"a refused connection", Reply::Refused, 1, "Keine Verbindung zum Server"},
    };
    AddCatch(kFullCatch);
    const FixedClock clock(SampleNow());
    SetCurrentClock(&clock);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(folder_ / "81220071545120.dat");
        std::optional<LoopbackHttpServer> server;
        std::optional<RefusingPort> refusing;
        std::string target;
        if (c.reply == Reply::Refused) {
            target = refusing.emplace().HostPort();
        } else {
            target = server
                         .emplace(c.reply == Reply::Ok ? 200 : 500,
                                  c.reply == Reply::Ok ? "OK" : "Internal Server Error")
                         .HostPort();
        }
        // The server comes from the settings, or from --server over them.
        std::vector<std::string> args = {folder_.string(), "--faenger", "--gewaesser", "--stelle"};
        if (c.reply == Reply::Ok) {
            SaveFolder("[Online]\r\nServer=" + target + "\r\n");
        } else {
            SaveFolder("[Online]\r\nServer=elsewhere.invalid\r\n");
            args.insert(args.end(), {"--server", target});
        }

        EXPECT_EQ(Run(args), c.exitCode) << err_.str();
        const std::filesystem::path file = folder_ / "81220071545120.dat";
        if (c.exitCode == 0) {
            EXPECT_EQ(out_.str(), "Datei: " + file.string() + "\nServer: http://" + target +
                                      "/onlinestatistik/upload.php\n"
                                      "Ein Eintrag wurde übertragen.\n");
            EXPECT_TRUE(UploadFiles().empty());
            ASSERT_EQ(server->Requests().size(), 1u);
            EXPECT_NE(SplitRequest(server->Requests()[0])
                          .body.find(kFullLine + ";Max;M\xF6hnesee;Bucht\r\n"),
                      std::string::npos);
        } else {
            EXPECT_NE(err_.str().find(c.reason), std::string::npos) << err_.str();
            EXPECT_NE(
                err_.str().find("Die Datei \"" + file.string() + "\" bleibt im Programmordner."),
                std::string::npos)
                << err_.str();
            EXPECT_EQ(UploadFiles(), std::vector<std::filesystem::path>{file});
        }
    }
}

TEST_F(UploadCommandTest, BadCatchDateSendsNothing) {
    AddCatch(kFullCatch);
    AddCatch({{"Fangdatum", "31.02.2007"}});
    LoopbackHttpServer server;
    SaveFolder();

    EXPECT_EQ(Run({folder_.string(), "--server", server.HostPort()}), 1);
    EXPECT_EQ(err_.str(), "'31.02.2007' ist kein gültiges Datum\n");
    EXPECT_TRUE(out_.str().empty());
    EXPECT_TRUE(UploadFiles().empty());
    EXPECT_TRUE(server.Requests().empty());
}

} // namespace
} // namespace zv::test
