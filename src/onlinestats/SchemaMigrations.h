#pragma once

namespace zv {

class SqlDatabase;

// The schema version this program writes.
int CurrentSchemaVersion();

// Brings the database to the current schema: creates it when empty and
// applies every numbered migration it lacks, all in one transaction, so a
// failed start leaves the schema as it was. A database of a newer version
// than this program knows throws DatabaseError (Fault) and is not touched.
// Returns the version found before. `target` stops at an earlier version
// (for the tests of a migration).
int MigrateSchema(SqlDatabase& database, int target = CurrentSchemaVersion());

} // namespace zv
