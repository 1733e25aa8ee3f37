#include "storage/DatabaseKind.h"

#include "storage/Schemas.h"

namespace zv {

const std::vector<std::string>& FieldsOf(DatabaseKind kind) {
    switch (kind) {
    case DatabaseKind::Catch:
        return CatchFields();
    case DatabaseKind::Cost:
        return CostFields();
    case DatabaseKind::Calendar:
        break;
    }
    return CalendarFields();
}

const char* SettingsKeyOf(DatabaseKind kind) {
    switch (kind) {
    case DatabaseKind::Catch:
        return "Zelvorin";
    case DatabaseKind::Cost:
        return "Angelkosten";
    case DatabaseKind::Calendar:
        break;
    }
    return "Kalender";
}

const char* DefaultFileNameOf(DatabaseKind kind) {
    switch (kind) {
    case DatabaseKind::Catch:
        return "Datenbank.f";
    case DatabaseKind::Cost:
        return "Angelkosten.a";
    case DatabaseKind::Calendar:
        break;
    }
    return "Kalender.cal";
}

const char* GermanNameOf(DatabaseKind kind) {
    switch (kind) {
    case DatabaseKind::Catch:
        return "Fangdatenbank";
    case DatabaseKind::Cost:
        return "Angelkostendatenbank";
    case DatabaseKind::Calendar:
        break;
    }
    return "Kalenderdatenbank";
}

} // namespace zv
