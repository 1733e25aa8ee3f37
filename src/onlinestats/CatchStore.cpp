#include "onlinestats/CatchStore.h"

#include "onlinestats/CatchTallies.h"
#include "onlinestats/UploadParser.h"

#include <algorithm>

namespace zv {

namespace {

constexpr int kAttempts = 3;

const char* const kInsertCatch = R"sql(
INSERT INTO catches (identity, fangdatum, fangzeit, fischart, laenge, gewicht, fangmethode,
    koeder, koederfarbe, koederlaenge, koedertyp, wetter, lufttemp, wassertemp, luftdruck,
    windrichtung, windstaerke, wasserstand, wassertruebung, mondphase, zurueckgesetzt,
    faenger, gewaesser, stelle, art)
VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9, $10, $11, $12, $13, $14, $15, $16, $17, $18, $19,
    $20, $21, $22, $23, $24, $25)
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
INSERT INTO tallies (dimension, label, catches) VALUES ($1, $2, $3)
ON CONFLICT (dimension, label) DO UPDATE SET catches = tallies.catches + excluded.catches)sql";

const char* const kAddCounter = "UPDATE counters SET value = value + $2 WHERE name = $1";
const char* const kReadCounter = "SELECT value FROM counters WHERE name = $1";

// The fields of a catch, in upload order.
const char* const kCatchColumns = "fangdatum, fangzeit, fischart, laenge, gewicht, fangmethode, "
                                  "koeder, koederfarbe, koederlaenge, koedertyp, wetter, lufttemp, "
                                  "wassertemp, luftdruck, windrichtung, windstaerke, wasserstand, "
                                  "wassertruebung, mondphase, zurueckgesetzt, faenger, gewaesser, "
                                  "stelle";

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
          readMeasures(database.Prepare(std::string("SELECT scope, species, ") + kMeasureColumns +
                                        " FROM measures")),
          readTallies(database.Prepare("SELECT dimension, label, catches FROM tallies")),
          readCatchesOf(database.Prepare(std::string("SELECT ") + kCatchColumns +
                                         " FROM catches WHERE art = $1")) {}

    std::unique_ptr<SqlStatement> insertCatch, fillCatcher, fillWater, fillSpot, addMeasure,
        addTally, addCounter, readCounter, readMeasures, readTallies, readCatchesOf;
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

    const std::vector<long long> inserted =
        database_->ExecuteEach(*s.insertCatch, order.size(), [&](std::size_t i) {
            s.insertCatch->BindBytes(1, order[i]->identity);
            for (std::size_t field = 0; field < UploadedCatch::kFieldCount; ++field) {
                s.insertCatch->BindTextForRun(static_cast<int>(field) + 2, order[i]->fields[field]);
            }
            s.insertCatch->BindTextForRun(UploadedCatch::kFieldCount + 2, order[i]->species);
        });
    CatchTallies delta(Scope::AllCatches);
    result.stored = 0;
    // A catch stored before may bring a personal field it lacked.
    std::vector<const UploadedCatch*> known;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (inserted[i] == 1) {
            ++result.stored;
            delta.AddCatch(*order[i]);
        } else {
            known.push_back(order[i]);
        }
    }
    const auto fill = [&](SqlStatement& statement, std::size_t field) {
        std::vector<const UploadedCatch*> bringing;
        for (const UploadedCatch* catchLine : known) {
            if (!catchLine->fields[field].empty()) {
                bringing.push_back(catchLine);
            }
        }
        const std::vector<long long> filled =
            database_->ExecuteEach(statement, bringing.size(), [&](std::size_t i) {
                statement.BindBytes(1, bringing[i]->identity);
                statement.BindText(2, bringing[i]->fields[field]);
            });
        for (std::size_t i = 0; i < bringing.size(); ++i) {
            if (filled[i] == 1 && field == kWaterField) {
                delta.AddWater(bringing[i]->fields[field]);
            }
        }
    };
    fill(*s.fillCatcher, kCatcherField);
    fill(*s.fillWater, kWaterField);
    fill(*s.fillSpot, kSpotField);
    if (delta.Empty()) {
        return;
    }

    // The measure of all catches (scope 0, species "") and of each species.
    std::vector<std::pair<std::string, const Measure*>> measures = {{"", &delta.Total()}};
    for (const auto& [species, sums] : delta.PerSpecies()) {
        measures.emplace_back(species, &sums);
    }
    database_->ExecuteEach(*s.addMeasure, measures.size(), [&](std::size_t i) {
        const Measure& sums = *measures[i].second;
        SqlStatement& add = *s.addMeasure;
        add.BindInt(1, static_cast<int>(i == 0 ? Scope::AllCatches : Scope::Species));
        add.BindText(2, measures[i].first);
        add.BindInt(3, sums.catches);
        add.BindReal(4, sums.lengthSum);
        add.BindInt(5, sums.lengthCount);
        BindOptional(add, 6, sums.lengthMax);
        add.BindReal(7, sums.weightSum);
        add.BindInt(8, sums.weightCount);
        BindOptional(add, 9, sums.weightMax);
    });
    const auto tallies = delta.Tallies();
    database_->ExecuteEach(*s.addTally, tallies.size(), [&](std::size_t i) {
        const auto& [key, count] = tallies[i];
        s.addTally->BindText(1, key.dimension);
        s.addTally->BindText(2, key.label);
        s.addTally->BindInt(3, count);
    });
    const std::pair<const char*, long long> counters[] = {{"uploads", result.stored > 0 ? 1 : 0},
                                                          {"version", 1}};
    database_->ExecuteEach(*s.addCounter, std::size(counters), [&](std::size_t i) {
        s.addCounter->BindText(1, counters[i].first);
        s.addCounter->BindInt(2, counters[i].second);
    });
}

long long CatchStore::Version() {
    return Counter("version");
}

long long CatchStore::Counter(const char* name) {
    SqlStatement& read = *Prepared().readCounter;
    read.BindText(1, name);
    read.Execute();
    long long value = 0;
    while (read.Next()) {
        value = read.Int(0);
    }
    return value;
}

std::optional<StoredFigures> CatchStore::Figures(const std::optional<std::string>& species) {
    Statements& s = Prepared();
    database_->BeginRead();
    try {
        StoredFigures figures;
        figures.version = Version();
        figures.uploads = Counter("uploads");
        if (species) {
            // A species page counts its catches itself: keeping its tallies
            // would cost every upload many times what the overview's do.
            CatchTallies counted(Scope::Species);
            s.readCatchesOf->BindText(1, *species);
            s.readCatchesOf->Execute();
            while (s.readCatchesOf->Next()) {
                std::array<std::string, UploadedCatch::kFieldCount> fields;
                for (std::size_t i = 0; i < fields.size(); ++i) {
                    fields[i] = s.readCatchesOf->Text(static_cast<int>(i));
                }
                if (const std::optional<UploadedCatch> stored =
                        CatchFromFields(std::move(fields))) {
                    counted.AddCatch(*stored);
                }
            }
            database_->Commit();
            if (counted.Total().catches == 0) {
                return std::nullopt;
            }
            figures.totals = counted.Total();
            for (const auto& [key, count] : counted.Tallies()) {
                figures.tallies.push_back({key.dimension, key.month, key.label, count});
            }
            return figures;
        }
        s.readMeasures->Execute();
        while (s.readMeasures->Next()) {
            const Measure measure = ReadMeasure(*s.readMeasures, 2);
            if (s.readMeasures->Int(0) == static_cast<int>(Scope::AllCatches)) {
                figures.totals = measure;
            } else {
                figures.species.push_back({s.readMeasures->Text(1), measure});
            }
        }
        s.readTallies->Execute();
        while (s.readTallies->Next()) {
            figures.tallies.push_back(
                {s.readTallies->Text(0), 0, s.readTallies->Text(1), s.readTallies->Int(2)});
        }
        database_->Commit();
        return figures;
    } catch (...) {
        database_->Rollback();
        throw;
    }
}

} // namespace zv
