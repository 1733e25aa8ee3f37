#include "storage/LegacyConversion.h"

#include "storage/Schemas.h"
#include "storage/TMlbc.h"

#include "DataTestSupport.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

std::string Header(const std::vector<std::string>& fields) {
    std::string line;
    for (const std::string& f : fields) {
        line += (line.empty() ? "" : ";") + f;
    }
    return line;
}

TEST(LegacyConversionTest, CatchFileLackingFieldsGetsTheFullSchema) {
    TempFolder folder;
    const auto legacy = folder / "Alt.fdb";
    WriteBytes(legacy, "Fangdatum;Uferdistanz;Bild;Bemerkungen;GPSLat;Unbekannt\r\n"
                       "05.06.2007;12,5;a.jpg,b.jpg;gro\xDF"
                       "er Fisch;47N;weg\r\n"
                       "06.06.2007;;;;;\r\n");
    const std::string original = ReadBytes(legacy);
    const std::string target = (folder / "Neu.f").string();
    std::string error;
    ASSERT_TRUE(ConvertLegacyCatchDb(legacy.string(), target, error)) << error;
    EXPECT_EQ(ReadBytes(legacy), original);

    TMlbc table;
    ASSERT_TRUE(table.LoadFromFile(target));
    ASSERT_EQ(table.FieldCount(), 38);
    for (int i = 1; i <= 38; ++i) {
        EXPECT_EQ(table.FieldName(i), CatchFields()[i - 1]);
    }
    ASSERT_EQ(table.RowCount(), 2);
    table.First();
    EXPECT_EQ(table.GetData("Fangdatum"), "05.06.2007");
    EXPECT_EQ(table.GetData("Distanz"), "12,5");
    EXPECT_EQ(table.GetData("Bilder"), "a.jpg,b.jpg");
    EXPECT_EQ(table.GetData("Kommentar"), "großer Fisch");
    // GPSLat is not taken over from old files, even when one has it.
    EXPECT_EQ(table.GetData("GPSLat"), "");
    EXPECT_EQ(table.GetData("Fischart"), "");
    EXPECT_EQ(table.FieldIndex("Unbekannt"), 0);
    table.Next();
    EXPECT_EQ(table.GetData("Fangdatum"), "06.06.2007");
}

TEST(LegacyConversionTest, RenamedCatchFieldsLandUnderTheirNewNames) {
    TempFolder folder;
    WriteBytes(folder / "a.fdb", "Fangtiefe;Karte;Lufttemperatur;Wassertemperatur;Fischart;"
                                 "zurueckgesetzt;Monduntergang\r\n"
                                 "3;120,45;18;14;Hecht;-1;23:10:00\r\n");
    std::string error;
    auto table = ConvertLegacyCatchTable((folder / "a.fdb").string(), error);
    ASSERT_TRUE(table) << error;
    table->First();
    EXPECT_EQ(table->GetData("Tiefe"), "3");
    EXPECT_EQ(table->GetData("Kartenpos"), "120,45");
    EXPECT_EQ(table->GetData("Lufttemp"), "18");
    EXPECT_EQ(table->GetData("Wassertemp"), "14");
    EXPECT_EQ(table->GetData("Fischart"), "Hecht");
    EXPECT_EQ(table->GetData("zurueckgesetzt"), "-1");
    EXPECT_EQ(table->GetData("Monduntergang"), "23:10:00");
}

TEST(LegacyConversionTest, CostShippingIsTheDifferenceInMoneyForm) {
    TempFolder folder;
    WriteBytes(folder / "k.akdb", "Kaufdatum;Geschaeft;Artikel;Menge;Einzelpreis;Gesamtpreis;"
                                  "Gesamtpreisversand\r\n"
                                  "01.03.2008;Angelladen;Haken;2;5,25;10,5;15,4\r\n"
                                  "02.03.2008;Versand;Schnur;1;3;3;\r\n"
                                  "03.03.2008;Markt;Pose;1;;;7\r\n");
    const std::string target = (folder / "k.a").string();
    std::string error;
    ASSERT_TRUE(ConvertLegacyCostDb((folder / "k.akdb").string(), target, error)) << error;
    EXPECT_EQ(ReadBytes(target),
              Header(CostFields()) + "\r\n" + "01.03.2008;Angelladen;Haken;2;5,25;10,5;4,90\r\n" +
                  "02.03.2008;Versand;Schnur;1;3;3;\r\n" + "03.03.2008;Markt;Pose;1;;;\r\n");
}

TEST(LegacyConversionTest, BadPriceStopsWithTheConversionMessageAndWritesNothing) {
    TempFolder folder;
    WriteBytes(folder / "k.akdb", "Gesamtpreis;Gesamtpreisversand\r\n10;zehn\r\n");
    WriteBytes(folder / "k.a", "vorher");
    std::string error;
    EXPECT_FALSE(
        ConvertLegacyCostDb((folder / "k.akdb").string(), (folder / "k.a").string(), error));
    EXPECT_EQ(error, "'zehn' ist kein gültiger Gleitkommawert");
    EXPECT_EQ(ReadBytes(folder / "k.a"), "vorher");
}

TEST(LegacyConversionTest, UnreadableLegacyFileIsReportedAndTargetKept) {
    TempFolder folder;
    WriteBytes(folder / "Fang.f", "Fangdatum\r\n01.01.2001\r\n");
    std::string error;
    EXPECT_FALSE(
        ConvertLegacyCatchDb((folder / "fehlt.fdb").string(), (folder / "Fang.f").string(), error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadBytes(folder / "Fang.f"), "Fangdatum\r\n01.01.2001\r\n");
}

TEST(LegacyConversionTest, AutomaticTargetsSitInTheProgramFolder) {
    const std::filesystem::path program = "/opt/Zelvorin";
    EXPECT_EQ(AutomaticCatchTarget(program, "/alt/Hecht.fdb"), "/opt/Zelvorin/Hecht.f");
    EXPECT_EQ(AutomaticCatchTarget(program, "D:\\Alt\\Hecht.fdb"), "/opt/Zelvorin/Hecht.f");
    EXPECT_EQ(AutomaticCatchTarget(program, "D:\\Alt\\a.fdb.fdb"), "/opt/Zelvorin/a.f.f");
    EXPECT_EQ(AutomaticCostTarget(program, "C:\\Kosten 2008.akdb"), "/opt/Zelvorin/Kosten 2008.a");
    EXPECT_EQ(StoredFileName("C:\\Angeln\\Fang.fdb"), "Fang.fdb");
    EXPECT_EQ(StoredFileName("Fang.fdb"), "Fang.fdb");
}

} // namespace
} // namespace zv
