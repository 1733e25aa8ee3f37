// Colours, species colours and catch markers of the map.

#include "catchlog/MapMarkers.h"
#include "catchlog/MapColor.h"
#include "catchlog/SpeciesColors.h"

#include "EntryTestSupport.h"
#include "base/RandomSource.h"
#include "storage/IniFile.h"
#include "storage/Schemas.h"
#include "storage/TMlbc.h"
#include "storage/ValueList.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>

namespace zv {
namespace {

using Row = std::map<std::string, std::string>;

std::unique_ptr<TMlbc> Catches(const std::vector<Row>& rows) {
    auto table = MakeEmptyTable(CatchFields());
    for (const Row& row : rows) {
        table->AppendRow();
        for (const auto& [field, value] : row) {
            EXPECT_TRUE(table->SetData(field, value)) << field;
        }
    }
    return table;
}

// Counts up from a start, so each colour component is known.
class CountingRandom : public RandomSource {
public:
    int Random(int range) override { return next_++ % range; }

private:
    int next_ = 10;
};

TEST(MapColorTest, ReadsHexAndNamedColoursAndNothingElse) {
    const struct {
        const char* text;
        std::optional<MapColor> color;
    } cases[] = {
        {"#3A7FC0", MapColor{0x3A, 0x7F, 0xC0}},
        {"#3a7fc0", MapColor{0x3A, 0x7F, 0xC0}},
        {"clblue", kMarkerBlue}, // the default of older settings
        {"clRed", MapColor{0xFF, 0, 0}},
        {"CLLIME", MapColor{0, 0xFF, 0}},
        {"", std::nullopt},
        {"#3A7FC", std::nullopt},
        {"#3A7FC00", std::nullopt},
        {"#3G7FC0", std::nullopt},
        {"3A7FC0", std::nullopt},
        {"blue", std::nullopt},
        {"$00FF0000", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ColorFromText(c.text), c.color) << c.text;
    }
    EXPECT_EQ(ColorToText({0x05, 0xAB, 0xFF}), "#05ABFF");
    EXPECT_EQ(ColorFromText(ColorToText({1, 2, 3})), (MapColor{1, 2, 3}));
}

TEST(SpeciesColorsTest, RandomColoursAreWrittenOnceForTheListOrTheDefaultSpecies) {
    CountingRandom random;
    {
        test::EntryFolder folder;
        IniFile settings(folder / "Zelvorin.ini");
        EXPECT_EQ(EnsureSpeciesColors(folder.Path(), settings, random), "");
        const auto written = settings.ReadSectionValues("KarteFarbe");
        ASSERT_EQ(written.size(), DefaultMapSpecies().size());
        EXPECT_EQ(written.front(), (std::pair<std::string, std::string>{"Aal", "#0A0B0C"}));
        EXPECT_EQ(written.back().first, "Zander");
    }
    test::EntryFolder folder;
    std::string error;
    ASSERT_TRUE(WriteValueList(folder.Path(), "Fischarten", {"Hecht", "", "Wels"}, error));
    IniFile settings(folder / "Zelvorin.ini");
    EXPECT_EQ(EnsureSpeciesColors(folder.Path(), settings, random), "");
    EXPECT_EQ(settings.ReadSection("KarteFarbe"), (std::vector<std::string>{"Hecht", "Wels"}));
    // An existing section is never completed.
    ASSERT_TRUE(WriteValueList(folder.Path(), "Fischarten", {"Hecht", "Wels", "Zander"}, error));
    EXPECT_EQ(EnsureSpeciesColors(folder.Path(), settings, random), "");
    EXPECT_EQ(settings.ReadSection("KarteFarbe"), (std::vector<std::string>{"Hecht", "Wels"}));
}

TEST(SpeciesColorsTest, MarkersAreBlueWithoutAReadableColourAndKeysIgnoreCase) {
    test::EntryFolder folder;
    IniFile settings(folder / "Zelvorin.ini");
    settings.WriteString("KarteFarbe", "Hecht", "#10C020");
    settings.WriteString("KarteFarbe", "Barsch", "clred");
    settings.WriteString("KarteFarbe", "Wels", "");
    settings.WriteString("KarteFarbe", "Aal", "grünlich");
    const SpeciesColors colors(settings);
    EXPECT_EQ(colors.Marker("hecht"), (MapColor{0x10, 0xC0, 0x20}));
    EXPECT_EQ(colors.Marker("Barsch"), (MapColor{0xFF, 0, 0}));
    for (const char* species : {"Wels", "Aal", "Zander"}) {
        EXPECT_EQ(colors.Marker(species), kMarkerBlue) << species;
    }
    EXPECT_EQ(colors.Text("Aal"), "grünlich");
}

TEST(MapMarkersTest, PositionsAreTwoWholeNumbersSeparatedByTheFirstComma) {
    int x = 0;
    int y = 0;
    ParseMapPosition("312,145", x, y);
    EXPECT_EQ(x, 312);
    EXPECT_EQ(y, 145);
    const struct {
        const char* text;
        const char* message;
    } bad[] = {
        {"312", "'' ist kein gültiger Integerwert"},
        {"1,2,3", "'2,3' ist kein gültiger Integerwert"},
        {"1,5;2", "'5;2' ist kein gültiger Integerwert"},
        {"12.5,3", "'12.5' ist kein gültiger Integerwert"},
    };
    for (const auto& c : bad) {
        try {
            ParseMapPosition(c.text, x, y);
            ADD_FAILURE() << c.text;
        } catch (const std::exception& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
}

TEST(MapMarkersTest, OnlyCatchesOfTheWaterWrittenExactlyAreMarkedUntilABadPosition) {
    const auto db = Catches({
        {{"Gewaesser", "See"}, {"Kartenpos", "10,20"}, {"Fischart", "Hecht"}},
        {{"Gewaesser", "see"}, {"Kartenpos", "30,40"}},
        {{"Gewaesser", "Fluss"}, {"Kartenpos", "50,60"}},
        {{"Gewaesser", "See"}, {"Kartenpos", ""}},
        {{"Gewaesser", "See"}, {"Kartenpos", "0,7"}, {"Fischart", "Aal"}},
        {{"Gewaesser", "See"}, {"Kartenpos", "x,9"}},
        {{"Gewaesser", "See"}, {"Kartenpos", "70,80"}},
    });
    const MapMarking marking = CollectMapMarkers(*db, "See");
    ASSERT_EQ(marking.markers.size(), 2u);
    EXPECT_EQ(marking.markers[0].row, 1);
    EXPECT_EQ(marking.markers[0].species, "Hecht");
    EXPECT_EQ(marking.markers[1].row, 5);
    EXPECT_EQ(marking.markers[1].x, 0);
    EXPECT_EQ(marking.markers[1].y, 7);
    EXPECT_EQ(marking.error, "'x' ist kein gültiger Integerwert");
    EXPECT_TRUE(CollectMapMarkers(*db, "Fluss").error.empty());
}

TEST(MapMarkersTest, SquaresAreFilledInTheSpeciesColourAndCutAtTheEdges) {
    RgbImage picture;
    picture.width = 20;
    picture.height = 12;
    picture.pixels.assign(std::size_t(picture.width) * picture.height * 3, 255);
    test::EntryFolder folder;
    IniFile settings(folder / "Zelvorin.ini");
    settings.WriteString("KarteFarbe", "Hecht", "#102030");
    const std::vector<MapMarker> markers = {
        {1, 6, 3, "Hecht"}, {2, 0, 0, "Zander"}, {3, 17, 9, "Hecht"}, {4, 2147483647, 1, "Aal"}};
    DrawMarkers(picture, markers, SpeciesColors(settings));
    const auto at = [&](int x, int y) {
        const std::uint8_t* p = &picture.pixels[(std::size_t(y) * picture.width + x) * 3];
        return MapColor{p[0], p[1], p[2]};
    };
    const MapColor white{255, 255, 255};
    const MapColor hecht{0x10, 0x20, 0x30};
    EXPECT_EQ(at(6, 3), hecht);
    EXPECT_EQ(at(10, 7), hecht);
    EXPECT_EQ(at(11, 7), white);
    EXPECT_EQ(at(10, 8), white);
    EXPECT_EQ(at(5, 3), white);
    EXPECT_EQ(at(0, 0), kMarkerBlue); // a marker at 0 is drawn
    EXPECT_EQ(at(4, 4), kMarkerBlue);
    EXPECT_EQ(at(19, 11), hecht); // cut at the right and bottom edge
    EXPECT_EQ(at(19, 1), white);  // far outside: nothing, and no wrap-around
}

TEST(MapMarkersTest, TheHintBelongsToTheHighestRowUnderTheMouseAndNeverToAnEdgeMarker) {
    const std::vector<MapMarker> markers = {
        {2, 10, 10, "Hecht"}, {5, 12, 12, "Barsch"}, {7, 0, 30, "Aal"}, {8, 40, 0, "Wels"}};
    const struct {
        int x;
        int y;
        int row; // 0: no marker
    } cases[] = {
        {10, 10, 2}, {14, 14, 5}, {12, 12, 5}, {11, 11, 2}, {15, 10, 0}, {9, 10, 0},
        {16, 16, 5}, {17, 12, 0}, {0, 30, 0},  {2, 32, 0},  {40, 0, 0},
    };
    for (const auto& c : cases) {
        const MapMarker* marker = MarkerAt(markers, c.x, c.y);
        EXPECT_EQ(marker ? marker->row : 0, c.row) << c.x << "," << c.y;
    }
    const auto db = Catches({{{"Fischart", "Hecht"}, {"Laenge", "80"}, {"Gewicht", "3886"}}});
    EXPECT_EQ(MarkerHint(*db, 1), "Hecht, 80 cm 3886 g");
}

} // namespace
} // namespace zv
