// Reading an upload file: which lines are catches, what is read from them,
// and which fields make a catch the same catch.

#include "TestDatabase.h"

#include "onlinestats/UploadParser.h"

#include <gtest/gtest.h>

namespace zv::test {
namespace {

TEST(UploadParserTest, LinesThatAreNotCatchesAreSkippedAndCounted) {
    struct Case {
        const char* name;
        std::string bytes;
        std::size_t catches;
        int skipped;
    };
    const std::string line = UploadLine({});
    const Case cases[] = {
        {"one line", UploadFile({line}), 1, 0},
        {"empty file", "", 0, 0},
        {"line feed only, last line unended", line + "\n" + line, 2, 0},
        {"22 fields", UploadFile({line.substr(0, line.rfind(';'))}), 0, 1},
        {"a bait with ';' gives 24", UploadFile({UploadLine({{7, "Gummi;fisch"}}), line}), 1, 1},
        {"30 February", UploadFile({UploadLine({{1, "2007-2-30"}})}), 0, 1},
        {"month 13", UploadFile({UploadLine({{1, "2007-13-1"}})}), 0, 1},
        {"German date", UploadFile({UploadLine({{1, "15.06.2007"}})}), 0, 1},
        {"empty line between", UploadFile({line, "", line}), 2, 1},
    };
    for (const Case& c : cases) {
        const ParsedUpload upload = ParseUpload(c.bytes);
        EXPECT_EQ(upload.catches.size(), c.catches) << c.name;
        EXPECT_EQ(upload.skipped, c.skipped) << c.name;
    }
}

TEST(UploadParserTest, ReadsWhatTheStatisticsNeed) {
    struct Case {
        std::vector<std::pair<int, std::string>> fields;
        int month;
        int hour;
        std::string species;
        std::optional<double> length;
        std::optional<double> weight;
        std::string baitType;
    };
    const Case cases[] = {
        {{{1, "2007-05-07"},
          {2, "06:40:00"},
          {3, " Zander\t"},
          {4, "45,5"},
          {5, "1200"},
          {10, "Kunstköder"}},
         5,
         6,
         "Zander",
         45.5,
         1200,
         "Kunstköder"},
        {{{2, "00:15"}, {4, "0"}, {5, "-3"}}, 6, 0, "Hecht", std::nullopt, std::nullopt, ""},
        {{{2, "abends"}, {4, "45.5"}, {5, "1E3"}}, 6, -1, "Hecht", std::nullopt, 1000, ""},
    };
    for (const Case& c : cases) {
        const ParsedUpload upload = ParseUpload(UploadFile({UploadLine(c.fields)}));
        ASSERT_EQ(upload.catches.size(), 1u);
        const UploadedCatch& read = upload.catches[0];
        EXPECT_EQ(read.month, c.month);
        EXPECT_EQ(read.hour, c.hour);
        EXPECT_EQ(read.species, c.species);
        EXPECT_EQ(read.length, c.length);
        EXPECT_EQ(read.weight, c.weight);
        EXPECT_EQ(read.fields[kBaitTypeField], c.baitType);
    }
}

TEST(UploadParserTest, FieldsOneToTwentyMakeTheCatch) {
    const auto identity = [](const std::vector<std::pair<int, std::string>>& fields) {
        return ParseUpload(UploadFile({UploadLine(fields)})).catches.at(0).identity;
    };
    const std::string plain = identity({{1, "2007-5-7"}});
    EXPECT_EQ(identity({{1, "2007-05-07"}}), plain);
    EXPECT_EQ(identity({{1, "2007-5-7"}, {21, "Max"}, {22, "Rhein"}, {23, "Buhne"}}), plain);
    for (int field = 2; field <= 20; ++field) {
        EXPECT_NE(identity({{1, "2007-5-7"}, {field, "x"}}), plain) << field;
    }
}

} // namespace
} // namespace zv::test
