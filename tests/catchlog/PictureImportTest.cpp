#include "catchlog/PictureImport.h"

#include "EntryTestSupport.h"
#include "base/AtomicFile.h"
#include "base/DateTime.h"
#include "base/RandomSource.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

class FixedRandom : public RandomSource {
public:
    explicit FixedRandom(std::vector<int> values) : values_(std::move(values)) {}
    int Random(int) override {
        const int value = values_[next_ % values_.size()];
        ++next_;
        return value;
    }

private:
    std::vector<int> values_;
    std::size_t next_ = 0;
};

class PictureImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(folder_ / "img");
        test::PutBytes(folder_ / "img" / "alt_0.jpg", test::MakeJpeg(64, 48));
        test::PutBytes(folder_ / "img" / "alt_1.jpg", test::MakeJpeg(64, 48));
        test::PutBytes(folder_ / "neu1.jpg", test::MakeJpeg(300, 100));
        test::PutBytes(folder_ / "neu2.jpg", test::MakeJpeg(50, 200));
    }
    std::string Full(const std::string& name) { return PathToUtf8(folder_ / name); }

    test::EntryFolder folder_;
    FixedClock clock_{EncodeDate(2007, 6, 5) + EncodeTime(18, 42, 7)};
    FixedRandom random_{{57}};
};

TEST_F(PictureImportTest, ImportsShareTheirStemAndFollowTheExistingOnes) {
    const PictureImportResult result = ImportPictures(
        folder_.Path(), {"alt_0.jpg", "alt_1.jpg", Full("neu1.jpg"), Full("neu2.jpg")}, clock_,
        random_);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.names,
              (std::vector<std::string>{"alt_0.jpg", "alt_1.jpg", "0506200718420757_2.jpg",
                                        "0506200718420757_3.jpg"}));
    for (const char* name : {"0506200718420757_2.jpg", "0506200718420757_3.jpg"}) {
        const std::string bytes = test::GetBytes(folder_ / "img" / name);
        int width = 0;
        int height = 0;
        ASSERT_TRUE(JpegSize(bytes, width, height)) << name;
        EXPECT_EQ(width, 640);
        EXPECT_EQ(height, 480);
    }
    // The source files stay where they were.
    EXPECT_TRUE(std::filesystem::exists(folder_ / "neu1.jpg"));
}

TEST_F(PictureImportTest, StretchingKeepsTheLayoutOfThePicture) {
    const PictureImportResult result =
        ImportPictures(folder_.Path(), {Full("neu1.jpg")}, clock_, random_);
    ASSERT_TRUE(result.ok);
    RgbImage image;
    std::string error;
    ASSERT_TRUE(LoadJpegFile(folder_ / "img" / result.names[0], image, error)) << error;
    // Left half red, right half blue, over the whole 640 width.
    const auto pixel = [&](int x, int y) {
        return &image.pixels[(static_cast<std::size_t>(y) * image.width + x) * 3];
    };
    EXPECT_GT(pixel(100, 240)[0], 180);
    EXPECT_LT(pixel(100, 240)[2], 60);
    EXPECT_GT(pixel(540, 240)[2], 180);
    EXPECT_LT(pixel(540, 240)[0], 60);
}

TEST_F(PictureImportTest, MissingPicturesAreDroppedAndAnEmptyListStaysEmpty) {
    PictureImportResult result = ImportPictures(
        folder_.Path(), {"weg.jpg", "alt_1.jpg", Full("fehlt.jpg")}, clock_, random_);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.names, (std::vector<std::string>{"alt_1.jpg"}));
    result = ImportPictures(folder_.Path(), {}, clock_, random_);
    EXPECT_TRUE(result.ok);
    EXPECT_TRUE(result.names.empty());
}

TEST_F(PictureImportTest, ABadFileOrAMissingFolderStoresNothing) {
    test::PutBytes(folder_ / "kein.jpg", "this is text");
    const auto before = std::distance(std::filesystem::directory_iterator(folder_ / "img"),
                                      std::filesystem::directory_iterator());
    PictureImportResult result =
        ImportPictures(folder_.Path(), {Full("neu1.jpg"), Full("kein.jpg")}, clock_, random_);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("kein.jpg"), std::string::npos);
    EXPECT_TRUE(result.names.empty());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_ / "img"),
                            std::filesystem::directory_iterator()),
              before);

    std::filesystem::remove_all(folder_ / "img");
    result = ImportPictures(folder_.Path(), {Full("neu1.jpg")}, clock_, random_);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("img"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder_ / "img"));
}

TEST_F(PictureImportTest, ASecondSaveInTheSameSecondNeverOverwrites) {
    FixedRandom sameThenOther({57, 57, 12});
    PictureImportResult first =
        ImportPictures(folder_.Path(), {Full("neu1.jpg")}, clock_, sameThenOther);
    PictureImportResult second =
        ImportPictures(folder_.Path(), {Full("neu2.jpg")}, clock_, sameThenOther);
    ASSERT_TRUE(first.ok && second.ok);
    EXPECT_EQ(first.names[0], "0506200718420757_0.jpg");
    EXPECT_EQ(second.names[0], "0506200718420712_0.jpg");
}

TEST(StretchImage, ExactSizeWhateverTheSource) {
    RgbImage tiny;
    tiny.width = 2;
    tiny.height = 1;
    tiny.pixels = {255, 0, 0, 0, 0, 255};
    const RgbImage big = StretchImage(tiny, 180, 120);
    EXPECT_EQ(big.width, 180);
    EXPECT_EQ(big.height, 120);
    EXPECT_EQ(big.pixels.size(), 180u * 120u * 3u);
    EXPECT_GT(big.pixels[0], 200);             // red at the left
    EXPECT_GT(big.pixels[(179) * 3 + 2], 200); // blue at the right
}

} // namespace
} // namespace zv
