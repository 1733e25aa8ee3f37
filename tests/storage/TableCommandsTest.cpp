// zelvorin-cli table: the same function the executable dispatches to.

#include <gtest/gtest.h>

#include <sstream>

#include "TMlb2SampleCatches.h"
#include "TMlb2TestSupport.h"
#include "cli/TableCommands.h"

namespace zv {
namespace {

using tabletest::ReadBytes;
using tabletest::TempDir;
using tabletest::WriteBytes;

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

CliRun Table(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = cli::RunTableCommand(args, out, err);
    return {code, out.str(), err.str()};
}

TEST(TableCommand, ConvertRoundTripsACatchFileByteIdentically) {
    TempDir dir;
    const std::string catches = tabletest::SampleCatchFile(500);
    WriteBytes(dir.File("Datenbank.f"), catches);

    CliRun r = Table({"convert", dir.File("Datenbank.f"), dir.File("kopie.f")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(ReadBytes(dir.File("kopie.f")) == catches);
    EXPECT_NE(r.out.find("500 Zeilen"), std::string::npos) << r.out;

    // Through the other two formats and back.
    ASSERT_EQ(Table({"convert", dir.File("Datenbank.f"), dir.File("fang.mlb")}).code, 0);
    ASSERT_EQ(Table({"convert", dir.File("fang.mlb"), dir.File("aus-mlb.f")}).code, 0);
    EXPECT_TRUE(ReadBytes(dir.File("aus-mlb.f")) == catches);
    ASSERT_EQ(Table({"convert", dir.File("Datenbank.f"), dir.File("fang.txt")}).code, 0);
    ASSERT_EQ(Table({"convert", dir.File("fang.txt"), dir.File("aus-txt.f")}).code, 0);
    EXPECT_TRUE(ReadBytes(dir.File("aus-txt.f")) == catches);
}

TEST(TableCommand, InfoListsFormatFieldsAndRows) {
    TempDir dir;
    WriteBytes(dir.File("kosten.a"), "Datum;H\xE4ndler\r\n01.02.2007;Angel-M\xFCller\r\n");
    const CliRun r = Table({"info", dir.File("kosten.a")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Datei: " + dir.File("kosten.a") +
                         "\nFormat: CSV\nFelder: 2\n  1 Datum (STRING)\n  2 Händler (STRING)\n"
                         "Zeilen: 1\n");
}

TEST(TableCommand, AFailedLoadOrSaveReportsTheReasonAndLeavesOutAlone) {
    TempDir dir;
    WriteBytes(dir.File("ziel.f"), "bleibt");
    CliRun r = Table({"convert", dir.File("fehlt.f"), dir.File("ziel.f")});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find(dir.File("fehlt.f")), std::string::npos) << r.err;
    EXPECT_EQ(ReadBytes(dir.File("ziel.f")), "bleibt");

    WriteBytes(dir.File("kaputt.f"), "A\r\n1;2\r\n");
    r = Table({"convert", dir.File("kaputt.f"), dir.File("ziel.f")});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("Zeile 2"), std::string::npos) << r.err;
    EXPECT_EQ(ReadBytes(dir.File("ziel.f")), "bleibt");

    WriteBytes(dir.File("gut.f"), "A\r\n1\r\n");
    r = Table({"convert", dir.File("gut.f"), dir.File("fehlt/ziel.f")});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("fehlt/ziel.f"), std::string::npos) << r.err;

    r = Table({"info", dir.File("fehlt.mlb")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "");
}

TEST(TableCommand, BadArgumentsPrintUsage) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{},
                                                 {"info"},
                                                 {"convert", "a.f"},
                                                 {"info", "a", "b"},
                                                 {"export", "a.f"}}) {
        const CliRun r = Table(args);
        EXPECT_EQ(r.code, 2);
        EXPECT_NE(r.err.find("Aufruf: zelvorin-cli table"), std::string::npos);
    }
}

} // namespace
} // namespace zv
