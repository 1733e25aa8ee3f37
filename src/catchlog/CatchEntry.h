#pragma once

#include "base/DateTime.h"
#include "storage/Workspace.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zv {

class TMlbc;
struct AstroDayTexts;

// What the catch entry window holds: the pickers' values (date-time values,
// seconds included) and every text as typed or chosen.
struct CatchEntry {
    TDateTime fangdatum = 0;
    TDateTime fangzeit = 0;
    TDateTime angelbeginn = 0;
    TDateTime angelende = 0;
    std::string faenger;
    std::string fischart;
    std::string laenge;
    std::string gewicht;
    std::string fangmethode;
    std::string geschwindigkeit;
    std::string distanz;
    std::string tiefe;
    std::string koeder;
    std::string koederFarbe;
    std::string koederLaenge;
    std::string koedertyp;
    std::string koederverhalten;
    std::string gewaesser;
    std::string stelle;
    std::string gpsLat;
    std::string gpsLong;
    std::string kartenpos;
    std::string wetter;
    std::string lufttemp;
    std::string wassertemp;
    std::string luftdruck;
    std::string windrichtung;
    std::string windstaerke;
    std::string wasserstand;
    std::string wassertruebung;
    std::string bilder;
    std::string kommentar;
    bool zurueckgesetzt = false;
};

// The cells a save writes, in the order it writes them, or the German
// message that stops the save. A number box that is empty has no cell (the
// stored value stays); a filled one must convert and is written in the
// general number format. Text that Windows-1252 cannot hold is refused, so
// nothing is half written.
struct CellAssignments {
    std::string error;
    std::vector<std::pair<std::string, std::string>> cells;
    bool ok() const { return error.empty(); }
    // The value written to `field`, or nothing when the field is not written.
    const std::string* Find(std::string_view field) const;
};

CellAssignments BuildCatchCells(const CatchEntry& entry, const AstroDayTexts& astro);
CellAssignments BuildFishingDayCells(const CatchEntry& entry, const AstroDayTexts& astro);

// A catch read back for editing from the table's current row.
struct EditableCatch {
    std::string error; // the conversion message that keeps the window closed
    CatchEntry entry;
    bool hasAngelbeginn = false; // the picker keeps its value when false
    bool hasAngelende = false;
    bool ok() const { return error.empty(); }
};
// Dates and times convert with the runtime's messages; an empty
// "zurueckgesetzt" (rows from older files) reads as not released.
EditableCatch LoadCatchForEdit(const TMlbc& table);

// The wind scale of the wind strength list, Beaufort 0 … 12, and the three
// bait behaviours.
const std::array<const char*, 13>& WindScale();
const std::array<const char*, 3>& BaitBehaviours();

// The help texts of the GPS labels and of the wind strength label.
std::string GpsHelpText();
std::string WindScaleHelpText();

// Appends `text` to `items` unless it is empty or an item equals it,
// letter case ignored. True when it was appended.
bool ExtendItems(std::vector<std::string>& items, std::string_view text);

// A value list the save grows from a combo box: the box's items (changed in
// place) and its text.
struct ValueListEdit {
    std::string name; // file name in DATs without ".dat"
    std::vector<std::string>* items = nullptr;
    std::string text;
};

// The lists a catch save grows, in order, and those of a fishing day.
const std::vector<std::string>& CatchValueLists();
const std::vector<std::string>& FishingDayValueLists();

enum class EntryMode { Add, Edit };

struct StoreOutcome {
    bool ok = true;
    std::string error;                 // why nothing (or not all) was stored
    std::string databaseMessage;       // the notice of a database created on the way
    std::vector<std::string> warnings; // value lists that could not be written
    int row = 0;                       // the row the catch went to
};

// Saves a catch: checks the cells (nothing changes when they carry an
// error) and, in edit mode, the row; creates the catch database when none is
// open (add mode); grows and writes the value lists (Windstaerke always gets
// the thirteen scale names); appends a row or moves to `row`; adds the
// fields Angelbeginn and Angelende to older tables; writes the cells and
// saves the table.
StoreOutcome StoreCatch(Workspace& workspace, EntryMode mode, int row, const CellAssignments& cells,
                        std::vector<ValueListEdit>& lists);

// Saves a fishing day without a catch: always a new row of the calendar
// database, created when none is open.
StoreOutcome StoreFishingDay(Workspace& workspace, const CellAssignments& cells,
                             std::vector<ValueListEdit>& lists);

} // namespace zv
