#include "catchlog/CatchDetails.h"

#include "base/DateTime.h"
#include "base/NumberText.h"
#include "catchlog/CommaText.h"
#include "storage/TMlbc.h"

#include <cmath>

namespace zv {
namespace {

// A fishing start or end: 00:00 when empty or unreadable.
TDateTime TimeOfDay(std::string_view text) {
    TDateTime value = 0;
    if (text.empty() || !TryStrToDateTime(text, value)) {
        return 0;
    }
    return value - std::floor(value);
}

std::string HoursMinutes(TDateTime value) {
    // Whole minutes as the clock shows them: round to the millisecond, then
    // drop the seconds.
    const TimeParts parts = DecodeTime(value);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d", parts.hour, parts.minute);
    return buffer;
}

} // namespace

std::string WeightDetailText(std::string_view weight) {
    std::string text = std::string(weight) + " g";
    double grams = 0;
    if (!weight.empty() && TryStrToFloatDe(weight, grams) && std::isfinite(grams)) {
        text += " (" + FormatFixed2(grams * 2 / 1000) + " Pfund)";
    }
    return text;
}

std::string FishingTimeText(std::string_view start, std::string_view end) {
    const TDateTime from = TimeOfDay(start);
    TDateTime to = TimeOfDay(end);
    TDateTime duration = 0;
    if (from != to) {
        if (to < from) {
            to += 1;
        }
        duration = to - from;
    }
    return HoursMinutes(from) + " Uhr - " + HoursMinutes(to) + " Uhr = " + HoursMinutes(duration) +
           " Stunden";
}

CatchDetailTexts BuildCatchDetails(const TMlbc& table) {
    auto cell = [&table](std::string_view field) { return table.GetData(field); };
    CatchDetailTexts texts;
    texts.fischart = cell("Fischart");
    texts.laenge = cell("Laenge") + " cm";
    texts.gewicht = WeightDetailText(cell("Gewicht"));

    const std::string date = cell("Fangdatum");
    TDateTime day = 0;
    texts.fangdatum = TryStrToDate(date, day) ? LongDayNameDe(DayOfWeek(day)) + ", " + date : date;
    texts.fangzeit = cell("Fangzeit") + " Uhr";
    texts.angelzeit = FishingTimeText(cell("Angelbeginn"), cell("Angelende"));

    const std::string baitLength = cell("KoederLaenge");
    texts.koeder = cell("Koeder") + " " + cell("KoederFarbe") + " " +
                   (baitLength.empty() ? std::string() : baitLength + " cm") + " " +
                   cell("Koederverhalten");
    texts.fangmethode = cell("Fangmethode");
    texts.mond = cell("Mondphase");
    texts.gewaesser = cell("Gewaesser");
    texts.stelle = cell("Stelle");
    texts.uferdistanz = cell("Distanz") + " m";
    texts.fangtiefe = cell("Tiefe") + " m";
    texts.wetter = cell("Wetter");
    texts.luftdruck = cell("Luftdruck") + " hPa";
    texts.wassertemp = cell("Wassertemp") + " °C";
    texts.lufttemp = cell("Lufttemp") + " °C";
    texts.windrichtung = cell("Windrichtung");
    texts.windstaerke = cell("Windstaerke");
    texts.wassertruebung = cell("Wassertruebung");
    texts.wasserstand = cell("Wasserstand");
    texts.bemerkung = cell("Kommentar");

    const std::string released = cell("zurueckgesetzt");
    bool value = false;
    texts.zurueckgesetzt = !released.empty() && TryStrToBoolDe(released, value) && value;

    for (std::string& name : SplitCommaText(cell("Bilder"))) {
        if (!name.empty()) {
            texts.pictures.push_back(std::move(name));
        }
    }
    return texts;
}

} // namespace zv
