#include "catchlog/MapMarkers.h"

#include "base/NumberText.h"
#include "catchlog/SpeciesColors.h"
#include "storage/TMlbc.h"

#include <algorithm>
#include <exception>

namespace zv {

void ParseMapPosition(std::string_view text, int& x, int& y) {
    const std::size_t comma = text.find(',');
    // Without a comma the part before it is empty, and so not a number.
    x = StrToIntDe(comma == std::string_view::npos ? std::string_view() : text.substr(0, comma));
    y = StrToIntDe(comma == std::string_view::npos ? text : text.substr(comma + 1));
}

MapMarking CollectMapMarkers(const TMlbc& db, std::string_view water) {
    MapMarking marking;
    const int position = db.FieldIndex("Kartenpos");
    const int waterField = db.FieldIndex("Gewaesser");
    const int species = db.FieldIndex("Fischart");
    if (position == 0 || waterField == 0) {
        return marking;
    }
    const int rows = db.RowCount();
    for (int row = 1; row <= rows; ++row) {
        const std::string_view text = db.Cell(row, position);
        if (text.empty() || db.Cell(row, waterField) != water) {
            continue;
        }
        MapMarker marker;
        marker.row = row;
        try {
            ParseMapPosition(text, marker.x, marker.y);
        } catch (const std::exception& error) {
            marking.error = error.what();
            break;
        }
        marker.species = std::string(db.Cell(row, species));
        marking.markers.push_back(std::move(marker));
    }
    return marking;
}

void DrawMarkers(RgbImage& picture, const std::vector<MapMarker>& markers,
                 const SpeciesColors& colors) {
    // 64-bit bounds: a position near the largest whole number must not wrap.
    const long long width = picture.width;
    const long long height = picture.height;
    for (const MapMarker& marker : markers) {
        const MapColor color = colors.Marker(marker.species);
        const long long left = std::max<long long>(marker.x, 0);
        const long long right =
            std::min<long long>(static_cast<long long>(marker.x) + kMarkerSize, width);
        const long long top = std::max<long long>(marker.y, 0);
        const long long bottom =
            std::min<long long>(static_cast<long long>(marker.y) + kMarkerSize, height);
        for (long long y = top; y < bottom; ++y) {
            for (long long x = left; x < right; ++x) {
                std::uint8_t* pixel = picture.pixels.data() + (y * width + x) * 3;
                pixel[0] = color.red;
                pixel[1] = color.green;
                pixel[2] = color.blue;
            }
        }
    }
}

const MapMarker* MarkerAt(const std::vector<MapMarker>& markers, int x, int y) {
    const MapMarker* found = nullptr;
    for (const MapMarker& marker : markers) {
        const bool recorded = marker.x != 0 && marker.y != 0;
        const long long dx = static_cast<long long>(x) - marker.x;
        const long long dy = static_cast<long long>(y) - marker.y;
        if (recorded && dx >= 0 && dx < kMarkerSize && dy >= 0 && dy < kMarkerSize &&
            (found == nullptr || marker.row > found->row)) {
            found = &marker;
        }
    }
    return found;
}

std::string MarkerHint(const TMlbc& db, int row) {
    const auto cell = [&](std::string_view field) {
        return std::string(db.Cell(row, db.FieldIndex(field)));
    };
    return cell("Fischart") + ", " + cell("Laenge") + " cm " + cell("Gewicht") + " g";
}

} // namespace zv
