#include "costs/MoneyText.h"

#include "base/EConvertError.h"
#include "base/GermanText.h"
#include "base/NumberText.h"

#include <cmath>

namespace zv {
namespace {

constexpr std::string_view kEuroSign = "€";

} // namespace

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
