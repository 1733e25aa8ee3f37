#pragma once

#include "base/DateTime.h"

#include <array>

namespace zv {

// The astronomical calculator of the catch entry window: the moon phase and
// the local clock times of sunrise, sunset, moonrise and moonset of one day
// at one observing site.
//
// A day is computed when the calculator is created, when SetDay moves it to
// another day and when the site changes. Should a body not rise or set on
// the day (E_NoRiseSet), the new date stays current and everything computed
// before the failure is kept; the day counts as unfinished, so the next
// SetDay to it computes again instead of silently keeping the old values.
class TSRCalendar {
public:
    // The site of the catch entry window: 51.6 degrees north, 7.5 degrees
    // east (longitudes count west positive).
    static constexpr float kEntryLatitude = 51.6f;
    static constexpr float kEntryLongitude = -7.5f;

    // Computes the current date and time of the program clock.
    TSRCalendar();
    // Computes the given date-time value at the given site.
    explicit TSRCalendar(TDateTime initial, float latitude = kEntryLatitude,
                         float longitude = kEntryLongitude);

    float Latitude() const { return latitude_; }
    float Longitude() const { return longitude_; }
    // A different value recomputes the current date.
    void SetLatitude(float latitude);
    void SetLongitude(float longitude);

    // The value last given to SetDay (or at creation), time of day included.
    TDateTime CurrentDate() const { return currentDate_; }
    // Moves to the day of value; a value on the current day changes nothing,
    // whatever its time of day.
    void SetDay(TDateTime value);

    // 0 new moon, 1 waxing, 2 full moon, 3 waning.
    int MoonPhase() const { return moonPhase_; }
    // Local clock times as date-time values (date plus fraction of a day).
    long double Sunrise() const { return sunrise_; }
    long double Sunset() const { return sunset_; }
    long double Moonrise() const { return moonrise_; }
    long double Moonset() const { return moonset_; }

    // The offset of the local clock from Universal Time on the day of value:
    // one hour, two in summer time.
    static long double ClockOffset(long double value);

private:
    void Compute();
    long double CachedDailyMinimum(long double day);

    float latitude_;
    float longitude_;
    TDateTime currentDate_;
    bool complete_ = false;

    int moonPhase_ = 0;
    long double sunrise_ = 0;
    long double sunset_ = 0;
    long double moonrise_ = 0;
    long double moonset_ = 0;

    // The daily minimum of the illuminated fraction depends on the day only,
    // so a walk from day to day reuses the neighbours computed before.
    struct CachedMinimum {
        long double day = 0;
        long double value = 0;
        bool filled = false;
    };
    std::array<CachedMinimum, 4> minimumCache_{};
    std::size_t nextCacheSlot_ = 0;
};

} // namespace zv
