// Amount texts: what is read as money and the two forms it is written in.

#include "CostTestSupport.h"

#include "base/NumberText.h"
#include "costs/MoneyText.h"

namespace zv::test {
namespace {

TEST(MoneyText, AmountsAreReadAsGermanNumbersWithOrWithoutTheEuroSign) {
    struct Case {
        const char* text;
        const char* number; // empty: not an amount
    };
    const Case cases[] = {
        {"12", "12,00"},      {"12,5", "12,50"}, {"12,50 €", "12,50"}, {"1234", "1234,00"},
        {" 3,455€ ", "3,46"}, {"-0,5", "-0,50"}, {"12.50", ""},        {"€", ""},
        {"zwölf", ""},        {"1.234,00", ""},  {"1e308", ""},        {"-1000000000", ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        if (*c.number == '\0') {
            EXPECT_EQ(ErrorOf([&] { ReadMoney(c.text); }),
                      "'" + std::string(c.text) + "' ist kein gültiger Gleitkommawert");
        } else {
            EXPECT_EQ(MoneyNumberForm(c.text), c.number);
            EXPECT_EQ(MoneyDisplay(ReadMoney(c.text)), std::string(c.number) + " €");
        }
    }
    EXPECT_EQ(MoneyNumberForm(""), "");
    EXPECT_EQ(ReadMoney("-999999999,99"), -kMaxAmount);
}

} // namespace
} // namespace zv::test
