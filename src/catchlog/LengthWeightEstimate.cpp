#include "catchlog/LengthWeightEstimate.h"

#include "base/AtomicFile.h"
#include "base/EConvertError.h"
#include "base/GermanText.h"
#include "base/NumberText.h"
#include "base/Win1252.h"
#include "storage/IniFile.h"

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <system_error>

namespace zv {
namespace {

// The lines as the first version of the program wrote them, the two blanks
// before Rapfen's factor included; readers ignore blanks around values.
constexpr const char* kDefaultLines[] = {
    "[KFaktor]",
    "Aal = 0,22",
    "Äsche = 1,166",
    "Döbel = 1,1",
    "Graskarpfen = 1,21",
    "Bachforelle = 1,09",
    "Bachsaibling = 1,09",
    "Barbe = 1,48",
    "Barsch = 1,28",
    "Brachse = 1,13",
    "Brasse = 1,13",
    "Dorsch = 1,1",
    "Hecht = 0,759",
    "Huchen = 1,08",
    "Lachs = 1,20",
    "Quappe = 0,8",
    "Regenbogenforelle = 1,09",
    "Renke = 1,17",
    "Rotauge = 1,19",
    "Rapfen =  0,96",
    "Rotfeder = 1,19",
    "Seesaibling = 1,09",
    "Schleie = 1,69",
    "Schuppenkarpfen = 2,22",
    "Spiegelkarpfen = 2,22",
    "Wels = 0,724",
    "Zander = 0,96",
};

constexpr const char* kZeroDivideMessage = "Gleitkommadivision durch Null";
constexpr const char* kInvalidOperationMessage = "Ungültige Gleitkommaoperation";

std::string NoDataMessage(std::string_view species) {
    return "Keine Daten für \"" + std::string(species) + "\" vorhanden.";
}

// Reads the factor text of the species; empty when the file, the key or the
// value is missing.
std::string FactorText(const std::filesystem::path& programFolder, std::string_view species) {
    std::error_code ec;
    const std::filesystem::path path = ConditionFactorPath(programFolder);
    if (!std::filesystem::is_regular_file(path, ec)) {
        return {};
    }
    return IniFile(path).ReadString("KFaktor", species);
}

EstimateResult Failure(std::string message) {
    EstimateResult result;
    result.message = std::move(message);
    return result;
}

EstimateResult Value(std::string text) {
    EstimateResult result;
    result.value = std::move(text);
    return result;
}

// The estimates are computed exactly: a factor such as 1,13 is no binary
// fraction, and in floating point 1,13 × 50³ / 100 comes out a hair below
// the half 1412,5 and would round the wrong way. The factor text is read as
// a whole number and a power of ten and the arithmetic stays in integers.
// Only values too large for 128 bits, where a gram more or less is below
// the precision of any fish, go through floating point.
using Wide = __int128;

// The factor text as digits × 10^exponent ("1,13" → 113 × 10^-2); only for
// texts that StrToFloatDe has accepted.
struct Decimal {
    Wide digits = 0;
    int exponent = 0;
};

std::optional<Decimal> ExactDecimal(std::string_view text) {
    const std::string_view t = Trim(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        negative = t[i] == '-';
        ++i;
    }
    Decimal d;
    bool fraction = false;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (c == ',') {
            fraction = true;
            continue;
        }
        if (c < '0' || c > '9') {
            break;
        }
        if (__builtin_mul_overflow(d.digits, Wide(10), &d.digits)) {
            return std::nullopt;
        }
        d.digits += c - '0';
        d.exponent -= fraction ? 1 : 0;
    }
    if (i < t.size() && t[i] != 'E' && t[i] != 'e') {
        return std::nullopt; // not the form StrToFloatDe reads
    }
    if (i < t.size()) { // the exponent after E
        int power = 0;
        bool negativePower = false;
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
            negativePower = t[i] == '-';
            ++i;
        }
        for (; i < t.size(); ++i) {
            if (t[i] < '0' || t[i] > '9') {
                return std::nullopt;
            }
            power = power * 10 + (t[i] - '0');
            if (power > 1000) {
                return std::nullopt;
            }
        }
        d.exponent += negativePower ? -power : power;
    }
    if (negative) {
        d.digits = -d.digits;
    }
    return d;
}

std::optional<Wide> PowerOfTen(int exponent) {
    Wide power = 1;
    for (int i = 0; i < exponent; ++i) {
        if (__builtin_mul_overflow(power, Wide(10), &power)) {
            return std::nullopt;
        }
    }
    return power;
}

std::optional<Wide> Product(std::initializer_list<Wide> factors) {
    Wide product = 1;
    for (const Wide factor : factors) {
        if (__builtin_mul_overflow(product, factor, &product)) {
            return std::nullopt;
        }
    }
    return product;
}

std::string WideText(Wide value) {
    if (value == 0) {
        return "0";
    }
    const bool negative = value < 0;
    std::string digits;
    while (value != 0) {
        const int digit = int(value % 10);
        digits.insert(digits.begin(), char('0' + (negative ? -digit : digit)));
        value /= 10;
    }
    return negative ? "-" + digits : digits;
}

// K × L³ / 100 in whole grams, an exact half away from zero.
std::optional<Wide> ExactWeight(const Decimal& factor, int length) {
    const std::optional<Wide> product = Product({factor.digits, length, length, length});
    if (!product) {
        return std::nullopt;
    }
    const int shift = factor.exponent - 2;
    if (shift >= 0) {
        const std::optional<Wide> scale = PowerOfTen(shift);
        return scale ? Product({*product, *scale}) : std::nullopt;
    }
    const std::optional<Wide> divisor = PowerOfTen(-shift);
    if (!divisor) {
        return std::nullopt;
    }
    Wide quotient = *product / *divisor;
    const Wide remainder = *product % *divisor;
    const Wide twice = remainder < 0 ? -2 * remainder : 2 * remainder;
    if (twice >= *divisor) {
        quotient += *product < 0 ? -1 : 1;
    }
    return quotient;
}

// The whole number nearest to the cube root of numerator / denominator
// (both not negative, the denominator above zero), an exact half to the
// even neighbour.
std::optional<Wide> RoundedCubeRoot(Wide numerator, Wide denominator) {
    auto cubeTimes = [denominator](Wide base) { return Product({base, base, base, denominator}); };
    Wide n = Wide(std::floor(std::cbrt(double(numerator) / double(denominator))));
    // The floating-point root is only a start: step until n³ ≤ cube < (n+1)³.
    for (;;) {
        const std::optional<Wide> low = cubeTimes(n);
        if (!low) {
            return std::nullopt;
        }
        if (*low <= numerator) {
            break;
        }
        --n;
    }
    for (;;) {
        const std::optional<Wide> high = cubeTimes(n + 1);
        if (!high) {
            return std::nullopt;
        }
        if (*high > numerator) {
            break;
        }
        ++n;
    }
    // Against the midpoint n + ½: compare 8 × cube with (2n + 1)³.
    const std::optional<Wide> eight = Product({numerator, 8});
    const std::optional<Wide> middle = cubeTimes(2 * n + 1);
    if (!eight || !middle) {
        return std::nullopt;
    }
    if (*eight < *middle) {
        return n;
    }
    if (*eight > *middle) {
        return n + 1;
    }
    return n % 2 == 0 ? n : n + 1;
}

// (100 × W / K)^(1/3) for a cube that is not negative, K not zero.
std::optional<Wide> ExactLength(const Decimal& factor, int weight) {
    const Wide hundredWeight = Wide(100) * weight;
    const std::optional<Wide> up = PowerOfTen(factor.exponent < 0 ? -factor.exponent : 0);
    const std::optional<Wide> down = PowerOfTen(factor.exponent > 0 ? factor.exponent : 0);
    if (!up || !down) {
        return std::nullopt;
    }
    const std::optional<Wide> numerator =
        Product({hundredWeight < 0 ? -hundredWeight : hundredWeight, *up});
    const std::optional<Wide> denominator =
        Product({factor.digits < 0 ? -factor.digits : factor.digits, *down});
    if (!numerator || !denominator) {
        return std::nullopt;
    }
    return RoundedCubeRoot(*numerator, *denominator);
}

} // namespace

std::filesystem::path ConditionFactorPath(const std::filesystem::path& programFolder) {
    return programFolder / "KFaktor.dat";
}

bool WriteDefaultConditionFactors(const std::filesystem::path& programFolder, std::string& error) {
    const std::filesystem::path path = ConditionFactorPath(programFolder);
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        return true;
    }
    std::string bytes;
    for (const char* line : kDefaultLines) {
        AppendUtf8AsWin1252(line, bytes);
        bytes += "\r\n";
    }
    return WriteFileAtomic(path, bytes, error);
}

EstimateResult EstimateWeight(const std::filesystem::path& programFolder, std::string_view species,
                              std::string_view lengthText) {
    const std::string factorText = FactorText(programFolder, species);
    if (factorText.empty()) {
        return Failure(NoDataMessage(species));
    }
    try {
        const int length = StrToIntDe(lengthText);
        const double factor = StrToFloatDe(factorText);
        if (const std::optional<Decimal> exact = ExactDecimal(factorText)) {
            if (const std::optional<Wide> weight = ExactWeight(*exact, length)) {
                return Value(WideText(*weight));
            }
        }
        const double cube = double(length) * length * length;
        const double weight = std::round(factor * cube / 100.0);
        if (!std::isfinite(weight)) {
            return Failure(kInvalidOperationMessage);
        }
        char buffer[400];
        std::snprintf(buffer, sizeof buffer, "%.0f", weight == 0.0 ? 0.0 : weight);
        return Value(buffer);
    } catch (const EConvertError& error) {
        return Failure(error.what());
    }
}

EstimateResult EstimateLength(const std::filesystem::path& programFolder, std::string_view species,
                              std::string_view weightText) {
    const std::string factorText = FactorText(programFolder, species);
    if (factorText.empty()) {
        return Failure(NoDataMessage(species));
    }
    try {
        const int weight = StrToIntDe(weightText);
        const double factor = StrToFloatDe(factorText);
        if (factor == 0.0) {
            return Failure(kZeroDivideMessage);
        }
        const double cube = 100.0 * weight / factor;
        // A negative cube has no real power with the exponent 1/3 here: the
        // runtime reports an invalid operation rather than a length.
        if (cube < 0.0 || !std::isfinite(cube)) {
            return Failure(kInvalidOperationMessage);
        }
        if (const std::optional<Decimal> exact = ExactDecimal(factorText)) {
            if (const std::optional<Wide> length = ExactLength(*exact, weight)) {
                return Value(WideText(*length));
            }
        }
        const int previousMode = std::fegetround();
        std::fesetround(FE_TONEAREST);
        const double length = std::nearbyint(std::cbrt(cube));
        std::fesetround(previousMode);
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.0f", length);
        return Value(buffer);
    } catch (const EConvertError& error) {
        return Failure(error.what());
    }
}

} // namespace zv
