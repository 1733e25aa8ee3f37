#pragma once

#include "onlinestats/Aggregates.h"

#include <string>

namespace zv {

// The summary for programs, UTF-8 JSON:
// {"catches": N, "uploads": U, "species": [{"name": S, "catches": n,
//  "avgLengthCm": a, "maxLengthCm": b, "avgWeightG": c, "maxWeightG": d}, …],
//  "months": [12 counts, January first], "moonPhases": {"Vollmond": n, …}}
std::string SummaryJson(const Aggregates& aggregates);

} // namespace zv
