#include "cli/DayCommand.h"

#include "base/DateTime.h"
#include "base/EConvertError.h"
#include "calendar/AstroDayTexts.h"
#include "calendar/E_NoRiseSet.h"
#include "calendar/TSRCalendar.h"

#include <ostream>

namespace zv::cli {

namespace {

constexpr const char* kDayUsage = "Aufruf: zelvorin-cli day TT.MM.JJJJ [TT.MM.JJJJ …]\n"
                                  "       zelvorin-cli day --range VON BIS\n";

void PrintDay(TSRCalendar& calendar, TDateTime day, std::ostream& out) {
    calendar.SetDay(day);
    const AstroDayTexts texts = DayTexts(calendar);
    out << DateToStr(day) << ';' << texts.moonPhase << ';' << texts.sunrise << ';' << texts.sunset
        << ';' << texts.moonrise << ';' << texts.moonset << '\n';
}

} // namespace

int RunDayCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << kDayUsage;
        return 2;
    }
    const bool range = args[0] == "--range";
    bool unknownOption = false;
    for (std::size_t i = range ? 1 : 0; i < args.size(); ++i) {
        unknownOption = unknownOption || args[i].rfind("--", 0) == 0;
    }
    if (unknownOption || (range && args.size() != 3)) {
        err << kDayUsage;
        return 2;
    }
    try {
        if (range) {
            const TDateTime from = StrToDate(args[1]);
            const TDateTime to = StrToDate(args[2]);
            if (to < from) {
                err << "Das Enddatum " << DateToStr(to) << " liegt vor dem Anfangsdatum "
                    << DateToStr(from) << ".\n";
                return 1;
            }
            // Created at the first day; every day goes through SetDay.
            TSRCalendar calendar(from);
            for (TDateTime day = from; day <= to; day += 1) {
                PrintDay(calendar, day, out);
            }
        } else {
            std::vector<TDateTime> days;
            for (const std::string& text : args) {
                days.push_back(StrToDate(text));
            }
            TSRCalendar calendar(days.front());
            for (const TDateTime day : days) {
                PrintDay(calendar, day, out);
            }
        }
    } catch (const EConvertError& e) {
        err << e.what() << '\n';
        return 1;
    } catch (const E_NoRiseSet& e) {
        err << e.what() << '\n';
        return 1;
    }
    return 0;
}

} // namespace zv::cli
