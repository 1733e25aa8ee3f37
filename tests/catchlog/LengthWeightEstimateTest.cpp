#include "catchlog/LengthWeightEstimate.h"

#include "EntryTestSupport.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

class EstimateTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(WriteDefaultConditionFactors(folder_.Path(), error)) << error;
    }
    test::EntryFolder folder_;
};

TEST_F(EstimateTest, DefaultFileHasTheExactLinesInWindows1252) {
    const std::string bytes = test::GetBytes(ConditionFactorPath(folder_.Path()));
    EXPECT_EQ(bytes.rfind("[KFaktor]\r\nAal = 0,22\r\n\xC4sche = 1,166\r\nD\xF6"
                          "bel = 1,1\r\n",
                          0),
              0u);
    EXPECT_NE(bytes.find("\r\nRotauge = 1,19\r\nRapfen =  0,96\r\nRotfeder = 1,19\r\n"),
              std::string::npos);
    EXPECT_NE(bytes.find("\r\nBrachse = 1,13\r\nBrasse = 1,13\r\n"), std::string::npos);
    EXPECT_EQ(bytes.size() - bytes.rfind("Zander = 0,96\r\n"), 15u); // the last line
    int lines = 0;
    for (char c : bytes) {
        lines += c == '\n';
    }
    EXPECT_EQ(lines, 27); // the section line and 26 factors
}

TEST_F(EstimateTest, ExistingFileIsNeverRewritten) {
    test::PutBytes(ConditionFactorPath(folder_.Path()), "[KFaktor]\r\nHecht=1\r\n");
    std::string error;
    ASSERT_TRUE(WriteDefaultConditionFactors(folder_.Path(), error));
    EXPECT_EQ(test::GetBytes(ConditionFactorPath(folder_.Path())), "[KFaktor]\r\nHecht=1\r\n");
    EXPECT_EQ(EstimateWeight(folder_.Path(), "Hecht", "10").value, "10");
}

TEST_F(EstimateTest, WeightAndLengthOfAPike) {
    EXPECT_EQ(EstimateWeight(folder_.Path(), "Hecht", "80").value, "3886");
    EXPECT_EQ(EstimateLength(folder_.Path(), "Hecht", "3886").value, "80");
    // Length 0 gives weight 0.
    EXPECT_EQ(EstimateWeight(folder_.Path(), "Hecht", "0").value, "0");
}

TEST_F(EstimateTest, SpeciesMatchesWithoutLetterCaseAndRapfenReadsDespiteBlanks) {
    EXPECT_EQ(EstimateWeight(folder_.Path(), "hecht", "80").value, "3886");
    // 0,96 × 50³ / 100 = 1200
    EXPECT_EQ(EstimateWeight(folder_.Path(), "Rapfen", "50").value, "1200");
    EXPECT_EQ(EstimateLength(folder_.Path(), "RAPFEN", "1200").value, "50");
    // Umlauts are part of the key: Äsche 1,166 × 40³ / 100 = 746,24
    EXPECT_EQ(EstimateWeight(folder_.Path(), "äsche", "40").value, "746");
}

TEST_F(EstimateTest, RoundingRules) {
    // Weight: halves away from zero. K 1,28 (Barsch), L 5: 1,6 → 2; Aal 0,22,
    // L 10: 2,2 → 2; a hand-made factor 0,5 with L 1 gives 0,005 → 0.
    EXPECT_EQ(EstimateWeight(folder_.Path(), "Barsch", "5").value, "2");
    test::PutBytes(ConditionFactorPath(folder_.Path()),
                   "[KFaktor]\r\nHalb=50\r\nAcht=800\r\nNull=0\r\nText=abc\r\n"
                   "Hoch= +113E-2 \r\n");
    // 50 × 1 / 100 = 0,5 → 1 (away from zero); -1 gives -0,5 → -1.
    EXPECT_EQ(EstimateWeight(folder_.Path(), "Halb", "1").value, "1");
    EXPECT_EQ(EstimateWeight(folder_.Path(), "Halb", "-1").value, "-1");
    // A factor written with an exponent is the same exact 1,13.
    EXPECT_EQ(EstimateWeight(folder_.Path(), "Hoch", "50").value, "1413");
    // Length: halves go to the even neighbour. K 800: (100 × W / 800)^(1/3);
    // W 125 → 2,5 → 2; W 5488 (cube 686, L 8,82) → 9.
    EXPECT_EQ(EstimateLength(folder_.Path(), "Acht", "125").value, "2");
    EXPECT_EQ(EstimateLength(folder_.Path(), "Acht", "343").value, "4"); // 3,5
    EXPECT_EQ(EstimateLength(folder_.Path(), "Acht", "5488").value, "9");
}

// Exact halves with the real default factors, none of which is a binary
// fraction: in floating point each of them lands a hair off the half.
TEST_F(EstimateTest, ExactHalvesOfTheDefaultFactorsRoundByTheirRule) {
    struct Case {
        const char* species;
        const char* given;
        const char* expected;
        bool weight; // estimate the weight from a length, else the reverse
    };
    const Case cases[] = {
        {"Brasse", "50", "1413", true},     // 1412,5
        {"Brachse", "150", "38138", true},  // 38137,5
        {"Brasse", "350", "484488", true},  // 484487,5
        {"Äsche", "150", "39353", true},    // 39352,5
        {"Brasse", "-50", "-1413", true},   // away from zero on both sides
        {"Barsch", "609725", "362", false}, // 362,5 → the even 362
        {"Barsch", "171475", "238", false}, // 237,5 → the even 238
    };
    for (const Case& c : cases) {
        const EstimateResult result = c.weight ? EstimateWeight(folder_.Path(), c.species, c.given)
                                               : EstimateLength(folder_.Path(), c.species, c.given);
        EXPECT_EQ(result.value, c.expected) << c.species << " " << c.given;
    }
}

TEST_F(EstimateTest, FailuresGiveTheirMessagesAndNoValue) {
    const EstimateResult none = EstimateWeight(folder_.Path(), "Meerforelle", "50");
    EXPECT_FALSE(none.value);
    EXPECT_EQ(none.message, "Keine Daten für \"Meerforelle\" vorhanden.");
    EXPECT_EQ(EstimateLength(folder_.Path(), "Meerforelle", "50").message,
              "Keine Daten für \"Meerforelle\" vorhanden.");

    const EstimateResult decimal = EstimateWeight(folder_.Path(), "Hecht", "45,5");
    EXPECT_FALSE(decimal.value);
    EXPECT_EQ(decimal.message, "'45,5' ist kein gültiger Integerwert");

    test::PutBytes(ConditionFactorPath(folder_.Path()), "[KFaktor]\r\nNull=0\r\nText=abc\r\n");
    EXPECT_EQ(EstimateLength(folder_.Path(), "Null", "100").message,
              "Gleitkommadivision durch Null");
    EXPECT_EQ(EstimateWeight(folder_.Path(), "Text", "10").message,
              "'abc' ist kein gültiger Gleitkommawert");
    EXPECT_FALSE(EstimateLength(folder_.Path(), "Text", "10").value);

    std::filesystem::remove(ConditionFactorPath(folder_.Path()));
    EXPECT_EQ(EstimateWeight(folder_.Path(), "Hecht", "80").message,
              "Keine Daten für \"Hecht\" vorhanden.");
}

} // namespace
} // namespace zv
