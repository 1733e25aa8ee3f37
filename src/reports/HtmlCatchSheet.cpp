#include "reports/HtmlCatchSheet.h"

#include "base/AtomicFile.h"
#include "base/Win1252.h"
#include "storage/TMlbc.h"

#include <algorithm>
#include <string_view>

namespace zv {

namespace {

constexpr std::string_view kStyleLine =
    "<style> table { border : 1px solid  black; } td { border-right: 1px solid black; "
    "border-bottom: 1px solid black;} </style><table cellpadding=0 cellspacing=0 "
    "width=\"100%\">";
constexpr std::string_view kRowStart = "<tr><td width=100><font face=\"Verdana\" size=1><b>";
constexpr std::string_view kRowEnd =
    ":</b></font></td><td>&nbsp;</td><td>&nbsp;</td><td>&nbsp;</td><td>&nbsp;</td>"
    "<td>&nbsp;</td><td>&nbsp;</td></tr>";

// Filled by the program itself, so the sheet leaves them out (compared
// exactly, case and all).
constexpr std::string_view kLeftOut[] = {"Sonnenuntergang", "Sonnenaufgang", "Monduntergang",
                                         "Mondaufgang",     "Mondphase",     "Bilder",
                                         "Kartenpos",       "Angeldauer"};

std::string EscapeHtml(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        default:
            escaped.push_back(c);
        }
    }
    return escaped;
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    std::size_t at = 0;
    while ((at = text.find(from, at)) != std::string::npos) {
        text.replace(at, from.size(), to);
        at += to.size();
    }
}

} // namespace

std::vector<std::string> BuildCatchSheet(const TMlbc& db) {
    std::vector<std::string> lines{std::string(kStyleLine)};
    for (int position = 1; position <= db.FieldCount(); ++position) {
        const std::string name = db.FieldName(position);
        if (std::find(std::begin(kLeftOut), std::end(kLeftOut), name) != std::end(kLeftOut)) {
            continue;
        }
        lines.push_back(std::string(kRowStart) + EscapeHtml(name) + std::string(kRowEnd));
    }
    // The umlauts are spelled out in the field names; the replacement is
    // purely textual and runs over every line so far, the style line too.
    for (std::string& line : lines) {
        ReplaceAll(line, "ae", "ä");
        ReplaceAll(line, "oe", "ö");
        ReplaceAll(line, "ue", "ü");
    }
    lines.emplace_back("</table>");
    return lines;
}

bool WriteCatchSheet(const std::filesystem::path& path, const std::vector<std::string>& lines,
                     std::string& error) {
    std::string bytes;
    for (const std::string& line : lines) {
        std::string badChar;
        if (!AppendUtf8AsWin1252(line, bytes, &badChar)) {
            error = "Die Datei \"" + PathToUtf8(path) +
                    "\" wurde nicht geschrieben: " + NonWin1252Message(badChar);
            return false;
        }
        bytes += "\r\n";
    }
    return WriteFileAtomic(path, bytes, error);
}

} // namespace zv
