#pragma once

#include <memory>
#include <string>
#include <vector>

namespace zv {

class TMlbc;

// The field lists of the three databases, in the order every database the
// program creates or converts has them.
const std::vector<std::string>& CatchFields();    // 38 fields, Fangdatum … zurueckgesetzt
const std::vector<std::string>& CostFields();     // 7 fields, Kaufdatum … Versandkosten
const std::vector<std::string>& CalendarFields(); // 22 fields, Datum … Monduntergang

// A new table with exactly these fields, in order, and no rows.
std::unique_ptr<TMlbc> MakeEmptyTable(const std::vector<std::string>& fields);

} // namespace zv
