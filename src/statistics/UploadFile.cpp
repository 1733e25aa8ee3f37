#include "statistics/UploadFile.h"

#include "base/EConvertError.h"
#include "base/Win1252.h"
#include "storage/TMlbc.h"

#include <array>

namespace zv {

namespace {

// Fields 2 to 20 of a line, sent as stored.
constexpr std::array<const char*, 19> kPlainFields = {
    "Fangzeit",    "Fischart",       "Laenge",       "Gewicht",       "Fangmethode",
    "Koeder",      "KoederFarbe",    "KoederLaenge", "Koedertyp",     "Wetter",
    "Lufttemp",    "Wassertemp",     "Luftdruck",    "Windrichtung",  "Windstaerke",
    "Wasserstand", "Wassertruebung", "Mondphase",    "zurueckgesetzt"};

} // namespace

std::string UploadDateText(TDateTime date) {
    const DateParts parts = DecodeDate(date);
    return std::to_string(parts.year) + "-" + std::to_string(parts.month) + "-" +
           std::to_string(parts.day);
}

std::string UploadFileName(TDateTime now) {
    const DateParts date = DecodeDate(now);
    const TimeParts time = DecodeTime(now);
    return std::to_string(date.day) + std::to_string(date.month) + std::to_string(date.year) +
           std::to_string(time.hour) + std::to_string(time.minute) + std::to_string(time.second) +
           std::to_string(time.millisecond) + ".dat";
}

std::string UploadFileBytes(const TMlbc& catches, const UploadPersonalFields& personal) {
    // Positions are looked up once; a field the table lacks (a file of an
    // older layout) gives empty cells, as Cell() returns nothing for 0.
    const int datePosition = catches.FieldIndex("Fangdatum");
    std::array<int, kPlainFields.size()> positions{};
    for (std::size_t i = 0; i < kPlainFields.size(); ++i) {
        positions[i] = catches.FieldIndex(kPlainFields[i]);
    }
    const int personalPositions[] = {
        personal.faenger ? catches.FieldIndex("Faenger") : 0,
        personal.gewaesser ? catches.FieldIndex("Gewaesser") : 0,
        personal.stelle ? catches.FieldIndex("Stelle") : 0,
    };

    std::string bytes;
    std::string line;
    for (int row = 1; row <= catches.RowCount(); ++row) {
        line = UploadDateText(StrToDate(catches.Cell(row, datePosition)));
        for (const int position : positions) {
            line += ';';
            line += catches.Cell(row, position);
        }
        for (const int position : personalPositions) {
            line += ';';
            line += catches.Cell(row, position);
        }
        line += "\r\n";
        // Cells read from a file always map back to their bytes; a text
        // typed into memory that Windows-1252 cannot hold stops the upload
        // instead of sending something else.
        std::string badChar;
        if (!AppendUtf8AsWin1252(line, bytes, &badChar)) {
            throw EConvertError(NonWin1252Message(badChar));
        }
    }
    return bytes;
}

} // namespace zv
