#include "storage/LegacyConversion.h"

#include "base/AtomicFile.h"
#include "base/EConvertError.h"
#include "base/NumberText.h"
#include "storage/Schemas.h"
#include "storage/TMlbc.h"

#include <utility>
#include <vector>

namespace zv {
namespace {

// Current catch field ← field of the legacy file.
const std::vector<std::pair<const char*, const char*>>& CatchFieldSources() {
    static const std::vector<std::pair<const char*, const char*>> sources = {
        {"Fangdatum", "Fangdatum"},
        {"Fangzeit", "Fangzeit"},
        {"Angelbeginn", "Angelbeginn"},
        {"Angelende", "Angelende"},
        {"Faenger", "Faenger"},
        {"Fischart", "Fischart"},
        {"Laenge", "Laenge"},
        {"Gewicht", "Gewicht"},
        {"Fangmethode", "Fangmethode"},
        {"Koeder", "Koeder"},
        {"Gewaesser", "Gewaesser"},
        {"Stelle", "Stelle"},
        {"Wetter", "Wetter"},
        {"Luftdruck", "Luftdruck"},
        {"Windrichtung", "Windrichtung"},
        {"Windstaerke", "Windstaerke"},
        {"Wasserstand", "Wasserstand"},
        {"Wassertruebung", "Wassertruebung"},
        {"Mondphase", "Mondphase"},
        {"Sonnenaufgang", "Sonnenaufgang"},
        {"Sonnenuntergang", "Sonnenuntergang"},
        {"Mondaufgang", "Mondaufgang"},
        {"Monduntergang", "Monduntergang"},
        {"zurueckgesetzt", "zurueckgesetzt"},
        {"Distanz", "Uferdistanz"},
        {"Tiefe", "Fangtiefe"},
        {"Kartenpos", "Karte"},
        {"Lufttemp", "Lufttemperatur"},
        {"Wassertemp", "Wassertemperatur"},
        {"Bilder", "Bild"},
        {"Kommentar", "Bemerkungen"},
    };
    return sources;
}

bool LoadLegacy(const std::string& legacyPath, TMlbc& legacy, std::string& error) {
    if (legacy.LoadFromFile(legacyPath)) {
        return true;
    }
    error = legacy.LastFailure().empty()
                ? "Die alte Datenbank \"" + legacyPath + "\" kann nicht gelesen werden."
                : legacy.LastFailure();
    return false;
}

// Copies the mapped fields of every legacy row into a new row of `result`;
// fields the legacy file lacks stay empty.
void CopyRows(const TMlbc& legacy, TMlbc& result,
              const std::vector<std::pair<const char*, const char*>>& sources) {
    std::vector<std::pair<const char*, int>> positions;
    for (const auto& [target, source] : sources) {
        const int position = legacy.FieldIndex(source);
        if (position > 0) {
            positions.emplace_back(target, position);
        }
    }
    for (int row = 1; row <= legacy.RowCount(); ++row) {
        result.AppendRow();
        for (const auto& [target, position] : positions) {
            result.SetData(target, legacy.Cell(row, position));
        }
    }
}

bool SaveConverted(TMlbc& table, const std::string& targetPath, std::string& error) {
    if (table.SaveToFile(targetPath)) {
        return true;
    }
    error = table.LastFailure().empty()
                ? "Die Datenbank \"" + targetPath + "\" kann nicht geschrieben werden."
                : table.LastFailure();
    return false;
}

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
    std::size_t pos = 0;
    while ((pos = text.find(from, pos)) != std::string::npos) {
        text.replace(pos, from.size(), to);
        pos += to.size();
    }
    return text;
}

} // namespace

std::unique_ptr<TMlbc> ConvertLegacyCatchTable(const std::string& legacyPath, std::string& error) {
    TMlbc legacy;
    if (!LoadLegacy(legacyPath, legacy, error)) {
        return nullptr;
    }
    std::unique_ptr<TMlbc> result = MakeEmptyTable(CatchFields());
    CopyRows(legacy, *result, CatchFieldSources());
    return result;
}

std::unique_ptr<TMlbc> ConvertLegacyCostTable(const std::string& legacyPath, std::string& error) {
    TMlbc legacy;
    if (!LoadLegacy(legacyPath, legacy, error)) {
        return nullptr;
    }
    std::unique_ptr<TMlbc> result = MakeEmptyTable(CostFields());
    static const std::vector<std::pair<const char*, const char*>> sources = {
        {"Kaufdatum", "Kaufdatum"}, {"Geschaeft", "Geschaeft"},     {"Artikel", "Artikel"},
        {"Menge", "Menge"},         {"Einzelpreis", "Einzelpreis"}, {"Gesamtpreis", "Gesamtpreis"},
    };
    CopyRows(legacy, *result, sources);

    // The older files kept the price including shipping; the shipping cost
    // is the difference, in the money number form.
    const int pricePos = legacy.FieldIndex("Gesamtpreis");
    const int withShippingPos = legacy.FieldIndex("Gesamtpreisversand");
    if (pricePos > 0 && withShippingPos > 0) {
        for (int row = 1; row <= legacy.RowCount(); ++row) {
            const std::string_view price = legacy.Cell(row, pricePos);
            const std::string_view withShipping = legacy.Cell(row, withShippingPos);
            if (price.empty() || withShipping.empty()) {
                continue;
            }
            try {
                const double shipping = StrToFloatDe(withShipping) - StrToFloatDe(price);
                result->GoToRow(row);
                result->SetData("Versandkosten", FormatFixed2(shipping));
            } catch (const EConvertError& e) {
                error = e.what();
                return nullptr;
            }
        }
        result->Last();
    }
    return result;
}

bool ConvertLegacyCatchDb(const std::string& legacyPath, const std::string& targetPath,
                          std::string& error) {
    std::unique_ptr<TMlbc> table = ConvertLegacyCatchTable(legacyPath, error);
    return table && SaveConverted(*table, targetPath, error);
}

bool ConvertLegacyCostDb(const std::string& legacyPath, const std::string& targetPath,
                         std::string& error) {
    std::unique_ptr<TMlbc> table = ConvertLegacyCostTable(legacyPath, error);
    return table && SaveConverted(*table, targetPath, error);
}

std::string StoredFileName(std::string_view storedPath) {
    const std::size_t slash = storedPath.find_last_of("\\/");
    return std::string(slash == std::string_view::npos ? storedPath : storedPath.substr(slash + 1));
}

std::string AutomaticCatchTarget(const std::filesystem::path& programFolder,
                                 std::string_view legacyPath) {
    return PathToUtf8(programFolder /
                      PathFromUtf8(ReplaceAll(StoredFileName(legacyPath), ".fdb", ".f")));
}

std::string AutomaticCostTarget(const std::filesystem::path& programFolder,
                                std::string_view legacyPath) {
    return PathToUtf8(programFolder /
                      PathFromUtf8(ReplaceAll(StoredFileName(legacyPath), ".akdb", ".a")));
}

} // namespace zv
