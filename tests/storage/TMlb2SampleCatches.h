#pragma once

// A catch table file as the program writes it (Windows-1252, CR LF, escaped
// cells), with realistic German content: umlauts, separators and backslashes
// inside cells, line breaks in comments. Deterministic for a given seed.
// Used by the table tests and the table benchmark.

#include <cstdio>
#include <random>
#include <string>

namespace zv::tabletest {

inline const char* const kCatchFieldNames[38] = {
    "Fangdatum",   "Fangzeit",        "Angelbeginn",   "Angelende",     "Faenger",
    "Fischart",    "Laenge",          "Gewicht",       "Fangmethode",   "Geschwindigkeit",
    "Distanz",     "Tiefe",           "Koeder",        "KoederFarbe",   "KoederLaenge",
    "Koedertyp",   "Koederverhalten", "Gewaesser",     "Stelle",        "GPSLat",
    "GPSLong",     "Kartenpos",       "Wetter",        "Lufttemp",      "Wassertemp",
    "Luftdruck",   "Windrichtung",    "Windstaerke",   "Wasserstand",   "Wassertruebung",
    "Bilder",      "Kommentar",       "Mondphase",     "Sonnenaufgang", "Sonnenuntergang",
    "Mondaufgang", "Monduntergang",   "zurueckgesetzt"};

inline std::string SampleCatchFile(int rows, unsigned seed = 42) {
    std::mt19937 rng(seed);
    const auto pick = [&](auto const& list) {
        return std::string(list[rng() % (sizeof(list) / sizeof(list[0]))]);
    };
    const auto num = [&](int lo, int hi) { return lo + static_cast<int>(rng() % (hi - lo + 1)); };
    const auto two = [](int v) {
        char b[8];
        std::snprintf(b, sizeof b, "%02d", v);
        return std::string(b);
    };
    // Windows-1252 bytes: \xE4 ä, \xF6 ö, \xFC ü, \xDF ß, \xC4 Ä, \xD6 Ö.
    static const char* const kAnglers[] = {"J\xFCrgen M\xFCller", "Bj\xF6rn Wei\xDF",
                                           "Anna Schr\xF6"
                                           "der",
                                           "Klaus", "Uwe Ha\xDF"};
    static const char* const kSpecies[] = {"Hecht",
                                           "Barsch",
                                           "Zander",
                                           "\xC4sche",
                                           "D\xF6"
                                           "bel",
                                           "Karpfen",
                                           "Schlei",
                                           "Aal"};
    static const char* const kMethods[] = {"Spinnfischen", "Grundangeln", "Posenangeln",
                                           "Fliegenfischen", "Schleppangeln"};
    static const char* const kBaits[] = {"Gummifisch",
                                         "Wobbler",
                                         "Tauwurm",
                                         "Maden",
                                         "Blinker",
                                         "Spinner",
                                         "K\xF6"
                                         "derfisch"};
    static const char* const kColours[] = {"gr\xFCn",  "wei\xDF",   "rot/schwarz",
                                           "Perlmutt", "Firetiger", ""};
    static const char* const kTypes[] = {"Kunstk\xF6"
                                         "der",
                                         "Naturk\xF6"
                                         "der"};
    static const char* const kBehaviour[] = {"schwimmend", "sinkend", "schwebend"};
    static const char* const kWaters[] = {"M\xF6hnesee", "Rhein", "Ruhr", "Baldeneysee",
                                          "Kanal\\;Hafen"};
    static const char* const kSpots[] = {"Br\xFC"
                                         "cke",
                                         "Schilfkante", "Buhne 12", "Steg", "Einlauf \\\\ Wehr"};
    static const char* const kWeather[] = {"sonnig", "bew\xF6lkt", "Regen", "Nebel", "Gewitter"};
    static const char* const kWind[] = {"N", "NO", "O", "SO", "S", "SW", "W", "NW"};
    static const char* const kWindNames[] = {"Windstill", "Leiser Zug", "Leichte Brise",
                                             "Schwache Brise", "M\xE4\xDFige Brise"};
    static const char* const kLevels[] = {"normal", "hoch", "niedrig", "Hochwasser"};
    static const char* const kTurbidity[] = {"klar",
                                             "leicht tr\xFC"
                                             "b",
                                             "tr\xFC"
                                             "b"};
    static const char* const kMoon[] = {"Neumond", "Zunehmender Mond", "Vollmond",
                                        "Abnehmender Mond"};
    static const char* const kComments[] = {
        "",
        "",
        "Biss kurz vor Sonnenuntergang",
        "am Schilf\\; zweiter Versuch",
        "Drill \xFC"
        "ber 10 Minuten\\nFisch schonend zur\xFC"
        "ckgesetzt",
        "Wasser 2\xB0 w\xE4rmer als gestern\\nWind dreht auf SW\\nviele Kleinfische",
        "K\xF6"
        "der: \"Gummi\" 12 cm\\;Jig 10 g",
        "Pfad C:\\\\Bilder\\\\Hecht.jpg"};

    std::string file;
    file.reserve(static_cast<std::size_t>(rows) * 330 + 400);
    for (int f = 0; f < 38; ++f) {
        if (f > 0) {
            file += ';';
        }
        file += kCatchFieldNames[f];
    }
    file += "\r\n";
    for (int r = 0; r < rows; ++r) {
        const std::string date =
            two(num(1, 28)) + "." + two(num(1, 12)) + "." + std::to_string(num(1998, 2012));
        const auto time = [&] {
            return two(num(0, 23)) + ":" + two(num(0, 59)) + ":" + two(num(0, 59));
        };
        std::string cells[38];
        cells[0] = date;
        cells[1] = time();
        cells[2] = time();
        cells[3] = time();
        cells[4] = pick(kAnglers);
        cells[5] = pick(kSpecies);
        cells[6] = std::to_string(num(15, 120)) + (rng() % 3 == 0 ? ",5" : "");
        cells[7] = std::to_string(num(80, 12000));
        cells[8] = pick(kMethods);
        cells[9] = rng() % 4 == 0 ? "3,5" : "";
        cells[10] = std::to_string(num(0, 80));
        cells[11] = std::to_string(num(1, 15)) + "," + std::to_string(num(0, 9));
        cells[12] = pick(kBaits);
        cells[13] = pick(kColours);
        cells[14] = std::to_string(num(2, 25));
        cells[15] = pick(kTypes);
        cells[16] = pick(kBehaviour);
        cells[17] = pick(kWaters);
        cells[18] = pick(kSpots);
        cells[19] = "51," + std::to_string(num(100000, 999999));
        cells[20] = "7," + std::to_string(num(100000, 999999));
        cells[21] = std::to_string(num(0, 400)) + "," + std::to_string(num(0, 300));
        cells[22] = pick(kWeather);
        cells[23] = std::to_string(num(-5, 32));
        cells[24] = std::to_string(num(2, 26));
        cells[25] = std::to_string(num(980, 1040));
        cells[26] = pick(kWind);
        cells[27] = pick(kWindNames);
        cells[28] = pick(kLevels);
        cells[29] = pick(kTurbidity);
        cells[30] = rng() % 3 == 0 ? date.substr(6) + "_" + std::to_string(r) + ".jpg," +
                                         date.substr(6) + "_" + std::to_string(r) + "b.jpg"
                                   : "";
        cells[31] = pick(kComments);
        cells[32] = pick(kMoon);
        cells[33] = "05:" + two(num(0, 59)) + ":" + two(num(0, 59));
        cells[34] = "21:" + two(num(0, 59)) + ":" + two(num(0, 59));
        cells[35] = time();
        cells[36] = time();
        cells[37] = rng() % 2 ? "-1" : "0";
        for (int f = 0; f < 38; ++f) {
            if (f > 0) {
                file += ';';
            }
            file += cells[f];
        }
        file += "\r\n";
    }
    return file;
}

} // namespace zv::tabletest
