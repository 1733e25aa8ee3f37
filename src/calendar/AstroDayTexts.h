#pragma once

#include <string>

namespace zv {

class TSRCalendar;

// The five texts a catch or fishing-day record stores for its day.
struct AstroDayTexts {
    std::string moonPhase; // "Mondphase"
    std::string sunrise;   // "Sonnenaufgang"
    std::string sunset;    // "Sonnenuntergang"
    std::string moonrise;  // "Mondaufgang"
    std::string moonset;   // "Monduntergang"
};

// "Neumond", "Zunehmender Mond", "Vollmond", "Abnehmender Mond" for 0..3;
// throws std::out_of_range for any other class.
std::string MoonPhaseText(int moonPhase);

// The time of day of an event as hh:nn:ss; the date part is dropped, so an
// event after midnight shows its early-morning time.
std::string AstroTimeText(long double value);

// The texts of the calculator's current day.
AstroDayTexts DayTexts(const TSRCalendar& calendar);

} // namespace zv
