#include "statistics/StatisticsChoices.h"

#include "base/GermanText.h"
#include "statistics/CatchScan.h"
#include "statistics/StatisticsCategories.h"

#include <functional>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>

namespace zv {

namespace {

struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const noexcept {
        return std::hash<std::string_view>{}(text);
    }
};

// Collects values distinct under the locale's case-insensitive comparison,
// keeping the first spelling met, and hands them out in locale order.
class DistinctTexts {
public:
    void Add(std::string_view value) {
        auto known = keyOfText_.find(value);
        if (known == keyOfText_.end()) {
            known = keyOfText_.emplace(std::string(value), CollationKeyDe(value)).first;
        }
        // The first spelling of a collation key stays.
        byKey_.emplace(known->second, known->first);
    }

    std::vector<std::string> Choices(bool keepEmpty) const {
        std::vector<std::string> choices{AllEntry};
        bool emptyMet = false;
        for (const auto& [key, text] : byKey_) {
            if (text.empty()) {
                emptyMet = true;
            }
        }
        if (keepEmpty && emptyMet) {
            choices.emplace_back();
        }
        for (const auto& [key, text] : byKey_) {
            if (!text.empty()) {
                choices.push_back(text);
            }
        }
        return choices;
    }

private:
    std::unordered_map<std::string, std::string, TextHash, std::equal_to<>> keyOfText_;
    std::map<std::string, std::string> byKey_;
};

// Collects the chosen field of every row of a year.
std::vector<std::string> ChoicesOf(TMlbc& catches, int year, std::string_view field,
                                   std::string_view baitType, bool keepEmpty) {
    CatchScan scan(catches);
    const int datePosition = scan.Position("Fangdatum");
    const int valuePosition = scan.Position(field);
    const int baitTypePosition = scan.Position("Koedertyp");
    DistinctTexts texts;
    for (int row = 1; row <= scan.RowCount(); ++row) {
        scan.Visit(row);
        if (year != 0 && scan.Year(scan.Cell(row, datePosition)) != year) {
            continue;
        }
        if (!baitType.empty() && scan.Cell(row, baitTypePosition) != baitType) {
            continue;
        }
        texts.Add(scan.Cell(row, valuePosition));
    }
    return texts.Choices(keepEmpty);
}

} // namespace

std::vector<std::string> YearChoices(TMlbc& catches, std::string_view catcher) {
    if (catcher == AllEntry) {
        catcher = {};
    }
    CatchScan scan(catches);
    const int datePosition = scan.Position("Fangdatum");
    const int catcherPosition = scan.Position("Faenger");
    std::set<int, std::greater<>> years;
    for (int row = 1; row <= scan.RowCount(); ++row) {
        scan.Visit(row);
        if (!catcher.empty() && scan.Cell(row, catcherPosition) != catcher) {
            continue;
        }
        years.insert(scan.Year(scan.Cell(row, datePosition)));
    }
    std::vector<std::string> choices{AllEntry};
    for (int year : years) {
        choices.push_back(std::to_string(year));
    }
    return choices;
}

std::vector<std::string> SpeciesChoices(TMlbc& catches, int year, bool keepEmpty) {
    return ChoicesOf(catches, year, "Fischart", {}, keepEmpty);
}

std::vector<std::string> BaitTypeChoices(TMlbc& catches, int year) {
    return ChoicesOf(catches, year, "Koedertyp", {}, false);
}

std::vector<std::string> BaitChoices(TMlbc& catches, std::string_view baitType, int year) {
    if (baitType == AllEntry) {
        baitType = {};
    }
    return ChoicesOf(catches, year, "Koeder", baitType, false);
}

} // namespace zv
