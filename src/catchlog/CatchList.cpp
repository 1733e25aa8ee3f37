#include "catchlog/CatchList.h"

#include "base/DateTime.h"
#include "base/GermanText.h"
#include "base/NumberText.h"
#include "storage/TMlbc.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <set>
#include <unordered_map>
#include <unordered_set>

namespace zv {

namespace {

// Positions of the fields the list reads; a missing field reads as empty.
struct CatchColumns {
    explicit CatchColumns(const TMlbc& db)
        : date(db.FieldIndex("Fangdatum")), time(db.FieldIndex("Fangzeit")),
          begin(db.FieldIndex("Angelbeginn")), end(db.FieldIndex("Angelende")),
          angler(db.FieldIndex("Faenger")), species(db.FieldIndex("Fischart")),
          length(db.FieldIndex("Laenge")), weight(db.FieldIndex("Gewicht")),
          water(db.FieldIndex("Gewaesser")) {}
    int date, time, begin, end, angler, species, length, weight, water;
};

std::string_view CellAt(const TMlbc& db, int row, int position) {
    return position >= 1 ? db.Cell(row, position) : std::string_view();
}

bool IsFilterOff(std::string_view text) {
    return text.empty() || text == kAllEntry;
}

int Digits(std::string_view text, std::size_t from, std::size_t count) {
    int value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') {
            return -1;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

// Milliseconds of the day for a time text, or -1 when it is not a time.
long long TimeOfDayMs(std::string_view text) {
    if (text.size() == 8 && text[2] == ':' && text[5] == ':') {
        const int h = Digits(text, 0, 2);
        const int m = Digits(text, 3, 2);
        const int s = Digits(text, 6, 2);
        if (h >= 0 && h < 24 && m >= 0 && m < 60 && s >= 0 && s < 60) {
            return (h * 3600LL + m * 60LL + s) * 1000LL;
        }
    }
    TDateTime value = 0;
    if (!TryStrToTime(text, value)) {
        return -1;
    }
    const double dayFraction = value - std::floor(value);
    return std::llround(dayFraction * 86400000.0) % 86400000LL;
}

// Whole minutes of a fishing period (seconds ignored); a period whose end
// lies before its start runs past midnight.
std::optional<long long> PeriodMinutes(std::string_view begin, std::string_view end) {
    const long long from = TimeOfDayMs(begin);
    const long long to = TimeOfDayMs(end);
    if (from < 0 || to < 0) {
        return std::nullopt;
    }
    long long span = to - from;
    if (span < 0) {
        span += 86400000LL;
    }
    const long long hours = span / 3600000LL;
    const long long minutes = (span % 3600000LL) / 60000LL;
    return hours * 60 + minutes;
}

bool ParseNumber(std::string_view text, double& value) {
    return !text.empty() && TryStrToFloatDe(text, value);
}

// The fishing periods met so far, each once: an open-addressing set of rows
// by the hash of their date, start and end, so no key text is copied.
class PeriodSet {
public:
    PeriodSet(const TMlbc& db, const CatchColumns& columns) : db_(db), columns_(columns) {
        slots_.assign(1024, Slot{});
    }

    // False when a row with the same three texts was inserted before.
    bool Insert(int row, std::string_view date, std::string_view begin, std::string_view end) {
        const std::size_t hash = Hash(date, begin, end);
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
            Slot& slot = slots_[at];
            if (slot.row == 0) {
                slot = Slot{hash, row};
                if (2 * ++count_ > slots_.size()) {
                    Grow();
                }
                return true;
            }
            if (slot.hash == hash && CellAt(db_, slot.row, columns_.date) == date &&
                CellAt(db_, slot.row, columns_.begin) == begin &&
                CellAt(db_, slot.row, columns_.end) == end) {
                return false;
            }
        }
    }

private:
    struct Slot {
        std::size_t hash = 0;
        int row = 0; // 0: empty
    };

    static std::size_t Hash(std::string_view date, std::string_view begin, std::string_view end) {
        const std::hash<std::string_view> hash;
        std::size_t h = hash(date);
        h = h * 31 + hash(begin);
        return h * 31 + hash(end);
    }

    void Grow() {
        std::vector<Slot> old(2 * slots_.size());
        old.swap(slots_);
        const std::size_t mask = slots_.size() - 1;
        for (const Slot& slot : old) {
            if (slot.row != 0) {
                std::size_t at = slot.hash & mask;
                while (slots_[at].row != 0) {
                    at = (at + 1) & mask;
                }
                slots_[at] = slot;
            }
        }
    }

    const TMlbc& db_;
    const CatchColumns& columns_;
    std::vector<Slot> slots_;
    std::size_t count_ = 0;
};

// Collects rows into a listing: the list rows, the sums and the distinct
// fishing periods. The rows are written out once, in their final order.
class ListingBuilder {
public:
    ListingBuilder(const TMlbc& db, const CatchColumns& columns)
        : db_(db), columns_(columns), periods_(db, columns) {}

    // Rows are read in the order they are added, which is the order the
    // table holds them in memory; sorting then moves finished rows.
    void Reserve(std::size_t rows) { scanned_.reserve(rows); }

    void Add(int row, int dateKey) {
        CatchListRow& listRow = scanned_.emplace_back();
        listRow.id = row;
        listRow.date = CellAt(db_, row, columns_.date);
        listRow.species = CellAt(db_, row, columns_.species);
        listRow.water = CellAt(db_, row, columns_.water);
        listRow.angler = CellAt(db_, row, columns_.angler);
        listRow.length = CellAt(db_, row, columns_.length);
        listRow.weight = CellAt(db_, row, columns_.weight);

        CatchSummary& s = listing_.summary;
        ++s.count;
        double value = 0;
        // A length or weight that is not a number is left out of the sums
        // (the catch still counts), so one bad cell cannot hide the list.
        if (ParseNumber(listRow.weight, value)) {
            s.weightSum += value;
            s.maxWeight = std::max(s.maxWeight, value);
        }
        if (ParseNumber(listRow.length, value)) {
            s.lengthSum += value;
            s.maxLength = std::max(s.maxLength, value);
        }
        AddPeriod(row, listRow.date);
        entries_.push_back(
            {scanned_.size() - 1, dateKey, TimeOfDayMs(CellAt(db_, row, columns_.time))});
    }

    CatchListing Finish() {
        // Newest date first, on the same date the later time first; rows that
        // still tie keep their order (the later stored catch first).
        std::stable_sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
            if (a.date != b.date) {
                return a.date > b.date;
            }
            return a.time > b.time;
        });
        listing_.rows.reserve(entries_.size());
        for (const Entry& entry : entries_) {
            listing_.rows.push_back(std::move(scanned_[entry.index]));
        }
        return std::move(listing_);
    }

private:
    void AddPeriod(int row, std::string_view date) {
        const std::string_view begin = CellAt(db_, row, columns_.begin);
        const std::string_view end = CellAt(db_, row, columns_.end);
        if (begin.empty() || end.empty() || begin == end) {
            return;
        }
        if (!periods_.Insert(row, date, begin, end)) {
            return;
        }
        // A start or end that is not a time gives no period to count.
        if (const auto minutes = PeriodMinutes(begin, end)) {
            listing_.summary.fishingMinutes += *minutes;
            ++listing_.summary.fishingPeriods;
        }
    }

    struct Entry {
        std::size_t index; // in scanned_
        int date;
        long long time;
    };

    const TMlbc& db_;
    const CatchColumns& columns_;
    CatchListing listing_;
    std::vector<CatchListRow> scanned_;
    std::vector<Entry> entries_;
    PeriodSet periods_;
};

int YearOfKey(int dateKey) {
    return dateKey == kUnreadableDate ? 0 : dateKey / 10000;
}

} // namespace

CatchFilter MakeCatchFilter(std::string_view angler, std::string_view year,
                            std::string_view species) {
    CatchFilter filter;
    if (!IsFilterOff(angler)) {
        filter.angler = std::string(angler);
    }
    if (!IsFilterOff(year)) {
        filter.year = StrToIntDe(year);
    }
    if (!IsFilterOff(species)) {
        filter.species = std::string(species);
    }
    return filter;
}

int DateSortKey(std::string_view text) {
    int year = -1;
    int month = -1;
    int day = -1;
    if (text.size() == 10 && text[2] == '.' && text[5] == '.') {
        day = Digits(text, 0, 2);
        month = Digits(text, 3, 2);
        year = Digits(text, 6, 4);
    }
    if (year < 1 || !IsValidDate(year, month, day)) {
        TDateTime value = 0;
        if (!TryStrToDate(text, value)) {
            return kUnreadableDate;
        }
        const DateParts parts = DecodeDate(value);
        year = parts.year;
        month = parts.month;
        day = parts.day;
    }
    return year * 10000 + month * 100 + day;
}

CatchListing ListLastCatches(const TMlbc& db, int count) {
    const CatchColumns columns(db);
    ListingBuilder builder(db, columns);
    const int rows = db.RowCount();
    for (int row = rows; row >= 1 && row > rows - count; --row) {
        builder.Add(row, DateSortKey(CellAt(db, row, columns.date)));
    }
    return builder.Finish();
}

CatchListing ListCatches(const TMlbc& db, const CatchFilter& filter) {
    const CatchColumns columns(db);
    ListingBuilder builder(db, columns);
    // Room for every row costs only the memory the listed rows use.
    builder.Reserve(static_cast<std::size_t>(db.RowCount()));
    for (int row = db.RowCount(); row >= 1; --row) {
        if (filter.angler && CellAt(db, row, columns.angler) != *filter.angler) {
            continue;
        }
        if (filter.species && CellAt(db, row, columns.species) != *filter.species) {
            continue;
        }
        const int dateKey = DateSortKey(CellAt(db, row, columns.date));
        if (filter.year && YearOfKey(dateKey) != *filter.year) {
            continue;
        }
        builder.Add(row, dateKey);
    }
    return builder.Finish();
}

SummaryTexts FormatSummary(const CatchSummary& s) {
    SummaryTexts texts;
    if (s.count < 1) {
        return texts;
    }
    const double n = s.count;
    texts.count = std::to_string(s.count);
    texts.weightTotal = FormatFixed2(s.weightSum / 1000.0) + " kg";
    texts.lengthTotal = FormatFixed2(s.lengthSum / 100.0) + " m";
    texts.averageWeight = FormatFixed2(s.weightSum / n) + " g";
    texts.averageLength = FormatFixed2(s.lengthSum / n) + " cm";
    texts.maxWeight = FormatFixed2(s.maxWeight) + " g";
    texts.maxLength = FormatFixed2(s.maxLength) + " cm";

    const long long t = s.fishingMinutes;
    texts.fishingTime = std::to_string(t / 1440) + " Tage " + std::to_string((t % 1440) / 60) +
                        " Stunden " + std::to_string(t % 60) + " Minuten";
    if (t > 0) {
        texts.fishingTime += "  =  " + FormatFixed2(n / (double(t) / 60.0)) + " Fische pro Stunde";
    }
    return texts;
}

std::vector<int> CatchYears(const TMlbc& db, const std::optional<std::string>& angler) {
    const CatchColumns columns(db);
    std::set<int, std::greater<int>> years;
    for (int row = 1; row <= db.RowCount(); ++row) {
        if (angler && CellAt(db, row, columns.angler) != *angler) {
            continue;
        }
        const int key = DateSortKey(CellAt(db, row, columns.date));
        if (key != kUnreadableDate && YearOfKey(key) >= 1000 && YearOfKey(key) <= 9999) {
            years.insert(YearOfKey(key));
        }
    }
    return {years.begin(), years.end()};
}

std::vector<std::string> CatchSpecies(const TMlbc& db, const std::optional<std::string>& angler,
                                      std::optional<int> year) {
    const CatchColumns columns(db);
    std::vector<std::string> species;
    std::unordered_set<std::string> seenExact;
    std::unordered_set<std::string> seenKeys;
    for (int row = 1; row <= db.RowCount(); ++row) {
        if (angler && CellAt(db, row, columns.angler) != *angler) {
            continue;
        }
        if (year && YearOfKey(DateSortKey(CellAt(db, row, columns.date))) != *year) {
            continue;
        }
        const std::string name(CellAt(db, row, columns.species));
        if (!seenExact.insert(name).second) {
            continue;
        }
        if (seenKeys.insert(CollationKeyDe(name)).second) {
            species.push_back(name);
        }
    }
    std::stable_sort(species.begin(), species.end(),
                     [](const std::string& a, const std::string& b) { return LessTextDe(a, b); });
    return species;
}

std::vector<std::string> SortedUniqueDe(std::vector<std::string> entries) {
    std::stable_sort(entries.begin(), entries.end(),
                     [](const std::string& a, const std::string& b) { return LessTextDe(a, b); });
    std::vector<std::string> unique;
    for (std::string& entry : entries) {
        if (unique.empty() || !SameTextDe(unique.back(), entry)) {
            unique.push_back(std::move(entry));
        }
    }
    return unique;
}

double CostTotal(const TMlbc& ak) {
    const int total = ak.FieldIndex("Gesamtpreis");
    const int shipping = ak.FieldIndex("Versandkosten");
    double sum = 0;
    for (int row = 1; row <= ak.RowCount(); ++row) {
        double value = 0;
        // Like lengths and weights, a price that is not a number is left out.
        if (ParseNumber(CellAt(ak, row, total), value)) {
            sum += value;
        }
        if (ParseNumber(CellAt(ak, row, shipping), value)) {
            sum += value;
        }
    }
    return sum;
}

} // namespace zv
