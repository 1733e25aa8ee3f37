// Map pictures: their names, and storing a chosen picture as a water's map.

#include "catchlog/MapPicture.h"

#include "EntryTestSupport.h"
#include "base/AtomicFile.h"
#include "storage/Workspace.h"

#include <gtest/gtest.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

namespace zv {
namespace {

// A 24-bit bitmap in one colour.
std::string MakeBitmap(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    std::vector<std::uint8_t> pixels;
    for (int i = 0; i < width * height; ++i) {
        pixels.insert(pixels.end(), {r, g, b});
    }
    std::string bytes;
    stbi_write_bmp_to_func(
        [](void* out, void* data, int size) {
            static_cast<std::string*>(out)->append(static_cast<const char*>(data),
                                                   std::size_t(size));
        },
        &bytes, width, height, 3, pixels.data());
    return bytes;
}

class MapPictureTest : public ::testing::Test {
protected:
    std::filesystem::path Source(const std::string& name, const std::string& bytes) {
        test::PutBytes(sources_ / name, bytes);
        return sources_ / name;
    }
    std::string StoredPath(const std::string& water) const {
        return workspace_.Settings().ReadString("Karte", water);
    }

    test::EntryFolder folder_;
    test::EntryFolder sources_;
    Workspace workspace_{folder_.Path()};
};

TEST_F(MapPictureTest, CopiesAreNamedAfterTheChosenFileAndBitmapsBecomeJpegs) {
    const std::pair<const char*, const char*> cases[] = {
        {"see.jpg", "karte_see.jpg"},     {"See Nord.jpeg", "karte_See Nord.jpeg"},
        {"see.bmp", "karte_see.jpg"},     {"SEE.BMP", "karte_SEE.jpg"},
        {"a.bmp.bmp", "karte_a.bmp.jpg"}, {"bmp", "karte_bmp"},
    };
    for (const auto& [chosen, copy] : cases) {
        EXPECT_EQ(MapPictureFileName(chosen), copy) << chosen;
    }
}

TEST_F(MapPictureTest, ABitmapIsStoredAsJpegInTheProgramFolderAndNamedInTheSettings) {
    const MapPictureChoice choice = ChooseMapPicture(
        workspace_, "Möhnesee", Source("see.bmp", MakeBitmap(30, 20, 200, 40, 10)));
    ASSERT_TRUE(choice.ok) << choice.error;
    const std::filesystem::path copy = folder_ / "karte_see.jpg";
    EXPECT_EQ(choice.path, copy);
    EXPECT_EQ(StoredPath("Möhnesee"), PathToUtf8(copy));
    EXPECT_EQ(StoredMapPicture(workspace_, "möhnesee"), copy);
    RgbImage stored;
    std::string error;
    ASSERT_TRUE(LoadMapPicture(copy, stored, error)) << error;
    EXPECT_EQ(stored.width * 100 + stored.height, 3020);
    EXPECT_NEAR(stored.pixels[0], 200, 6);
    EXPECT_NEAR(stored.pixels[1], 40, 6);
    EXPECT_EQ(choice.picture.pixels[2], 10); // the picture shown is the bitmap itself
}

TEST_F(MapPictureTest, ATopDownBitmapIsReadTheRightWayUp) {
    // A negative height says the rows are stored from the top down.
    std::string bitmap = MakeBitmap(1, 2, 0, 0, 0);
    const std::size_t rows = static_cast<unsigned char>(bitmap[10]);
    bitmap.replace(22, 4, "\xFE\xFF\xFF\xFF");
    bitmap.replace(rows, 8, std::string("\x00\x00\xFF\x00\xFF\x00\x00\x00", 8)); // red, blue
    RgbImage picture;
    std::string error;
    ASSERT_TRUE(LoadMapPicture(Source("oben.bmp", bitmap), picture, error)) << error;
    EXPECT_EQ(picture.pixels, (std::vector<std::uint8_t>{255, 0, 0, 0, 0, 255}));
}

TEST_F(MapPictureTest, AJpegIsCopiedUnchangedAndNeverReplacesAnotherWatersMap) {
    const std::string first = test::MakeJpeg(16, 8);
    ASSERT_TRUE(ChooseMapPicture(workspace_, "Rhein", Source("karte.jpg", first)).ok);

    // Another water's picture of the same name gets a free name; a water's
    // own older copy of that name is replaced.
    const std::filesystem::path other = sources_ / "anderswo" / "karte.jpg";
    for (const int width : {24, 32}) {
        const std::string bytes = test::MakeJpeg(width, 8);
        test::PutBytes(other, bytes);
        const MapPictureChoice choice = ChooseMapPicture(workspace_, "Elbe", other);
        ASSERT_TRUE(choice.ok) << choice.error;
        EXPECT_EQ(choice.path, folder_ / "karte_karte_2.jpg");
        EXPECT_EQ(test::GetBytes(choice.path), bytes);
    }
    EXPECT_EQ(test::GetBytes(folder_ / "karte_karte.jpg"), first);
    EXPECT_EQ(StoredPath("Rhein"), PathToUtf8(folder_ / "karte_karte.jpg"));
}

TEST_F(MapPictureTest, APictureThatCannotBeReadIsReportedAndNothingIsStored) {
    ASSERT_TRUE(ChooseMapPicture(workspace_, "See", Source("alt.jpg", test::MakeJpeg(8, 8))).ok);
    const std::string before = test::GetBytes(folder_ / "Zelvorin.ini");
    std::string truncatedBitmap = MakeBitmap(40, 40, 1, 2, 3);
    truncatedBitmap.resize(100);
    // A JPEG whose header claims 40000 × 40000 pixels.
    std::string huge = test::MakeJpeg(8, 8);
    const std::size_t frame = huge.find("\xFF\xC0");
    ASSERT_NE(frame, std::string::npos);
    huge.replace(frame + 5, 4, "\x9C\x40\x9C\x40");
    const std::pair<std::filesystem::path, const char*> cases[] = {
        {Source("text.jpg", "kein Bild"), "karte_text.jpg"},
        {Source("kaputt.bmp", truncatedBitmap), "karte_kaputt.jpg"},
        {Source("falsch.bmp", test::MakeJpeg(8, 8)), "karte_falsch.jpg"},
        {sources_ / "fehlt.jpg", "karte_fehlt.jpg"},
        {Source("riesig.jpg", huge), "karte_riesig.jpg"},
    };
    for (const auto& [file, copy] : cases) {
        const MapPictureChoice choice = ChooseMapPicture(workspace_, "See", file);
        EXPECT_FALSE(choice.ok) << copy;
        EXPECT_NE(choice.error.find(PathToUtf8(file)), std::string::npos) << choice.error;
        EXPECT_FALSE(std::filesystem::exists(folder_ / copy)) << copy;
    }
    EXPECT_EQ(test::GetBytes(folder_ / "Zelvorin.ini"), before);
}

TEST_F(MapPictureTest, AStoredPathWhoseFileIsGoneIsNoPicture) {
    workspace_.Settings().WriteString("Karte", "See", PathToUtf8(folder_ / "karte_weg.jpg"));
    EXPECT_TRUE(StoredMapPicture(workspace_, "See").empty());
}

} // namespace
} // namespace zv
