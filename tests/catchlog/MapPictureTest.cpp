// Map pictures: their names, and storing a chosen picture as a water's map.

#include "catchlog/MapPicture.h"

#include "EntryTestSupport.h"
#include "base/AtomicFile.h"
#include "storage/Workspace.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

// A 24-bit bitmap, bottom-up rows padded to four bytes, in one colour.
std::string MakeBitmap(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    const int dataSize = rowBytes * height;
    std::string bytes;
    const auto put = [&](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) {
            bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
        }
    };
    bytes += "BM";
    put(54 + dataSize, 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(std::uint32_t(width), 4);
    put(std::uint32_t(height), 4);
    put(1, 2);
    put(24, 2);
    put(0, 4);
    put(std::uint32_t(dataSize), 4);
    put(2835, 4);
    put(2835, 4);
    put(0, 4);
    put(0, 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bytes += static_cast<char>(b);
            bytes += static_cast<char>(g);
            bytes += static_cast<char>(r);
        }
        bytes.append(std::size_t(rowBytes - width * 3), '\0');
    }
    return bytes;
}

class MapPictureTest : public ::testing::Test {
protected:
    std::filesystem::path Source(const std::string& name, const std::string& bytes) {
        const std::filesystem::path path = sources_ / name;
        test::PutBytes(path, bytes);
        return path;
    }
    std::string StoredPath(const std::string& water) const {
        return workspace_.Settings().ReadString("Karte", water);
    }

    test::EntryFolder folder_;
    test::EntryFolder sources_;
    Workspace workspace_{folder_.Path()};
};

TEST_F(MapPictureTest, CopiesAreNamedAfterTheChosenFileAndBitmapsBecomeJpegs) {
    const struct {
        const char* chosen;
        const char* copy;
    } cases[] = {
        {"see.jpg", "karte_see.jpg"},     {"See Nord.jpeg", "karte_See Nord.jpeg"},
        {"see.bmp", "karte_see.jpg"},     {"SEE.BMP", "karte_SEE.jpg"},
        {"a.bmp.bmp", "karte_a.bmp.jpg"}, {"bmp", "karte_bmp"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MapPictureFileName(c.chosen), c.copy) << c.chosen;
    }
}

TEST_F(MapPictureTest, ABitmapIsStoredAsJpegInTheProgramFolderAndNamedInTheSettings) {
    const MapPictureChoice choice = ChooseMapPicture(
        workspace_, "Möhnesee", Source("see.bmp", MakeBitmap(30, 20, 200, 40, 10)));
    ASSERT_TRUE(choice.ok) << choice.error;
    const std::filesystem::path copy = folder_ / "karte_see.jpg";
    EXPECT_EQ(choice.path, copy);
    EXPECT_EQ(StoredPath("Möhnesee"), PathToUtf8(copy));
    RgbImage stored;
    std::string error;
    ASSERT_TRUE(LoadMapPicture(copy, stored, error)) << error;
    ASSERT_EQ(stored.width, 30);
    ASSERT_EQ(stored.height, 20);
    EXPECT_NEAR(stored.pixels[0], 200, 6);
    EXPECT_NEAR(stored.pixels[1], 40, 6);
    EXPECT_EQ(choice.picture.pixels[2], 10); // the picture shown is the bitmap itself
    EXPECT_EQ(StoredMapPicture(workspace_, "möhnesee"), copy);
}

TEST_F(MapPictureTest, AJpegIsCopiedUnchangedAndNeverReplacesAnotherWatersMap) {
    const std::string first = test::MakeJpeg(16, 8);
    ASSERT_TRUE(ChooseMapPicture(workspace_, "Rhein", Source("karte.jpg", first)).ok);
    EXPECT_EQ(test::GetBytes(folder_ / "karte_karte.jpg"), first);

    // Another water's picture of the same name gets a free name.
    const std::string second = test::MakeJpeg(24, 8);
    const std::filesystem::path otherFolder = sources_ / "anderswo";
    std::filesystem::create_directories(otherFolder);
    test::PutBytes(otherFolder / "karte.jpg", second);
    MapPictureChoice choice = ChooseMapPicture(workspace_, "Elbe", otherFolder / "karte.jpg");
    ASSERT_TRUE(choice.ok) << choice.error;
    EXPECT_EQ(choice.path, folder_ / "karte_karte_2.jpg");
    EXPECT_EQ(test::GetBytes(folder_ / "karte_karte.jpg"), first);
    EXPECT_EQ(test::GetBytes(folder_ / "karte_karte_2.jpg"), second);

    // A water's own older copy of that name is replaced.
    const std::string third = test::MakeJpeg(32, 8);
    test::PutBytes(otherFolder / "karte.jpg", third);
    choice = ChooseMapPicture(workspace_, "Elbe", otherFolder / "karte.jpg");
    EXPECT_EQ(choice.path, folder_ / "karte_karte_2.jpg");
    EXPECT_EQ(test::GetBytes(folder_ / "karte_karte_2.jpg"), third);
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
    const std::filesystem::path missing = sources_ / "fehlt.jpg";
    const struct {
        std::filesystem::path file;
        const char* copy;
    } cases[] = {
        {Source("text.jpg", "kein Bild"), "karte_text.jpg"},
        {Source("kaputt.bmp", truncatedBitmap), "karte_kaputt.jpg"},
        {Source("falsch.bmp", test::MakeJpeg(8, 8)), "karte_falsch.jpg"},
        {missing, "karte_fehlt.jpg"},
        {Source("riesig.jpg", huge), "karte_riesig.jpg"},
    };
    for (const auto& c : cases) {
        const MapPictureChoice choice = ChooseMapPicture(workspace_, "See", c.file);
        EXPECT_FALSE(choice.ok) << c.copy;
        EXPECT_NE(choice.error.find(PathToUtf8(c.file)), std::string::npos) << choice.error;
        EXPECT_FALSE(std::filesystem::exists(folder_ / c.copy)) << c.copy;
    }
    EXPECT_EQ(test::GetBytes(folder_ / "Zelvorin.ini"), before);

    RgbImage picture;
    std::string error;
    EXPECT_FALSE(LoadMapPicture(sources_ / "text.jpg", picture, error));
    EXPECT_NE(error.find("text.jpg"), std::string::npos);
}

TEST_F(MapPictureTest, AStoredPathWhoseFileIsGoneIsNoPicture) {
    workspace_.Settings().WriteString("Karte", "See", PathToUtf8(folder_ / "karte_weg.jpg"));
    EXPECT_TRUE(StoredMapPicture(workspace_, "See").empty());
    EXPECT_TRUE(StoredMapPicture(workspace_, "Teich").empty());
}

} // namespace
} // namespace zv
