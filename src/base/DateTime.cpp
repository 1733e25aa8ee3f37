#include "base/DateTime.h"

#include "base/EConvertError.h"
#include "base/GermanText.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace zv {
namespace {

constexpr long long kMsPerDay = 86400000LL;
// Days from 01.01.0001 (day 1) to 30.12.1899.
constexpr long long kDateDelta = 693594;

// The value as whole days (towards zero) and the milliseconds of the time of
// day, after rounding to the nearest millisecond.
void Split(TDateTime value, long long& days, long long& msOfDay) {
    const long long ms =
        static_cast<long long>(std::nearbyint(value * static_cast<double>(kMsPerDay)));
    days = ms / kMsPerDay;
    msOfDay = (ms < 0 ? -ms : ms) - (days < 0 ? -days : days) * kMsPerDay;
}

// Civil date of a day count since 01.01.1970 (proleptic Gregorian).
DateParts CivilFromDays(long long z) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return DateParts{static_cast<int>(y + (m <= 2 ? 1 : 0)), static_cast<int>(m),
                     static_cast<int>(d)};
}

// Days between 30.12.1899 and 01.01.1970.
constexpr long long kUnixEpochDays = 25569;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads an unsigned number of at most `maxDigits` digits.
bool ReadNumber(std::string_view s, std::size_t& pos, int& value, int& digits, int maxDigits) {
    value = 0;
    digits = 0;
    while (pos < s.size() && IsDigit(s[pos]) && digits < maxDigits) {
        value = value * 10 + (s[pos] - '0');
        ++pos;
        ++digits;
    }
    return digits > 0 && !(pos < s.size() && IsDigit(s[pos]));
}

bool ScanDate(std::string_view s, std::size_t& pos, TDateTime& value) {
    int n[3] = {0, 0, 0};
    int len[3] = {0, 0, 0};
    int count = 0;
    while (count < 3) {
        if (!ReadNumber(s, pos, n[count], len[count], 4)) {
            return false;
        }
        ++count;
        if (count < 3 && pos < s.size() && s[pos] == '.') {
            ++pos;
            if (count == 2 && (pos >= s.size() || !IsDigit(s[pos]))) {
                break; // "5.6." — day and month with a closing dot
            }
        } else {
            break;
        }
    }
    if (count < 2) {
        return false;
    }
    int day = n[0];
    int month = n[1];
    int year = 0;
    // The clock is asked only when the text leaves the year open.
    if (count == 2) {
        year = DecodeDate(CurrentClock().Now()).year;
    } else {
        year = n[2];
        if (len[2] <= 2) {
            // Two-digit years fall into the fifty years before and after today.
            const int century = DecodeDate(CurrentClock().Now()).year - 50;
            year += century / 100 * 100;
            if (year < century) {
                year += 100;
            }
        }
    }
    return TryEncodeDate(year, month, day, value);
}

bool ScanTime(std::string_view s, std::size_t& pos, TDateTime& value) {
    int h = 0, m = 0, sec = 0, ms = 0, digits = 0;
    if (!ReadNumber(s, pos, h, digits, 2) || pos >= s.size() || s[pos] != ':') {
        return false;
    }
    ++pos;
    if (!ReadNumber(s, pos, m, digits, 2)) {
        return false;
    }
    if (pos < s.size() && s[pos] == ':') {
        ++pos;
        if (!ReadNumber(s, pos, sec, digits, 2)) {
            return false;
        }
        if (pos < s.size() && s[pos] == ',') {
            ++pos;
            if (!ReadNumber(s, pos, ms, digits, 3)) {
                return false;
            }
        }
    }
    if (h > 23 || m > 59 || sec > 59) {
        return false;
    }
    value = EncodeTime(h, m, sec, ms);
    return true;
}

void SkipBlanks(std::string_view s, std::size_t& pos) {
    while (pos < s.size() && s[pos] == ' ') {
        ++pos;
    }
}

std::string Quoted(std::string_view text, const char* rest) {
    return "'" + std::string(text) + "' " + rest;
}

std::atomic<const Clock*> gClock{nullptr};

} // namespace

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    return kDays[static_cast<std::size_t>(month - 1)] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

bool IsValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

bool TryEncodeDate(int year, int month, int day, TDateTime& value) {
    if (!IsValidDate(year, month, day)) {
        return false;
    }
    long long days = 0;
    for (int m = 1; m < month; ++m) {
        days += DaysInMonth(year, m);
    }
    const long long y = year - 1;
    days += y * 365 + y / 4 - y / 100 + y / 400 + day - kDateDelta;
    value = static_cast<TDateTime>(days);
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime v = 0;
    if (!TryEncodeDate(year, month, day, v)) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", day, month, year);
        throw EConvertError(InvalidDateMessage(buf));
    }
    return v;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        millisecond < 0 || millisecond > 999) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", hour, minute, second);
        throw EConvertError(InvalidTimeMessage(buf));
    }
    return (hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + millisecond) /
           static_cast<double>(kMsPerDay);
}

DateParts DecodeDate(TDateTime value) {
    long long days = 0, ms = 0;
    Split(value, days, ms);
    return CivilFromDays(days - kUnixEpochDays);
}

TimeParts DecodeTime(TDateTime value) {
    long long days = 0, ms = 0;
    Split(value, days, ms);
    TimeParts t;
    t.hour = static_cast<int>(ms / 3600000);
    t.minute = static_cast<int>(ms / 60000 % 60);
    t.second = static_cast<int>(ms / 1000 % 60);
    t.millisecond = static_cast<int>(ms % 1000);
    return t;
}

int DayOfWeek(TDateTime value) {
    long long days = 0, ms = 0;
    Split(value, days, ms);
    long long r = (days + kDateDelta) % 7;
    if (r < 0) {
        r += 7;
    }
    return static_cast<int>(r) + 1;
}

std::string LongDayNameDe(int dayOfWeek) {
    static constexpr std::array<const char*, 7> kNames = {
        "Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"};
    if (dayOfWeek < 1 || dayOfWeek > 7) {
        return {};
    }
    return kNames[static_cast<std::size_t>(dayOfWeek - 1)];
}

std::string LongMonthNameDe(int month) {
    static constexpr std::array<const char*, 12> kNames = {
        "Januar", "Februar", "März",      "April",   "Mai",      "Juni",
        "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
    if (month < 1 || month > 12) {
        return {};
    }
    return kNames[static_cast<std::size_t>(month - 1)];
}

std::string DateToStr(TDateTime value) {
    const DateParts d = DecodeDate(value);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", d.day, d.month, d.year);
    return buf;
}

std::string TimeToStr(TDateTime value) {
    const TimeParts t = DecodeTime(value);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    return buf;
}

std::string TimeToStrHHNN(TDateTime value) {
    const TimeParts t = DecodeTime(value);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d", t.hour, t.minute);
    return buf;
}

std::string DateTimeToStr(TDateTime value) {
    long long days = 0, ms = 0;
    Split(value, days, ms);
    if (ms == 0) {
        return DateToStr(value);
    }
    return DateToStr(value) + " " + TimeToStr(value);
}

bool TryStrToDate(std::string_view text, TDateTime& value) {
    const std::string_view t = Trim(text);
    std::size_t pos = 0;
    TDateTime v = 0;
    if (!ScanDate(t, pos, v) || pos != t.size()) {
        return false;
    }
    value = v;
    return true;
}

bool TryStrToTime(std::string_view text, TDateTime& value) {
    const std::string_view t = Trim(text);
    std::size_t pos = 0;
    TDateTime v = 0;
    if (!ScanTime(t, pos, v) || pos != t.size()) {
        return false;
    }
    value = v;
    return true;
}

bool TryStrToDateTime(std::string_view text, TDateTime& value) {
    const std::string_view t = Trim(text);
    std::size_t pos = 0;
    TDateTime date = 0;
    if (ScanDate(t, pos, date)) {
        SkipBlanks(t, pos);
        if (pos == t.size()) {
            value = date;
            return true;
        }
        TDateTime time = 0;
        if (!ScanTime(t, pos, time) || pos != t.size()) {
            return false;
        }
        // Before the base day the fraction still counts forward in the day.
        value = date < 0 ? date - time : date + time;
        return true;
    }
    return TryStrToTime(t, value);
}

TDateTime StrToDate(std::string_view text) {
    TDateTime v = 0;
    if (!TryStrToDate(text, v)) {
        throw EConvertError(InvalidDateMessage(text));
    }
    return v;
}

TDateTime StrToTime(std::string_view text) {
    TDateTime v = 0;
    if (!TryStrToTime(text, v)) {
        throw EConvertError(InvalidTimeMessage(text));
    }
    return v;
}

TDateTime StrToDateTime(std::string_view text) {
    TDateTime v = 0;
    if (!TryStrToDateTime(text, v)) {
        throw EConvertError(InvalidDateTimeMessage(text));
    }
    return v;
}

std::string InvalidDateMessage(std::string_view text) {
    return Quoted(text, "ist kein gültiges Datum");
}

std::string InvalidTimeMessage(std::string_view text) {
    return Quoted(text, "ist keine gültige Uhrzeit");
}

std::string InvalidDateTimeMessage(std::string_view text) {
    return Quoted(text, "ist keine gültige Datums- und Uhrzeitangabe");
}

TDateTime SystemClock::Now() const {
    const auto now = std::chrono::system_clock::now();
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
    const std::time_t secs = static_cast<std::time_t>(ms / 1000);
    std::tm local{};
    localtime_r(&secs, &local);
    TDateTime date = 0;
    TryEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, date);
    const int sec = local.tm_sec > 59 ? 59 : local.tm_sec; // leap second
    return date + EncodeTime(local.tm_hour, local.tm_min, sec, static_cast<int>(ms % 1000));
}

const Clock& CurrentClock() {
    static const SystemClock systemClock;
    const Clock* c = gClock.load();
    return c != nullptr ? *c : systemClock;
}

void SetCurrentClock(const Clock* clock) {
    gClock.store(clock);
}

} // namespace zv
