#include "catchlog/MapPicture.h"

#include "base/AtomicFile.h"
#include "base/GermanText.h"
#include "storage/Workspace.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <system_error>

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#include <stb/stb_image.h>

namespace zv {
namespace {

// A map is a scan or a drawing; a header that claims more pixels than this
// is not decoded, so a damaged file cannot ask for gigabytes.
constexpr long long kMaxMapPixels = 100'000'000;

std::string Extension(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot));
}

bool IsBitmapName(std::string_view name) {
    return LowerAZ(Extension(name)) == ".bmp";
}

std::string NotReadable(const std::filesystem::path& path, std::string_view what) {
    return "Das Bild \"" + PathToUtf8(path) + "\" kann nicht gelesen werden: " + std::string(what);
}

std::uint32_t Little(std::string_view bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | static_cast<unsigned char>(bytes[at + std::size_t(i)]);
    }
    return value;
}

// Whether an uncompressed bitmap holds all the rows its header announces;
// the decoder would fill a short file's missing rows with black instead of
// failing.
bool BitmapIsWhole(std::string_view bytes) {
    if (bytes.size() < 26) {
        return false;
    }
    const std::uint32_t offset = Little(bytes, 10, 4);
    const std::uint32_t headerSize = Little(bytes, 14, 4);
    long long width = 0;
    long long height = 0;
    std::uint32_t bitsPerPixel = 0;
    std::uint32_t compression = 0;
    if (headerSize == 12) {
        width = Little(bytes, 18, 2);
        height = Little(bytes, 20, 2);
        bitsPerPixel = Little(bytes, 24, 2);
    } else if (bytes.size() >= 34) {
        width = static_cast<std::int32_t>(Little(bytes, 18, 4));
        height = static_cast<std::int32_t>(Little(bytes, 22, 4));
        bitsPerPixel = Little(bytes, 28, 2);
        compression = Little(bytes, 30, 4);
    } else {
        return false;
    }
    const bool uncompressed = compression == 0 || compression == 3 || compression == 6;
    if (!uncompressed) {
        return true; // the decoder checks the rest
    }
    const long long rowBytes = (std::llabs(width) * bitsPerPixel + 31) / 32 * 4;
    return static_cast<long long>(offset) + rowBytes * std::llabs(height) <=
           static_cast<long long>(bytes.size());
}

bool DecodeBitmap(std::string_view bytes, RgbImage& picture) {
    if (!BitmapIsWhole(bytes)) {
        return false;
    }
    const auto* data = reinterpret_cast<const stbi_uc*>(bytes.data());
    const int size = static_cast<int>(std::min<std::size_t>(bytes.size(), INT32_MAX));
    int width = 0;
    int height = 0;
    int channels = 0;
    // The header check gives a top-down bitmap's height as stored: negative.
    if (stbi_info_from_memory(data, size, &width, &height, &channels) == 0 || width <= 0 ||
        height == 0 || height == INT_MIN ||
        static_cast<long long>(width) * std::abs(height) > kMaxMapPixels) {
        return false;
    }
    stbi_uc* pixels = stbi_load_from_memory(data, size, &width, &height, &channels, 3);
    if (pixels == nullptr) {
        return false;
    }
    picture.width = width;
    picture.height = height;
    picture.pixels.assign(pixels, pixels + static_cast<std::size_t>(width) * height * 3);
    stbi_image_free(pixels);
    return true;
}

bool DecodePicture(std::string_view bytes, bool bitmap, RgbImage& picture, std::string& reason) {
    if (bitmap) {
        if (!DecodeBitmap(bytes, picture)) {
            reason = "Die Datei ist keine lesbare Bitmap.";
            return false;
        }
        return true;
    }
    int width = 0;
    int height = 0;
    if (JpegSize(bytes, width, height) && static_cast<long long>(width) * height > kMaxMapPixels) {
        reason = "Das Bild ist zu groß.";
        return false;
    }
    return DecodeJpeg(bytes, picture, reason);
}

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

// Whether another water's map is this file.
bool UsedByOtherWater(const Workspace& workspace, std::string_view water,
                      const std::filesystem::path& file) {
    for (const auto& [key, value] : workspace.Settings().ReadSectionValues(kMapSection)) {
        if (!SameTextDe(key, water) &&
            SameFile(PathFromUtf8(workspace.ResolveStoredPath(value)), file)) {
            return true;
        }
    }
    return false;
}

std::filesystem::path FreeTarget(const Workspace& workspace, std::string_view water,
                                 const std::string& name) {
    const std::filesystem::path own = StoredMapPicture(workspace, water);
    const std::string extension = Extension(name);
    const std::string stem = name.substr(0, name.size() - extension.size());
    for (int number = 1;; ++number) {
        const std::string candidate =
            number == 1 ? name : stem + "_" + std::to_string(number) + extension;
        const std::filesystem::path path = workspace.ProgramFolder() / PathFromUtf8(candidate);
        std::error_code ec;
        if (!std::filesystem::exists(path, ec)) {
            return path;
        }
        if (!own.empty() && SameFile(own, path) && !UsedByOtherWater(workspace, water, path)) {
            return path;
        }
    }
}

} // namespace

std::string MapPictureFileName(std::string_view chosenFileName) {
    std::string name(chosenFileName);
    if (IsBitmapName(name)) {
        name = name.substr(0, name.size() - 4) + ".jpg";
    }
    return "karte_" + name;
}

bool LoadMapPicture(const std::filesystem::path& path, RgbImage& picture, std::string& error) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes, error)) {
        return false;
    }
    // Stored copies are JPEGs; a bitmap named by older settings is read too.
    const bool bitmap = bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
    std::string reason;
    if (!DecodePicture(bytes, bitmap, picture, reason)) {
        error = NotReadable(path, reason);
        return false;
    }
    return true;
}

std::filesystem::path StoredMapPicture(const Workspace& workspace, std::string_view water) {
    const std::string stored = workspace.Settings().ReadString(kMapSection, water);
    if (stored.empty()) {
        return {};
    }
    const std::filesystem::path path = PathFromUtf8(workspace.ResolveStoredPath(stored));
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec) ? path : std::filesystem::path();
}

MapPictureChoice ChooseMapPicture(Workspace& workspace, std::string_view water,
                                  const std::filesystem::path& chosenFile) {
    MapPictureChoice choice;
    std::string bytes;
    if (!ReadFileBytes(chosenFile, bytes, choice.error)) {
        return choice;
    }
    const std::string chosenName = PathToUtf8(chosenFile.filename());
    const bool bitmap = IsBitmapName(chosenName);
    std::string reason;
    if (!DecodePicture(bytes, bitmap, choice.picture, reason)) {
        choice.error = NotReadable(chosenFile, reason);
        return choice;
    }
    if (bitmap && !EncodeJpeg(choice.picture, kMapJpegQuality, bytes, reason)) {
        choice.error = NotReadable(chosenFile, reason);
        return choice;
    }
    const std::filesystem::path target =
        FreeTarget(workspace, water, MapPictureFileName(chosenName));
    std::error_code ec;
    const bool existed = std::filesystem::exists(target, ec);
    if (!WriteFileAtomic(target, bytes, choice.error)) {
        return choice;
    }
    IniFile& settings = workspace.Settings();
    if (!settings.WriteString(kMapSection, water, PathToUtf8(target))) {
        choice.error = settings.LastError();
        if (!existed) {
            std::filesystem::remove(target, ec); // no copy that nothing refers to
        }
        return choice;
    }
    choice.ok = true;
    choice.path = target;
    return choice;
}

} // namespace zv
