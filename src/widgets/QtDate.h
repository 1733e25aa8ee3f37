#pragma once

#include "base/DateTime.h"

#include <QDate>
#include <QTime>

namespace zv {

// Dates and times are TDateTime in the engine and QDate/QTime only inside
// the date and time pickers.
inline QDate ToQDate(TDateTime value) {
    const DateParts parts = DecodeDate(value);
    return QDate(parts.year, parts.month, parts.day);
}

inline QTime ToQTime(TDateTime value) {
    const TimeParts parts = DecodeTime(value);
    return QTime(parts.hour, parts.minute, parts.second, parts.millisecond);
}

inline TDateTime DateValue(const QDate& date) {
    return EncodeDate(date.year(), date.month(), date.day());
}

inline TDateTime TimeValue(const QTime& time) {
    return EncodeTime(time.hour(), time.minute(), time.second(), time.msec());
}

} // namespace zv
