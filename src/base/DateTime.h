#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zv {

// A date-time value: days since 30.12.1899 00:00; the whole part is the
// date, the fraction the time of day. Before the base day the fraction is
// still the time of day (-1.25 is 29.12.1899 06:00).
using TDateTime = double;

struct DateParts {
    int year = 0;
    int month = 0;
    int day = 0;
};

struct TimeParts {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
bool IsValidDate(int year, int month, int day);

// Build a value; throws EConvertError for an impossible date or time.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond = 0);
bool TryEncodeDate(int year, int month, int day, TDateTime& value);

// Split a value. The value is first rounded to the nearest millisecond, so a
// time a hair before midnight belongs to the next day at 00:00:00.
DateParts DecodeDate(TDateTime value);
TimeParts DecodeTime(TDateTime value);

// 1 = Sunday … 7 = Saturday.
int DayOfWeek(TDateTime value);
// "Sonntag" … "Samstag" for 1 … 7, "Januar" … "Dezember" for 1 … 12.
std::string LongDayNameDe(int dayOfWeek);
std::string LongMonthNameDe(int month);

// Text forms: "05.06.2007", "18:42:07", "05.06.2007 18:42:07" (the time is
// left out when it is exactly midnight), "18:42" (hours and minutes).
// Every computed time becomes text by rounding to the nearest millisecond
// and then taking the whole seconds.
std::string DateToStr(TDateTime value);
std::string TimeToStr(TDateTime value);
std::string DateTimeToStr(TDateTime value);
std::string TimeToStrHHNN(TDateTime value);

// Parsing with the German short date (dd.mm.yyyy; d.m.yy and d.m are
// accepted too) and time formats (hh:nn:ss or hh:nn), surrounding blanks
// allowed. Failures throw EConvertError with the runtime's message.
TDateTime StrToDate(std::string_view text);
TDateTime StrToTime(std::string_view text);
TDateTime StrToDateTime(std::string_view text);
bool TryStrToDate(std::string_view text, TDateTime& value);
bool TryStrToTime(std::string_view text, TDateTime& value);
bool TryStrToDateTime(std::string_view text, TDateTime& value);

std::string InvalidDateMessage(std::string_view text);
std::string InvalidTimeMessage(std::string_view text);
std::string InvalidDateTimeMessage(std::string_view text);

// The current local time as a date-time value, from a source a test can fix.
class Clock {
public:
    virtual ~Clock() = default;
    virtual TDateTime Now() const = 0;
};

class SystemClock : public Clock {
public:
    TDateTime Now() const override;
};

class FixedClock : public Clock {
public:
    explicit FixedClock(TDateTime now) : now_(now) {}
    TDateTime Now() const override { return now_; }
    void Set(TDateTime now) { now_ = now; }

private:
    TDateTime now_;
};

// The clock the program uses; tests may install another one.
const Clock& CurrentClock();
void SetCurrentClock(const Clock* clock); // nullptr restores the system clock

} // namespace zv
