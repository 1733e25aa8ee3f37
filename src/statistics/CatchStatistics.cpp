#include "statistics/CatchStatistics.h"

#include "base/DateTime.h"
#include "statistics/CatchScan.h"
#include "statistics/ParsedField.h"
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

// The catch fields a scan reads, each as the ids of its distinct texts.
struct CatchFields {
    explicit CatchFields(const CatchScan& scan)
        : scan(scan), date(scan.Field("Fangdatum")), time(scan.Position("Fangzeit")),
          catcher(scan.Field("Faenger")), species(scan.Field("Fischart")),
          length(scan.Position("Laenge")), weight(scan.Position("Gewicht")),
          bait(scan.Field("Koeder")), baitColour(scan.Field("KoederFarbe")),
          baitLength(scan.Field("KoederLaenge")), baitType(scan.Field("Koedertyp")),
          behaviour(scan.Field("Koederverhalten")), water(scan.Field("Gewaesser")),
          weather(scan.Field("Wetter")), airTemperature(scan.Field("Lufttemp")),
          waterTemperature(scan.Field("Wassertemp")), airPressure(scan.Field("Luftdruck")),
          windDirection(scan.Field("Windrichtung")), windStrength(scan.Field("Windstaerke")),
          waterLevel(scan.Field("Wasserstand")), turbidity(scan.Field("Wassertruebung")),
          moon(scan.Field("Mondphase")) {}

    // Times, lengths and weights differ from catch to catch and are quick to
    // read, so they are read per row rather than indexed.
    std::string_view Time(int row) const { return scan.Cell(row, time); }
    std::string_view Length(int row) const { return scan.Cell(row, length); }
    std::string_view Weight(int row) const { return scan.Cell(row, weight); }

    const CatchScan& scan;
    ScanField date;
    int time;
    ScanField catcher, species;
    int length, weight;
    ScanField bait, baitColour, baitLength, baitType, behaviour, water, weather, airTemperature,
        waterTemperature, airPressure, windDirection, windStrength, waterLevel, turbidity, moon;
};

// The catch dates of a scan, each distinct date parsed once.
ParsedField<CatchDay> CatchDays(const CatchFields& fields) {
    return ParsedField<CatchDay>(fields.date, &CatchScan::TryDay, &CatchScan::Day);
}

// An exact text to select rows by, as the id of the field's text.
class Selection {
public:
    Selection(const ScanField& field, std::string_view text)
        : active_(!text.empty()), id_(active_ ? field.Find(text) : 0) {}
    bool Passes(const ScanField& field, int row) const { return !active_ || field.Id(row) == id_; }

private:
    bool active_;
    std::uint32_t id_;
};

// The catch date of one row, parsed the first time a step needs it.
class RowDate {
public:
    RowDate(ParsedField<CatchDay>& dates, int row) : dates_(dates), row_(row) {}

    TDateTime Value() { return dates_.At(row_).value; }
    int Year() { return dates_.At(row_).year; }
    int Month() { return dates_.At(row_).month; }

private:
    ParsedField<CatchDay>& dates_;
    int row_;
};

// Catcher and year, the two restrictions every computation shares, tested in
// this order before the computation's own selection.
struct CommonFilter {
    CommonFilter(const CatchFields& fields, std::string_view catcherText, int yearNumber)
        : catcher(fields.catcher, catcherText), year(yearNumber) {}

    bool Passes(const CatchFields& fields, int row, RowDate& date) const {
        if (!catcher.Passes(fields.catcher, row)) {
            return false;
        }
        return year == 0 || date.Year() == year;
    }

    Selection catcher;
    int year = 0;
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

    void AddSums(const CatchFields& fields, int row) {
        ++count;
        const std::string_view length = fields.Length(row);
        if (!length.empty()) {
            lengthSum += CatchScan::Number(length);
        }
        const std::string_view weight = fields.Weight(row);
        if (!weight.empty()) {
            weightSum += CatchScan::Number(weight);
        }
    }

    // The heaviest catch wins; on equal weights the earlier row stays.
    void TestRecord(const CatchFields& fields, int row, RowDate& date) {
        const double weight = NumberOrZero(fields.Weight(row));
        const double recordWeight = record ? record->weight : 0.0;
        if (!(weight > recordWeight)) {
            return;
        }
        RecordCatch candidate;
        candidate.row = row;
        candidate.weight = weight;
        candidate.length = NumberOrZero(fields.Length(row));
        candidate.species = std::string(fields.species.Cell(row));
        candidate.date = date.Value();
        candidate.time = StrToTime(fields.Time(row));
        candidate.bait = std::string(fields.bait.Cell(row));
        record = std::move(candidate);
    }
};

} // namespace

SpeciesResult SpeciesStatistics(TMlbc& catches, const std::filesystem::path& programFolder,
                                std::string_view catcher, int year, std::string_view species) {
    TallyCounter bait(ReadValueList(programFolder, "Koeder"), MatchRule::IgnoreCaseAZ);
    TallyCounter weather(ReadValueList(programFolder, "Wetter"), MatchRule::IgnoreCaseAZ);
    TallyCounter water(ReadValueList(programFolder, "Gewaesser"), MatchRule::IgnoreCaseAZ);
    TallyCounter moon(MoonPhaseLabels(), MatchRule::Exact);
    TallyCounter month(MonthLabels(), MatchRule::Exact);
    TallyCounter hour(HourBucketLabels(), MatchRule::Exact);

    CatchScan scan(catches);
    scan.Index({"Fangdatum", "Faenger", "Fischart", "Koeder", "Wetter", "Gewaesser", "Mondphase"});
    const CatchFields fields(scan);
    ParsedField<CatchDay> dates = CatchDays(fields);
    const CommonFilter filter(fields, NoFilterIfAll(catcher), year);
    const Selection speciesSelection(fields.species, NoFilterIfAll(species));
    Totals totals;
    for (int row = 1; row <= scan.RowCount(); ++row) {
        scan.Visit(row);
        RowDate date(dates, row);
        if (!filter.Passes(fields, row, date)) {
            continue;
        }
        if (!speciesSelection.Passes(fields.species, row)) {
            continue;
        }
        totals.AddSums(fields, row);
        month.AddAt(date.Month() - 1);
        bait.Add(fields.bait, row);
        weather.Add(fields.weather, row);
        water.Add(fields.water, row);
        totals.TestRecord(fields, row, date);
        hour.AddAt(HourBucket(CatchScan::Hour(fields.Time(row))));
        moon.Add(fields.moon, row);
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

    CatchScan scan(catches);
    scan.Index({"Fangdatum", "Faenger", "Fischart", "Koeder", "KoederFarbe", "KoederLaenge",
                "Koedertyp", "Koederverhalten", "Wetter", "Gewaesser", "Mondphase"});
    const CatchFields fields(scan);
    ParsedField<CatchDay> dates = CatchDays(fields);
    const CommonFilter filter(fields, NoFilterIfAll(catcher), year);
    const Selection baitTypeSelection(fields.baitType, NoFilterIfAll(baitType));
    const Selection baitSelection(fields.bait, NoFilterIfAll(bait));
    Totals totals;
    for (int row = 1; row <= scan.RowCount(); ++row) {
        scan.Visit(row);
        RowDate date(dates, row);
        if (!filter.Passes(fields, row, date)) {
            continue;
        }
        if (!baitTypeSelection.Passes(fields.baitType, row)) {
            continue;
        }
        if (!baitSelection.Passes(fields.bait, row)) {
            continue;
        }
        totals.AddSums(fields, row);
        moon.Add(fields.moon, row);
        month.AddAt(date.Month() - 1);
        baitTally.Add(fields.bait, row);
        colour.Add(fields.baitColour, row);
        baitLength.Add(fields.baitLength, row);
        behaviour.Add(fields.behaviour, row);
        hour.AddAt(HourBucket(CatchScan::Hour(fields.Time(row))));
        totals.TestRecord(fields, row, date);
        species.Add(fields.species, row);
        weather.Add(fields.weather, row);
        water.Add(fields.water, row);
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

    species = NoFilterIfAll(species);
    if (species == "--Gesamt--") {
        species = {};
    }

    CatchScan scan(catches);
    scan.Index({"Fangdatum", "Faenger", "Fischart", "Lufttemp", "Wassertemp", "Luftdruck",
                "Windrichtung", "Windstaerke", "Wasserstand", "Wassertruebung"});
    const CatchFields fields(scan);
    ParsedField<CatchDay> dates = CatchDays(fields);
    const CommonFilter filter(fields, NoFilterIfAll(catcher), year);
    const Selection speciesSelection(fields.species, species);
    WeatherResult result;
    result.airTemperatureRange = {0, 0};
    result.waterTemperatureRange = {0, 0};
    result.airPressureRange = {1000, 1000};

    // The ranges run over the whole table, whatever the filter.
    const auto tryRounded = [](std::string_view text, double& value) {
        const bool number = CatchScan::TryNumber(text, value);
        value = std::nearbyint(value); // halves to even
        return number;
    };
    const auto rounded = [](std::string_view text) {
        return std::nearbyint(CatchScan::Number(text));
    };
    ParsedField<double> airTemperatures(fields.airTemperature, tryRounded, rounded);
    ParsedField<double> waterTemperatures(fields.waterTemperature, tryRounded, rounded);
    ParsedField<double> airPressures(fields.airPressure, tryRounded, rounded);
    auto widen = [](RangeBounds& bounds, ParsedField<double>& values, int row) {
        if (values.Field().Cell(row).empty()) {
            return;
        }
        const double value = values.At(row);
        if (value < bounds.lower) {
            bounds.lower = value;
        }
        if (value > bounds.upper) {
            bounds.upper = value;
        }
    };
    for (int row = 1; row <= scan.RowCount(); ++row) {
        scan.Visit(row);
        widen(result.airTemperatureRange, airTemperatures, row);
        widen(result.waterTemperatureRange, waterTemperatures, row);
        widen(result.airPressureRange, airPressures, row);
    }
    if (afterBounds) {
        afterBounds();
    }

    for (int row = 1; row <= scan.RowCount(); ++row) {
        scan.Visit(row);
        RowDate date(dates, row);
        if (!filter.Passes(fields, row, date)) {
            continue;
        }
        if (!speciesSelection.Passes(fields.species, row)) {
            continue;
        }
        airPressure.Add(fields.airPressure, row);
        waterTemperature.Add(fields.waterTemperature, row);
        airTemperature.Add(fields.airTemperature, row);
        windStrength.Add(fields.windStrength, row);
        windDirection.Add(fields.windDirection, row);
        turbidity.Add(fields.turbidity, row);
        waterLevel.Add(fields.waterLevel, row);
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
