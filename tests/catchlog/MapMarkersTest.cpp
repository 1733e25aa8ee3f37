// Colours, species colours and catch markers of the map.

#include "catchlog/MapMarkers.h"
#include "catchlog/MapColor.h"
#include "catchlog/SpeciesColors.h"

#include "EntryTestSupport.h"
#include "base/RandomSource.h"
#include "storage/IniFile.h"
#include "storage/ValueList.h"

#include <gtest/gtest.h>

#include <optional>

namespace zv {
namespace {

// Counts up from 10, so each colour component is known.
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
        {"CLRED", MapColor{0xFF, 0, 0}},
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
}

TEST(SpeciesColorsTest, RandomColoursAreWrittenOnceForTheListOrTheDefaultSpecies) {
    CountingRandom random;
    {
        test::EntryFolder folder;
        IniFile settings(folder / "Zelvorin.ini");
        EXPECT_EQ(EnsureSpeciesColors(folder.Path(), settings, random), "");
        const auto written = settings.ReadSectionValues("KarteFarbe");
        ASSERT_EQ(written.size(), 27u);
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
    const std::pair<const char*, const char*> stored[] = {
        {"Hecht", "#10C020"}, {"Barsch", "clred"}, {"Wels", ""}, {"Aal", "grünlich"}};
    for (const auto& [species, text] : stored) {
        settings.WriteString("KarteFarbe", species, text);
    }
    const SpeciesColors colors(settings);
    EXPECT_EQ(colors.Marker("hecht"), (MapColor{0x10, 0xC0, 0x20}));
    EXPECT_EQ(colors.Marker("Barsch"), (MapColor{0xFF, 0, 0}));
    for (const char* species : {"Wels", "Aal", "Zander"}) {
        EXPECT_EQ(colors.Marker(species), kMarkerBlue) << species;
    }
    EXPECT_EQ(colors.Text("Aal"), "grünlich");
}

TEST(MapMarkersTest, PositionsAreTwoWholeNumbersAtTheFirstComma) {
    const struct {
        const char* position;
        const char* marker; // "x,y", or the error
    } cases[] = {
        {"312,145", "312,145"},
        {"312", "'' ist kein gültiger Integerwert"},
        {"1,2,3", "'2,3' ist kein gültiger Integerwert"},
        {"12.5,3", "'12.5' ist kein gültiger Integerwert"},
    };
    for (const auto& c : cases) {
        const auto db = test::CatchTable({{{"Gewaesser", "See"}, {"Kartenpos", c.position}}});
        const MapMarking marking = CollectMapMarkers(*db, "See");
        EXPECT_EQ(marking.markers.empty() ? marking.error
                                          : std::to_string(marking.markers[0].x) + "," +
                                                std::to_string(marking.markers[0].y),
                  c.marker);
    }
}

TEST(MapMarkersTest, OnlyCatchesOfTheWaterWrittenExactlyAreMarkedUntilABadPosition) {
    const auto db = test::CatchTable({
        {{"Gewaesser", "See"}, {"Kartenpos", "10,20"}, {"Fischart", "Hecht"}},
        {{"Gewaesser", "see"}, {"Kartenpos", "30,40"}},
        {{"Gewaesser", "Fluss"}, {"Kartenpos", "50,60"}},
        {{"Gewaesser", "See"}, {"Kartenpos", ""}},
        {{"Gewaesser", "See"}, {"Kartenpos", "0,7"}, {"Fischart", "Aal"}},
        {{"Gewaesser", "See"}, {"Kartenpos", "x,9"}},
        {{"Gewaesser", "See"}, {"Kartenpos", "70,80"}},
    });
    const MapMarking marking = CollectMapMarkers(*db, "See");
    std::vector<std::string> markers;
    for (const MapMarker& m : marking.markers) {
        markers.push_back(std::to_string(m.row) + ":" + m.species);
    }
    EXPECT_EQ(markers, (std::vector<std::string>{"1:Hecht", "5:Aal"}));
    EXPECT_EQ(marking.error, "'x' ist kein gültiger Integerwert");
    EXPECT_EQ(CollectMapMarkers(*db, "Fluss").error, ""); // other waters' positions are not read
}

TEST(MapMarkersTest, SquaresAreFilledInTheSpeciesColourAndCutAtTheEdges) {
    RgbImage picture;
    picture.width = 20;
    picture.height = 12;
    picture.pixels.assign(std::size_t(picture.width) * picture.height * 3, 255);
    test::EntryFolder folder;
    IniFile settings(folder / "Zelvorin.ini");
    settings.WriteString("KarteFarbe", "Hecht", "#102030");
    DrawMarkers(
        picture,
        {{1, 6, 3, "Hecht"}, {2, 0, 0, "Zander"}, {3, 17, 9, "Hecht"}, {4, 2147483647, 1, "Aal"}},
        SpeciesColors(settings));
    const MapColor white{255, 255, 255};
    const MapColor hecht{0x10, 0x20, 0x30};
    // The Hecht's square and its neighbours; the marker at 0 drawn; the
    // squares cut at the right and bottom edges; far outside nothing, and
    // no wrap-around.
    const struct {
        int x, y;
        MapColor color;
    } cases[] = {{6, 3, hecht},       {10, 7, hecht},  {11, 7, white},
                 {10, 8, white},      {5, 3, white},   {0, 0, kMarkerBlue},
                 {4, 4, kMarkerBlue}, {19, 11, hecht}, {19, 1, white}};
    for (const auto& c : cases) {
        const std::uint8_t* p = &picture.pixels[(std::size_t(c.y) * picture.width + c.x) * 3];
        EXPECT_EQ((MapColor{p[0], p[1], p[2]}), c.color) << c.x << "," << c.y;
    }
}

TEST(MapMarkersTest, TheHintBelongsToTheHighestRowUnderTheMouseAndNeverToAnEdgeMarker) {
    const std::vector<MapMarker> markers = {
        {2, 10, 10, "Hecht"}, {5, 12, 12, "Barsch"}, {7, 0, 30, "Aal"}, {8, 40, 0, "Wels"}};
    const struct {
        int x, y;
        int row; // 0: no marker
    } cases[] = {
        {10, 10, 2}, {14, 14, 5}, {12, 12, 5}, {11, 11, 2}, {15, 10, 0},
        {9, 10, 0},  {16, 16, 5}, {17, 12, 0}, {2, 32, 0},  {40, 0, 0},
    };
    for (const auto& c : cases) {
        const MapMarker* marker = MarkerAt(markers, c.x, c.y);
        EXPECT_EQ(marker ? marker->row : 0, c.row) << c.x << "," << c.y;
    }
    const auto db =
        test::CatchTable({{{"Fischart", "Hecht"}, {"Laenge", "80"}, {"Gewicht", "3886"}}});
    EXPECT_EQ(MarkerHint(*db, 1), "Hecht, 80 cm 3886 g");
}

} // namespace
} // namespace zv
