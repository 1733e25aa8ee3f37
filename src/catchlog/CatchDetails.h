#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zv {

class TMlbc;

// Every value text of the details window for one catch, units included (a
// unit shows also when its value is empty).
struct CatchDetailTexts {
    std::string fischart;
    std::string laenge;    // "45 cm"
    std::string gewicht;   // "1500 g (3,00 Pfund)"
    std::string fangdatum; // "Dienstag, 05.06.2007"
    std::string fangzeit;  // "18:42:07 Uhr"
    std::string angelzeit; // "22:30 Uhr - 01:15 Uhr = 02:45 Stunden"
    std::string koeder;    // name, colour, "12 cm", behaviour
    std::string fangmethode;
    std::string mond;
    std::string gewaesser;
    std::string stelle;
    std::string uferdistanz; // "20 m"
    std::string fangtiefe;   // "3 m"
    std::string wetter;
    std::string luftdruck;  // "1013 hPa"
    std::string wassertemp; // "15 °C"
    std::string lufttemp;   // "20 °C"
    std::string windrichtung;
    std::string windstaerke;
    std::string wassertruebung;
    std::string wasserstand;
    std::string bemerkung;
    bool zurueckgesetzt = false;
    std::vector<std::string> pictures; // names of the Bilder cell, in order
};

// The texts of the catch at the table's current row. Nothing in a stored
// row can stop the window from opening: a date, time or weight that does not
// convert shows as stored, without the part computed from it.
CatchDetailTexts BuildCatchDetails(const TMlbc& table);

// The weight label: "1500 g (3,00 Pfund)" with the German pound of 500 g;
// an empty weight shows " g", a weight that is not a number shows its text
// and the unit only.
std::string WeightDetailText(std::string_view weight);

// "hh:nn Uhr - hh:nn Uhr = hh:nn Stunden"; an empty start or end counts as
// 00:00, an end earlier than the start lies on the next day.
std::string FishingTimeText(std::string_view start, std::string_view end);

} // namespace zv
