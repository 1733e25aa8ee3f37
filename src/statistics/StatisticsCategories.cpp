#include "statistics/StatisticsCategories.h"

#include "base/DateTime.h"

namespace zv {

const std::vector<std::string>& MonthLabels() {
    static const std::vector<std::string> labels = [] {
        std::vector<std::string> names;
        for (int month = 1; month <= 12; ++month) {
            names.push_back(LongMonthNameDe(month));
        }
        return names;
    }();
    return labels;
}

const std::vector<std::string>& HourBucketLabels() {
    static const std::vector<std::string> labels = [] {
        std::vector<std::string> names;
        for (int hour = 1; hour <= 24; ++hour) {
            const int start = hour % 24;
            const int end = (hour + 1) % 24;
            names.push_back(std::to_string(start) + "-" + std::to_string(end) + " Uhr");
        }
        return names;
    }();
    return labels;
}

int HourBucket(int hour) {
    return hour == 0 ? 23 : hour - 1;
}

const std::vector<std::string>& MoonPhaseLabels() {
    static const std::vector<std::string> labels = {"Abnehmender Mond", "Zunehmender Mond",
                                                    "Vollmond", "Neumond"};
    return labels;
}

const std::vector<std::string>& BaitBehaviourLabels() {
    static const std::vector<std::string> labels = {"schwimmend", "sinkend", "schwebend"};
    return labels;
}

} // namespace zv
