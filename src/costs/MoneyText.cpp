#include "costs/MoneyText.h"

#include "base/EConvertError.h"
#include "base/GermanText.h"
#include "base/NumberText.h"

#include <cmath>

namespace zv {
namespace {

constexpr std::string_view kEuroSign = "€";

constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// "-123,45" and the like: at most 15 digits, so the digits form an exact
// integer and one division by an exact power of ten rounds correctly to the
// same double the general parser returns.
bool TryPlainAmount(std::string_view text, double& value) {
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) {
        ++i;
    }
    long long digits = 0;
    int count = 0;
    int decimals = -1;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digits = digits * 10 + (c - '0');
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
    value = double(digits) / kPowersOfTen[decimals < 0 ? 0 : decimals];
    if (negative) {
        value = -value;
    }
    return true;
}

} // namespace

double ReadStoredAmount(std::string_view text) {
    double value = 0;
    if (TryPlainAmount(text, value)) {
        return value;
    }
    return StrToFloatDe(text);
}

std::string MoneyNumber(double value) {
    return FormatFixed2(value);
}

std::string MoneyDisplay(double value) {
    return FormatMoney(value);
}

bool TryReadMoney(std::string_view text, double& value) {
    std::string_view number = TrimRight(text);
    if (number.ends_with(kEuroSign)) {
        number.remove_suffix(kEuroSign.size());
    }
    return TryStrToFloatDe(number, value);
}

double CheckedAmount(double value, std::string_view text) {
    if (!std::isfinite(value) || std::fabs(value) > kMaxAmount) {
        throw EConvertError(InvalidFloatMessage(text));
    }
    return value;
}

double ReadMoney(std::string_view text) {
    double value = 0;
    if (!TryReadMoney(text, value)) {
        throw EConvertError(InvalidFloatMessage(text));
    }
    return CheckedAmount(value, text);
}

std::string MoneyNumberForm(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    return MoneyNumber(ReadMoney(text));
}

} // namespace zv
