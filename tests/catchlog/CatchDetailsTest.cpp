#include "catchlog/CatchDetails.h"

#include "storage/Schemas.h"
#include "storage/TMlbc.h"

#include <gtest/gtest.h>

#include <map>

namespace zv {
namespace {

std::unique_ptr<TMlbc> OneCatch(const std::map<std::string, std::string>& cells) {
    std::unique_ptr<TMlbc> table = MakeEmptyTable(CatchFields());
    table->AppendRow();
    for (const auto& [field, value] : cells) {
        EXPECT_TRUE(table->SetData(field, value)) << field;
    }
    return table;
}

TEST(CatchDetails, EveryLabelWithItsUnit) {
    auto table = OneCatch({{"Fangdatum", "05.06.2007"},
                           {"Fangzeit", "18:42:07"},
                           {"Angelbeginn", "22:30:00"},
                           {"Angelende", "01:15:00"},
                           {"Fischart", "Hecht"},
                           {"Laenge", "80"},
                           {"Gewicht", "1500"},
                           {"Koeder", "Wobbler"},
                           {"KoederFarbe", "rot"},
                           {"KoederLaenge", "12"},
                           {"Koederverhalten", "sinkend"},
                           {"Fangmethode", "Spinnfischen"},
                           {"Mondphase", "Vollmond"},
                           {"Gewaesser", "Rhein"},
                           {"Stelle", "Buhne 4"},
                           {"Distanz", "20"},
                           {"Tiefe", "3,5"},
                           {"Wetter", "sonnig"},
                           {"Luftdruck", "1013"},
                           {"Wassertemp", "15"},
                           {"Lufttemp", "21"},
                           {"Windrichtung", "West"},
                           {"Windstaerke", "Sturm"},
                           {"Wassertruebung", "klar"},
                           {"Wasserstand", "normal"},
                           {"Kommentar", "Im Kraut"},
                           {"Bilder", "a_0.jpg,\"b c_1.jpg\""},
                           {"zurueckgesetzt", "-1"}});
    const CatchDetailTexts t = BuildCatchDetails(*table);
    EXPECT_EQ(t.fischart, "Hecht");
    EXPECT_EQ(t.laenge, "80 cm");
    EXPECT_EQ(t.gewicht, "1500 g (3,00 Pfund)");
    EXPECT_EQ(t.fangdatum, "Dienstag, 05.06.2007");
    EXPECT_EQ(t.fangzeit, "18:42:07 Uhr");
    EXPECT_EQ(t.angelzeit, "22:30 Uhr - 01:15 Uhr = 02:45 Stunden");
    EXPECT_EQ(t.koeder, "Wobbler rot 12 cm sinkend");
    EXPECT_EQ(t.fangmethode, "Spinnfischen");
    EXPECT_EQ(t.mond, "Vollmond");
    EXPECT_EQ(t.gewaesser, "Rhein");
    EXPECT_EQ(t.stelle, "Buhne 4");
    EXPECT_EQ(t.uferdistanz, "20 m");
    EXPECT_EQ(t.fangtiefe, "3,5 m");
    EXPECT_EQ(t.wetter, "sonnig");
    EXPECT_EQ(t.luftdruck, "1013 hPa");
    EXPECT_EQ(t.wassertemp, "15 °C");
    EXPECT_EQ(t.lufttemp, "21 °C");
    EXPECT_EQ(t.windrichtung, "West");
    EXPECT_EQ(t.windstaerke, "Sturm");
    EXPECT_EQ(t.wassertruebung, "klar");
    EXPECT_EQ(t.wasserstand, "normal");
    EXPECT_EQ(t.bemerkung, "Im Kraut");
    EXPECT_TRUE(t.zurueckgesetzt);
    EXPECT_EQ(t.pictures, (std::vector<std::string>{"a_0.jpg", "b c_1.jpg"}));
}

TEST(CatchDetails, EmptyValuesKeepTheirUnitsAndTheWindowStillOpens) {
    auto table = OneCatch({{"Fangdatum", "kaputt"}, {"zurueckgesetzt", ""}});
    const CatchDetailTexts t = BuildCatchDetails(*table);
    EXPECT_EQ(t.laenge, " cm");
    EXPECT_EQ(t.gewicht, " g");
    EXPECT_EQ(t.fangdatum, "kaputt");
    EXPECT_EQ(t.fangzeit, " Uhr");
    EXPECT_EQ(t.angelzeit, "00:00 Uhr - 00:00 Uhr = 00:00 Stunden");
    EXPECT_EQ(t.koeder, "   "); // name, colour, length and behaviour all empty
    EXPECT_EQ(t.luftdruck, " hPa");
    EXPECT_FALSE(t.zurueckgesetzt);
    EXPECT_TRUE(t.pictures.empty());
}

TEST(CatchDetails, PoundValueOfOddWeights) {
    EXPECT_EQ(WeightDetailText("1500"), "1500 g (3,00 Pfund)");
    EXPECT_EQ(WeightDetailText("1234"), "1234 g (2,47 Pfund)");
    EXPECT_EQ(WeightDetailText("745,5"), "745,5 g (1,49 Pfund)");
    EXPECT_EQ(WeightDetailText("schwer"), "schwer g");
    EXPECT_EQ(WeightDetailText(""), " g");
}

TEST(CatchDetails, FishingTime) {
    EXPECT_EQ(FishingTimeText("06:00:00", "09:30:00"), "06:00 Uhr - 09:30 Uhr = 03:30 Stunden");
    EXPECT_EQ(FishingTimeText("22:30:00", "01:15:00"), "22:30 Uhr - 01:15 Uhr = 02:45 Stunden");
    EXPECT_EQ(FishingTimeText("08:00:00", "08:00:00"), "08:00 Uhr - 08:00 Uhr = 00:00 Stunden");
    EXPECT_EQ(FishingTimeText("", "02:00:00"), "00:00 Uhr - 02:00 Uhr = 02:00 Stunden");
    // Seconds are dropped, not rounded into the minutes.
    EXPECT_EQ(FishingTimeText("10:00:40", "11:00:10"), "10:00 Uhr - 11:00 Uhr = 00:59 Stunden");
}

TEST(CatchDetails, ReleasedOnlyWhenTheCellReadsTrue) {
    EXPECT_FALSE(BuildCatchDetails(*OneCatch({{"zurueckgesetzt", "0"}})).zurueckgesetzt);
    EXPECT_TRUE(BuildCatchDetails(*OneCatch({{"zurueckgesetzt", "True"}})).zurueckgesetzt);
    EXPECT_FALSE(BuildCatchDetails(*OneCatch({{"zurueckgesetzt", "vielleicht"}})).zurueckgesetzt);
}

} // namespace
} // namespace zv
