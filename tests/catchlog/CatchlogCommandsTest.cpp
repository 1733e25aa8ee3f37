// zelvorin-cli search and map over a program folder.

#include "cli/CatchlogCommands.h"

#include "EntryTestSupport.h"
#include "base/AtomicFile.h"
#include "storage/IniFile.h"

#include <gtest/gtest.h>

#include <sstream>

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#include <stb/stb_image.h>

namespace zv {
namespace {

class CatchlogCommandsTest : public ::testing::Test {
protected:
    void WriteCatches(const std::vector<std::map<std::string, std::string>>& rows) {
        const std::string path = PathToUtf8(folder_ / "Fang.f");
        ASSERT_TRUE(test::CatchTable(rows)->SaveToFile(path));
        settings_.WriteString("Datenbank", "Zelvorin", path);
    }
    // The folder goes first; the output and errors are kept.
    int Run(bool map, std::vector<std::string> args) {
        args.insert(args.begin(), PathToUtf8(folder_.Path()));
        out_.str({});
        err_.str({});
        return map ? cli::RunMapCommand(args, out_, err_) : cli::RunSearchCommand(args, out_, err_);
    }

    test::EntryFolder folder_;
    IniFile settings_{folder_ / "Zelvorin.ini"};
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(CatchlogCommandsTest, SearchPrintsOneLinePerHit) {
    WriteCatches({{{"Fangdatum", "05.06.2007"},
                   {"Faenger", "Jan"},
                   {"Fischart", "Hecht"},
                   {"Laenge", "80,5"},
                   {"Gewicht", "3886"}},
                  {{"Fischart", "Barsch"}},
                  {{"Fangdatum", "01.01.2008"}, {"Faenger", "Eva"}, {"Koeder", "Hechtblinker"}}});
    EXPECT_EQ(Run(false, {"hecht"}), 0);
    EXPECT_EQ(out_.str(), "1;05.06.2007;Jan;Hecht;80,5;3886\n3;01.01.2008;Eva;;;\n");
    EXPECT_EQ(Run(false, {}), 2);
    settings_.WriteString("Datenbank", "Zelvorin", PathToUtf8(folder_ / "weg.f"));
    EXPECT_EQ(Run(false, {"hecht"}), 1);
    EXPECT_NE(err_.str().find("weg.f"), std::string::npos);
}

TEST_F(CatchlogCommandsTest, MapWritesThePictureWithTheMarkersOfTheWater) {
    WriteCatches({{{"Gewaesser", "See"}, {"Fischart", "Hecht"}, {"Kartenpos", "2,3"}},
                  {{"Gewaesser", "See"}, {"Fischart", "Wels"}, {"Kartenpos", "20,3"}},
                  {{"Gewaesser", "Fluss"}, {"Fischart", "Hecht"}, {"Kartenpos", "2,10"}}});
    test::PutBytes(folder_ / "karte_see.jpg", test::MakeJpeg(40, 20)); // red left, blue right
    settings_.WriteString("Karte", "See", PathToUtf8(folder_ / "karte_see.jpg"));
    settings_.WriteString("KarteFarbe", "Hecht", "#00C000");
    const std::filesystem::path png = folder_ / "out.png";

    ASSERT_EQ(Run(true, {"See", PathToUtf8(png)}), 0) << err_.str();
    const std::string bytes = test::GetBytes(png);
    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_uc* pixels = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                                            int(bytes.size()), &width, &height, &channels, 3);
    ASSERT_NE(pixels, nullptr);
    const auto at = [&](int x, int y) {
        const stbi_uc* p = pixels + (y * width + x) * 3;
        return std::vector<int>{p[0], p[1], p[2]};
    };
    EXPECT_EQ(width * 100 + height, 4020);
    EXPECT_EQ(at(4, 5), (std::vector<int>{0, 0xC0, 0}));
    EXPECT_EQ(at(22, 5), (std::vector<int>{0, 0, 255})); // no colour: blue
    EXPECT_LT(at(4, 12)[1], 100);                        // the other water's catch is not drawn
    stbi_image_free(pixels);
}

TEST_F(CatchlogCommandsTest, MapWithoutPictureOrWithABadPositionIsAnErrorAndWritesNothing) {
    WriteCatches({{{"Gewaesser", "See"}, {"Kartenpos", "2,x"}}});
    const std::filesystem::path png = folder_ / "out.png";
    const struct {
        const char* stored; // the map of "See" in the settings; a file of that name exists
        bool exists;
        const char* error;
    } cases[] = {
        {"", false, "Für das Gewässer \"See\" ist keine Karte hinterlegt.\n"},
        {"karte_see.jpg", false, "existiert nicht"},
        {"karte_see.jpg", true, "'x' ist kein gültiger Integerwert\n"},
    };
    for (const auto& c : cases) {
        if (*c.stored) {
            settings_.WriteString("Karte", "See", PathToUtf8(folder_ / c.stored));
        }
        if (c.exists) {
            test::PutBytes(folder_ / c.stored, test::MakeJpeg(10, 10));
        }
        EXPECT_EQ(Run(true, {"See", PathToUtf8(png)}), 1);
        EXPECT_NE(err_.str().find(c.error), std::string::npos) << err_.str();
    }
    EXPECT_FALSE(std::filesystem::exists(png));
    EXPECT_EQ(Run(true, {"See"}), 2);
}

} // namespace
} // namespace zv
