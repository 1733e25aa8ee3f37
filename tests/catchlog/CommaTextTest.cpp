#include "catchlog/CommaText.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

using Names = std::vector<std::string>;

TEST(CommaTextTest, SplitsAtCommasAndUnquotedBlanks) {
    EXPECT_EQ(SplitCommaText(""), Names{});
    EXPECT_EQ(SplitCommaText("   "), Names{});
    EXPECT_EQ(SplitCommaText("a.jpg"), (Names{"a.jpg"}));
    EXPECT_EQ(SplitCommaText("a.jpg,b.jpg"), (Names{"a.jpg", "b.jpg"}));
    EXPECT_EQ(SplitCommaText("  a.jpg , b.jpg  "), (Names{"a.jpg", "b.jpg"}));
    EXPECT_EQ(SplitCommaText("mein bild.jpg"), (Names{"mein", "bild.jpg"}));
    EXPECT_EQ(SplitCommaText("a,,b"), (Names{"a", "", "b"}));
    EXPECT_EQ(SplitCommaText("a,"), (Names{"a", ""}));
}

TEST(CommaTextTest, QuotesKeepBlanksCommasAndDoubledQuotes) {
    EXPECT_EQ(SplitCommaText("\"mein bild.jpg\",b.jpg"), (Names{"mein bild.jpg", "b.jpg"}));
    EXPECT_EQ(SplitCommaText("\"a,b.jpg\""), (Names{"a,b.jpg"}));
    EXPECT_EQ(SplitCommaText("\"sagt \"\"hallo\"\".jpg\""), (Names{"sagt \"hallo\".jpg"}));
    EXPECT_EQ(SplitCommaText("\"\""), (Names{""}));
    // An unclosed quote runs to the end of the text.
    EXPECT_EQ(SplitCommaText("\"offen, bis zum Ende"), (Names{"offen, bis zum Ende"}));
}

TEST(CommaTextTest, JoinQuotesOnlyWhereNeeded) {
    EXPECT_EQ(JoinCommaText({}), "");
    EXPECT_EQ(JoinCommaText({"a.jpg", "b.jpg"}), "a.jpg,b.jpg");
    EXPECT_EQ(JoinCommaText({"Äsche 1.jpg", "x,y.jpg", "q\"q.jpg"}),
              "\"Äsche 1.jpg\",\"x,y.jpg\",\"q\"\"q.jpg\"");
    EXPECT_EQ(JoinCommaText({""}), "\"\"");
}

TEST(CommaTextTest, EveryListReadsBackUnchanged) {
    const std::vector<Names> lists = {
        {"0506200718420757_0.jpg", "0506200718420757_1.jpg"},
        {"mein bild.jpg", "zwei,drei.jpg", "\"zitat\".jpg", "tab\there.jpg"},
        {"", "a"},
        {""},
        {"Hecht groß small.jpg"},
    };
    for (const Names& names : lists) {
        EXPECT_EQ(SplitCommaText(JoinCommaText(names)), names) << JoinCommaText(names);
    }
}

} // namespace
} // namespace zv
