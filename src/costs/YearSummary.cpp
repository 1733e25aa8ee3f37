#include "costs/YearSummary.h"

#include "base/NumberText.h"
#include "costs/CostFields.h"
#include "costs/MoneyText.h"
#include "storage/TMlbc.h"

#include <array>
#include <unordered_map>

namespace zv {

std::vector<YearSummaryItem> BuildYearSummary(const TMlbc& ak, TDateTime now) {
    const CostColumns columns(ak);
    const int currentYear = DecodeDate(now).year;
    std::array<long double, kYearSlots> slots{};
    std::unordered_map<std::string_view, int> yearOfDate;
    for (int row = 1; row <= ak.RowCount(); ++row) {
        const std::string_view date = ak.Cell(row, columns.kaufdatum);
        auto found = yearOfDate.find(date);
        if (found == yearOfDate.end()) {
            found = yearOfDate.emplace(date, DecodeDate(StrToDate(date)).year).first;
        }
        const int slot = currentYear - found->second;
        if (slot < 0 || slot >= kYearSlots) {
            continue;
        }
        slots[std::size_t(slot)] += StrToFloatDe(ak.Cell(row, columns.gesamtpreis));
        const std::string_view shipping = ak.Cell(row, columns.versandkosten);
        if (!shipping.empty()) {
            slots[std::size_t(slot)] += StrToFloatDe(shipping);
        }
    }

    std::vector<YearSummaryItem> items;
    for (int slot = 0; slot < kYearSlots; ++slot) {
        const long double sum = slots[std::size_t(slot)];
        if (sum == 0) {
            continue;
        }
        YearSummaryItem item;
        item.id = slot;
        item.year = currentYear - slot;
        item.amount = FormatFixed2(double(sum));
        // The previous calendar year, even when it has no line of its own;
        // before the oldest slot there is nothing to compare with.
        const long double previous = slot + 1 < kYearSlots ? slots[std::size_t(slot + 1)] : 0;
        if (previous == 0) {
            item.changeEuro = "0";
            item.changePercent = "0";
        } else {
            item.changeEuro = FormatFixed2(double(sum - previous));
            item.changePercent = FormatFixed2(double((sum - previous) / previous * 100));
        }
        item.colour = YearColourOf(item.changeEuro);
        items.push_back(std::move(item));
    }
    return items;
}

YearColour YearColourOf(std::string_view changeEuro) {
    double change = 0;
    if (changeEuro.empty() || !TryStrToFloatDe(changeEuro, change) || change == 0) {
        return YearColour::Normal;
    }
    return change < 0 ? YearColour::Green : YearColour::Red;
}

} // namespace zv
