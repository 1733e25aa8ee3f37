#include "statistics/CatchStatistics.h"

#include "base/DateTime.h"
#include "statistics/CatchScan.h"
#include "statistics/RangeCounter.h"
#include "statistics/StatisticsCategories.h"
#include "statistics/TallyCounter.h"
#include "storage/ValueList.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace zv {

namespace {

std::string_view NoFilterIfAll(std::string_view text) {
    return text == AllEntry ? std::string_view{} : text;
}

std::vector<std::string> NonEmptyLines(std::vector<std::string> lines) {
    std::erase_if(lines, [](const std::string& line) { return line.empty(); });
    return lines;
}

std::vector<std::string> LinesFromSecond(std::vector<std::string> lines) {
    if (!lines.empty()) {
        lines.erase(lines.begin());
    }
    return lines;
}

// The weather lists are fixed tables of a few entries: only the first lines
// of a file are categories, and an empty line is never shown.
std::vector<std::string> FixedTableLines(std::vector<std::string> lines, std::size_t size) {
    if (lines.size() > size) {
        lines.resize(size);
    }
    return NonEmptyLines(std::move(lines));
}

// Positions of the catch fields a scan reads.
struct CatchColumns {
    explicit CatchColumns(const CatchScan& scan)
        : date(scan.Position("Fangdatum")), time(scan.Position("Fangzeit")),
          catcher(scan.Position("Faenger")), species(scan.Position("Fischart")),
          length(scan.Position("Laenge")), weight(scan.Position("Gewicht")),
          bait(scan.Position("Koeder")), baitColour(scan.Position("KoederFarbe")),
          baitLength(scan.Position("KoederLaenge")), baitType(scan.Position("Koedertyp")),
          behaviour(scan.Position("Koederverhalten")), water(scan.Position("Gewaesser")),
          weather(scan.Position("Wetter")), airTemperature(scan.Position("Lufttemp")),
          waterTemperature(scan.Position("Wassertemp")), airPressure(scan.Position("Luftdruck")),
          windDirection(scan.Position("Windrichtung")), windStrength(scan.Position("Windstaerke")),
          waterLevel(scan.Position("Wasserstand")), turbidity(scan.Position("Wassertruebung")),
          moon(scan.Position("Mondphase")) {}

    int date, time, catcher, species, length, weight, bait, baitColour, baitLength, baitType,
        behaviour, water, weather, airTemperature, waterTemperature, airPressure, windDirection,
        windStrength, waterLevel, turbidity, moon;
};

// The catch date of one row, parsed the first time a step needs it.
class RowDate {
public:
    RowDate(CatchScan& scan, std::string_view text) : scan_(scan), text_(text) {}

    TDateTime Value() {
        if (!value_) {
            value_ = scan_.Date(text_);
        }
        return *value_;
    }
    int Year() { return DecodeDate(Value()).year; }
    int Month() { return DecodeDate(Value()).month; }

private:
    CatchScan& scan_;
    std::string_view text_;
    std::optional<TDateTime> value_;
};

// Catcher and year, the two restrictions every computation shares, tested in
// this order before the computation's own selection.
struct CommonFilter {
    std::string_view catcher;
    int year = 0;

    bool Passes(const CatchScan& scan, const CatchColumns& fields, int row, RowDate& date) const {
        if (!catcher.empty() && scan.Cell(row, fields.catcher) != catcher) {
            return false;
        }
        return year == 0 || date.Year() == year;
    }
};

double NumberOrZero(std::string_view text) {
    return text.empty() ? 0.0 : CatchScan::Number(text);
}

// Count, the two sums and the record catch, shared by the species and the
// bait computation.
struct Totals {
    int count = 0;
    double lengthSum = 0;
    double weightSum = 0;
    std::optional<RecordCatch> record;

    void AddSums(const CatchScan& scan, const CatchColumns& fields, int row) {
        ++count;
        const std::string_view length = scan.Cell(row, fields.length);
        if (!length.empty()) {
            lengthSum += CatchScan::Number(length);
        }
        const std::string_view weight = scan.Cell(row, fields.weight);
        if (!weight.empty()) {
            weightSum += CatchScan::Number(weight);
        }
    }

    // The heaviest catch wins; on equal weights the earlier row stays.
    void TestRecord(const CatchScan& scan, const CatchColumns& fields, int row, RowDate& date) {
        const double weight = NumberOrZero(scan.Cell(row, fields.weight));
        const double recordWeight = record ? record->weight : 0.0;
        if (!(weight > recordWeight)) {
            return;
        }
        RecordCatch candidate;
        candidate.row = row;
        candidate.weight = weight;
        candidate.length = NumberOrZero(scan.Cell(row, fields.length));
        candidate.species = std::string(scan.Cell(row, fields.species));
        candidate.date = date.Value();
        candidate.time = StrToTime(scan.Cell(row, fields.time));
        candidate.bait = std::string(scan.Cell(row, fields.bait));
        record = std::move(candidate);
    }
};

int HourOf(const CatchScan& scan, const CatchColumns& fields, int row) {
    return CatchScan::Hour(scan.Cell(row, fields.time));
}

} // namespace

SpeciesResult SpeciesStatistics(TMlbc& catches, const std::filesystem::path& programFolder,
                                std::string_view catcher, int year, std::string_view species) {
    TallyCounter bait(ReadValueList(programFolder, "Koeder"), MatchRule::IgnoreCaseAZ);
    TallyCounter weather(ReadValueList(programFolder, "Wetter"), MatchRule::IgnoreCaseAZ);
    TallyCounter water(ReadValueList(programFolder, "Gewaesser"), MatchRule::IgnoreCaseAZ);
    TallyCounter moon(MoonPhaseLabels(), MatchRule::Exact);
    TallyCounter month(MonthLabels(), MatchRule::Exact);
    TallyCounter hour(HourBucketLabels(), MatchRule::Exact);

    const CommonFilter filter{NoFilterIfAll(catcher), year};
    species = NoFilterIfAll(species);

    CatchScan scan(catches);
    const CatchColumns fields(scan);
    Totals totals;
    for (int row = 1; row <= scan.RowCount(); ++row) {
        scan.Visit(row);
        RowDate date(scan, scan.Cell(row, fields.date));
        if (!filter.Passes(scan, fields, row, date)) {
            continue;
        }
        if (!species.empty() && scan.Cell(row, fields.species) != species) {
            continue;
        }
        totals.AddSums(scan, fields, row);
        month.AddAt(date.Month() - 1);
        bait.Add(scan.Cell(row, fields.bait));
        weather.Add(scan.Cell(row, fields.weather));
        water.Add(scan.Cell(row, fields.water));
        totals.TestRecord(scan, fields, row, date);
        hour.AddAt(HourBucket(HourOf(scan, fields, row)));
        moon.Add(scan.Cell(row, fields.moon));
    }

    SpeciesResult result;
    result.count = totals.count;
    result.lengthSum = totals.lengthSum;
    result.weightSum = totals.weightSum;
    result.record = std::move(totals.record);
    result.bait = bait.OrderedRows();
    result.weather = weather.OrderedRows();
    result.water = water.OrderedRows();
    result.moon = moon.OrderedRows();
    result.month = month.OrderedRows();
    result.hour = hour.OrderedRows();
    return result;
}

BaitResult BaitStatistics(TMlbc& catches, const std::filesystem::path& programFolder,
                          std::string_view catcher, int year, std::string_view baitType,
                          std::string_view bait) {
    TallyCounter baitTally(ReadValueList(programFolder, "Koeder"), MatchRule::IgnoreCaseAZ);
    TallyCounter colour(NonEmptyLines(ReadValueList(programFolder, "Koederfarbe")),
                        MatchRule::NonEmptyIgnoreCaseAZ);
    TallyCounter baitLength(NonEmptyLines(ReadValueList(programFolder, "Koederlaenge")),
                            MatchRule::NonEmptyIgnoreCaseAZ);
    TallyCounter behaviour(BaitBehaviourLabels(), MatchRule::NonEmptyIgnoreCaseAZ);
    // The first line of the species list is not a species category.
    TallyCounter species(LinesFromSecond(ReadValueList(programFolder, "Fischarten")),
                         MatchRule::IgnoreCaseAZ);
    TallyCounter weather(ReadValueList(programFolder, "Wetter"), MatchRule::IgnoreCaseAZ);
    TallyCounter water(ReadValueList(programFolder, "Gewaesser"), MatchRule::IgnoreCaseAZ);
    TallyCounter moon(MoonPhaseLabels(), MatchRule::Exact);
    TallyCounter month(MonthLabels(), MatchRule::Exact);
    TallyCounter hour(HourBucketLabels(), MatchRule::Exact);

    const CommonFilter filter{NoFilterIfAll(catcher), year};
    baitType = NoFilterIfAll(baitType);
    bait = NoFilterIfAll(bait);

    CatchScan scan(catches);
    const CatchColumns fields(scan);
    Totals totals;
    for (int row = 1; row <= scan.RowCount(); ++row) {
        scan.Visit(row);
        RowDate date(scan, scan.Cell(row, fields.date));
        if (!filter.Passes(scan, fields, row, date)) {
            continue;
        }
        if (!baitType.empty() && scan.Cell(row, fields.baitType) != baitType) {
            continue;
        }
        if (!bait.empty() && scan.Cell(row, fields.bait) != bait) {
            continue;
        }
        totals.AddSums(scan, fields, row);
        moon.Add(scan.Cell(row, fields.moon));
        month.AddAt(date.Month() - 1);
        baitTally.Add(scan.Cell(row, fields.bait));
        colour.Add(scan.Cell(row, fields.baitColour));
        baitLength.Add(scan.Cell(row, fields.baitLength));
        behaviour.Add(scan.Cell(row, fields.behaviour));
        hour.AddAt(HourBucket(HourOf(scan, fields, row)));
        totals.TestRecord(scan, fields, row, date);
        species.Add(scan.Cell(row, fields.species));
        weather.Add(scan.Cell(row, fields.weather));
        water.Add(scan.Cell(row, fields.water));
    }

    BaitResult result;
    result.count = totals.count;
    result.lengthSum = totals.lengthSum;
    result.weightSum = totals.weightSum;
    result.record = std::move(totals.record);
    result.bait = baitTally.OrderedRows();
    result.colour = colour.OrderedRows();
    result.baitLength = baitLength.OrderedRows();
    // The behaviours stay in their natural order.
    result.behaviour = behaviour.Rows();
    result.species = species.OrderedRows();
    result.weather = weather.OrderedRows();
    result.water = water.OrderedRows();
    result.moon = moon.OrderedRows();
    result.month = month.OrderedRows();
    result.hour = hour.OrderedRows();
    return result;
}

WeatherResult WeatherStatistics(TMlbc& catches, const std::filesystem::path& programFolder,
                                std::string_view catcher, int year, std::string_view species,
                                const std::function<void()>& afterBounds) {
    TallyCounter windStrength(FixedTableLines(ReadValueList(programFolder, "Windstaerke"), 13),
                              MatchRule::Exact);
    TallyCounter windDirection(FixedTableLines(ReadValueList(programFolder, "Windrichtung"), 9),
                               MatchRule::Exact);
    TallyCounter turbidity(FixedTableLines(ReadValueList(programFolder, "Wassertruebung"), 4),
                           MatchRule::Exact);
    TallyCounter waterLevel(FixedTableLines(ReadValueList(programFolder, "Wasserstand"), 3),
                            MatchRule::Exact);
    RangeCounter airTemperature;
    RangeCounter waterTemperature;
    RangeCounter airPressure;

    const CommonFilter filter{NoFilterIfAll(catcher), year};
    species = NoFilterIfAll(species);
    if (species == "--Gesamt--") {
        species = {};
    }

    CatchScan scan(catches);
    const CatchColumns fields(scan);
    WeatherResult result;
    result.airTemperatureRange = {0, 0};
    result.waterTemperatureRange = {0, 0};
    result.airPressureRange = {1000, 1000};

    // The ranges run over the whole table, whatever the filter.
    auto widen = [](RangeBounds& bounds, std::string_view text) {
        if (text.empty()) {
            return;
        }
        const double value = std::nearbyint(CatchScan::Number(text)); // halves to even
        if (value < bounds.lower) {
            bounds.lower = value;
        }
        if (value > bounds.upper) {
            bounds.upper = value;
        }
    };
    for (int row = 1; row <= scan.RowCount(); ++row) {
        scan.Visit(row);
        widen(result.airTemperatureRange, scan.Cell(row, fields.airTemperature));
        widen(result.waterTemperatureRange, scan.Cell(row, fields.waterTemperature));
        widen(result.airPressureRange, scan.Cell(row, fields.airPressure));
    }
    if (afterBounds) {
        afterBounds();
    }

    for (int row = 1; row <= scan.RowCount(); ++row) {
        scan.Visit(row);
        RowDate date(scan, scan.Cell(row, fields.date));
        if (!filter.Passes(scan, fields, row, date)) {
            continue;
        }
        if (!species.empty() && scan.Cell(row, fields.species) != species) {
            continue;
        }
        airPressure.Add(scan.Cell(row, fields.airPressure));
        waterTemperature.Add(scan.Cell(row, fields.waterTemperature));
        airTemperature.Add(scan.Cell(row, fields.airTemperature));
        windStrength.Add(scan.Cell(row, fields.windStrength));
        windDirection.Add(scan.Cell(row, fields.windDirection));
        turbidity.Add(scan.Cell(row, fields.turbidity));
        waterLevel.Add(scan.Cell(row, fields.waterLevel));
    }

    result.airTemperature = airTemperature.OrderedRows();
    result.waterTemperature = waterTemperature.OrderedRows();
    result.airPressure = airPressure.OrderedRows();
    result.windStrength = windStrength.OrderedRows();
    result.windDirection = windDirection.OrderedRows();
    result.turbidity = turbidity.OrderedRows();
    result.waterLevel = waterLevel.OrderedRows();
    return result;
}

} // namespace zv
