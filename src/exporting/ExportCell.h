#pragma once

#include <string_view>

namespace zv {

// What a column of the three tables holds, by field name: the stored text
// of a date, time or number column becomes a typed spreadsheet cell when it
// is exactly the form the program writes; every other text stays text.
enum class ColumnKind { Text, Date, Time, Number };

ColumnKind ColumnKindOf(std::string_view fieldName);

// One cell as a spreadsheet holds it. Dates and times are days since
// 30.12.1899 (the spreadsheets' own serial numbers from 01.03.1900 on).
struct ExportCell {
    enum class Type {
        Empty,
        Text,
        Date,   // "dd.mm.yyyy"
        Time,   // "hh:mm:ss"
        Number, // general format, shows as stored ("12,5")
        Fixed2, // two decimals, shows as stored ("12,50")
    };
    Type type = Type::Empty;
    double value = 0;
};

// The typed cell for `text` in a column of `kind`. A text becomes a date,
// time or number only when the spreadsheet shows it exactly as stored:
// "1.2.2020", "7:05", "12,500" or "+3" stay text, and so does a date the
// spreadsheets cannot hold (before 01.03.1900).
ExportCell TypeCell(ColumnKind kind, std::string_view text);

} // namespace zv
