#include "base/NumberText.h"

#include "base/EConvertError.h"
#include "base/GermanText.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace zv {
namespace {

// A finite, non-zero value as decimal digits: value = 0.DIGITS × 10^exponent.
struct Decimal {
    bool negative = false;
    std::string digits; // no leading zero
    int exponent = 0;
};

// The exact decimal expansion (to 50 digits, which holds every tie a double
// can produce at the precisions used here).
Decimal ExactDecimal(double value) {
    char buf[96];
    std::snprintf(buf, sizeof buf, "%.50e", std::fabs(value));
    Decimal d;
    d.negative = std::signbit(value);
    const char* p = buf;
    for (; *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') {
            d.digits.push_back(*p);
        }
    }
    d.exponent = std::atoi(p + 1) + 1;
    return d;
}

// Keeps `count` leading digits, rounding halves away from zero. A count of 0
// or less rounds to a single digit "1" one place up, or to nothing.
void RoundDigits(Decimal& d, int count) {
    if (count >= static_cast<int>(d.digits.size())) {
        return;
    }
    if (count < 0) {
        d.digits.clear();
        return;
    }
    const bool up = d.digits[static_cast<std::size_t>(count)] >= '5';
    d.digits.resize(static_cast<std::size_t>(count));
    if (up) {
        int i = count - 1;
        while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') {
            d.digits[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++d.digits[static_cast<std::size_t>(i)];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        }
    }
}

void StripTrailingZeros(std::string& digits) {
    while (!digits.empty() && digits.back() == '0') {
        digits.pop_back();
    }
}

bool AllZero(const std::string& digits) {
    return digits.find_first_not_of('0') == std::string::npos;
}

std::string NonFinite(double value) {
    if (std::isnan(value)) {
        return "NAN";
    }
    return value < 0 ? "-INF" : "INF";
}

std::string Quoted(std::string_view text, const char* rest) {
    return "'" + std::string(text) + "' " + rest;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

constexpr std::uint64_t kPowersOfTen[] = {1,
                                          10,
                                          100,
                                          1000,
                                          10000,
                                          100000,
                                          1000000,
                                          10000000,
                                          100000000,
                                          1000000000,
                                          10000000000,
                                          100000000000,
                                          1000000000000,
                                          10000000000000,
                                          100000000000000,
                                          1000000000000000};

// FormatFixed2 for the values lists and sums are made of (0.001 up to
// 10^8) in whole-number arithmetic: the value is an integer m over 2^shift,
// so its digits and the remainder that decides each rounding are exact, and
// the text is the one the decimal expansion gives. False leaves the rest
// (and the exponent form) to it.
bool FastFixed2(double value, std::string& out) {
    const double magnitude = std::fabs(value);
    if (!(magnitude >= 1e-3 && magnitude < 1e8)) {
        return false;
    }
    int binaryExponent = 0;
    const double fraction = std::frexp(magnitude, &binaryExponent);
    const auto m = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    const int shift = 53 - binaryExponent; // magnitude = m / 2^shift, 26 <= shift <= 62
    // The eight significant digits: magnitude × 10^(8 - e) with e the number
    // of integer digits, found exactly by the size of the result.
    int e = static_cast<int>(std::floor(std::log10(magnitude))) + 1;
    unsigned __int128 digits = 0;
    unsigned __int128 rest = 0;
    for (int attempt = 0;; ++attempt) {
        const int scale = 8 - e;
        if (attempt == 3 || scale < 0 || scale > 11) {
            return false;
        }
        const unsigned __int128 scaled = static_cast<unsigned __int128>(m) * kPowersOfTen[scale];
        digits = scaled >> shift;
        rest = scaled - (digits << shift);
        if (digits >= kPowersOfTen[8]) {
            ++e;
        } else if (digits < kPowersOfTen[7]) {
            --e;
        } else {
            break;
        }
    }
    // Halves away from zero: up when the rest is at least half of one.
    if (rest >= (static_cast<unsigned __int128>(1) << (shift - 1))) {
        ++digits;
    }
    const int scale = 8 - e;
    std::uint64_t cents = 0;
    if (scale >= 2) {
        const std::uint64_t unit = kPowersOfTen[scale - 2];
        const auto eight = static_cast<std::uint64_t>(digits);
        cents = eight / unit + (unit > 1 && eight % unit >= unit / 2 ? 1 : 0);
    } else if (digits >= kPowersOfTen[8] && scale == 0) {
        return false; // nine integer digits: the exponent form
    } else {
        cents = static_cast<std::uint64_t>(digits) * kPowersOfTen[2 - scale];
    }
    if (cents == 0) {
        out = "0,00";
        return true;
    }
    char text[32];
    char* p = text;
    if (value < 0) {
        *p++ = '-';
    }
    p = std::to_chars(p, text + sizeof text, cents / 100).ptr;
    *p++ = ',';
    *p++ = static_cast<char>('0' + cents % 100 / 10);
    *p++ = static_cast<char>('0' + cents % 10);
    out.assign(text, p);
    return true;
}

// "-123,45" and the like: at most 15 digits, so the digits form an exact
// integer and one division by an exact power of ten rounds correctly to the
// same double the general parser returns.
bool TryPlainNumber(std::string_view text, double& value) {
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) {
        ++i;
    }
    std::uint64_t digits = 0;
    int count = 0;
    int decimals = -1;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
            if (++count > 15) {
                return false;
            }
            if (decimals >= 0) {
                ++decimals;
            }
        } else if (c == ',' && decimals < 0) {
            decimals = 0;
        } else {
            return false;
        }
    }
    if (count == 0) {
        return false;
    }
    value = static_cast<double>(digits) /
            static_cast<double>(kPowersOfTen[decimals < 0 ? 0 : decimals]);
    if (negative) {
        value = -value;
    }
    return true;
}

} // namespace

std::string FloatToStrDe(double value) {
    if (!std::isfinite(value)) {
        return NonFinite(value);
    }
    if (value == 0.0) {
        return "0";
    }
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
    std::string digits;
    const char* p = buf;
    for (; *p != 'e'; ++p) {
        if (IsDigit(*p)) {
            digits.push_back(*p);
        }
    }
    const int exponent = std::atoi(p + 1) + 1; // value = 0.digits × 10^exponent
    StripTrailingZeros(digits);

    std::string out = value < 0 ? "-" : "";
    if (exponent > 15 || exponent < -4) {
        out += digits[0];
        if (digits.size() > 1) {
            out += ',';
            out += digits.substr(1);
        }
        out += 'E';
        out += std::to_string(exponent - 1);
        return out;
    }
    if (exponent <= 0) {
        out += "0,";
        out.append(static_cast<std::size_t>(-exponent), '0');
        out += digits;
        return out;
    }
    const auto intDigits = static_cast<std::size_t>(exponent);
    if (digits.size() <= intDigits) {
        out += digits;
        out.append(intDigits - digits.size(), '0');
    } else {
        out += digits.substr(0, intDigits);
        out += ',';
        out += digits.substr(intDigits);
    }
    return out;
}

std::string FormatFixed2(double value) {
    if (!std::isfinite(value)) {
        return NonFinite(value);
    }
    if (value == 0.0) {
        return "0,00";
    }
    if (std::string fast; FastFixed2(value, fast)) {
        return fast;
    }
    constexpr int kPrecision = 8;
    Decimal d = ExactDecimal(value);
    RoundDigits(d, kPrecision);

    if (d.exponent > kPrecision) {
        // Too many integer digits for the precision: exponent form with all
        // eight digits, a signed exponent of at least two digits.
        d.digits.resize(kPrecision, '0');
        std::string out = d.negative ? "-" : "";
        out += d.digits[0];
        out += ',';
        out += d.digits.substr(1);
        const int e = d.exponent - 1;
        char exp[16];
        std::snprintf(exp, sizeof exp, "E%c%02d", e < 0 ? '-' : '+', std::abs(e));
        return out + exp;
    }

    RoundDigits(d, d.exponent + 2);
    if (d.digits.empty() || AllZero(d.digits)) {
        return "0,00";
    }
    // Lay the digits out on a fixed grid of integer and two decimal places.
    std::string intPart;
    std::string fracPart;
    // Position of digit k (0-based) is exponent-1-k (power of ten).
    const int highest = std::max(d.exponent - 1, 0);
    for (int power = highest; power >= -2; --power) {
        const int k = d.exponent - 1 - power;
        const char c = (k >= 0 && k < static_cast<int>(d.digits.size()))
                           ? d.digits[static_cast<std::size_t>(k)]
                           : '0';
        (power >= 0 ? intPart : fracPart) += c;
    }
    return (d.negative ? "-" : "") + intPart + "," + fracPart;
}

std::string FormatMoney(double value) {
    return FormatFixed2(value) + " €";
}

std::string InvalidFloatMessage(std::string_view text) {
    return Quoted(text, "ist kein gültiger Gleitkommawert");
}

std::string InvalidIntegerMessage(std::string_view text) {
    return Quoted(text, "ist kein gültiger Integerwert");
}

std::string InvalidBoolMessage(std::string_view text) {
    return Quoted(text, "ist kein gültiger boolescher Wert");
}

bool TryStrToFloatDe(std::string_view text, double& value) {
    if (TryPlainNumber(text, value)) {
        return true;
    }
    const std::string_view t = Trim(text);
    std::string c; // the same number in the C locale's notation
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        c += t[i++];
    }
    int mantissaDigits = 0;
    while (i < t.size() && IsDigit(t[i])) {
        c += t[i++];
        ++mantissaDigits;
    }
    if (i < t.size() && t[i] == ',') {
        c += '.';
        ++i;
        while (i < t.size() && IsDigit(t[i])) {
            c += t[i++];
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) {
        return false;
    }
    if (i < t.size() && (t[i] == 'E' || t[i] == 'e')) {
        c += 'e';
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
            c += t[i++];
        }
        int expDigits = 0;
        while (i < t.size() && IsDigit(t[i])) {
            c += t[i++];
            ++expDigits;
        }
        if (expDigits == 0) {
            return false;
        }
    }
    if (i != t.size()) {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    const double v = std::strtod(c.c_str(), &end);
    if (end != c.c_str() + c.size() || !std::isfinite(v)) {
        return false;
    }
    value = v;
    return true;
}

double StrToFloatDe(std::string_view text) {
    double v = 0;
    if (!TryStrToFloatDe(text, v)) {
        throw EConvertError(InvalidFloatMessage(text));
    }
    return v;
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool TryStrToIntDe(std::string_view text, int& value) {
    const std::string_view t = Trim(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        negative = t[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < t.size() && t[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < t.size() && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= t.size()) {
        return false;
    }
    long long v = 0;
    for (; i < t.size(); ++i) {
        const char ch = t[i];
        const int digit = base == 16 ? HexDigitValue(ch) : IsDigit(ch) ? ch - '0' : -1;
        if (digit < 0) {
            return false;
        }
        v = v * base + digit;
        if (v > 0x100000000LL) {
            return false;
        }
    }
    if (negative) {
        v = -v;
    }
    if (base == 16 && v > INT_MAX && v <= 0xFFFFFFFFLL) {
        v -= 0x100000000LL; // hexadecimal spells the 32-bit pattern
    }
    if (v < INT_MIN || v > INT_MAX) {
        return false;
    }
    value = static_cast<int>(v);
    return true;
}

int StrToIntDe(std::string_view text) {
    int v = 0;
    if (!TryStrToIntDe(text, v)) {
        throw EConvertError(InvalidIntegerMessage(text));
    }
    return v;
}

bool TryStrToBoolDe(std::string_view text, bool& value) {
    double number = 0;
    if (TryStrToFloatDe(text, number)) {
        value = number != 0.0;
        return true;
    }
    const std::string_view t = Trim(text);
    if (SameTextAZ(t, "true")) {
        value = true;
        return true;
    }
    if (SameTextAZ(t, "false")) {
        value = false;
        return true;
    }
    return false;
}

bool StrToBoolDe(std::string_view text) {
    bool v = false;
    if (!TryStrToBoolDe(text, v)) {
        throw EConvertError(InvalidBoolMessage(text));
    }
    return v;
}

std::string BoolToStr(bool value) {
    return value ? "-1" : "0";
}

} // namespace zv
