#include "catchlog/CatchEntry.h"

#include "EntryTestSupport.h"
#include "base/AtomicFile.h"
#include "base/GermanText.h"
#include "calendar/AstroDayTexts.h"
#include "calendar/TSRCalendar.h"
#include "storage/Schemas.h"
#include "storage/TMlbc.h"
#include "storage/ValueList.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace zv {
namespace {

std::string JoinFields(const std::vector<std::string>& fields) {
    std::string line;
    for (const std::string& field : fields) {
        line += (line.empty() ? "" : ";") + field;
    }
    return line + "\r\n";
}

std::string GetHeader(const std::filesystem::path& path) {
    const std::string bytes = test::GetBytes(path);
    return bytes.substr(0, bytes.find('\n') + 1);
}

std::string GetBytes(const std::filesystem::path& path) {
    return test::GetBytes(path);
}

// The entry window gives the calculator the picker's date at 00:00.
AstroDayTexts AstroOf(TDateTime day) {
    TSRCalendar calendar(std::floor(day));
    return DayTexts(calendar);
}

CatchEntry SampleCatch() {
    CatchEntry e;
    e.fangdatum = EncodeDate(2007, 6, 5) + EncodeTime(18, 42, 7);
    e.fangzeit = EncodeDate(2007, 6, 5) + EncodeTime(18, 42, 7);
    e.angelbeginn = EncodeDate(2007, 6, 5) + EncodeTime(16, 5, 7);
    e.angelende = EncodeDate(2007, 6, 5) + EncodeTime(21, 0, 7);
    e.faenger = "Jens";
    e.fischart = "Hecht";
    e.laenge = "80";
    e.gewicht = "3886";
    e.fangmethode = "Spinnfischen";
    e.geschwindigkeit = "2,50";
    e.distanz = " 12 ";
    e.tiefe = "";
    e.koeder = "Wobbler";
    e.koederFarbe = "rot";
    e.koederLaenge = "12";
    e.koedertyp = "Hardbait";
    e.koederverhalten = "sinkend";
    e.gewaesser = "Rhein";
    e.stelle = "Buhne 4";
    e.gpsLat = "47°12.1234N";
    e.gpsLong = "7°30.0000E";
    e.kartenpos = "120,80";
    e.wetter = "sonnig";
    e.lufttemp = "21";
    e.wassertemp = "15";
    e.luftdruck = "1013";
    e.windrichtung = "West";
    e.windstaerke = "Sturm";
    e.wasserstand = "normal";
    e.wassertruebung = "klar";
    e.bilder = "a_0.jpg";
    e.kommentar = " Im Kraut ";
    e.zurueckgesetzt = true;
    return e;
}

TEST(CatchCells, AllFieldsInSaveOrderAndFormat) {
    const CatchEntry entry = SampleCatch();
    const AstroDayTexts astro = AstroOf(EncodeDate(2007, 6, 5));
    const CellAssignments cells = BuildCatchCells(entry, astro);
    ASSERT_TRUE(cells.ok()) << cells.error;
    std::vector<std::string> order;
    for (const auto& cell : cells.cells) {
        order.push_back(cell.first);
    }
    // The empty depth box writes no cell; the other 37 fields in save order.
    EXPECT_EQ(
        order,
        (std::vector<std::string>{
            "Fangdatum",     "Angelbeginn",   "Angelende",     "Fangzeit",        "Faenger",
            "Fischart",      "Laenge",        "Gewicht",       "Fangmethode",     "Geschwindigkeit",
            "Distanz",       "Koeder",        "Koedertyp",     "KoederFarbe",     "KoederLaenge",
            "Gewaesser",     "Stelle",        "GPSLat",        "GPSLong",         "Koederverhalten",
            "Kartenpos",     "Wetter",        "Lufttemp",      "Wassertemp",      "Luftdruck",
            "Windrichtung",  "Windstaerke",   "Wasserstand",   "Wassertruebung",  "Bilder",
            "Kommentar",     "Mondphase",     "Sonnenaufgang", "Sonnenuntergang", "Mondaufgang",
            "Monduntergang", "zurueckgesetzt"}));
    EXPECT_EQ(*cells.Find("Fangdatum"), "05.06.2007");
    EXPECT_EQ(*cells.Find("Fangzeit"), "18:42:07");
    EXPECT_EQ(*cells.Find("Angelbeginn"), "16:05:07");
    EXPECT_EQ(*cells.Find("Geschwindigkeit"), "2,5");
    EXPECT_EQ(*cells.Find("Distanz"), "12");
    EXPECT_EQ(*cells.Find("Kommentar"), " Im Kraut "); // texts as typed
    EXPECT_EQ(*cells.Find("Mondphase"), astro.moonPhase);
    EXPECT_EQ(*cells.Find("Sonnenaufgang"), astro.sunrise);
    EXPECT_EQ(*cells.Find("zurueckgesetzt"), "-1");
    EXPECT_EQ(cells.Find("Tiefe"), nullptr);
}

TEST(CatchCells, ABadNumberOrUnstorableTextGivesOnlyAMessage) {
    CatchEntry entry = SampleCatch();
    entry.tiefe = "3.5";
    CellAssignments cells = BuildCatchCells(entry, AstroDayTexts{});
    EXPECT_EQ(cells.error, "'3.5' ist kein gültiger Gleitkommawert");
    EXPECT_TRUE(cells.cells.empty());

    entry = SampleCatch();
    entry.kommentar = "Fisch \xE2\x9C\x93"; // a check mark
    cells = BuildCatchCells(entry, AstroDayTexts{});
    EXPECT_FALSE(cells.ok());
    EXPECT_NE(cells.error.find("\xE2\x9C\x93"), std::string::npos);
    EXPECT_TRUE(cells.cells.empty());

    entry.fischart = "Karpfen\xE2\x80\x94"; // em dash: Windows-1252 has it
    entry.kommentar = "";
    EXPECT_TRUE(BuildCatchCells(entry, AstroDayTexts{}).ok());
}

TEST(CatchCells, FishingDayFields) {
    const CatchEntry entry = SampleCatch();
    const AstroDayTexts astro = AstroOf(EncodeDate(2007, 6, 5));
    const CellAssignments cells = BuildFishingDayCells(entry, astro);
    ASSERT_TRUE(cells.ok());
    std::vector<std::string> order;
    for (const auto& cell : cells.cells) {
        order.push_back(cell.first);
    }
    EXPECT_EQ(order,
              (std::vector<std::string>{
                  "Datum",       "Angelbeginn",  "Angelende",   "Gewaesser",     "Stelle",
                  "GPSLat",      "GPSLong",      "Wetter",      "Lufttemp",      "Wassertemp",
                  "Luftdruck",   "Windrichtung", "Windstaerke", "Wasserstand",   "Wassertruebung",
                  "Bilder",      "Kommentar",    "Mondphase",   "Sonnenaufgang", "Sonnenuntergang",
                  "Mondaufgang", "Monduntergang"}));
    EXPECT_EQ(*cells.Find("Datum"), "05.06.2007");
    EXPECT_EQ(*cells.Find("Monduntergang"), astro.moonset);
}

TEST(EntryTexts, WindScaleAndHelp) {
    EXPECT_STREQ(WindScale()[0], "Windstill");
    EXPECT_STREQ(WindScale()[4], "Mäßige Brise");
    EXPECT_STREQ(WindScale()[12], "Orkan");
    const std::string help = WindScaleHelpText();
    EXPECT_EQ(help.rfind("Windstill                  : Windstärke 0  <1 km/h -> Kein Wind\r"
                         "Leiser Zug               : Windstärke 1  1-5 km/h -> Windbewegung",
                         0),
              0u);
    EXPECT_EQ(help.find('\n'), std::string::npos);
    // Each help line names its force as the wind strength list does.
    std::size_t line = 0;
    for (const char* name : WindScale()) {
        EXPECT_EQ(LowerAZ(help.substr(line, std::strlen(name))), LowerAZ(name));
        line = help.find('\r', line) + 1;
    }
    EXPECT_EQ(help.substr(help.rfind('\r') + 1),
              "Orkan                     : Windstärke 12  >117 km/h -> Verwüstungen");
    EXPECT_EQ(GpsHelpText().rfind("Eingabeformat:\r\ndd°mm.mmmmR \r\ndd = Grad z.B. 47\r\n", 0),
              0u);
    const std::string example = "\r\n\r\nBeispiel für die Eingabe:\r\n47°12.1234N";
    EXPECT_EQ(GpsHelpText().substr(GpsHelpText().size() - example.size()), example);
}

TEST(EntryTexts, ExtendItemsIgnoresCaseAndEmptyText) {
    std::vector<std::string> items = {"Hecht", "Zander"};
    EXPECT_FALSE(ExtendItems(items, "hecht"));
    EXPECT_FALSE(ExtendItems(items, ""));
    EXPECT_TRUE(ExtendItems(items, "Barsch"));
    EXPECT_EQ(items, (std::vector<std::string>{"Hecht", "Zander", "Barsch"}));
    EXPECT_TRUE(ExtendItems(items, "Äsche"));
    EXPECT_TRUE(ExtendItems(items, "Asche")); // the umlaut makes a different species
}

class StoreTest : public ::testing::Test {
protected:
    // The catch save's lists as the window would hand them over.
    std::vector<ValueListEdit> CatchLists(const CatchEntry& e) {
        items_.assign(CatchValueLists().size(), {});
        const std::string texts[] = {e.fischart,       e.faenger,      e.koeder,      e.gewaesser,
                                     e.stelle,         e.wetter,       e.fangmethode, e.wasserstand,
                                     e.wassertruebung, e.windrichtung, e.windstaerke, e.koedertyp,
                                     e.koederFarbe};
        std::vector<ValueListEdit> lists;
        for (std::size_t i = 0; i < CatchValueLists().size(); ++i) {
            items_[i] = ReadValueList(folder_.Path(), CatchValueLists()[i]);
            lists.push_back({CatchValueLists()[i], &items_[i], texts[i]});
        }
        return lists;
    }

    StoreOutcome Add(const CatchEntry& e) {
        auto lists = CatchLists(e);
        return StoreCatch(ws_, EntryMode::Add, 0, BuildCatchCells(e, AstroOf(e.fangdatum)), lists);
    }

    test::EntryFolder folder_;
    Workspace ws_{folder_.Path()};
    std::vector<std::vector<std::string>> items_;
};

TEST_F(StoreTest, FirstCatchAndFirstDayCreateTheirDatabasesOnce) {
    const StoreOutcome first = Add(SampleCatch());
    ASSERT_TRUE(first.ok) << first.error;
    EXPECT_EQ(first.databaseMessage,
              "Es wurde automatisch eine Zelvorin Datenbank angelegt. \r\nDiese kann jederzeit "
              "unter dem Menüpunkt \"Datei\" \"Datenbank\" verändert werden.");
    const std::filesystem::path catchFile = folder_ / "Datenbank.f";
    EXPECT_EQ(ws_.CatchPath(), PathToUtf8(catchFile));
    EXPECT_EQ(ws_.Settings().ReadString("Datenbank", "Zelvorin"), PathToUtf8(catchFile));
    EXPECT_EQ(GetHeader(catchFile), JoinFields(CatchFields()));

    const StoreOutcome second = Add(SampleCatch());
    EXPECT_TRUE(second.databaseMessage.empty());
    EXPECT_EQ(ws_.DB().RowCount(), 2);
    EXPECT_EQ(second.row, 2);

    std::vector<ValueListEdit> dayLists;
    const StoreOutcome day = StoreFishingDay(
        ws_, BuildFishingDayCells(SampleCatch(), AstroOf(SampleCatch().fangdatum)), dayLists);
    ASSERT_TRUE(day.ok) << day.error;
    EXPECT_EQ(day.databaseMessage,
              "Es wurde automatisch eine Kalender Datenbank angelegt. \r\nDiese kann jederzeit "
              "unter dem Menüpunkt \"Datei\" \"Datenbank\" verändert werden.");
    EXPECT_EQ(GetHeader(folder_ / "Kalender.cal"), JoinFields(CalendarFields()));
    EXPECT_EQ(GetHeader(catchFile), JoinFields(CatchFields()));
    EXPECT_EQ(ws_.Settings().ReadString("Datenbank", "Kalender"),
              PathToUtf8(folder_ / "Kalender.cal"));

    // A second day on the same date is a second row.
    const StoreOutcome again = StoreFishingDay(
        ws_, BuildFishingDayCells(SampleCatch(), AstroOf(SampleCatch().fangdatum)), dayLists);
    EXPECT_TRUE(again.databaseMessage.empty());
    EXPECT_EQ(ws_.cal().RowCount(), 2);
    ws_.cal().GoToRow(2);
    EXPECT_EQ(ws_.cal().GetData("Datum"), "05.06.2007");
    EXPECT_EQ(ws_.cal().GetData("Stelle"), "Buhne 4");
    EXPECT_EQ(ws_.DB().RowCount(), 2);
}

TEST_F(StoreTest, AddedRowIsStoredCellByCellAndReadsBackFromTheFile) {
    ASSERT_TRUE(Add(SampleCatch()).ok);
    TMlbc reread;
    ASSERT_TRUE(reread.LoadFromFile(ws_.CatchPath()));
    ASSERT_EQ(reread.RowCount(), 1);
    reread.GoToRow(1);
    const AstroDayTexts astro = AstroOf(EncodeDate(2007, 6, 5));
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Fangdatum", "05.06.2007"},
        {"Fangzeit", "18:42:07"},
        {"Angelbeginn", "16:05:07"},
        {"Angelende", "21:00:07"},
        {"Faenger", "Jens"},
        {"Fischart", "Hecht"},
        {"Laenge", "80"},
        {"Gewicht", "3886"},
        {"Fangmethode", "Spinnfischen"},
        {"Geschwindigkeit", "2,5"},
        {"Distanz", "12"},
        {"Tiefe", ""},
        {"Koeder", "Wobbler"},
        {"KoederFarbe", "rot"},
        {"KoederLaenge", "12"},
        {"Koedertyp", "Hardbait"},
        {"Koederverhalten", "sinkend"},
        {"Gewaesser", "Rhein"},
        {"Stelle", "Buhne 4"},
        {"GPSLat", "47°12.1234N"},
        {"GPSLong", "7°30.0000E"},
        {"Kartenpos", "120,80"},
        {"Wetter", "sonnig"},
        {"Lufttemp", "21"},
        {"Wassertemp", "15"},
        {"Luftdruck", "1013"},
        {"Windrichtung", "West"},
        {"Windstaerke", "Sturm"},
        {"Wasserstand", "normal"},
        {"Wassertruebung", "klar"},
        {"Bilder", "a_0.jpg"},
        {"Kommentar", " Im Kraut "},
        {"Mondphase", astro.moonPhase},
        {"Sonnenaufgang", astro.sunrise},
        {"Sonnenuntergang", astro.sunset},
        {"Mondaufgang", astro.moonrise},
        {"Monduntergang", astro.moonset},
        {"zurueckgesetzt", "-1"}};
    ASSERT_EQ(expected.size(), 38u);
    for (const auto& [field, value] : expected) {
        EXPECT_EQ(reread.GetData(field), value) << field;
    }
    EXPECT_FALSE(astro.sunrise.empty());
}

TEST_F(StoreTest, ValueListsGrowWithoutCaseDuplicatesAndWindScaleIsWritten) {
    CatchEntry e = SampleCatch();
    ASSERT_TRUE(Add(e).ok);
    EXPECT_EQ(ReadValueList(folder_.Path(), "Fischarten"), (std::vector<std::string>{"Hecht"}));
    e.fischart = "Zander";
    ASSERT_TRUE(Add(e).ok);
    e.fischart = "ZANDER";
    e.koederLaenge = "15";
    ASSERT_TRUE(Add(e).ok);
    EXPECT_EQ(ReadValueList(folder_.Path(), "Fischarten"),
              (std::vector<std::string>{"Hecht", "Zander"}));
    EXPECT_EQ(ReadValueList(folder_.Path(), "Faenger"), (std::vector<std::string>{"Jens"}));
    EXPECT_EQ(ReadValueList(folder_.Path(), "Windstaerke").size(), 13u);
    EXPECT_EQ(ReadValueList(folder_.Path(), "Windstaerke")[7], "Steifer Wind");
    // The bait length list is never written by a save.
    EXPECT_FALSE(std::filesystem::exists(ValueListPath(folder_.Path(), "Koederlaenge")));
    // The stored species is the text as typed.
    ws_.DB().GoToRow(3);
    EXPECT_EQ(ws_.DB().GetData("Fischart"), "ZANDER");
}

TEST_F(StoreTest, EditKeepsEmptiedNumbersAndStoresTheNewDaysAstronomy) {
    ASSERT_TRUE(Add(SampleCatch()).ok);
    ws_.DB().GoToRow(1);
    EditableCatch loaded = LoadCatchForEdit(ws_.DB());
    ASSERT_TRUE(loaded.ok()) << loaded.error;
    EXPECT_TRUE(loaded.entry.zurueckgesetzt);
    EXPECT_EQ(loaded.entry.gewicht, "3886");
    EXPECT_EQ(TimeToStr(loaded.entry.fangzeit), "18:42:07");

    CatchEntry e = loaded.entry;
    e.gewicht = "";
    e.fangdatum = EncodeDate(2007, 12, 24);
    e.fangmethode = "Schleppen";
    const AstroDayTexts christmas = AstroOf(e.fangdatum);
    auto lists = CatchLists(e);
    const StoreOutcome edited =
        StoreCatch(ws_, EntryMode::Edit, 1, BuildCatchCells(e, christmas), lists);
    ASSERT_TRUE(edited.ok) << edited.error;
    EXPECT_TRUE(edited.databaseMessage.empty());
    EXPECT_EQ(ws_.DB().RowCount(), 1);

    TMlbc reread;
    ASSERT_TRUE(reread.LoadFromFile(ws_.CatchPath()));
    reread.GoToRow(1);
    EXPECT_EQ(reread.GetData("Gewicht"), "3886");
    EXPECT_EQ(reread.GetData("Fangdatum"), "24.12.2007");
    EXPECT_EQ(reread.GetData("Sonnenaufgang"), christmas.sunrise);
    EXPECT_EQ(reread.GetData("Mondphase"), christmas.moonPhase);
    EXPECT_NE(reread.GetData("Sonnenaufgang"), AstroOf(EncodeDate(2007, 6, 5)).sunrise);
    EXPECT_EQ(reread.GetData("Kartenpos"), "120,80");
    EXPECT_EQ(reread.GetData("Koederverhalten"), "sinkend");
    // A new fishing method typed in edit mode grows its list as in add mode.
    EXPECT_EQ(ReadValueList(folder_.Path(), "Fangmethode"),
              (std::vector<std::string>{"Spinnfischen", "Schleppen"}));
}

TEST_F(StoreTest, ABadNumberChangesNothing) {
    ASSERT_TRUE(Add(SampleCatch()).ok);
    const std::string before = GetBytes(folder_ / "Datenbank.f");
    const auto listBefore = ReadValueList(folder_.Path(), "Fischarten");

    CatchEntry e = SampleCatch();
    e.fischart = "Wels";
    e.tiefe = "tief";
    const StoreOutcome add = Add(e);
    EXPECT_FALSE(add.ok);
    EXPECT_EQ(add.error, "'tief' ist kein gültiger Gleitkommawert");
    auto lists = CatchLists(e);
    const StoreOutcome edit =
        StoreCatch(ws_, EntryMode::Edit, 1, BuildCatchCells(e, AstroDayTexts{}), lists);
    EXPECT_FALSE(edit.ok);
    EXPECT_EQ(ws_.DB().RowCount(), 1);
    ws_.DB().GoToRow(1);
    EXPECT_EQ(ws_.DB().GetData("Fischart"), "Hecht");
    EXPECT_EQ(GetBytes(folder_ / "Datenbank.f"), before);
    EXPECT_EQ(ReadValueList(folder_.Path(), "Fischarten"), listBefore);
}

TEST_F(StoreTest, ABadNumberBeforeAnyDatabaseCreatesNone) {
    CatchEntry e = SampleCatch();
    e.laenge = "x";
    EXPECT_FALSE(Add(e).ok);
    EXPECT_FALSE(std::filesystem::exists(folder_ / "Datenbank.f"));
    EXPECT_TRUE(ws_.CatchPath().empty());
}

TEST_F(StoreTest, OlderTablesGainTheFishingTimes) {
    std::vector<std::string> older;
    for (const std::string& field : CatchFields()) {
        if (field != "Angelbeginn" && field != "Angelende") {
            older.push_back(field);
        }
    }
    ASSERT_TRUE(MakeEmptyTable(older)->SaveToFile(PathToUtf8(folder_ / "Alt.f")));
    ASSERT_TRUE(ws_.LoadDatabase(DatabaseKind::Catch, PathToUtf8(folder_ / "Alt.f")).ok);
    ASSERT_TRUE(Add(SampleCatch()).ok);
    EXPECT_EQ(ws_.DB().FieldCount(), 38);
    EXPECT_EQ(ws_.DB().FieldName(37), "Angelbeginn");
    EXPECT_EQ(ws_.DB().FieldName(38), "Angelende");
    EXPECT_EQ(ws_.DB().GetData("Angelende"), "21:00:07");
    EXPECT_FALSE(std::filesystem::exists(folder_ / "Datenbank.f"));
}

TEST_F(StoreTest, EditOfAMissingRowIsRefused) {
    ASSERT_TRUE(Add(SampleCatch()).ok);
    auto lists = CatchLists(SampleCatch());
    const StoreOutcome edit =
        StoreCatch(ws_, EntryMode::Edit, 5, BuildCatchCells(SampleCatch(), AstroDayTexts{}), lists);
    EXPECT_FALSE(edit.ok);
    EXPECT_EQ(ws_.DB().RowCount(), 1);
}

TEST(EditLoad, OlderRowsAndConversionFailures) {
    std::unique_ptr<TMlbc> table = MakeEmptyTable(CatchFields());
    table->AppendRow();
    table->SetData("Fangdatum", "05.06.2007");
    table->SetData("Fangzeit", "18:42:07");
    table->SetData("zurueckgesetzt", "");
    EditableCatch loaded = LoadCatchForEdit(*table);
    ASSERT_TRUE(loaded.ok()) << loaded.error;
    EXPECT_FALSE(loaded.entry.zurueckgesetzt); // empty reads as not released
    EXPECT_FALSE(loaded.hasAngelbeginn);
    EXPECT_FALSE(loaded.hasAngelende);
    EXPECT_EQ(DateToStr(loaded.entry.fangdatum), "05.06.2007");

    table->SetData("Angelbeginn", "06:30:00");
    table->SetData("zurueckgesetzt", "1");
    loaded = LoadCatchForEdit(*table);
    EXPECT_TRUE(loaded.hasAngelbeginn);
    EXPECT_EQ(TimeToStr(loaded.entry.angelbeginn), "06:30:00");
    EXPECT_TRUE(loaded.entry.zurueckgesetzt);

    table->SetData("zurueckgesetzt", "ja");
    EXPECT_EQ(LoadCatchForEdit(*table).error, "'ja' ist kein gültiger boolescher Wert");
    table->SetData("zurueckgesetzt", "0");
    table->SetData("Fangdatum", "31.02.2007");
    EXPECT_EQ(LoadCatchForEdit(*table).error, "'31.02.2007' ist kein gültiges Datum");
}

} // namespace
} // namespace zv
