#include "calendar/TSRCalendar.h"

#include "calendar/Astronomy.h"

namespace zv {

TSRCalendar::TSRCalendar() : TSRCalendar(CurrentClock().Now()) {}

TSRCalendar::TSRCalendar(TDateTime initial, float latitude, float longitude)
    : latitude_(latitude), longitude_(longitude), currentDate_(initial) {
    Compute();
}

void TSRCalendar::SetLatitude(float latitude) {
    if (latitude == latitude_) {
        return;
    }
    latitude_ = latitude;
    Compute();
}

void TSRCalendar::SetLongitude(float longitude) {
    if (longitude == longitude_) {
        return;
    }
    longitude_ = longitude;
    Compute();
}

void TSRCalendar::SetDay(TDateTime value) {
    if (complete_ && WholeDay(value) == WholeDay(currentDate_)) {
        return;
    }
    currentDate_ = value;
    Compute();
}

long double TSRCalendar::ClockOffset(long double value) {
    const long double hour = 1.0L / 24.0L;
    return IsSummerTime(value) ? 2 * hour : hour;
}

long double TSRCalendar::CachedDailyMinimum(long double day) {
    for (const CachedMinimum& entry : minimumCache_) {
        if (entry.filled && entry.day == day) {
            return entry.value;
        }
    }
    CachedMinimum& slot = minimumCache_[nextCacheSlot_];
    nextCacheSlot_ = (nextCacheSlot_ + 1) % minimumCache_.size();
    slot.day = day;
    slot.value = DailyMinimumFraction(day);
    slot.filled = true;
    return slot.value;
}

void TSRCalendar::Compute() {
    complete_ = false;
    const long double value = currentDate_;
    const long double day = WholeDay(value);
    const long double longitude = longitude_;
    const long double latitude = latitude_;
    const long double offset = ClockOffset(value);

    moonPhase_ = MoonPhaseClass(CachedDailyMinimum(day - 1), CachedDailyMinimum(day),
                                CachedDailyMinimum(day + 1));
    const RiseAndSet moon = RiseAndSetTimes(Body::Moon, longitude, latitude, value);
    moonrise_ = moon.rise + offset;
    moonset_ = moon.set + offset;
    const RiseAndSet sun = RiseAndSetTimes(Body::Sun, longitude, latitude, value);
    sunrise_ = sun.rise + offset;
    sunset_ = sun.set + offset;
    complete_ = true;
}

} // namespace zv
