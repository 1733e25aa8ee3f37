// The pie chart picture and the command that writes it.

#include "statistics/PieChart.h"
#include "cli/PieCommand.h"
#include "statistics/PiePalette.h"
#include "statistics/Tally.h"

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
constexpr int kCx = 80;
constexpr int kCy = 92;
constexpr int kRadius = 82;

QRgb Rgb(const PieColour& colour) {
    return qRgb(colour.red, colour.green, colour.blue) & 0xffffff;
}

// The pixel at `distance` from the centre in the direction `degrees`
// (counter-clockwise from the rightward horizontal).
QRgb At(const QImage& image, double degrees, double distance) {
    const double radians = degrees * std::numbers::pi / 180.0;
    const int x = kCx + static_cast<int>(std::lround(distance * std::cos(radians)));
    const int y = kCy - static_cast<int>(std::lround(distance * std::sin(radians)));
    return image.pixel(x, y) & 0xffffff;
}

constexpr QRgb kWhite = 0xffffff;
constexpr QRgb kBlack = 0x000000;

TEST(PieChart, SlicesRunCounterClockwiseFromTheRightInsideABlackOutline) {
    const QImage image = DrawPieChart({3, 1}, kWidth, kHeight);
    ASSERT_EQ(image.size(), QSize(kWidth, kHeight));
    EXPECT_EQ(image.depth(), 24);

    // Slice 1 covers 0° … 270°, slice 2 the last quarter.
    for (double degrees : {10.0, 90.0, 135.0, 180.0, 260.0}) {
        EXPECT_EQ(At(image, degrees, 50), Rgb(kPiePalette[0])) << degrees;
    }
    for (double degrees : {280.0, 315.0, 350.0}) {
        EXPECT_EQ(At(image, degrees, 50), Rgb(kPiePalette[1])) << degrees;
    }
    // The circle's outline and the two radii between the slices. The radius
    // comes from the height alone, so on this narrow picture the circle runs
    // two pixels past the left and right edges.
    for (double degrees : {45.0, 90.0, 135.0, 270.0}) {
        EXPECT_EQ(At(image, degrees, kRadius), kBlack) << degrees;
    }
    EXPECT_EQ(image.pixel(kCx, kCy + 40) & 0xffffff, kBlack);
    EXPECT_EQ(image.pixel(kCx + 40, kCy) & 0xffffff, kBlack);
    // Outside the circle everything is white.
    for (double degrees : {45.0, 90.0, 135.0, 225.0, 270.0, 315.0}) {
        EXPECT_EQ(At(image, degrees, kRadius + 2), kWhite) << degrees;
    }
    EXPECT_EQ(image.pixel(0, 0) & 0xffffff, kWhite);
    EXPECT_EQ(image.pixel(kWidth - 1, kHeight - 1) & 0xffffff, kWhite);
}

TEST(PieChart, TwelveRowsGiveElevenSlicesTheLastForRowsElevenAndTwelve) {
    Tally tally;
    const int counts[] = {20, 10, 10, 10, 10, 10, 10, 10, 10, 10, 5, 5};
    for (int count : counts) {
        tally.push_back({"Fisch", count});
    }
    const std::vector<int> values = PieValues(tally);
    ASSERT_EQ(values.size(), 11u);
    const QImage image = DrawPieChart(values, kWidth, kHeight);

    // Of 120 catches, row 1 takes 60°, rows 2 … 10 30° each, and the last
    // slice the 30° of rows 11 and 12 together.
    EXPECT_EQ(At(image, 30, 50), Rgb(kPiePalette[0]));
    for (int slice = 1; slice <= 10; ++slice) {
        const double middle = 60 + 30 * (slice - 1) + 15;
        EXPECT_EQ(At(image, middle, 50), Rgb(kPiePalette[std::size_t(slice)])) << slice;
    }
    EXPECT_EQ(Rgb(kPiePalette[10]), qRgb(0, 64, 64) & 0xffffff);
    EXPECT_EQ(At(image, 334, 60), Rgb(kPiePalette[10]));
    EXPECT_EQ(At(image, 326, 60), Rgb(kPiePalette[9]));
}

TEST(PieChart, OneValueIsARedDiscAndNoValuesLeaveThePictureWhite) {
    const QImage disc = DrawPieChart({7}, kWidth, kHeight);
    for (double degrees : {0.0, 1.0, 90.0, 180.0, 270.0, 359.0}) {
        EXPECT_EQ(At(disc, degrees, 60), qRgb(255, 0, 0) & 0xffffff) << degrees;
    }
    EXPECT_EQ(At(disc, 90, kRadius), kBlack);

    for (const std::vector<int>& nothing : {std::vector<int>{}, std::vector<int>{0, 0}}) {
        const QImage white = DrawPieChart(nothing, kWidth, kHeight);
        ASSERT_EQ(white.size(), QSize(kWidth, kHeight));
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                ASSERT_EQ(white.pixel(x, y) & 0xffffff, kWhite) << x << "," << y;
            }
        }
    }
}

// A slice far too thin to be seen must not take over the chart: its two
// radii end on the same pixel, which a plain pie call reads as a whole disc.
TEST(PieChart, AHairlineSliceStaysAHairline) {
    const QImage image = DrawPieChart({100000, 1, 1}, kWidth, kHeight);
    for (double degrees : {10.0, 90.0, 180.0, 270.0, 350.0}) {
        EXPECT_EQ(At(image, degrees, 50), Rgb(kPiePalette[0])) << degrees;
    }
}

class PieCommand : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "zv-pie-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    int Run(const std::vector<std::string>& args) {
        out_.str({});
        err_.str({});
        return cli::RunPieCommand(args, out_, err_);
    }

    std::filesystem::path folder_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(PieCommand, WritesThePictureOfTheValues) {
    const std::string png = (folder_ / "torte.png").string();
    ASSERT_EQ(Run({"161", "185", png, "9", "8", "7", "4"}), 0) << err_.str();
    QImage written;
    ASSERT_TRUE(written.load(QString::fromStdString(png)));
    const QImage drawn = DrawPieChart({9, 8, 7, 4}, 161, 185);
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB888), drawn);
}

TEST_F(PieCommand, RefusesWhatIsNoChartAndLeavesTheFileAlone) {
    const std::string png = (folder_ / "torte.png").string();
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
        {{"161", "185", (folder_ / "fehlt" / "torte.png").string(), "3"}, 1, "torte.png"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Run(c.args), c.code) << c.message;
        EXPECT_NE(err_.str().find(c.message), std::string::npos) << err_.str();
    }
    EXPECT_FALSE(std::filesystem::exists(png));
}

} // namespace
} // namespace zv::test
