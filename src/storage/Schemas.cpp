#include "storage/Schemas.h"

#include "storage/TMlbc.h"

namespace zv {

const std::vector<std::string>& CatchFields() {
    static const std::vector<std::string> fields = {
        "Fangdatum",   "Fangzeit",        "Angelbeginn",    "Angelende",     "Faenger",
        "Fischart",    "Laenge",          "Gewicht",        "Fangmethode",   "Geschwindigkeit",
        "Distanz",     "Tiefe",           "Koeder",         "KoederFarbe",   "KoederLaenge",
        "Koedertyp",   "Koederverhalten", "Gewaesser",      "Stelle",        "GPSLat",
        "GPSLong",     "Kartenpos",       "Wetter",         "Lufttemp",      "Wassertemp",
        "Luftdruck",   "Windrichtung",    "Windstaerke",    "Wasserstand",   "Wassertruebung",
        "Bilder",      "Kommentar",       "Mondphase",      "Sonnenaufgang", "Sonnenuntergang",
        "Mondaufgang", "Monduntergang",   "zurueckgesetzt",
    };
    return fields;
}

const std::vector<std::string>& CostFields() {
    static const std::vector<std::string> fields = {
        "Kaufdatum", "Geschaeft", "Artikel", "Menge", "Einzelpreis", "Gesamtpreis", "Versandkosten",
    };
    return fields;
}

const std::vector<std::string>& CalendarFields() {
    static const std::vector<std::string> fields = {
        "Datum",          "Angelbeginn",   "Angelende",    "Gewaesser",     "Stelle",
        "GPSLat",         "GPSLong",       "Bilder",       "Wetter",        "Lufttemp",
        "Wassertemp",     "Luftdruck",     "Windrichtung", "Windstaerke",   "Wasserstand",
        "Wassertruebung", "Kommentar",     "Mondphase",    "Sonnenaufgang", "Sonnenuntergang",
        "Mondaufgang",    "Monduntergang",
    };
    return fields;
}

std::unique_ptr<TMlbc> MakeEmptyTable(const std::vector<std::string>& fields) {
    auto table = std::make_unique<TMlbc>();
    for (const std::string& field : fields) {
        table->AddField(field);
    }
    return table;
}

} // namespace zv
