#include "base/NumberText.h"
#include "base/EConvertError.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

using namespace zv;

TEST(NumberText, GeneralFormat) {
    EXPECT_EQ(FloatToStrDe(12.5), "12,5");
    EXPECT_EQ(FloatToStrDe(3), "3");
    EXPECT_EQ(FloatToStrDe(-2.25), "-2,25");
    EXPECT_EQ(FloatToStrDe(0), "0");
    EXPECT_EQ(FloatToStrDe(0.1 + 0.2), "0,3"); // 15 significant digits hide the binary tail
    EXPECT_EQ(FloatToStrDe(1.0 / 3.0), "0,333333333333333");
    EXPECT_EQ(FloatToStrDe(123456.789), "123456,789");
    EXPECT_EQ(FloatToStrDe(3886), "3886");
    EXPECT_EQ(FloatToStrDe(1500000), "1500000");
}

TEST(NumberText, GeneralFormatSwitchesToExponentAtItsEdges) {
    EXPECT_EQ(FloatToStrDe(0.00001), "0,00001");
    EXPECT_EQ(FloatToStrDe(0.00005), "0,00005");
    EXPECT_EQ(FloatToStrDe(0.0000099), "9,9E-6");
    EXPECT_EQ(FloatToStrDe(-0.0000015), "-1,5E-6");
    EXPECT_EQ(FloatToStrDe(999999999999999.0), "999999999999999");
    EXPECT_EQ(FloatToStrDe(1e15), "1E15");
    EXPECT_EQ(FloatToStrDe(1.25e20), "1,25E20");
}

TEST(NumberText, FixedTwoDecimalsRoundsHalvesAwayFromZero) {
    EXPECT_EQ(FormatFixed2(1234.5), "1234,50");
    EXPECT_EQ(FormatFixed2(45.5), "45,50");
    EXPECT_EQ(FormatFixed2(0), "0,00");
    EXPECT_EQ(FormatFixed2(0.005), "0,01");
    EXPECT_EQ(FormatFixed2(0.004), "0,00");
    EXPECT_EQ(FormatFixed2(-0.004), "0,00");
    EXPECT_EQ(FormatFixed2(-4.9), "-4,90");
    EXPECT_EQ(FormatFixed2(1.58333333), "1,58");
    // 2.675 is stored a hair below; rounding to 8 significant digits first
    // makes it an exact half, which goes up.
    EXPECT_EQ(FormatFixed2(2.675), "2,68");
    EXPECT_EQ(FormatFixed2(12345678.5), "12345679,00");
    EXPECT_EQ(FormatFixed2(99999.995), "100000,00");
    EXPECT_EQ(FormatFixed2(99999999.4), "99999999,00");
}

TEST(NumberText, FixedSwitchesToExponentBeyondEightIntegerDigits) {
    EXPECT_EQ(FormatFixed2(100000000), "1,0000000E+08");
    EXPECT_EQ(FormatFixed2(99999999.5), "1,0000000E+08");
    EXPECT_EQ(FormatFixed2(-123456789), "-1,2345679E+08");
}

TEST(NumberText, Money) {
    EXPECT_EQ(FormatMoney(12.5), "12,50 €");
    EXPECT_EQ(FormatMoney(4.9), "4,90 €");
}

TEST(NumberText, ParsesGermanNumbers) {
    EXPECT_DOUBLE_EQ(StrToFloatDe("12,5"), 12.5);
    EXPECT_DOUBLE_EQ(StrToFloatDe(" 12,5 "), 12.5);
    EXPECT_DOUBLE_EQ(StrToFloatDe("+3"), 3);
    EXPECT_DOUBLE_EQ(StrToFloatDe("-0,759"), -0.759);
    EXPECT_DOUBLE_EQ(StrToFloatDe(",5"), 0.5);
    EXPECT_DOUBLE_EQ(StrToFloatDe("12,"), 12);
    EXPECT_DOUBLE_EQ(StrToFloatDe("1,5E-6"), 1.5e-6);
    EXPECT_DOUBLE_EQ(StrToFloatDe("2e3"), 2000);
    // Written text reads back to the same value.
    for (double v : {0.759, 3886.0, -12.125, 1e-7, 6.02e23}) {
        EXPECT_DOUBLE_EQ(StrToFloatDe(FloatToStrDe(v)), v);
    }
}

TEST(NumberText, PlainNumbersReadToTheNearestDouble) {
    // The digits of a stored number, read as the C library reads the same
    // number with a point, to the last bit.
    for (const char* text :
         {"12,50", "0,1", "-0,07", "5,", ",5", "007", "-0", "1,005", "0,3", "123456789012345",
          "1234567890123456", "99999,99", "0,000000000000001", "8,589973"}) {
        std::string point(text);
        std::replace(point.begin(), point.end(), ',', '.');
        const double expected = std::strtod(point.c_str(), nullptr);
        const double read = StrToFloatDe(text);
        EXPECT_EQ(std::memcmp(&read, &expected, sizeof read), 0) << text;
    }
}

TEST(NumberText, RefusesWithTheRuntimeMessages) {
    for (const char* bad : {"", " ", "-", "12.5", "1.000,5", "abc", "1,2,3", "1E", "+", ",", "12 5",
                            "1e999", "4,90 €"}) {
        double v = 0;
        EXPECT_FALSE(TryStrToFloatDe(bad, v)) << bad;
    }
    try {
        StrToFloatDe("12.5");
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'12.5' ist kein gültiger Gleitkommawert");
    }
    try {
        StrToIntDe("12,5");
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'12,5' ist kein gültiger Integerwert");
    }
    try {
        StrToBoolDe("ja");
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'ja' ist kein gültiger boolescher Wert");
    }
}

TEST(NumberText, WholeNumbersAndBooleans) {
    EXPECT_EQ(StrToIntDe("42"), 42);
    EXPECT_EQ(StrToIntDe(" -7 "), -7);
    EXPECT_EQ(StrToIntDe("$FF"), 255);
    EXPECT_EQ(StrToIntDe("2147483647"), 2147483647);
    int v = 0;
    EXPECT_FALSE(TryStrToIntDe("2147483648", v));
    EXPECT_FALSE(TryStrToIntDe("", v));
    EXPECT_FALSE(TryStrToIntDe("-", v));

    EXPECT_TRUE(StrToBoolDe("-1"));
    EXPECT_FALSE(StrToBoolDe("0"));
    EXPECT_TRUE(StrToBoolDe("True"));
    EXPECT_FALSE(StrToBoolDe("FALSE"));
    bool b = true;
    EXPECT_FALSE(TryStrToBoolDe("", b));
    EXPECT_EQ(BoolToStr(true), "-1");
    EXPECT_EQ(BoolToStr(false), "0");
}
