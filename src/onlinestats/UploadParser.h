#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// Positions (from 0) of the fields of an upload line that the service reads.
enum UploadField : std::size_t {
    kDateField = 0,
    kTimeField = 1,
    kSpeciesField = 2,
    kLengthField = 3,
    kWeightField = 4,
    kMethodField = 5,
    kBaitField = 6,
    kColourField = 7,
    kBaitLengthField = 8,
    kBaitTypeField = 9,
    kWeatherField = 10,
    kMoonPhaseField = 18,
    kCatcherField = 20,
    kWaterField = 21,
    kSpotField = 22,
};

// One catch of an upload: its 23 fields as UTF-8 and what the statistics
// read from them.
struct UploadedCatch {
    static constexpr std::size_t kFieldCount = 23;
    // Fields 1-20 make a catch; the last three are the personal ones.
    static constexpr std::size_t kIdentityFieldCount = 20;

    // Field 1 rewritten without leading zeros ("2007-5-7"), so a date
    // written two ways is still one catch.
    std::array<std::string, kFieldCount> fields;
    int month = 0;                // 1 … 12
    int hour = -1;                // of the catch time, -1 when it is not a time
    std::string species;          // field 3 without surrounding blanks
    std::optional<double> length; // field 4 in cm, when a number greater than 0
    std::optional<double> weight; // field 5 in g, likewise
    std::string identity;         // the first 16 bytes of the SHA-256 of fields 1-20
};

struct ParsedUpload {
    std::vector<UploadedCatch> catches; // in file order
    int skipped = 0;                    // lines that are not a catch
};

// A catch from its 23 fields (UTF-8): nothing when field 1 is not a date.
// The identity is left empty; it is made for a catch that comes in.
std::optional<UploadedCatch>
CatchFromFields(std::array<std::string, UploadedCatch::kFieldCount> fields);

// Reads an upload file: Windows-1252 text, one catch per line (CR LF; a
// bare LF is taken as well), 23 fields separated by ";", field 1 a date
// "YYYY-M-D". A line with another number of fields or whose date is not a
// date is skipped and counted. A final line end adds no line.
ParsedUpload ParseUpload(std::string_view bytes);

} // namespace zv
