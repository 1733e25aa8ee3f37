#pragma once

#include <string>
#include <vector>

namespace zv {

// The fixed category lists of the statistics.

// "Januar" … "Dezember".
const std::vector<std::string>& MonthLabels();

// 24 hour buckets, "1-2 Uhr" … "23-0 Uhr", then "0-1 Uhr".
const std::vector<std::string>& HourBucketLabels();

// Position of the bucket an hour of the day (0 … 23) falls in: hour h goes to
// h − 1, midnight's hour to the last bucket.
int HourBucket(int hour);

// The four moon phase texts as the astronomy stores them, in tally order.
const std::vector<std::string>& MoonPhaseLabels();

// The three bait behaviours of the catch entry window.
const std::vector<std::string>& BaitBehaviourLabels();

// The text every filter drop-down starts with; it means "no filter".
inline constexpr const char* AllEntry = "- Alle -";

} // namespace zv
