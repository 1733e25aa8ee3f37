// The pie chart picture and the command that writes it.

#include "statistics/PieChart.h"
#include "cli/PieCommand.h"
#include "statistics/PiePalette.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace zv::test {
namespace {

// The chart of the species tab's bait list: centre (80, 92), radius 82.
constexpr int kWidth = 161;
constexpr int kHeight = 185;

constexpr QRgb kWhite = 0xffffff;
constexpr QRgb kBlack = 0x000000;

QRgb Colour(std::size_t index) {
    const PieColour colour = kPiePalette[index];
    return qRgb(colour.red, colour.green, colour.blue) & 0xffffff;
}

TEST(PieChart, SlicesRunCounterClockwiseFromTheRightInsideABlackOutline) {
    struct Probe {
        double degrees;  // counter-clockwise from the rightward horizontal
        double distance; // from the centre (80, 92)
        QRgb colour;
    };
    struct Case {
        const char* name;
        std::vector<int> values;
        std::vector<Probe> probes;
    };
    const Case cases[] = {
        // Slice 1 covers 0° … 270°, slice 2 the last quarter. The radius
        // comes from the height alone, so on this narrow picture the circle
        // runs two pixels past the left and right edges.
        {"three to one",
         {3, 1},
         {{10, 50, Colour(0)},
          {135, 50, Colour(0)},
          {260, 50, Colour(0)},
          {280, 50, Colour(1)},
          {350, 50, Colour(1)},
          {45, 82, kBlack},
          {135, 82, kBlack},
          {270, 82, kBlack},
          {0, 40, kBlack},
          {270, 40, kBlack},
          {45, 84, kWhite},
          {90, 84, kWhite},
          {225, 84, kWhite},
          {315, 84, kWhite}}},
        // Of 120, slice 1 takes 60°, slices 2 … 11 30° each; the eleventh
        // (the rows from the eleventh on) in the last colour, (0, 64, 64).
        {"eleven slices",
         {20, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10},
         {{30, 50, Colour(0)},
          {75, 50, Colour(1)},
          {195, 50, Colour(5)},
          {315, 50, Colour(9)},
          {334, 60, 0x004040}}},
        {"one value is a red disc",
         {7},
         {{0, 60, 0xff0000},
          {1, 60, 0xff0000},
          {180, 60, 0xff0000},
          {359, 60, 0xff0000},
          {90, 82, kBlack}}},
        // Its two radii end on the same pixel, which a plain pie call reads
        // as a whole disc over every other slice.
        {"a hairline slice stays a hairline",
         {100000, 1, 1},
         {{10, 50, Colour(0)}, {180, 50, Colour(0)}, {350, 50, Colour(0)}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage image = DrawPieChart(c.values, kWidth, kHeight);
        ASSERT_EQ(image.size(), QSize(kWidth, kHeight));
        EXPECT_EQ(image.depth(), 24);
        for (const Probe& probe : c.probes) {
            const double radians = probe.degrees * std::numbers::pi / 180.0;
            const int x = 80 + static_cast<int>(std::lround(probe.distance * std::cos(radians)));
            const int y = 92 - static_cast<int>(std::lround(probe.distance * std::sin(radians)));
            EXPECT_EQ(image.pixel(x, y) & 0xffffff, probe.colour)
                << probe.degrees << "° at " << probe.distance;
        }
    }

    // No values, or nothing but zeros: a white picture.
    QImage white(kWidth, kHeight, QImage::Format_RGB888);
    white.fill(Qt::white);
    EXPECT_EQ(DrawPieChart({}, kWidth, kHeight), white);
    EXPECT_EQ(DrawPieChart({0, 0}, kWidth, kHeight), white);
}

TEST(PieChart, CommandWritesThePictureOfTheValuesOrRefusesWhatIsNoChart) {
    std::string pattern = (std::filesystem::temp_directory_path() / "zv-pie-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const std::filesystem::path folder = pattern;
    const std::string png = (folder / "torte.png").string();
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string message; // a part of the message
    };
    const Case cases[] = {
        {{"161", "185", png}, 2, "Aufruf"},
        {{"161", "x", png, "1"}, 1, "'x' ist kein gültiger Integerwert"},
        {{"161", "185", png, "3", "2,5"}, 1, "'2,5' ist kein gültiger Integerwert"},
        {{"161", "185", png, "3", "-1"}, 1, "negativ"},
        {{"0", "185", png, "3"}, 1, "Breite und Höhe"},
        {{"161", "185", (folder / "fehlt" / "torte.png").string(), "3"}, 1, "torte.png"},
        {{"161", "185", png, "9", "8", "7", "4"}, 0, ""},
    };
    for (const Case& c : cases) {
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(cli::RunPieCommand(c.args, out, err), c.code) << c.message;
        EXPECT_NE(err.str().find(c.message), std::string::npos) << err.str();
        // A refusal leaves no file behind.
        EXPECT_EQ(std::filesystem::exists(png), c.code == 0);
    }
    QImage written;
    ASSERT_TRUE(written.load(QString::fromStdString(png)));
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB888), DrawPieChart({9, 8, 7, 4}, 161, 185));
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace zv::test
