#include "base/Jpeg.h"

#include <gtest/gtest.h>

using namespace zv;

TEST(Jpeg, EncodesDecodesAndReadsTheSize) {
    RgbImage img;
    img.width = 64;
    img.height = 48;
    img.pixels.resize(64 * 48 * 3);
    for (std::size_t i = 0; i < img.pixels.size(); i += 3) {
        img.pixels[i] = 200; // reddish
        img.pixels[i + 1] = 40;
        img.pixels[i + 2] = 40;
    }
    std::string jpeg, error;
    ASSERT_TRUE(EncodeJpeg(img, 90, jpeg, error)) << error;
    int w = 0, h = 0;
    ASSERT_TRUE(JpegSize(jpeg, w, h));
    EXPECT_EQ(w, 64);
    EXPECT_EQ(h, 48);

    RgbImage back;
    ASSERT_TRUE(DecodeJpeg(jpeg, back, error)) << error;
    EXPECT_EQ(back.width, 64);
    EXPECT_EQ(back.height, 48);
    EXPECT_NEAR(back.pixels[0], 200, 8);
    EXPECT_NEAR(back.pixels[1], 40, 8);
}

TEST(Jpeg, RefusesOtherData) {
    int w = 7, h = 9;
    EXPECT_FALSE(JpegSize("", w, h));
    EXPECT_FALSE(JpegSize("\x89PNG\r\n\x1a\n0000", w, h));
    EXPECT_FALSE(JpegSize(std::string("\xFF\xD8\xFF\xE0", 4), w, h)); // cut after the marker
    EXPECT_EQ(w, 7);
    RgbImage img;
    std::string error;
    EXPECT_FALSE(DecodeJpeg("kein Bild", img, error));
    EXPECT_FALSE(error.empty());
    RgbImage empty;
    std::string out;
    EXPECT_FALSE(EncodeJpeg(empty, 90, out, error));
}
