#pragma once

#include "onlinestats/Aggregates.h"

#include <string>

namespace zv {

// The service's German pages, readable without JavaScript, charts drawn in
// SVG. Well-formed XML throughout; every text from an upload is escaped
// once, here. Links are relative to "/onlinestatistik/".

// The overview of all catches.
std::string OverviewPageHtml(const Aggregates& aggregates);
// One species, with the community's recommendation month by month.
std::string SpeciesPageHtml(const Aggregates& aggregates);
// A short page with a heading and one message, for errors.
std::string MessagePageHtml(const std::string& heading, const std::string& message,
                            const std::string& home);

} // namespace zv
