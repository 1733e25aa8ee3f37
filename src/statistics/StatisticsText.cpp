#include "statistics/StatisticsText.h"

#include "base/DateTime.h"
#include "base/NumberText.h"

namespace zv {

namespace {

std::string TwoDecimals(double value) {
    return FormatFixed2(value);
}

std::string WeekdayAndDate(TDateTime date) {
    return LongDayNameDe(DayOfWeek(date)) + ", " + DateToStr(date);
}

} // namespace

std::string FormatAverage(double sum, int count) {
    if (count <= 0) {
        return "0";
    }
    return TwoDecimals(sum / count);
}

std::string SpeciesRecordText(const RecordCatch& record) {
    return record.species + "\r" + "Länge: " + TwoDecimals(record.length) + " cm\r" +
           "Gewicht: " + TwoDecimals(record.weight) + " g\r" + WeekdayAndDate(record.date) + "\r" +
           "um " + TimeToStr(record.time) + " Uhr\r" + "mit " + record.bait;
}

std::string BaitRecordText(const RecordCatch& record) {
    return record.species + "\r" + "Länge: " + TwoDecimals(record.length) + " cm\r" +
           "Gewicht: " + TwoDecimals(record.weight) + " g\r" + "gefangen am " +
           WeekdayAndDate(record.date) + "\r" + "um " + TimeToStr(record.time) + " Uhr";
}

} // namespace zv
