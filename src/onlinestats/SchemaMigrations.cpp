#include "onlinestats/SchemaMigrations.h"

#include "onlinestats/SqlDatabase.h"

#include <array>
#include <string>

namespace zv {

namespace {

// Migration n brings version n - 1 to version n. Each step is SQL that both
// backends read alike; a released step is never changed, only followed by
// new ones.
constexpr std::array<const char*, 2> kMigrations = {
    // 1: the catches, their identity as unique key, and the kept figures of
    // all catches that the overview is drawn from. `art` is the species as
    // the pages count it (field 3 without surrounding blanks); a species
    // page reads its catches through it.
    R"sql(
CREATE TABLE catches (
    identity TEXT PRIMARY KEY,
    fangdatum TEXT NOT NULL, fangzeit TEXT NOT NULL, fischart TEXT NOT NULL,
    laenge TEXT NOT NULL, gewicht TEXT NOT NULL, fangmethode TEXT NOT NULL,
    koeder TEXT NOT NULL, koederfarbe TEXT NOT NULL, koederlaenge TEXT NOT NULL,
    koedertyp TEXT NOT NULL, wetter TEXT NOT NULL, lufttemp TEXT NOT NULL,
    wassertemp TEXT NOT NULL, luftdruck TEXT NOT NULL, windrichtung TEXT NOT NULL,
    windstaerke TEXT NOT NULL, wasserstand TEXT NOT NULL, wassertruebung TEXT NOT NULL,
    mondphase TEXT NOT NULL, zurueckgesetzt TEXT NOT NULL,
    faenger TEXT NOT NULL, gewaesser TEXT NOT NULL, stelle TEXT NOT NULL,
    art TEXT NOT NULL);
CREATE INDEX catches_by_species ON catches (art);
-- scope 0: all catches (species ''); scope 1: one species.
CREATE TABLE measures (
    scope INTEGER NOT NULL, species TEXT NOT NULL, catches BIGINT NOT NULL,
    length_sum DOUBLE PRECISION NOT NULL, length_count BIGINT NOT NULL,
    length_max DOUBLE PRECISION,
    weight_sum DOUBLE PRECISION NOT NULL, weight_count BIGINT NOT NULL,
    weight_max DOUBLE PRECISION,
    PRIMARY KEY (scope, species));
CREATE TABLE tallies (
    dimension TEXT NOT NULL, label TEXT NOT NULL, catches BIGINT NOT NULL,
    PRIMARY KEY (dimension, label));
CREATE TABLE counters (name TEXT PRIMARY KEY, value BIGINT NOT NULL);
INSERT INTO counters (name, value) VALUES ('uploads', 0), ('version', 0);
)sql",
    // 2: the identity as its 16 bytes instead of 32 hex digits: half the key
    // to compare and to keep in the index. The catches move to a table of the
    // new form, unchanged but for the key. decode(…, 'hex') is PostgreSQL's
    // own; SQLite gets it from the connection. SQLite keeps the identity as
    // the BLOB it is bound as (a BYTEA column converts no BLOB).
    R"sql(
CREATE TABLE catches_v2 (
    identity BYTEA PRIMARY KEY,
    fangdatum TEXT NOT NULL, fangzeit TEXT NOT NULL, fischart TEXT NOT NULL,
    laenge TEXT NOT NULL, gewicht TEXT NOT NULL, fangmethode TEXT NOT NULL,
    koeder TEXT NOT NULL, koederfarbe TEXT NOT NULL, koederlaenge TEXT NOT NULL,
    koedertyp TEXT NOT NULL, wetter TEXT NOT NULL, lufttemp TEXT NOT NULL,
    wassertemp TEXT NOT NULL, luftdruck TEXT NOT NULL, windrichtung TEXT NOT NULL,
    windstaerke TEXT NOT NULL, wasserstand TEXT NOT NULL, wassertruebung TEXT NOT NULL,
    mondphase TEXT NOT NULL, zurueckgesetzt TEXT NOT NULL,
    faenger TEXT NOT NULL, gewaesser TEXT NOT NULL, stelle TEXT NOT NULL,
    art TEXT NOT NULL);
INSERT INTO catches_v2 (identity, fangdatum, fangzeit, fischart, laenge, gewicht, fangmethode, koeder,
    koederfarbe, koederlaenge, koedertyp, wetter, lufttemp, wassertemp, luftdruck,
    windrichtung, windstaerke, wasserstand, wassertruebung, mondphase, zurueckgesetzt,
    faenger, gewaesser, stelle, art)
SELECT decode(identity, 'hex'), fangdatum, fangzeit, fischart, laenge, gewicht, fangmethode, koeder,
    koederfarbe, koederlaenge, koedertyp, wetter, lufttemp, wassertemp, luftdruck,
    windrichtung, windstaerke, wasserstand, wassertruebung, mondphase, zurueckgesetzt,
    faenger, gewaesser, stelle, art
FROM catches;
DROP TABLE catches;
ALTER TABLE catches_v2 RENAME TO catches;
CREATE INDEX catches_by_species ON catches (art);
)sql",
};

} // namespace

int CurrentSchemaVersion() {
    return static_cast<int>(kMigrations.size());
}

int MigrateSchema(SqlDatabase& database, int target) {
    database.BeginSchemaChange();
    try {
        database.Execute("CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)");
        auto read = database.Prepare("SELECT version FROM schema_version");
        read->Execute();
        const bool recorded = read->Next();
        const int found = recorded ? static_cast<int>(read->Int(0)) : 0;
        while (read->Next()) {
        }
        if (found > CurrentSchemaVersion()) {
            throw DatabaseError(DatabaseError::Kind::Fault,
                                "Die Datenbank hat die Schema-Version " + std::to_string(found) +
                                    ", dieses Programm kennt nur bis " +
                                    std::to_string(CurrentSchemaVersion()) + ".");
        }
        for (int version = found + 1; version <= target; ++version) {
            database.Execute(kMigrations[static_cast<std::size_t>(version - 1)]);
        }
        if (found < target) {
            auto write =
                database.Prepare(recorded ? "UPDATE schema_version SET version = $1"
                                          : "INSERT INTO schema_version (version) VALUES ($1)");
            write->BindInt(1, target);
            write->Execute();
        }
        database.Commit();
        return found;
    } catch (...) {
        database.Rollback();
        throw;
    }
}

} // namespace zv
