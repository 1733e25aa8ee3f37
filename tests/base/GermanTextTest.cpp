#include "base/GermanText.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

using namespace zv;

TEST(GermanText, LocaleComparisonIgnoresCaseButNotAccents) {
    EXPECT_TRUE(SameTextDe("fischart", "Fischart"));
    EXPECT_TRUE(SameTextDe("FISCHART", "Fischart"));
    EXPECT_TRUE(SameTextDe("äsche", "Äsche"));
    EXPECT_FALSE(SameTextDe("asche", "äsche"));
    EXPECT_FALSE(SameTextDe("Hecht", "Hecht "));
    EXPECT_EQ(CompareTextDe("Hecht", "hecht"), 0);
}

TEST(GermanText, SortsUmlautsBesideTheirLetter) {
    std::vector<std::string> fish = {"Barbe", "Zander", "Äsche", "aal", "Aland", "Barsch"};
    std::sort(fish.begin(), fish.end(), LessTextDe);
    EXPECT_EQ(fish,
              (std::vector<std::string>{"aal", "Aland", "Äsche", "Barbe", "Barsch", "Zander"}));

    // Sort keys give the same order as the collator.
    std::vector<std::string> byKey = {"Barbe", "Zander", "Äsche", "aal", "Aland", "Barsch"};
    std::sort(byKey.begin(), byKey.end(), [](const std::string& a, const std::string& b) {
        return CollationKeyDe(a) < CollationKeyDe(b);
    });
    EXPECT_EQ(byKey, fish);
    EXPECT_EQ(CollationKeyDe("Äsche"), CollationKeyDe("äsche"));
    EXPECT_NE(CollationKeyDe("Äsche"), CollationKeyDe("Asche"));
}

TEST(GermanText, AzOnlyRulesLeaveUmlautsAlone) {
    EXPECT_EQ(LowerAZ("ÄSCHE Wobbler"), "Äsche wobbler");
    EXPECT_EQ(UpperAZ("äsche"), "äSCHE");
    EXPECT_TRUE(SameTextAZ("Wobbler", "wOBBLER"));
    EXPECT_FALSE(SameTextAZ("Äsche", "äsche"));
    EXPECT_FALSE(SameTextAZ("Hecht", "Hechte"));
}

TEST(GermanText, TrimRemovesBlanksAndControls) {
    EXPECT_EQ(Trim("  a b \t\r\n"), "a b");
    EXPECT_EQ(TrimLeft("  x "), "x ");
    EXPECT_EQ(TrimRight("  x "), "  x");
    EXPECT_EQ(Trim("   "), "");
}
