#include "storage/IniFile.h"

#include "DataTestSupport.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

// A file as a person might write it: comments, blank lines, blanks around
// names and values, mixed line ends and no line end at the very end.
const std::string kHandWritten = "; Einstellungen von Hand\r\n"
                                 "\r\n"
                                 "[ Datenbank ]\r\n"
                                 "  Zelvorin =  /data/Fang.f  \r\n"
                                 "# alter Pfad: /alt/Fang.fdb\n"
                                 "Angelkosten=/data/Kosten.a\r\n"
                                 "\r\n"
                                 "[Karte]\r\n"
                                 "M\xF6hnesee=/karten/karte_moehne.jpg\r\n"
                                 "\r\n"
                                 "[KarteFarbe]\r\n"
                                 "Hecht=clgreen";

class IniFileTest : public ::testing::Test {
protected:
    TempFolder folder_;
    std::filesystem::path path_ = folder_ / "Zelvorin.ini";
};

TEST_F(IniFileTest, MissingFileReadsDefaultsAndIsCreatedByTheFirstWrite) {
    IniFile ini(path_);
    EXPECT_EQ(ini.ReadString("Datenbank", "Zelvorin"), "");
    EXPECT_EQ(ini.ReadString("KarteFarbe", "Hecht", "clblue"), "clblue");
    EXPECT_FALSE(ini.SectionExists("Datenbank"));
    EXPECT_TRUE(ini.ReadSection("Felder").empty());
    EXPECT_TRUE(ini.EraseKey("Datenbank", "Zelvorin"));
    EXPECT_FALSE(std::filesystem::exists(path_));

    ASSERT_TRUE(ini.WriteString("Datenbank", "Zelvorin", "/x/Fang.f"));
    EXPECT_EQ(ReadBytes(path_), "[Datenbank]\r\nZelvorin=/x/Fang.f\r\n");
    ASSERT_TRUE(ini.WriteString("Datenbank", "Kalender", "/x/K.cal"));
    ASSERT_TRUE(ini.WriteString("Karte", "See", "/k.jpg"));
    EXPECT_EQ(ReadBytes(path_), "[Datenbank]\r\nZelvorin=/x/Fang.f\r\nKalender=/x/K.cal\r\n"
                                "\r\n[Karte]\r\nSee=/k.jpg\r\n");
}

TEST_F(IniFileTest, ReadsHandWrittenFileWithBlanksAndComments) {
    WriteBytes(path_, kHandWritten);
    IniFile ini(path_);
    EXPECT_EQ(ini.ReadString("Datenbank", "Zelvorin"), "/data/Fang.f");
    EXPECT_EQ(ini.ReadString("Datenbank", "Angelkosten"), "/data/Kosten.a");
    EXPECT_EQ(ini.ReadString("KarteFarbe", "Hecht"), "clgreen");
    EXPECT_EQ(ini.ReadSection("Datenbank"), (std::vector<std::string>{"Zelvorin", "Angelkosten"}));
    EXPECT_TRUE(ini.SectionExists("karte"));
    EXPECT_FALSE(ini.SectionExists("Felder"));
    // A comment is not a key, even when it looks like one.
    EXPECT_EQ(ini.ReadString("Datenbank", "# alter Pfad: /alt/Fang.fdb"), "");
}

TEST_F(IniFileTest, NamesMatchIgnoringCaseUnderTheGermanRule) {
    WriteBytes(path_, kHandWritten);
    IniFile ini(path_);
    EXPECT_EQ(ini.ReadString("DATENBANK", "zelvorin"), "/data/Fang.f");
    EXPECT_EQ(ini.ReadString("karte", "MÖHNESEE"), "/karten/karte_moehne.jpg");
    // Umlauts are letters of their own: "Mohnesee" is another water.
    EXPECT_EQ(ini.ReadString("Karte", "Mohnesee", "-"), "-");

    ASSERT_TRUE(ini.WriteString("datenbank", "ZELVORIN", "/neu/Fang.f"));
    EXPECT_EQ(ini.ReadSection("Datenbank"), (std::vector<std::string>{"Zelvorin", "Angelkosten"}));
    EXPECT_EQ(ini.ReadString("Datenbank", "Zelvorin"), "/neu/Fang.f");
}

TEST_F(IniFileTest, WriteChangesOnlyItsOwnLine) {
    WriteBytes(path_, kHandWritten);
    IniFile ini(path_);

    ASSERT_TRUE(ini.WriteString("Datenbank", "Zelvorin", "/neu/Fang.f"));
    std::string expected = kHandWritten;
    const std::string oldLine = "  Zelvorin =  /data/Fang.f  ";
    expected.replace(expected.find(oldLine), oldLine.size(), "  Zelvorin =/neu/Fang.f");
    EXPECT_EQ(ReadBytes(path_), expected);

    // The last line has no line end; changing it keeps that.
    ASSERT_TRUE(ini.WriteString("KarteFarbe", "hecht", "clred"));
    expected.replace(expected.find("Hecht=clgreen"), 13, "Hecht=clred");
    EXPECT_EQ(ReadBytes(path_), expected);
}

TEST_F(IniFileTest, NewKeyGoesAfterTheLastKeyOfItsSection) {
    WriteBytes(path_, kHandWritten);
    IniFile ini(path_);
    ASSERT_TRUE(ini.WriteString("Datenbank", "Kalender", "/data/K.cal"));
    std::string expected = kHandWritten;
    const std::string anchor = "Angelkosten=/data/Kosten.a\r\n";
    expected.insert(expected.find(anchor) + anchor.size(), "Kalender=/data/K.cal\r\n");
    EXPECT_EQ(ReadBytes(path_), expected);
    EXPECT_EQ(ini.ReadSection("Datenbank"),
              (std::vector<std::string>{"Zelvorin", "Angelkosten", "Kalender"}));

    // Into the last section, which ends without a line end.
    ASSERT_TRUE(ini.WriteString("KarteFarbe", "Barsch", "clyellow"));
    EXPECT_EQ(ReadBytes(path_),
              expected.replace(expected.size() - 13, 13, "Hecht=clgreen\r\nBarsch=clyellow\r\n"));
}

TEST_F(IniFileTest, EraseRemovesOnlyTheKeyLine) {
    WriteBytes(path_, kHandWritten);
    IniFile ini(path_);
    ASSERT_TRUE(ini.EraseKey("Datenbank", "Angelkosten"));
    std::string expected = kHandWritten;
    const std::string line = "Angelkosten=/data/Kosten.a\r\n";
    expected.erase(expected.find(line), line.size());
    EXPECT_EQ(ReadBytes(path_), expected);
    EXPECT_EQ(ini.ReadString("Datenbank", "Angelkosten", "weg"), "weg");

    // A key of the same name in another section is another key.
    ASSERT_TRUE(ini.EraseKey("Karte", "Hecht"));
    EXPECT_EQ(ReadBytes(path_), expected);
}

TEST_F(IniFileTest, FirstOfRepeatedSectionsAndKeysCounts) {
    WriteBytes(path_, "[Felder]\r\nKurz=1,2\r\nkurz=9\r\n[Felder]\r\nLang=1,2,3\r\n");
    IniFile ini(path_);
    EXPECT_EQ(ini.ReadString("Felder", "Kurz"), "1,2");
    EXPECT_EQ(ini.ReadSectionValues("Felder"),
              (std::vector<std::pair<std::string, std::string>>{{"Kurz", "1,2"}}));
    ASSERT_TRUE(ini.WriteString("Felder", "KURZ", "3"));
    EXPECT_EQ(ReadBytes(path_), "[Felder]\r\nKurz=3\r\nkurz=9\r\n[Felder]\r\nLang=1,2,3\r\n");
}

TEST_F(IniFileTest, TextIsWindows1252OnDisk) {
    IniFile ini(path_);
    ASSERT_TRUE(ini.WriteString("Karte", "Baggersee Süd", "/Bilder/Äsche 1.jpg"));
    EXPECT_EQ(ReadBytes(path_), "[Karte]\r\nBaggersee S\xFC"
                                "d=/Bilder/\xC4sche 1.jpg\r\n");
    EXPECT_EQ(ini.ReadString("Karte", "baggersee süd"), "/Bilder/Äsche 1.jpg");

    const std::string before = ReadBytes(path_);
    EXPECT_FALSE(ini.WriteString("Karte", "See", "Fisch \xE6\xBC\xA2"));
    EXPECT_NE(ini.LastError().find("\xE6\xBC\xA2"), std::string::npos) << ini.LastError();
    EXPECT_EQ(ReadBytes(path_), before);
}

TEST_F(IniFileTest, UnwritableFolderIsReportedAndFileStays) {
    // A "folder" that is a plain file cannot hold anything, whoever runs the test.
    WriteBytes(folder_ / "blocked", "x");
    IniFile ini(folder_ / "blocked" / "Zelvorin.ini");
    EXPECT_FALSE(ini.WriteString("Datenbank", "Zelvorin", "/x"));
    EXPECT_FALSE(ini.LastError().empty());
    EXPECT_EQ(ReadBytes(folder_ / "blocked"), "x");
}

TEST_F(IniFileTest, QuotedValuesReadWithoutTheirQuotes) {
    WriteBytes(path_, "[Datenbank]\r\nZelvorin=\"C:\\Meine Daten\\Fang.f\"\r\n");
    EXPECT_EQ(IniFile(path_).ReadString("Datenbank", "Zelvorin"), "C:\\Meine Daten\\Fang.f");
}

TEST_F(IniFileTest, NamesAndValuesTheLayoutCannotHoldAreRefused) {
    WriteBytes(path_, kHandWritten);
    IniFile ini(path_);
    // Written as they are, these would read back as other keys or sections.
    EXPECT_FALSE(ini.WriteString("Karte", "See=Nord", "/a.jpg"));
    EXPECT_FALSE(ini.LastError().empty());
    EXPECT_FALSE(ini.WriteString("Karte", "[Datenbank]", "/a.jpg"));
    EXPECT_FALSE(ini.WriteString("Karte", "; Kommentar", "/a.jpg"));
    EXPECT_FALSE(ini.WriteString("Karte", " See", "/a.jpg"));
    EXPECT_FALSE(ini.WriteString("Karte", "", "/a.jpg"));
    EXPECT_FALSE(ini.WriteString("Karte", "See", "/a.jpg\r\n[Datenbank]\r\nZelvorin=/x"));
    EXPECT_FALSE(ini.WriteString("Kar]te", "See", "/a.jpg"));
    EXPECT_EQ(ReadBytes(path_), kHandWritten);
    // Blanks and "=" inside a value are fine.
    ASSERT_TRUE(ini.WriteString("Felder", "Meine Ansicht", "a = b, c"));
    EXPECT_EQ(ini.ReadString("Felder", "meine ansicht"), "a = b, c");
}

} // namespace
} // namespace zv
