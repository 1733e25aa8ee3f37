#pragma once

#include "base/Jpeg.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace zv {

class Workspace;

// Map pictures: one per water, named in section [Karte] of the settings
// (key = the water, value = the full path), kept as JPEG copies in the
// program folder under "karte_" + the chosen file's name.

inline constexpr std::string_view kMapSection = "Karte";
// Quality of a bitmap converted to JPEG.
inline constexpr int kMapJpegQuality = 90;

// "karte_" + the file name; a bitmap's extension (".bmp" in any letter case)
// becomes ".jpg", because the copy is a JPEG.
std::string MapPictureFileName(std::string_view chosenFileName);

// Reads a map picture: a JPEG, or a bitmap. False with a German reason
// naming the file when it cannot be read or is not such a picture.
bool LoadMapPicture(const std::filesystem::path& path, RgbImage& picture, std::string& error);

// The picture file the settings name for the water, as found on this
// machine; empty when there is none or the file no longer exists.
std::filesystem::path StoredMapPicture(const Workspace& workspace, std::string_view water);

struct MapPictureChoice {
    bool ok = false;
    std::filesystem::path path; // the copy in the program folder
    RgbImage picture;           // the copy's picture
    std::string error;          // German reason; nothing was stored then
};

// Stores the chosen picture as the water's map: a JPEG is copied byte for
// byte, a bitmap (".bmp") is converted to JPEG; the copy's path goes into
// [Karte] under the water, replacing an older picture. A picture that cannot
// be read is reported and nothing is stored. The copy never replaces another
// water's map that happens to have the same name: it then gets the first
// free name of "karte_see_2.jpg", "karte_see_3.jpg", …; the water's own
// older copy of that name is replaced.
MapPictureChoice ChooseMapPicture(Workspace& workspace, std::string_view water,
                                  const std::filesystem::path& chosenFile);

} // namespace zv
