#pragma once
// The SQLite driver over the sqlite3 library. Dates and times are stored as ISO 8601 text
// ("2026-03-01", "13:45:00", "2026-03-01 13:45:00"), Boolean values as 0 and 1, currency as a real
// number; the declared column types ("VARCHAR(30)", "CURRENCY", "DATETIME") give the field types.
#include "vcl/dbtables/Driver.h"

class TSQLiteDriver : public TDbDriver {
public:
    String Name() const override { return QStringLiteral("SQLITE"); }
    std::unique_ptr<TDbConnection> Connect(const TStrings* Params) override;
};

// The field type and size a declared SQLite column type stands for.
TDbColumnInfo SQLiteColumnType(const String& DeclaredType);
