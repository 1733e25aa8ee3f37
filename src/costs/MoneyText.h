#pragma once

#include <string>
#include <string_view>

namespace zv {

// Money has two text forms. The number form is what the cost database
// stores: two decimals, decimal comma, no currency sign ("12,50"). The
// display form adds the suffix " €" ("12,50 €"); the windows and totals show
// it.
inline constexpr std::string_view kEuroSuffix = " €";

std::string MoneyNumber(double value);  // "12,50"
std::string MoneyDisplay(double value); // "12,50 €"

// Reads an amount as the angler may type it or as a window shows it: a
// German number with or without a comma, any number of decimals, and with or
// without the euro sign after it ("12", "12,5", "12,50 €", "1234"). Throws
// EConvertError "'%s' ist kein gültiger Gleitkommawert" naming the text as
// given; empty text is not an amount, and neither is one beyond
// kMaxAmount in magnitude.
double ReadMoney(std::string_view text);
// The same reading without the bound.
bool TryReadMoney(std::string_view text, double& value);

// The largest amount taken: a few amounts beyond it would add up to totals
// that are no longer numbers ("INF €").
inline constexpr double kMaxAmount = 999999999.99;

// `value` when it is a finite amount of at most kMaxAmount in magnitude;
// otherwise throws the conversion error naming `text`.
double CheckedAmount(double value, std::string_view text);

// The number form of an amount text (see ReadMoney); empty for empty text.
// The value is rounded to the two decimals the number form keeps.
std::string MoneyNumberForm(std::string_view text);

} // namespace zv
