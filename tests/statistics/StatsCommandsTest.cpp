// The command-line output of the statistics over a program folder.

#include "StatisticsFixture.h"

#include "cli/StatsCommands.h"

#include <fstream>
#include <sstream>

namespace zv::test {
namespace {

class StatsCommands : public StatisticsFixture {
protected:
    // Saves the catch table into the program folder and names it in the settings.
    void SaveFolder() {
        const std::string path = (folder_ / "Fang.f").string();
        ASSERT_TRUE(db_.SaveToFile(path));
        std::ofstream ini(folder_ / "Zelvorin.ini", std::ios::binary);
        ini << "[Datenbank]\r\nZelvorin=" << path << "\r\n";
    }

    int Run(bool recommend, const std::vector<std::string>& args) {
        out_.str({});
        err_.str({});
        return recommend ? cli::RunRecommendCommand(args, out_, err_)
                         : cli::RunStatsCommand(args, out_, err_);
    }

    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(StatsCommands, SpeciesPrintsTotalsRecordAndTallies) {
    WriteList("Koeder", {"Wobbler", "Gufi"});
    AddCatch({{"Fangdatum", "02.06.2007"},
              {"Fangzeit", "06:40:00"},
              {"Faenger", "Max"},
              {"Fischart", "Hecht"},
              {"Laenge", "82"},
              {"Gewicht", "4350"},
              {"Koeder", "wobbler"},
              {"Mondphase", "Vollmond"}});
    AddCatch({{"Fangdatum", "03.06.2006"},
              {"Fangzeit", "23:59:00"},
              {"Faenger", "Eva"},
              {"Fischart", "Hecht"},
              {"Koeder", "Gufi"}});
    SaveFolder();

    ASSERT_EQ(Run(false, {"species", folder_.string(), "--fischart", "Hecht"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "count;2\n"
                          "laenge;41,00\n"
                          "gewicht;2175,00\n"
                          "rekord;Hecht | Länge: 82,00 cm | Gewicht: 4350,00 g | "
                          "Samstag, 02.06.2007 | um 06:40:00 Uhr | mit wobbler\n"
                          "[koeder]\nWobbler;1\nGufi;1\n"
                          "[wetter]\n[gewaesser]\n"
                          "[mond]\nVollmond;1\n"
                          "[monat]\nJuni;2\n"
                          "[zeit]\n6-7 Uhr;1\n23-0 Uhr;1\n");

    ASSERT_EQ(Run(false, {"bait", folder_.string(), "--faenger", "Eva", "--jahr", "2007"}), 0);
    const std::string empty = "count;0\nlaenge;0\ngewicht;0\nrekord;\n[koeder]\n[farbe]\n";
    EXPECT_EQ(out_.str().substr(0, empty.size()), empty);
}

TEST_F(StatsCommands, WeatherAndRecommendPrintTheirLines) {
    WriteList("Fischarten", {"Hecht"});
    AddCatch({{"Fangdatum", "10.05.2007"},
              {"Fangzeit", "07:15"},
              {"Fischart", "Hecht"},
              {"Lufttemp", "12"},
              {"Luftdruck", "1013"}});
    SaveFolder();

    ASSERT_EQ(Run(false, {"weather", folder_.string()}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "[lufttemp]\n12;1\n[wassertemp]\n[luftdruck]\n1013;1\n"
                          "[windstaerke]\n[windrichtung]\n[truebung]\n[wasserstand]\n");

    ASSERT_EQ(Run(true, {folder_.string()}), 0) << err_.str();
    std::istringstream lines(out_.str());
    std::vector<std::string> rows;
    for (std::string line; std::getline(lines, line);) {
        rows.push_back(line);
    }
    ASSERT_EQ(rows.size(), 12u);
    EXPECT_EQ(rows[0], "Januar;;;;;;");
    EXPECT_EQ(rows[4], "Mai;Hecht;7 Uhr;;schwimmend;;");
}

TEST_F(StatsCommands, AConversionErrorPrintsOnlyItsMessage) {
    AddCatch({{"Gewicht", "schwer"}});
    SaveFolder();
    EXPECT_EQ(Run(false, {"species", folder_.string()}), 1);
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(err_.str(), "'schwer' ist kein gültiger Gleitkommawert\n");
}

TEST_F(StatsCommands, ANamedCatchDatabaseThatIsMissingIsAnError) {
    AddCatch({{"Gewicht", "1200"}});
    SaveFolder();
    std::filesystem::rename(folder_ / "Fang.f", folder_ / "Fang-alt.f");
    EXPECT_EQ(Run(false, {"species", folder_.string()}), 1);
    EXPECT_EQ(out_.str(), "");
    EXPECT_NE(err_.str().find("Fang.f\" existiert nicht."), std::string::npos) << err_.str();
    EXPECT_EQ(Run(true, {folder_.string()}), 1);
    EXPECT_EQ(out_.str(), "");

    // A folder that names no catch database still counts an empty table.
    std::filesystem::remove(folder_ / "Zelvorin.ini");
    EXPECT_EQ(Run(false, {"species", folder_.string()}), 0) << err_.str();
    EXPECT_EQ(out_.str().substr(0, 8), "count;0\n");
}

TEST_F(StatsCommands, WrongUsageIsRefused) {
    EXPECT_EQ(Run(false, {"species"}), 2);
    EXPECT_EQ(Run(false, {"fish", folder_.string()}), 2);
    EXPECT_EQ(Run(false, {"species", folder_.string(), "--koeder", "Gufi"}), 2);
    EXPECT_EQ(Run(false, {"bait", folder_.string(), "--jahr"}), 2);
    EXPECT_EQ(Run(false, {"bait", folder_.string(), "--jahr", "zwei"}), 2);
    EXPECT_EQ(err_.str(), "'zwei' ist kein gültiger Integerwert\n");
    EXPECT_EQ(Run(true, {}), 2);
    EXPECT_EQ(Run(false, {"species", (folder_ / "fehlt").string()}), 1);
}

} // namespace
} // namespace zv::test
