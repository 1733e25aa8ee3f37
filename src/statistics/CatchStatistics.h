#pragma once

#include "statistics/StatisticsResults.h"

#include <filesystem>
#include <functional>
#include <string_view>

namespace zv {

class TMlbc;

// The three catch statistics over the catch table. Each takes a catcher
// (compared exactly with Faenger; empty = all catchers) and a year (0 = all
// years) and its own selection; "- Alle -" in any of these texts means no
// restriction. The value lists are read from DATs in the program folder at
// every call.
//
// A cell the computation has to parse (length, weight, date and time of the
// selected rows; the three weather numbers of every row) that is not a valid
// number, date or time ends the computation with an EConvertError carrying
// the German message that names the text; no result is returned then.
//
// The table's cursor is left on the last row visited; nothing is written.

SpeciesResult SpeciesStatistics(TMlbc& catches, const std::filesystem::path& programFolder,
                                std::string_view catcher, int year, std::string_view species);

BaitResult BaitStatistics(TMlbc& catches, const std::filesystem::path& programFolder,
                          std::string_view catcher, int year, std::string_view baitType,
                          std::string_view bait);

// The species "--Gesamt--" means all species as well. `afterBounds`, when
// given, runs once the ranges are known and before the selection is counted:
// a window clears its old lists there, so that a bad weather number leaves
// them standing while a bad catch date of the selection leaves them empty.
WeatherResult WeatherStatistics(TMlbc& catches, const std::filesystem::path& programFolder,
                                std::string_view catcher, int year, std::string_view species,
                                const std::function<void()>& afterBounds = {});

} // namespace zv
