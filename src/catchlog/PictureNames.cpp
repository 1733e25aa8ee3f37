#include "catchlog/PictureNames.h"

#include "base/DateTime.h"
#include "base/RandomSource.h"

namespace zv {

std::string PictureNameStem(const Clock& clock, RandomSource& random) {
    const TDateTime now = clock.Now();
    const std::string raw = DateToStr(now) + TimeToStr(now) + std::to_string(random.Random(200));
    std::string stem;
    for (char c : raw) {
        if (c != '.' && c != ':') {
            stem += c;
        }
    }
    return stem;
}

std::string PictureFileName(std::string_view stem, int position) {
    return std::string(stem) + "_" + std::to_string(position) + ".jpg";
}

std::string EnlargedPictureName(std::string_view name) {
    std::string result(name);
    std::size_t pos = 0;
    while ((pos = result.find("small", pos)) != std::string::npos) {
        result.replace(pos, 5, "big");
        pos += 3;
    }
    return result;
}

} // namespace zv
