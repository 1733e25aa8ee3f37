#pragma once

#include <string>
#include <string_view>

namespace zv {

// Number text in the German locale: decimal comma, no thousands separators.

// General format: up to 15 significant digits, trailing zeros and an
// unneeded comma dropped; exponent form with the letter E ("1,5E-6", "1E16")
// when the magnitude is below 1E-5 or the value has more than 15 integer
// digits. 12.5 → "12,5", 3 → "3".
std::string FloatToStrDe(double value);

// Fixed with two decimals: the value rounded to 8 significant digits, then
// to two decimals, halves away from zero both times. A value needing more
// than 8 integer digits switches to exponent form. 1234.5 → "1234,50".
std::string FormatFixed2(double value);

// Money: the number form "12,50" is FormatFixed2; the display form adds " €".
std::string FormatMoney(double value);

// Parsing accepts surrounding blanks, a leading "+" or "-", the decimal
// comma and an exponent ("1,5E-6"); no decimal point, no thousands
// separator. Failures throw EConvertError with the runtime's message,
// e.g. "'abc' ist kein gültiger Gleitkommawert".
double StrToFloatDe(std::string_view text);
bool TryStrToFloatDe(std::string_view text, double& value);

// The value of a hex digit (0-9, a-f, A-F), or -1 for any other character.
int HexDigitValue(char c);

// Whole numbers: optional blanks and sign, decimal digits (or $ and hex
// digits), within 32 bits. "'x' ist kein gültiger Integerwert".
int StrToIntDe(std::string_view text);
bool TryStrToIntDe(std::string_view text, int& value);

// Booleans as stored in tables: "-1" is true, "0" false. Reading accepts
// any whole number (non-zero is true) and "True"/"False" in any case.
// "'x' ist kein gültiger boolescher Wert".
bool StrToBoolDe(std::string_view text);
bool TryStrToBoolDe(std::string_view text, bool& value);
std::string BoolToStr(bool value); // "-1" / "0"

// The German conversion messages, for callers that detect a bad value
// themselves.
std::string InvalidFloatMessage(std::string_view text);
std::string InvalidIntegerMessage(std::string_view text);
std::string InvalidBoolMessage(std::string_view text);

} // namespace zv
