#include "exporting/ExportCell.h"

#include "base/DateTime.h"
#include "base/GermanText.h"
#include "base/NumberText.h"

#include <array>

namespace zv {
namespace {

constexpr std::array kDateFields = {"Fangdatum", "Datum", "Kaufdatum"};
constexpr std::array kTimeFields = {"Fangzeit",      "Angelbeginn",     "Angelende",
                                    "Sonnenaufgang", "Sonnenuntergang", "Mondaufgang",
                                    "Monduntergang"};
constexpr std::array kNumberFields = {"Laenge",      "Gewicht",      "Geschwindigkeit", "Distanz",
                                      "Tiefe",       "KoederLaenge", "GPSLat",          "GPSLong",
                                      "Lufttemp",    "Wassertemp",   "Luftdruck",       "Menge",
                                      "Einzelpreis", "Gesamtpreis",  "Versandkosten"};

// 01.03.1900: from here on the spreadsheets count days as the program does;
// before it they count a 29.02.1900 that never was.
constexpr double kFirstSerialDate = 61;

template <std::size_t N>
bool Contains(const std::array<const char*, N>& names, std::string_view field) {
    for (const char* name : names) {
        if (SameTextDe(name, field)) {
            return true;
        }
    }
    return false;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The two digits at `at`, or -1.
int TwoDigits(std::string_view text, std::size_t at) {
    if (!IsDigit(text[at]) || !IsDigit(text[at + 1])) {
        return -1;
    }
    return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

bool ParseDate(std::string_view text, double& value) {
    if (text.size() != 10 || text[2] != '.' || text[5] != '.') {
        return false;
    }
    const int day = TwoDigits(text, 0);
    const int month = TwoDigits(text, 3);
    const int high = TwoDigits(text, 6);
    const int low = TwoDigits(text, 8);
    if (day < 0 || month < 0 || high < 0 || low < 0) {
        return false;
    }
    TDateTime date = 0;
    if (!TryEncodeDate(high * 100 + low, month, day, date) || date < kFirstSerialDate) {
        return false;
    }
    value = date;
    return true;
}

bool ParseTime(std::string_view text, double& value) {
    if (text.size() != 8 || text[2] != ':' || text[5] != ':') {
        return false;
    }
    const int hour = TwoDigits(text, 0);
    const int minute = TwoDigits(text, 3);
    const int second = TwoDigits(text, 6);
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
        return false;
    }
    value = (hour * 3600 + minute * 60 + second) / 86400.0;
    return true;
}

// Only the characters a number text can hold are worth a conversion.
bool LooksNumeric(std::string_view text) {
    for (const char c : text) {
        if (!IsDigit(c) && c != ',' && c != '-' && c != '+' && c != 'E' && c != 'e') {
            return false;
        }
    }
    return true;
}

} // namespace

ColumnKind ColumnKindOf(std::string_view fieldName) {
    if (Contains(kDateFields, fieldName)) {
        return ColumnKind::Date;
    }
    if (Contains(kTimeFields, fieldName)) {
        return ColumnKind::Time;
    }
    if (Contains(kNumberFields, fieldName)) {
        return ColumnKind::Number;
    }
    return ColumnKind::Text;
}

ExportCell TypeCell(ColumnKind kind, std::string_view text) {
    if (text.empty()) {
        return {};
    }
    ExportCell cell{ExportCell::Type::Text, 0};
    double value = 0;
    switch (kind) {
    case ColumnKind::Date:
        if (ParseDate(text, value)) {
            cell = {ExportCell::Type::Date, value};
        }
        break;
    case ColumnKind::Time:
        if (ParseTime(text, value)) {
            cell = {ExportCell::Type::Time, value};
        }
        break;
    case ColumnKind::Number:
        if (LooksNumeric(text) && TryStrToFloatDe(text, value)) {
            if (FloatToStrDe(value) == text) {
                cell = {ExportCell::Type::Number, value};
            } else if (FormatFixed2(value) == text) {
                cell = {ExportCell::Type::Fixed2, value};
            }
        }
        break;
    case ColumnKind::Text:
        break;
    }
    return cell;
}

} // namespace zv
