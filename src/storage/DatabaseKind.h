#pragma once

#include <string>
#include <vector>

namespace zv {

// The three databases of the program.
enum class DatabaseKind { Catch, Cost, Calendar };

// Their schemas (Schemas.h) and the key under [Datenbank] that holds their path.
const std::vector<std::string>& FieldsOf(DatabaseKind kind);
const char* SettingsKeyOf(DatabaseKind kind); // "Zelvorin", "Angelkosten", "Kalender"
// The default file in the program folder: "Datenbank.f", "Angelkosten.a", "Kalender.cal".
const char* DefaultFileNameOf(DatabaseKind kind);
// German name for messages: "Fangdatenbank", "Angelkostendatenbank", "Kalenderdatenbank".
const char* GermanNameOf(DatabaseKind kind);

} // namespace zv
