#include "StatisticsFixture.h"

#include "storage/ValueList.h"

#include <cstdlib>
#include <string>

namespace zv::test {

namespace {

const char* const kCatchFields[] = {
    "Fangdatum",   "Fangzeit",        "Angelbeginn",   "Angelende",     "Faenger",
    "Fischart",    "Laenge",          "Gewicht",       "Fangmethode",   "Geschwindigkeit",
    "Distanz",     "Tiefe",           "Koeder",        "KoederFarbe",   "KoederLaenge",
    "Koedertyp",   "Koederverhalten", "Gewaesser",     "Stelle",        "GPSLat",
    "GPSLong",     "Kartenpos",       "Wetter",        "Lufttemp",      "Wassertemp",
    "Luftdruck",   "Windrichtung",    "Windstaerke",   "Wasserstand",   "Wassertruebung",
    "Bilder",      "Kommentar",       "Mondphase",     "Sonnenaufgang", "Sonnenuntergang",
    "Mondaufgang", "Monduntergang",   "zurueckgesetzt"};

} // namespace

void StatisticsFixture::SetUp() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "zv-statistics-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    for (const char* field : kCatchFields) {
        ASSERT_TRUE(db_.AddField(field));
    }
}

void StatisticsFixture::TearDown() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

int StatisticsFixture::AddCatch(const Cells& cells) {
    EXPECT_TRUE(db_.AppendRow());
    EXPECT_TRUE(db_.SetData("Fangdatum", "15.06.2007"));
    EXPECT_TRUE(db_.SetData("Fangzeit", "12:00:00"));
    for (const auto& [field, text] : cells) {
        EXPECT_TRUE(db_.SetData(field, text)) << field;
    }
    return db_.CurrentRow();
}

void StatisticsFixture::WriteList(const std::string& name, const std::vector<std::string>& lines) {
    std::string error;
    ASSERT_TRUE(WriteValueList(folder_, name, lines, error)) << error;
}

} // namespace zv::test
