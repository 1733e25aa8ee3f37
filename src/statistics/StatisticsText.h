#pragma once

#include "statistics/RecordCatch.h"

#include <string>

namespace zv {

// The average as shown: sum ÷ count with two decimals ("45,50"), "0" when
// there is nothing to divide by. The count is that of all catches of the
// selection, also those whose value is empty.
std::string FormatAverage(double sum, int count);

// The record catch as six lines joined by "\r": species, length, weight,
// weekday and date, time, bait.
std::string SpeciesRecordText(const RecordCatch& record);

// The record catch as five lines joined by "\r": species, length, weight,
// "gefangen am" weekday and date, time.
std::string BaitRecordText(const RecordCatch& record);

} // namespace zv
