#include "base/Win1252.h"

#include <gtest/gtest.h>

using namespace zv;

TEST(Win1252, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    const std::string utf8 = Win1252ToUtf8(all);
    const auto back = Utf8ToWin1252(utf8);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, all);
    EXPECT_TRUE(IsWin1252Representable(utf8));
}

TEST(Win1252, MapsTheGermanAndTypographicCharacters) {
    EXPECT_EQ(Win1252ToUtf8("\xE4\xF6\xFC\xDF\xC4"), "äöüßÄ");
    EXPECT_EQ(Win1252ToUtf8("\x80"), "€");
    EXPECT_EQ(Win1252ToUtf8("\x84\x93"), "„“");
    // An undefined byte keeps its C1 code point.
    EXPECT_EQ(Win1252ToUtf8("\x81"), "\xC2\x81");
    EXPECT_EQ(Utf8ToWin1252("Größe 12,50 €").value(), "Gr\xF6\xDF"
                                                      "e 12,50 \x80");
}

TEST(Win1252, RefusesWhatItCannotHold) {
    EXPECT_FALSE(Utf8ToWin1252("Łódź").has_value());
    EXPECT_EQ(FirstNonWin1252Char("Hecht Łódź"), "Ł");
    EXPECT_EQ(FirstNonWin1252Char("Hecht 🐟"), "🐟");
    EXPECT_EQ(FirstNonWin1252Char("Hecht"), "");
    // Broken UTF-8 is refused, not passed through.
    EXPECT_FALSE(Utf8ToWin1252("a\xC3").has_value());
    EXPECT_FALSE(Utf8ToWin1252("\xC0\xAF").has_value()); // overlong form
    EXPECT_FALSE(IsWin1252Representable("a\xFF"));

    std::string out = "x";
    std::string bad;
    EXPECT_FALSE(AppendUtf8AsWin1252("ab\xE2\x82\xAC"
                                     "cŁd",
                                     out, &bad));
    EXPECT_EQ(bad, "Ł");
    EXPECT_NE(NonWin1252Message("Ł").find("\"Ł\""), std::string::npos);
}
