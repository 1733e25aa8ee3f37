#pragma once

#include "base/DateTime.h"

#include <string>

namespace zv {

class TMlbc;

// Which personal fields go into the upload file; each is sent only when the
// angler ticks it, otherwise its field stays empty.
struct UploadPersonalFields {
    bool faenger = false;
    bool gewaesser = false;
    bool stelle = false;
};

// The upload file's bytes: one line per catch in table order, 23 fields
// separated by ";", CR LF after every line, the cells as stored
// (Windows-1252) and nothing quoted or escaped. The first field is the catch
// date as year-month-day without leading zeros. A Fangdatum that is not a
// date throws EConvertError before anything is returned; the table's cursor
// does not move.
std::string UploadFileBytes(const TMlbc& catches, const UploadPersonalFields& personal);

// The catch date as the server reads it: 2007-5-7.
std::string UploadDateText(TDateTime date);

// The upload file's name from the local time: day, month, year, hour,
// minute, second and millisecond without leading zeros, then ".dat"
// (08.12.2007 15:04:05.120 gives 81220071545120.dat).
std::string UploadFileName(TDateTime now);

} // namespace zv
