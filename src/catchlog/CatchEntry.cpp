#include "catchlog/CatchEntry.h"

#include "base/EConvertError.h"
#include "base/GermanText.h"
#include "base/NumberText.h"
#include "base/Win1252.h"
#include "calendar/AstroDayTexts.h"
#include "storage/TMlbc.h"
#include "storage/ValueList.h"

#include <cmath>

namespace zv {
namespace {

// The help lines as the angler has always read them, the spelling mended.
constexpr const char* kWindHelpLines[] = {
    "Windstill                  : Windstärke 0  <1 km/h -> Kein Wind",
    "Leiser Zug               : Windstärke 1  1-5 km/h -> Windbewegung durch Rauch sichtbar",
    "Leichte Brise          : Windstärke 2  6-11 km/h -> Wind spürbar",
    "Schwache Brise     : Windstärke 3  12-19 km/h -> Blätter und dünne Äste bewegen sich",
    "Mäßige Brise          : Windstärke 4  20-28 km/h -> Äste bewegen sich",
    "Frische Brise          : Windstärke 5  29-38 km/h -> große Äste und Bäume bewegen sich",
    "Starker Wind          : Windstärke 6  39-49 km/h -> Dicke Äste bewegen sich, Windpfeifen "
    "hörbar",
    "Steifer Wind           : Windstärke 7  50-61 km/h -> Bäume schwanken, Widerstand beim Gehen",
    "Stürmischer Wind   : Windstärke 8  62-74 km/h -> Große Bäume bewegen sich, dünne Äste brechen",
    "Sturm                     : Windstärke 9  75-88 km/h -> Äste brechen, Ziegel fliegen von den "
    "Dächern",
    "schwerer Sturm      : Windstärke 10 89-102 km/h -> Bäume werden entwurzelt",
    "orkanartiger Sturm : Windstärke 11 103-117 km/h -> Sturmschäden, heftige Böen",
    "Orkan                     : Windstärke 12  >117 km/h -> Verwüstungen",
};

constexpr const char* kNumberFields[] = {"Laenge", "Gewicht", "Geschwindigkeit", "Distanz",
                                         "Tiefe"};

bool IsNumberField(std::string_view field) {
    for (const char* name : kNumberFields) {
        if (field == name) {
            return true;
        }
    }
    return false;
}

// Adds a cell; a number field is written only when its box holds text,
// converted and written back in the general number format.
void Add(CellAssignments& out, const char* field, const std::string& text) {
    if (!out.ok()) {
        return;
    }
    if (IsNumberField(field)) {
        if (text.empty()) {
            return;
        }
        try {
            out.cells.emplace_back(field, FloatToStrDe(StrToFloatDe(text)));
        } catch (const EConvertError& error) {
            out.error = error.what();
        }
        return;
    }
    const std::string bad = FirstNonWin1252Char(text);
    if (!bad.empty()) {
        out.error = NonWin1252Message(bad);
        return;
    }
    out.cells.emplace_back(field, text);
}

void AddAstro(CellAssignments& out, const AstroDayTexts& astro) {
    Add(out, "Mondphase", astro.moonPhase);
    Add(out, "Sonnenaufgang", astro.sunrise);
    Add(out, "Sonnenuntergang", astro.sunset);
    Add(out, "Mondaufgang", astro.moonrise);
    Add(out, "Monduntergang", astro.moonset);
}

// The number boxes are checked first, so their message wins over a text
// that cannot be stored and nothing is half built.
CellAssignments CheckNumbers(const CatchEntry& entry) {
    CellAssignments check;
    for (const std::string* text :
         {&entry.laenge, &entry.gewicht, &entry.geschwindigkeit, &entry.distanz, &entry.tiefe}) {
        double value = 0;
        if (!text->empty() && !TryStrToFloatDe(*text, value)) {
            check.error = InvalidFloatMessage(*text);
            break;
        }
    }
    return check;
}

void WriteCells(TMlbc& table, const CellAssignments& cells) {
    for (const auto& [field, value] : cells.cells) {
        table.SetData(field, value);
    }
}

// Grows and writes the value lists; failures become warnings, the record is
// stored all the same.
void WriteValueLists(Workspace& workspace, std::vector<ValueListEdit>& lists,
                     StoreOutcome& outcome) {
    for (ValueListEdit& list : lists) {
        std::vector<std::string> scale;
        std::vector<std::string>* items = list.items;
        if (list.name == "Windstaerke") {
            // A drop-down list holds nothing new; the statistics read the scale.
            scale.assign(WindScale().begin(), WindScale().end());
            items = &scale;
        } else if (items == nullptr) {
            continue;
        } else {
            ExtendItems(*items, list.text);
        }
        std::string error;
        if (!WriteValueList(workspace.ProgramFolder(), list.name, *items, error)) {
            outcome.warnings.push_back(error);
        }
    }
}

TDateTime ConvertDate(const std::string& text, bool withTime) {
    return withTime ? StrToDateTime(text) : StrToDate(text);
}

} // namespace

const std::string* CellAssignments::Find(std::string_view field) const {
    for (const auto& cell : cells) {
        if (cell.first == field) {
            return &cell.second;
        }
    }
    return nullptr;
}

CellAssignments BuildCatchCells(const CatchEntry& entry, const AstroDayTexts& astro) {
    CellAssignments out = CheckNumbers(entry);
    if (!out.ok()) {
        return out;
    }
    Add(out, "Fangdatum", DateToStr(entry.fangdatum));
    Add(out, "Angelbeginn", TimeToStr(entry.angelbeginn));
    Add(out, "Angelende", TimeToStr(entry.angelende));
    Add(out, "Fangzeit", TimeToStr(entry.fangzeit));
    Add(out, "Faenger", entry.faenger);
    Add(out, "Fischart", entry.fischart);
    Add(out, "Laenge", entry.laenge);
    Add(out, "Gewicht", entry.gewicht);
    Add(out, "Fangmethode", entry.fangmethode);
    Add(out, "Geschwindigkeit", entry.geschwindigkeit);
    Add(out, "Distanz", entry.distanz);
    Add(out, "Tiefe", entry.tiefe);
    Add(out, "Koeder", entry.koeder);
    Add(out, "Koedertyp", entry.koedertyp);
    Add(out, "KoederFarbe", entry.koederFarbe);
    Add(out, "KoederLaenge", entry.koederLaenge);
    Add(out, "Gewaesser", entry.gewaesser);
    Add(out, "Stelle", entry.stelle);
    Add(out, "GPSLat", entry.gpsLat);
    Add(out, "GPSLong", entry.gpsLong);
    Add(out, "Koederverhalten", entry.koederverhalten);
    Add(out, "Kartenpos", entry.kartenpos);
    Add(out, "Wetter", entry.wetter);
    Add(out, "Lufttemp", entry.lufttemp);
    Add(out, "Wassertemp", entry.wassertemp);
    Add(out, "Luftdruck", entry.luftdruck);
    Add(out, "Windrichtung", entry.windrichtung);
    Add(out, "Windstaerke", entry.windstaerke);
    Add(out, "Wasserstand", entry.wasserstand);
    Add(out, "Wassertruebung", entry.wassertruebung);
    Add(out, "Bilder", entry.bilder);
    Add(out, "Kommentar", entry.kommentar);
    AddAstro(out, astro);
    Add(out, "zurueckgesetzt", BoolToStr(entry.zurueckgesetzt));
    if (!out.ok()) {
        out.cells.clear();
    }
    return out;
}

CellAssignments BuildFishingDayCells(const CatchEntry& entry, const AstroDayTexts& astro) {
    CellAssignments out;
    Add(out, "Datum", DateToStr(entry.fangdatum));
    Add(out, "Angelbeginn", TimeToStr(entry.angelbeginn));
    Add(out, "Angelende", TimeToStr(entry.angelende));
    Add(out, "Gewaesser", entry.gewaesser);
    Add(out, "Stelle", entry.stelle);
    Add(out, "GPSLat", entry.gpsLat);
    Add(out, "GPSLong", entry.gpsLong);
    Add(out, "Wetter", entry.wetter);
    Add(out, "Lufttemp", entry.lufttemp);
    Add(out, "Wassertemp", entry.wassertemp);
    Add(out, "Luftdruck", entry.luftdruck);
    Add(out, "Windrichtung", entry.windrichtung);
    Add(out, "Windstaerke", entry.windstaerke);
    Add(out, "Wasserstand", entry.wasserstand);
    Add(out, "Wassertruebung", entry.wassertruebung);
    Add(out, "Bilder", entry.bilder);
    Add(out, "Kommentar", entry.kommentar);
    AddAstro(out, astro);
    if (!out.ok()) {
        out.cells.clear();
    }
    return out;
}

EditableCatch LoadCatchForEdit(const TMlbc& table) {
    EditableCatch result;
    CatchEntry& e = result.entry;
    auto cell = [&table](std::string_view field) { return table.GetData(field); };
    try {
        e.fangdatum = ConvertDate(cell("Fangdatum"), false);
        e.fangzeit = ConvertDate(cell("Fangzeit"), true);
        const std::string start = cell("Angelbeginn");
        const std::string end = cell("Angelende");
        if (!start.empty()) {
            e.angelbeginn = ConvertDate(start, true);
            result.hasAngelbeginn = true;
        }
        if (!end.empty()) {
            e.angelende = ConvertDate(end, true);
            result.hasAngelende = true;
        }
        // Rows converted from older files have no value here: not released.
        const std::string released = cell("zurueckgesetzt");
        e.zurueckgesetzt = released.empty() ? false : StrToBoolDe(released);
    } catch (const EConvertError& error) {
        result.error = error.what();
        return result;
    }
    e.faenger = cell("Faenger");
    e.fischart = cell("Fischart");
    e.laenge = cell("Laenge");
    e.gewicht = cell("Gewicht");
    e.fangmethode = cell("Fangmethode");
    e.geschwindigkeit = cell("Geschwindigkeit");
    e.distanz = cell("Distanz");
    e.tiefe = cell("Tiefe");
    e.koeder = cell("Koeder");
    e.koederFarbe = cell("KoederFarbe");
    e.koederLaenge = cell("KoederLaenge");
    e.koedertyp = cell("Koedertyp");
    e.koederverhalten = cell("Koederverhalten");
    e.gewaesser = cell("Gewaesser");
    e.stelle = cell("Stelle");
    e.gpsLat = cell("GPSLat");
    e.gpsLong = cell("GPSLong");
    e.kartenpos = cell("Kartenpos");
    e.wetter = cell("Wetter");
    e.lufttemp = cell("Lufttemp");
    e.wassertemp = cell("Wassertemp");
    e.luftdruck = cell("Luftdruck");
    e.windrichtung = cell("Windrichtung");
    e.windstaerke = cell("Windstaerke");
    e.wasserstand = cell("Wasserstand");
    e.wassertruebung = cell("Wassertruebung");
    e.bilder = cell("Bilder");
    e.kommentar = cell("Kommentar");
    return result;
}

const std::array<const char*, 13>& WindScale() {
    static const std::array<const char*, 13> scale = {
        "Windstill",      "Leiser Zug",         "Leichte Brise", "Schwache Brise",   "Mäßige Brise",
        "Frische Brise",  "Starker Wind",       "Steifer Wind",  "Stürmischer Wind", "Sturm",
        "Schwerer Sturm", "Orkanartiger Sturm", "Orkan"};
    return scale;
}

const std::array<const char*, 3>& BaitBehaviours() {
    static const std::array<const char*, 3> behaviours = {"schwimmend", "sinkend", "schwebend"};
    return behaviours;
}

std::string GpsHelpText() {
    return "Eingabeformat:\r\ndd°mm.mmmmR \r\ndd = Grad z.B. 47\r\nmm.mmmm = Dezimalminuten z.B. "
           "12.1234\r\nR = Richtung  z.B. N für Nord, E für Ost\r\n° Zeichen nicht "
           "vergessen!\r\n\r\nBeispiel für die Eingabe:\r\n47°12.1234N";
}

std::string WindScaleHelpText() {
    std::string text;
    for (const char* line : kWindHelpLines) {
        if (!text.empty()) {
            text += '\r';
        }
        text += line;
    }
    return text;
}

bool ExtendItems(std::vector<std::string>& items, std::string_view text) {
    if (text.empty()) {
        return false;
    }
    for (const std::string& item : items) {
        if (SameTextDe(item, text)) {
            return false;
        }
    }
    items.emplace_back(text);
    return true;
}

const std::vector<std::string>& CatchValueLists() {
    static const std::vector<std::string> lists = {
        "Fischarten",  "Faenger",     "Koeder",      "Gewaesser",      "Stelle",
        "Wetter",      "Fangmethode", "Wasserstand", "Wassertruebung", "Windrichtung",
        "Windstaerke", "Koedertyp",   "Koederfarbe"};
    return lists;
}

const std::vector<std::string>& FishingDayValueLists() {
    static const std::vector<std::string> lists = {"Gewaesser",   "Stelle",         "Wetter",
                                                   "Wasserstand", "Wassertruebung", "Windrichtung",
                                                   "Windstaerke"};
    return lists;
}

namespace {

// Opens or creates the database a row is stored into; its message (a new
// default database) and any warning go into the outcome.
bool EnsureDatabaseFor(Workspace& workspace, DatabaseKind kind, StoreOutcome& outcome) {
    const WorkspaceResult created = workspace.EnsureDatabase(kind);
    if (!created.ok) {
        outcome.ok = false;
        outcome.error = created.problem;
        return false;
    }
    outcome.databaseMessage = created.message;
    if (!created.problem.empty()) {
        outcome.warnings.push_back(created.problem);
    }
    return true;
}

} // namespace

StoreOutcome StoreCatch(Workspace& workspace, EntryMode mode, int row, const CellAssignments& cells,
                        std::vector<ValueListEdit>& lists) {
    StoreOutcome outcome;
    if (!cells.ok()) {
        outcome.ok = false;
        outcome.error = cells.error;
        return outcome;
    }
    TMlbc& db = workspace.DB();
    if (mode == EntryMode::Edit) {
        if (workspace.CatchPath().empty() || row < 1 || row > db.RowCount()) {
            outcome.ok = false;
            outcome.error = "Der gewählte Fang ist nicht mehr vorhanden.";
            return outcome;
        }
    } else if (!EnsureDatabaseFor(workspace, DatabaseKind::Catch, outcome)) {
        return outcome;
    }
    WriteValueLists(workspace, lists, outcome);

    // Tables from before the fishing times existed gain the two fields.
    for (const char* field : {"Angelbeginn", "Angelende"}) {
        if (db.FieldIndex(field) < 1) {
            db.AddField(field);
        }
    }
    if (mode == EntryMode::Add) {
        db.AppendRow();
    } else {
        db.GoToRow(row);
    }
    outcome.row = db.CurrentRow();
    WriteCells(db, cells);
    const WorkspaceResult saved = workspace.Save(DatabaseKind::Catch);
    if (!saved.ok) {
        outcome.ok = false;
        outcome.error = saved.problem;
    }
    return outcome;
}

StoreOutcome StoreFishingDay(Workspace& workspace, const CellAssignments& cells,
                             std::vector<ValueListEdit>& lists) {
    StoreOutcome outcome;
    if (!cells.ok()) {
        outcome.ok = false;
        outcome.error = cells.error;
        return outcome;
    }
    if (!EnsureDatabaseFor(workspace, DatabaseKind::Calendar, outcome)) {
        return outcome;
    }
    WriteValueLists(workspace, lists, outcome);
    TMlbc& cal = workspace.cal();
    cal.AppendRow();
    outcome.row = cal.CurrentRow();
    WriteCells(cal, cells);
    const WorkspaceResult saved = workspace.Save(DatabaseKind::Calendar);
    if (!saved.ok) {
        outcome.ok = false;
        outcome.error = saved.problem;
    }
    return outcome;
}

} // namespace zv
