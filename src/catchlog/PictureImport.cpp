#include "catchlog/PictureImport.h"

#include "base/AtomicFile.h"
#include "base/DateTime.h"
#include "base/RandomSource.h"
#include "catchlog/PictureNames.h"

#include <system_error>

#define STB_IMAGE_RESIZE_IMPLEMENTATION
#define STB_IMAGE_RESIZE_STATIC
#include <stb/stb_image_resize.h>

namespace zv {
namespace {

bool IsFile(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

// Tries a few stems so that a second save within the same second never
// writes over a picture of another catch.
std::string FreeStem(const std::filesystem::path& folder, const Clock& clock, RandomSource& random,
                     const std::vector<int>& positions) {
    std::string stem;
    for (int attempt = 0; attempt < 400; ++attempt) {
        stem = PictureNameStem(clock, random);
        bool free = true;
        for (int position : positions) {
            free = free && !IsFile(folder / PathFromUtf8(PictureFileName(stem, position)));
        }
        if (free) {
            break;
        }
    }
    return stem;
}

} // namespace

RgbImage StretchImage(const RgbImage& image, int width, int height) {
    RgbImage out;
    out.width = width;
    out.height = height;
    out.pixels.assign(static_cast<std::size_t>(width) * height * 3, 0);
    if (image.width <= 0 || image.height <= 0 || width <= 0 || height <= 0) {
        return out;
    }
    stbir_resize_uint8(image.pixels.data(), image.width, image.height, image.width * 3,
                       out.pixels.data(), width, height, width * 3, 3);
    return out;
}

std::filesystem::path PictureFolder(const std::filesystem::path& programFolder) {
    return programFolder / "img";
}

bool LoadJpegFile(const std::filesystem::path& path, RgbImage& image, std::string& error) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes, error)) {
        return false;
    }
    std::string reason;
    if (!DecodeJpeg(bytes, image, reason)) {
        error = "Die Datei \"" + PathToUtf8(path) + "\" ist kein lesbares JPEG-Bild.";
        return false;
    }
    return true;
}

PictureImportResult ImportPictures(const std::filesystem::path& programFolder,
                                   const std::vector<std::string>& items, const Clock& clock,
                                   RandomSource& random) {
    PictureImportResult result;
    if (items.empty()) {
        return result;
    }
    const std::filesystem::path folder = PictureFolder(programFolder);
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        result.ok = false;
        result.error = "Der Bilderordner \"" + PathToUtf8(folder) +
                       "\" fehlt. Die Bilder wurden nicht gespeichert.";
        return result;
    }

    // First pass: decide each item and read every picture to import.
    struct Planned {
        int position = 0;
        std::string keptName;
        RgbImage picture;
        bool import = false;
    };
    std::vector<Planned> plan;
    std::vector<int> importPositions;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string& item = items[i];
        Planned entry;
        entry.position = static_cast<int>(i);
        const std::filesystem::path source = PathFromUtf8(item);
        if (!item.empty() && source.is_absolute() && IsFile(source)) {
            if (!LoadJpegFile(source, entry.picture, result.error)) {
                result.ok = false;
                return result;
            }
            entry.import = true;
            importPositions.push_back(entry.position);
        } else if (!item.empty() && IsFile(folder / source)) {
            entry.keptName = item;
        } else {
            continue; // a picture that is gone
        }
        plan.push_back(std::move(entry));
    }

    // Second pass: write the imports; a failure takes back what was written.
    const std::string stem =
        importPositions.empty() ? std::string() : FreeStem(folder, clock, random, importPositions);
    std::vector<std::filesystem::path> written;
    for (Planned& entry : plan) {
        if (!entry.import) {
            result.names.push_back(entry.keptName);
            continue;
        }
        const std::string name = PictureFileName(stem, entry.position);
        const std::filesystem::path target = folder / PathFromUtf8(name);
        std::string jpeg;
        const RgbImage stretched = StretchImage(entry.picture, kPictureWidth, kPictureHeight);
        std::string error;
        if (!EncodeJpeg(stretched, kPictureQuality, jpeg, error) ||
            !WriteFileAtomic(target, jpeg, error)) {
            for (const auto& path : written) {
                std::filesystem::remove(path, ec);
            }
            result.ok = false;
            result.error = "Das Bild \"" + name + "\" konnte nicht gespeichert werden. " + error;
            result.names.clear();
            return result;
        }
        written.push_back(target);
        result.names.push_back(name);
    }
    return result;
}

} // namespace zv
