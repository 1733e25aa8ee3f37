#include "onlinestats/StatisticsPage.h"

#include "base/NumberText.h"
#include "onlinestats/MarkupText.h"
#include "onlinestats/SvgChart.h"

namespace zv {

namespace {

const char* const kStyle =
    "body{font-family:sans-serif;margin:0 auto;max-width:60em;padding:0 1em;color:#222}"
    "h1{color:#10346e}h2{color:#10346e;border-bottom:1px solid #ccd;margin-top:1.6em}"
    "table{border-collapse:collapse}th,td{padding:.2em .7em;border-bottom:1px solid #dde}"
    "th{text-align:left;background:#eef2f8}td.n{text-align:right}"
    ".totals{font-size:1.2em}.note{color:#666;font-size:.9em}"
    "svg text{font-size:11px;fill:#222}svg{max-width:100%;height:auto}";

// Abbreviations that fit twelve bars side by side.
const char* const kMonthShort[] = {"Jan", "Feb", "Mär", "Apr", "Mai", "Jun",
                                   "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};

std::string Head(const std::string& title) {
    return "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"de\">\n<head>"
           "<meta charset=\"utf-8\"/><meta name=\"viewport\" content=\"width=device-width, "
           "initial-scale=1\"/><title>" +
           HtmlEscaped(title) + "</title><style>" + kStyle + "</style></head>\n<body>\n";
}

const char* const kTail = "</body>\n</html>\n";

std::string Decimal(const std::optional<double>& value) {
    return value ? FloatToStrDe(*value) : "–";
}

std::string Cell(const std::string& text, bool number = false) {
    return std::string(number ? "<td class=\"n\">" : "<td>") + HtmlEscaped(text) + "</td>";
}

std::string Section(const std::string& heading) {
    return "<h2>" + HtmlEscaped(heading) + "</h2>\n";
}

std::string Note(const std::string& text) {
    return "<p class=\"note\">" + HtmlEscaped(text) + "</p>\n";
}

std::string Ranking(const std::string& heading, const std::string& column,
                    const std::vector<LabelCount>& counts, const std::string& emptyNote) {
    std::string html = Section(heading);
    if (counts.empty()) {
        return html + Note(emptyNote);
    }
    html += "<table><thead><tr><th>Platz</th><th>" + HtmlEscaped(column) +
            "</th><th>Fänge</th></tr></thead><tbody>";
    int place = 0;
    for (const LabelCount& count : counts) {
        html += "<tr>" + Cell(std::to_string(++place) + ".", true) + Cell(count.label) +
                Cell(std::to_string(count.catches), true) + "</tr>";
    }
    return html + "</tbody></table>\n";
}

// The charts and lists that the overview and a species page share.
std::string Details(const Aggregates& a) {
    std::vector<std::string> months(std::begin(kMonthShort), std::end(kMonthShort));
    std::vector<std::string> hours;
    for (int hour = 0; hour < 24; ++hour) {
        hours.push_back(std::to_string(hour));
    }
    std::string html = Section("Fänge nach Monat");
    html += BarChartSvg("Fänge nach Monat", months,
                        std::vector<long long>(a.months.begin(), a.months.end()));
    html += Section("Fänge nach Uhrzeit");
    html += BarChartSvg("Fänge nach Uhrzeit (volle Stunde)", hours,
                        std::vector<long long>(a.hours.begin(), a.hours.end()));
    html += Section("Fänge nach Mondphase");
    html += PieChartSvg("Fänge nach Mondphase", a.moonPhases);
    html += Section("Fänge nach Wetter");
    html += PieChartSvg("Fänge nach Wetter", a.weather);
    html += Ranking("Die zehn erfolgreichsten Köder", "Köder", a.baits, "Noch kein Köder genannt.");
    html += Ranking("Die zehn erfolgreichsten Fangmethoden", "Fangmethode", a.methods,
                    "Noch keine Fangmethode genannt.");
    html += Ranking("Gewässer", "Gewässer", a.waters,
                    "Noch kein Gewässer mit mindestens " +
                        std::to_string(Aggregates::kWaterThreshold) + " Fängen.");
    if (!a.waters.empty()) {
        html += Note("Ein Gewässer erscheint erst, wenn mindestens " +
                     std::to_string(Aggregates::kWaterThreshold) + " Fänge es nennen.");
    }
    return html;
}

std::string MeasureCells(const MeasureSummary& m) {
    return Cell(std::to_string(m.catches), true) + Cell(Decimal(m.averageLength), true) +
           Cell(Decimal(m.maxLength), true) + Cell(Decimal(m.averageWeight), true) +
           Cell(Decimal(m.maxWeight), true);
}

const char* const kMeasureHeads = "<th>Fänge</th><th>Ø Länge (cm)</th><th>max. Länge (cm)</th>"
                                  "<th>Ø Gewicht (g)</th><th>max. Gewicht (g)</th>";

} // namespace

std::string OverviewPageHtml(const Aggregates& a) {
    std::string html = Head("Zelvorin Online Statistik");
    html += "<h1>Zelvorin Online Statistik</h1>\n";
    html += "<p class=\"totals\"><strong>" + std::to_string(a.totals.catches) +
            "</strong> Fänge · <strong>" + std::to_string(a.speciesList.size()) +
            "</strong> Fischarten · <strong>" + std::to_string(a.uploads) +
            "</strong> Uploads</p>\n";
    html += Note("Was alle Angler gefangen und hochgeladen haben. Fänger und Angelstellen "
                 "werden nie gezeigt.");
    html += Section("Fischarten");
    if (a.speciesList.empty()) {
        html += Note("Noch keine Fänge.");
    } else {
        html += "<table><thead><tr><th>Fischart</th>" + std::string(kMeasureHeads) +
                "</tr></thead><tbody>";
        for (const SpeciesSummary& species : a.speciesList) {
            html += "<tr><td><a href=\"art/" + PercentEncoded(species.name) + "\">" +
                    HtmlEscaped(species.name) + "</a></td>" + MeasureCells(species.measure) +
                    "</tr>";
        }
        html += "</tbody></table>\n";
    }
    return html + Details(a) + kTail;
}

std::string SpeciesPageHtml(const Aggregates& a) {
    const std::string name = a.species.value_or("");
    std::string html = Head(name + " – Zelvorin Online Statistik");
    html += "<p><a href=\"../\">← Alle Fischarten</a></p>\n<h1>" + HtmlEscaped(name) + "</h1>\n";
    html += "<table><thead><tr>" + std::string(kMeasureHeads) + "</tr></thead><tbody><tr>" +
            MeasureCells(a.totals) + "</tr></tbody></table>\n";

    const RecommendationMonth* best = nullptr;
    for (const RecommendationMonth& row : a.recommendation) {
        if (best == nullptr || row.catches > best->catches) {
            best = &row;
        }
    }
    html += Section("Fangempfehlung");
    if (best != nullptr && best->catches > 0) {
        html += "<p>Am meisten gefangen im <strong>" + HtmlEscaped(best->month) + "</strong>" +
                (best->hour.empty() ? "" : ", meist um " + HtmlEscaped(best->hour)) + ".</p>\n";
    }
    html += Note("Für jeden Monat: die Stunde mit den meisten Fängen und die erfolgreichsten "
                 "Köder, Farben, Köderlängen und Ködertypen aller Angler. Das Köderverhalten "
                 "wird nicht übertragen; an seiner Stelle steht der Ködertyp.");
    html += "<table><thead><tr><th>Monat</th><th>Fänge</th><th>Uhrzeit</th><th>Köder</th>"
            "<th>Farbe</th><th>Länge (cm)</th><th>Ködertyp</th></tr></thead><tbody>";
    for (const RecommendationMonth& row : a.recommendation) {
        html += "<tr>" + Cell(row.month) + Cell(std::to_string(row.catches), true) +
                Cell(row.hour) + Cell(row.bait) + Cell(row.colour) + Cell(row.baitLength) +
                Cell(row.baitType) + "</tr>";
    }
    html += "</tbody></table>\n";
    return html + Details(a) + kTail;
}

std::string MessagePageHtml(const std::string& heading, const std::string& message,
                            const std::string& home) {
    return Head(heading) + "<h1>" + HtmlEscaped(heading) + "</h1>\n<p>" + HtmlEscaped(message) +
           "</p>\n<p><a href=\"" + HtmlEscaped(home) + "\">Zur Online Statistik</a></p>\n" + kTail;
}

} // namespace zv
