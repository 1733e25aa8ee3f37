// The online statistics upload: the file and its name, the request as a
// loopback server receives it, the server setting, the transport's limits,
// and the command line.

#include "LoopbackHttpServer.h"
#include "StatisticsFixture.h"

#include "base/AtomicFile.h"
#include "base/DateTime.h"
#include "cli/UploadCommand.h"
#include "statistics/OnlineUpload.h"
#include "statistics/http/HttpPoster.h"
#include "storage/IniFile.h"

#include <fstream>
#include <optional>
#include <sstream>

namespace zv::test {
namespace {

// A catch with every uploaded field, and a comment that is never sent.
const Cells kFullCatch = {{"Fangdatum", "07.05.2007"},
                          {"Fangzeit", "06:40:00"},
                          {"Faenger", "Max"},
                          {"Fischart", "Hecht"},
                          {"Laenge", "82,5"},
                          {"Gewicht", "4350"},
                          {"Fangmethode", "Spinnfischen"},
                          {"Koeder", "Wobbler"},
                          {"KoederFarbe", "Feuertiger"},
                          {"KoederLaenge", "12"},
                          {"Koedertyp", "Kunstköder"},
                          {"Gewaesser", "Möhnesee"},
                          {"Stelle", "Bucht"},
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
// The file name and boundary of 08.12.2007 15:04:05.120.
const std::string kFileName = "81220071545120.dat";
const std::string kBoundary = "--------120807150405120";

TDateTime SampleNow() {
    return EncodeDate(2007, 12, 8) + EncodeTime(15, 4, 5, 120);
}

std::string UrlOf(const LoopbackHttpServer& server) {
    return "http://" + server.HostPort() + UploadRequest::kPath;
}

class OnlineUploadTest : public StatisticsFixture {
protected:
    void TearDown() override {
        SetCurrentClock(nullptr);
        StatisticsFixture::TearDown();
    }
    void UseRows(const std::vector<Cells>& rows) {
        db_.ClearRows();
        for (const Cells& row : rows) {
            AddCatch(row);
        }
    }

    const FixedClock clock_{SampleNow()};
};

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
        UseRows(c.rows);
        EXPECT_EQ(UploadFileBytes(db_, c.personal), c.expected);
    }
}

TEST_F(OnlineUploadTest, FileNameAndBoundaryComeFromTheClock) {
    struct Case {
        TDateTime now;
        std::string name;
        std::string boundary;
    };
    const Case cases[] = {
        {SampleNow(), kFileName, kBoundary},
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
        UseRows(c.rows);
        LoopbackHttpServer server(200, "OK", "<html>danke</html>");
        PreparedUpload prepared;
        std::string problem;
        ASSERT_TRUE(OnlineUpload::Prepare(db_, folder_, {}, {false, false, true}, SampleNow(),
                                          prepared, problem))
            << problem;
        const std::filesystem::path file = folder_ / kFileName;
        EXPECT_EQ(prepared.file, file);
        std::string written;
        ASSERT_TRUE(ReadFileBytes(file, written, problem)) << problem;
        EXPECT_EQ(written, c.fileBytes);

        const HttpReply reply =
            HttpPoster().Post(UrlOf(server), prepared.request.headers, prepared.request.body);
        EXPECT_TRUE(reply.ok) << reply.error;
        EXPECT_EQ(reply.body, "<html>danke</html>");
        ASSERT_EQ(server.Requests().size(), 1u);
        const std::string request = server.Requests()[0];
        EXPECT_TRUE(request.starts_with("POST /onlinestatistik/upload.php HTTP/1.1\r\n"));
        const std::string body =
            "--" + kBoundary +
            "\r\nContent-Disposition: form-data; name=\"userfile\"; filename=\"" + kFileName +
            "\"\r\nContent-Type: */*\r\n\r\n" + c.fileBytes + "\r\n--" + kBoundary + "--\r\n";
        EXPECT_EQ(RequestBody(request), body);
        const std::pair<const char*, std::string> headers[] = {
            {"Host", server.HostPort()},
            {"Content-Type", "multipart/form-data; boundary=" + kBoundary},
            {"Accept", "text/html, */*"},
            {"User-Agent", "Mozilla/3.0 (compatible; Indy Library)"},
            {"Content-Length", std::to_string(body.size())},
            {"Expect", ""},
        };
        for (const auto& [name, value] : headers) {
            EXPECT_EQ(RequestHeader(request, name), value) << name;
        }
    }
}

TEST_F(OnlineUploadTest, FileNameParameterIsTheBareNameAndCannotBreakTheHeader) {
    struct Case {
        const char* path;
        std::string parameter;
    };
    const Case cases[] = {
        {"/home/anna/Köln/Fänge.dat", "F\xE4nge.dat"},
        {"/tmp/a\"b/x\"y\r\nX-Evil: 1.dat", "x%22y%0D%0AX-Evil: 1.dat"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(BuildUploadRequest(c.path, "", "B").body,
                  "--B\r\nContent-Disposition: form-data; name=\"userfile\"; filename=\"" +
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
        bool cancelled;
        const char* reason;
    };
    const Case cases[] = {{false, "Zeitüberschreitung"},
                          {true, "Die Übertragung wurde abgebrochen."}};
    HttpLimits limits;
    limits.connectSeconds = 2;
    limits.stallSeconds = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        LoopbackHttpServer server(200, "OK", "", true);
        const std::atomic<bool> cancel{c.cancelled};
        const HttpReply reply = HttpPoster(limits).Post(UrlOf(server), {}, "body", &cancel);
        EXPECT_FALSE(reply.ok);
        EXPECT_EQ(reply.cancelled, c.cancelled);
        EXPECT_NE(reply.error.find(c.reason), std::string::npos) << reply.error;
    }
}

// The command line: the server from the settings or from --server over
// them, the personal fields from its flags, the file deleted only after the
// server took it, and every failure a German message and a non-zero exit.
TEST_F(OnlineUploadTest, CommandUploadsTheFolderAndReportsFailures) {
    struct Case {
        const char* name;
        const char* serverOption;  // --server; "": the loopback server; nullptr: the settings'
        std::optional<int> status; // the loopback server's reply; nothing: it is not asked
        const char* badDate;
        int exitCode;
        std::string output; // a part of what it prints (to err on failure)
    };
    const std::string file = (folder_ / kFileName).string();
    const Case cases[] = {
        {"a 200 reply", nullptr, 200, nullptr, 0, "Ein Eintrag wurde übertragen.\n"},
        {"a 500 reply", "", 500, nullptr, 1,
         "HTTP 500 Fehler.\nDie Datei \"" + file + "\" bleibt im Programmordner."},
        {"a bad catch date", "", std::nullopt, "31.02.2007", 1,
         "'31.02.2007' ist kein gültiges Datum\n"},
        {"a bad server", "a b", std::nullopt, nullptr, 2, "Der Server \"a b\" ist ungültig."},
    };
    SetCurrentClock(&clock_);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(file);
        UseRows({kFullCatch});
        if (c.badDate != nullptr) {
            AddCatch({{"Fangdatum", c.badDate}});
        }
        ASSERT_TRUE(db_.SaveToFile((folder_ / "Fang.f").string()));
        LoopbackHttpServer server(c.status.value_or(200), c.status == 200 ? "OK" : "Fehler");
        std::vector<std::string> args = {folder_.string(), "--faenger", "--gewaesser", "--stelle"};
        if (c.serverOption != nullptr) {
            args.insert(args.end(),
                        {"--server", *c.serverOption ? c.serverOption : server.HostPort()});
        }
        std::ofstream(folder_ / "Zelvorin.ini", std::ios::binary)
            << "[Datenbank]\r\nZelvorin=" << (folder_ / "Fang.f").string()
            << "\r\n[Online]\r\nServer="
            << (c.serverOption ? "elsewhere.invalid" : server.HostPort()) << "\r\n";

        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(cli::RunUploadCommand(args, out, err), c.exitCode) << err.str();
        EXPECT_NE((c.exitCode == 0 ? out : err).str().find(c.output), std::string::npos)
            << out.str() << err.str();
        EXPECT_EQ(std::filesystem::exists(file), c.status == 500);
        ASSERT_EQ(server.Requests().size(), c.status ? 1u : 0u);
        if (c.status == 200) {
            EXPECT_EQ(out.str(), "Datei: " + file + "\nServer: " + UrlOf(server) +
                                     "\nEin Eintrag wurde übertragen.\n");
            EXPECT_NE(
                RequestBody(server.Requests()[0]).find(kFullLine + ";Max;M\xF6hnesee;Bucht\r\n"),
                std::string::npos);
        }
    }
}

} // namespace
} // namespace zv::test
