#include "base/Jpeg.h"

#include "JpegSamples.h"

#include <gtest/gtest.h>

using namespace zv;
using zv::test::SolidJpeg;

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

TEST(Jpeg, AHeaderClaimingGigabytesOfPixelsIsRefusedBeforeDecoding) {
    std::string jpeg = SolidJpeg(16, 16, {90, 120, 60});
    // The frame header: marker, length, precision, then height and width.
    const std::size_t frame = jpeg.find("\xFF\xC0");
    ASSERT_NE(frame, std::string::npos);
    jpeg.replace(frame + 5, 4, "\xEA\x60\xEA\x60"); // 60000 x 60000
    int w = 0, h = 0;
    ASSERT_TRUE(JpegSize(jpeg, w, h));
    ASSERT_EQ(w, 60000);
    RgbImage img;
    std::string error;
    EXPECT_FALSE(DecodeJpeg(jpeg, img, error));
    EXPECT_NE(error.find("60000 × 60000 Bildpunkten zu groß"), std::string::npos) << error;
}

TEST(Jpeg, GreyAndCmykPicturesDecodeToRgb) {
    struct Case {
        std::vector<std::uint8_t> pixel; // as stored in the file
        int components;
        std::uint8_t rgb[3];
    };
    const Case cases[] = {
        {{100}, 1, {100, 100, 100}},
        {{255, 0, 0, 255}, 4, {255, 0, 0}},         // full magenta and yellow, no black
        {{255, 255, 255, 128}, 4, {128, 128, 128}}, // half black
        {{0, 255, 255, 255}, 4, {0, 255, 255}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.components);
        const std::string jpeg = SolidJpeg(16, 8, c.pixel);
        JpegHeader header;
        ASSERT_TRUE(ReadJpegHeader(jpeg, header));
        EXPECT_EQ(header.components, c.components);
        RgbImage image;
        std::string error;
        ASSERT_TRUE(DecodeJpeg(jpeg, image, error)) << error;
        ASSERT_EQ(image.pixels.size(), 16u * 8u * 3u);
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_NEAR(image.pixels[i], c.rgb[i], 3) << i;
        }
    }
}

TEST(Jpeg, DamageTheDecoderStepsOverIsNoErrorButUndecodableDataIs) {
    const std::string jpeg = SolidJpeg(16, 16, {200, 40, 40});
    const std::string end = jpeg.substr(jpeg.size() - 2);
    const std::string body = jpeg.substr(0, jpeg.size() - 2);
    // Stray bytes before the end marker, as some cameras write them.
    RgbImage image;
    std::string error;
    ASSERT_TRUE(DecodeJpeg(body + std::string(38, 'x') + end, image, error)) << error;
    EXPECT_NEAR(image.pixels[0], 200, 8);
    // A Huffman table with more codes than there can be.
    const std::string bogusTable = std::string("\xFF\xC4\x00\x13\x00", 5) + std::string(16, '\xFF');
    EXPECT_FALSE(DecodeJpeg(body + bogusTable + end, image, error));
    EXPECT_EQ(error, "Das JPEG-Bild ist beschädigt und kann nicht gelesen werden.");
}
