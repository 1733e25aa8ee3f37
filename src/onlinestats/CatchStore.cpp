#include "onlinestats/CatchStore.h"

#include "onlinestats/TallyDelta.h"
#include "onlinestats/UploadParser.h"

#include <algorithm>

namespace zv {

namespace {

constexpr int kAttempts = 3;

const char* const kInsertCatch = R"sql(
INSERT INTO catches (identity, fangdatum, fangzeit, fischart, laenge, gewicht, fangmethode,
    koeder, koederfarbe, koederlaenge, koedertyp, wetter, lufttemp, wassertemp, luftdruck,
    windrichtung, windstaerke, wasserstand, wassertruebung, mondphase, zurueckgesetzt,
    faenger, gewaesser, stelle)
VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9, $10, $11, $12, $13, $14, $15, $16, $17, $18, $19,
    $20, $21, $22, $23, $24)
ON CONFLICT (identity) DO NOTHING)sql";

// A personal field is filled only while it is empty, so a value sent once
// is never replaced and a concurrent upload cannot fill it twice.
const char* const kFillCatcher =
    "UPDATE catches SET faenger = $2 WHERE identity = $1 AND faenger = ''";
const char* const kFillWater =
    "UPDATE catches SET gewaesser = $2 WHERE identity = $1 AND gewaesser = ''";
const char* const kFillSpot = "UPDATE catches SET stelle = $2 WHERE identity = $1 AND stelle = ''";

const char* const kAddMeasure = R"sql(
INSERT INTO measures (scope, species, catches, length_sum, length_count, length_max,
    weight_sum, weight_count, weight_max)
VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9)
ON CONFLICT (scope, species) DO UPDATE SET
    catches = measures.catches + excluded.catches,
    length_sum = measures.length_sum + excluded.length_sum,
    length_count = measures.length_count + excluded.length_count,
    length_max = CASE WHEN measures.length_max IS NULL OR excluded.length_max > measures.length_max
                      THEN excluded.length_max ELSE measures.length_max END,
    weight_sum = measures.weight_sum + excluded.weight_sum,
    weight_count = measures.weight_count + excluded.weight_count,
    weight_max = CASE WHEN measures.weight_max IS NULL OR excluded.weight_max > measures.weight_max
                      THEN excluded.weight_max ELSE measures.weight_max END)sql";

const char* const kAddTally = R"sql(
INSERT INTO tallies (scope, species, dimension, month, label, catches)
VALUES ($1, $2, $3, $4, $5, $6)
ON CONFLICT (scope, species, dimension, month, label) DO UPDATE SET
    catches = tallies.catches + excluded.catches)sql";

const char* const kAddCounter = "UPDATE counters SET value = value + $2 WHERE name = $1";
const char* const kReadCounter = "SELECT value FROM counters WHERE name = $1";

const char* const kMeasureColumns = "catches, length_sum, length_count, length_max, "
                                    "weight_sum, weight_count, weight_max";

Measure ReadMeasure(const SqlStatement& row, int first) {
    Measure measure;
    measure.catches = row.Int(first);
    measure.lengthSum = row.Real(first + 1);
    measure.lengthCount = row.Int(first + 2);
    if (!row.IsNull(first + 3)) {
        measure.lengthMax = row.Real(first + 3);
    }
    measure.weightSum = row.Real(first + 4);
    measure.weightCount = row.Int(first + 5);
    if (!row.IsNull(first + 6)) {
        measure.weightMax = row.Real(first + 6);
    }
    return measure;
}

void BindOptional(SqlStatement& statement, int index, const std::optional<double>& value) {
    if (value) {
        statement.BindReal(index, *value);
    } else {
        statement.BindNull(index);
    }
}

} // namespace

struct CatchStore::Statements {
    explicit Statements(SqlDatabase& database)
        : insertCatch(database.Prepare(kInsertCatch)), fillCatcher(database.Prepare(kFillCatcher)),
          fillWater(database.Prepare(kFillWater)), fillSpot(database.Prepare(kFillSpot)),
          addMeasure(database.Prepare(kAddMeasure)), addTally(database.Prepare(kAddTally)),
          addCounter(database.Prepare(kAddCounter)), readCounter(database.Prepare(kReadCounter)),
          readMeasure(database.Prepare(std::string("SELECT ") + kMeasureColumns +
                                       " FROM measures WHERE scope = $1 AND species = $2")),
          readSpecies(database.Prepare(std::string("SELECT species, ") + kMeasureColumns +
                                       " FROM measures WHERE scope = $1")),
          readTallies(database.Prepare("SELECT dimension, month, label, catches FROM tallies "
                                       "WHERE scope = $1 AND species = $2")) {}

    std::unique_ptr<SqlStatement> insertCatch, fillCatcher, fillWater, fillSpot, addMeasure,
        addTally, addCounter, readCounter, readMeasure, readSpecies, readTallies;
};

CatchStore::CatchStore(std::unique_ptr<SqlDatabase> database) : database_(std::move(database)) {}

CatchStore::~CatchStore() = default;

CatchStore::Statements& CatchStore::Prepared() {
    if (!statements_) {
        statements_ = std::make_unique<Statements>(*database_);
    }
    return *statements_;
}

StoreResult CatchStore::Store(const ParsedUpload& upload) {
    StoreResult result;
    result.received = static_cast<long long>(upload.catches.size());
    result.skipped = upload.skipped;
    for (int attempt = 1;; ++attempt) {
        try {
            database_->BeginWrite();
            StoreOnce(upload, result);
            database_->Commit();
            return result;
        } catch (const DatabaseError& error) {
            database_->Rollback();
            if (error.GetKind() != DatabaseError::Kind::Retry || attempt == kAttempts) {
                throw;
            }
        } catch (...) {
            database_->Rollback();
            throw;
        }
    }
}

void CatchStore::StoreOnce(const ParsedUpload& upload, StoreResult& result) {
    Statements& s = Prepared();
    // Catches go in in the order of their keys, so two uploads that share
    // catches take their row locks in the same order.
    std::vector<const UploadedCatch*> order;
    order.reserve(upload.catches.size());
    for (const UploadedCatch& catchLine : upload.catches) {
        order.push_back(&catchLine);
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const auto* a, const auto* b) { return a->identity < b->identity; });

    TallyDelta delta;
    result.stored = 0;
    for (const UploadedCatch* catchLine : order) {
        s.insertCatch->BindText(1, catchLine->identity);
        for (std::size_t i = 0; i < UploadedCatch::kFieldCount; ++i) {
            s.insertCatch->BindText(static_cast<int>(i) + 2, catchLine->fields[i]);
        }
        s.insertCatch->Execute();
        if (s.insertCatch->Changes() == 1) {
            ++result.stored;
            delta.AddCatch(*catchLine);
            continue;
        }
        const auto fill = [&](SqlStatement& statement, std::size_t field) {
            if (catchLine->fields[field].empty()) {
                return false;
            }
            statement.BindText(1, catchLine->identity);
            statement.BindText(2, catchLine->fields[field]);
            statement.Execute();
            return statement.Changes() == 1;
        };
        fill(*s.fillCatcher, kCatcherField);
        fill(*s.fillSpot, kSpotField);
        if (fill(*s.fillWater, kWaterField)) {
            delta.AddWater(catchLine->species, catchLine->fields[kWaterField]);
        }
    }
    if (delta.Empty()) {
        return;
    }
    for (const auto& [key, measure] : delta.Measures()) {
        SqlStatement& add = *s.addMeasure;
        add.BindInt(1, static_cast<int>(std::get<0>(key)));
        add.BindText(2, std::get<1>(key));
        add.BindInt(3, measure.catches);
        add.BindReal(4, measure.lengthSum);
        add.BindInt(5, measure.lengthCount);
        BindOptional(add, 6, measure.lengthMax);
        add.BindReal(7, measure.weightSum);
        add.BindInt(8, measure.weightCount);
        BindOptional(add, 9, measure.weightMax);
        add.Execute();
    }
    for (const auto& [key, count] : delta.Tallies()) {
        SqlStatement& add = *s.addTally;
        add.BindInt(1, static_cast<int>(key.scope));
        add.BindText(2, key.species);
        add.BindText(3, key.dimension);
        add.BindInt(4, key.month);
        add.BindText(5, key.label);
        add.BindInt(6, count);
        add.Execute();
    }
    const auto addCounter = [&](const char* name, long long value) {
        s.addCounter->BindText(1, name);
        s.addCounter->BindInt(2, value);
        s.addCounter->Execute();
    };
    addCounter("version", 1);
    if (result.stored > 0) {
        addCounter("uploads", 1);
    }
}

long long CatchStore::Version() {
    Statements& s = Prepared();
    s.readCounter->BindText(1, "version");
    s.readCounter->Execute();
    return s.readCounter->Next() ? s.readCounter->Int(0) : 0;
}

std::optional<StoredFigures> CatchStore::Figures(const std::optional<std::string>& species) {
    Statements& s = Prepared();
    const Scope scope = species ? Scope::Species : Scope::AllCatches;
    const std::string name = species.value_or("");
    database_->BeginRead();
    try {
        StoredFigures figures;
        figures.version = Version();
        s.readCounter->BindText(1, "uploads");
        s.readCounter->Execute();
        figures.uploads = s.readCounter->Next() ? s.readCounter->Int(0) : 0;

        s.readMeasure->BindInt(1, static_cast<int>(scope));
        s.readMeasure->BindText(2, name);
        s.readMeasure->Execute();
        if (s.readMeasure->Next()) {
            figures.totals = ReadMeasure(*s.readMeasure, 0);
        } else if (species) {
            database_->Rollback();
            return std::nullopt;
        }
        if (!species) {
            s.readSpecies->BindInt(1, static_cast<int>(Scope::Species));
            s.readSpecies->Execute();
            while (s.readSpecies->Next()) {
                figures.species.push_back({s.readSpecies->Text(0), ReadMeasure(*s.readSpecies, 1)});
            }
        }
        s.readTallies->BindInt(1, static_cast<int>(scope));
        s.readTallies->BindText(2, name);
        s.readTallies->Execute();
        while (s.readTallies->Next()) {
            figures.tallies.push_back({s.readTallies->Text(0),
                                       static_cast<int>(s.readTallies->Int(1)),
                                       s.readTallies->Text(2), s.readTallies->Int(3)});
        }
        database_->Commit();
        return figures;
    } catch (...) {
        database_->Rollback();
        throw;
    }
}

} // namespace zv
