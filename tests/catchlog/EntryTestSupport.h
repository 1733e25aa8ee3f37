#pragma once

#include "base/Jpeg.h"
#include "storage/Schemas.h"
#include "storage/TMlbc.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace zv::test {

// A fresh program folder per test, removed afterwards.
class EntryFolder {
public:
    EntryFolder() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                ("zv-entry-" + std::to_string(rd()) + "-" + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~EntryFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    EntryFolder(const EntryFolder&) = delete;
    EntryFolder& operator=(const EntryFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

inline void PutBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::string GetBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A small JPEG of the given size: left half red, right half blue.
inline std::string MakeJpeg(int width, int height) {
    RgbImage image;
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = &image.pixels[(static_cast<std::size_t>(y) * width + x) * 3];
            p[0] = x < width / 2 ? 220 : 10;
            p[1] = 20;
            p[2] = x < width / 2 ? 10 : 220;
        }
    }
    std::string bytes;
    std::string error;
    EncodeJpeg(image, 90, bytes, error);
    return bytes;
}

// A catch table with the full schema and these rows (field → value; every
// other field stays empty).
inline std::unique_ptr<TMlbc>
CatchTable(const std::vector<std::map<std::string, std::string>>& rows) {
    auto table = MakeEmptyTable(CatchFields());
    for (const auto& row : rows) {
        table->AppendRow();
        for (const auto& [field, value] : row) {
            if (!table->SetData(field, value)) {
                throw std::invalid_argument("no field " + field);
            }
        }
    }
    return table;
}

} // namespace zv::test
