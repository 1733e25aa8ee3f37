// zelvorin-cli search and map over a program folder.

#include "cli/CatchlogCommands.h"

#include "EntryTestSupport.h"
#include "base/AtomicFile.h"
#include "storage/IniFile.h"
#include "storage/Schemas.h"
#include "storage/TMlbc.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#include <stb/stb_image.h>

namespace zv {
namespace {

using Row = std::map<std::string, std::string>;

class CatchlogCommandsTest : public ::testing::Test {
protected:
    void WriteCatches(const std::vector<Row>& rows) {
        auto table = MakeEmptyTable(CatchFields());
        for (const Row& row : rows) {
            table->AppendRow();
            for (const auto& [field, value] : row) {
                table->SetData(field, value);
            }
        }
        const std::string path = PathToUtf8(folder_ / "Fang.f");
        ASSERT_TRUE(table->SaveToFile(path));
        settings_.WriteString("Datenbank", "Zelvorin", path);
    }

    int Run(bool map, const std::vector<std::string>& args) {
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
    EXPECT_EQ(Run(false, {PathToUtf8(folder_.Path()), "hecht"}), 0);
    EXPECT_EQ(out_.str(), "1;05.06.2007;Jan;Hecht;80,5;3886\n3;01.01.2008;Eva;;;\n");
    EXPECT_EQ(Run(false, {PathToUtf8(folder_.Path()), "äsche"}), 0);
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(Run(false, {PathToUtf8(folder_.Path())}), 2);
    settings_.WriteString("Datenbank", "Zelvorin", PathToUtf8(folder_ / "weg.f"));
    EXPECT_EQ(Run(false, {PathToUtf8(folder_.Path()), "hecht"}), 1);
    EXPECT_NE(err_.str().find("weg.f"), std::string::npos);
}

TEST_F(CatchlogCommandsTest, MapWritesThePictureWithTheMarkersOfTheWater) {
    WriteCatches({{{"Gewaesser", "See"}, {"Fischart", "Hecht"}, {"Kartenpos", "2,3"}},
                  {{"Gewaesser", "See"}, {"Fischart", "Wels"}, {"Kartenpos", "20,3"}},
                  {{"Gewaesser", "Fluss"}, {"Fischart", "Hecht"}, {"Kartenpos", "2,10"}}});
    RgbImage white;
    white.width = 40;
    white.height = 20;
    white.pixels.assign(40 * 20 * 3, 255);
    std::string jpeg;
    std::string error;
    ASSERT_TRUE(EncodeJpeg(white, 95, jpeg, error));
    test::PutBytes(folder_ / "karte_see.jpg", jpeg);
    settings_.WriteString("Karte", "See", PathToUtf8(folder_ / "karte_see.jpg"));
    settings_.WriteString("KarteFarbe", "Hecht", "#00C000");
    const std::filesystem::path png = folder_ / "out.png";

    ASSERT_EQ(Run(true, {PathToUtf8(folder_.Path()), "See", PathToUtf8(png)}), 0) << err_.str();
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
    EXPECT_EQ(width, 40);
    EXPECT_EQ(height, 20);
    EXPECT_EQ(at(4, 5), (std::vector<int>{0, 0xC0, 0}));
    EXPECT_EQ(at(22, 5), (std::vector<int>{0, 0, 255})); // no colour: blue
    EXPECT_GT(at(4, 12)[0], 240);                        // the other water's catch is not drawn
    stbi_image_free(pixels);
}

TEST_F(CatchlogCommandsTest, MapWithoutPictureOrWithABadPositionIsAnErrorAndWritesNothing) {
    WriteCatches({{{"Gewaesser", "See"}, {"Kartenpos", "2,x"}}});
    const std::filesystem::path png = folder_ / "out.png";
    const std::vector<std::string> args = {PathToUtf8(folder_.Path()), "See", PathToUtf8(png)};
    EXPECT_EQ(Run(true, args), 1);
    EXPECT_EQ(err_.str(), "Für das Gewässer \"See\" ist keine Karte hinterlegt.\n");
    settings_.WriteString("Karte", "See", PathToUtf8(folder_ / "karte_see.jpg"));
    EXPECT_EQ(Run(true, args), 1);
    EXPECT_NE(err_.str().find("existiert nicht"), std::string::npos);
    test::PutBytes(folder_ / "karte_see.jpg", test::MakeJpeg(10, 10));
    EXPECT_EQ(Run(true, args), 1);
    EXPECT_EQ(err_.str(), "'x' ist kein gültiger Integerwert\n");
    EXPECT_FALSE(std::filesystem::exists(png));
    EXPECT_EQ(Run(true, {PathToUtf8(folder_.Path()), "See"}), 2);
}

} // namespace
} // namespace zv
