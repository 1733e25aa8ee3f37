#include "calendar/AstroDayTexts.h"

#include "base/DateTime.h"
#include "calendar/TSRCalendar.h"

#include <array>
#include <cmath>
#include <stdexcept>

namespace zv {

std::string MoonPhaseText(int moonPhase) {
    static const std::array<const char*, 4> texts = {"Neumond", "Zunehmender Mond", "Vollmond",
                                                     "Abnehmender Mond"};
    if (moonPhase < 0 || moonPhase >= static_cast<int>(texts.size())) {
        throw std::out_of_range("moon phase class out of range");
    }
    return texts[static_cast<std::size_t>(moonPhase)];
}

std::string AstroTimeText(long double value) {
    // The calculator's results are linear in time, so the time of day is the
    // distance from the floor. (For a date before 30.12.1899 the stored
    // date-time encoding would read the fraction backwards.)
    return TimeToStr(static_cast<TDateTime>(value - std::floor(value)));
}

AstroDayTexts DayTexts(const TSRCalendar& calendar) {
    AstroDayTexts texts;
    texts.moonPhase = MoonPhaseText(calendar.MoonPhase());
    texts.sunrise = AstroTimeText(calendar.Sunrise());
    texts.sunset = AstroTimeText(calendar.Sunset());
    texts.moonrise = AstroTimeText(calendar.Moonrise());
    texts.moonset = AstroTimeText(calendar.Moonset());
    return texts;
}

} // namespace zv
