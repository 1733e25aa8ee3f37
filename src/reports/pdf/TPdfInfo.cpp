#include "reports/pdf/TPdfInfo.h"

#include "base/DateTime.h"

#include <cstdio>

namespace zv {

std::string TPdfInfo::PdfDateNow() {
    TDateTime now = CurrentClock().Now();
    DateParts date = DecodeDate(now);
    TimeParts time = DecodeTime(now);
    char text[32];
    std::snprintf(text, sizeof text, "D:%04d%02d%02d%02d%02d%02d", date.year, date.month, date.day,
                  time.hour, time.minute, time.second);
    return text;
}

} // namespace zv
