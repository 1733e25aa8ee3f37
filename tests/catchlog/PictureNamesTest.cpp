#include "catchlog/PictureNames.h"

#include "base/DateTime.h"
#include "base/RandomSource.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

class FixedRandom : public RandomSource {
public:
    explicit FixedRandom(int value) : value_(value) {}
    int Random(int range) override {
        lastRange = range;
        return value_;
    }
    int lastRange = 0;

private:
    int value_;
};

TEST(PictureNamesTest, NameIsDateTimeRandomAndPosition) {
    const FixedClock clock(EncodeDate(2007, 6, 5) + EncodeTime(18, 42, 7));
    FixedRandom random(57);
    const std::string stem = PictureNameStem(clock, random);
    EXPECT_EQ(random.lastRange, 200);
    EXPECT_EQ(stem, "0506200718420757");
    EXPECT_EQ(PictureFileName(stem, 1), "0506200718420757_1.jpg");
}

TEST(PictureNamesTest, RandomNumberHasNoLeadingZeros) {
    const FixedClock clock(EncodeDate(2010, 1, 9) + EncodeTime(7, 5, 3));
    FixedRandom zero(0);
    EXPECT_EQ(PictureNameStem(clock, zero), "090120100705030");
    FixedRandom big(199);
    EXPECT_EQ(PictureNameStem(clock, big), "09012010070503199");
}

TEST(PictureNamesTest, PicturesStoredTogetherDifferOnlyInPosition) {
    const FixedClock clock(EncodeDate(2007, 6, 5) + EncodeTime(23, 59, 59, 999));
    FixedRandom random(8);
    const std::string stem = PictureNameStem(clock, random);
    // The time is rounded to the millisecond, then cut to whole seconds.
    EXPECT_EQ(stem, "050620072359598");
    EXPECT_EQ(PictureFileName(stem, 0), "050620072359598_0.jpg");
    EXPECT_EQ(PictureFileName(stem, 2), "050620072359598_2.jpg");
}

TEST(PictureNamesTest, EnlargedNameReplacesEverySmall) {
    EXPECT_EQ(EnlargedPictureName("hecht_small.jpg"), "hecht_big.jpg");
    EXPECT_EQ(EnlargedPictureName("small_smallsmall.jpg"), "big_bigbig.jpg");
    EXPECT_EQ(EnlargedPictureName("Small.jpg"), "Small.jpg");
    EXPECT_EQ(EnlargedPictureName("0506200718420757_1.jpg"), "0506200718420757_1.jpg");
}

} // namespace
} // namespace zv
