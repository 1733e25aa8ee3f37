#pragma once

#include "base/DateTime.h"

#include <string>

namespace zv {

// The heaviest catch of a selection.
struct RecordCatch {
    int row = 0; // 1-based row number in the catch table
    std::string species;
    double length = 0; // 0 when the catch has no length
    double weight = 0;
    TDateTime date = 0; // whole day of the catch
    TDateTime time = 0; // time of day of the catch
    std::string bait;

    bool operator==(const RecordCatch&) const = default;
};

} // namespace zv
