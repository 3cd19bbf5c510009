#pragma once
// A fixture with a temporary SQLite database, known format settings, and helpers to fill it, to
// read the table's records and to reach the same file through a second connection.
#include <functional>
#include <gtest/gtest.h>
#include <memory>

#include "../FixedFormatSettings.h"
#include "../db/DataSetFixture.h"
#include "TestSupport.h"
#include "vcl/DBTables.h"

namespace mox::test {

class TableFixture : public FixedFormatSettings {
protected:
    void SetUp() override {
        FixedFormatSettings::SetUp();
        scratch = std::make_unique<ScratchDir>();
        path = scratch->File("test.sqlite");
        db = Connect("T", true);
        Sql("CREATE TABLE people (Id INTEGER PRIMARY KEY, Name VARCHAR(20) NOT NULL, City VARCHAR(15), "
            "Salary CURRENCY, Hired DATE, Notes MEMO)");
        Sql("CREATE INDEX byCity ON people (City, Name)");
        Sql("CREATE INDEX bySalary ON people (Salary DESC)");
        Sql("INSERT INTO people (Id, Name, City, Salary, Hired) VALUES "
            "(1, 'Ann', 'Oslo', 1000, '2020-01-15'), (2, 'Bob', 'Bergen', 2000, '2019-06-01'), "
            "(3, 'Cid', NULL, 1500, NULL), (4, 'Dan', 'Oslo', 3000, '2021-03-31'), "
            "(5, 'Eve', 'Bergen', 2500, '2018-11-11')");
        table = std::make_unique<TTable>();
        table->SetDatabaseName("T");
        table->SetTableName("people");
    }
    void TearDown() override {
        table.reset();
        other.reset();
        db.reset();
        scratch.reset();
        FixedFormatSettings::TearDown();
    }

    std::unique_ptr<TDatabase> Connect(const QString& name, bool create = false) {
        auto d = std::make_unique<TDatabase>();
        d->SetDatabaseName(name);
        d->SetDriverName("SQLITE");
        d->Params()->Add("PATH=" + path);
        if (create) d->Params()->Add("CREATE=TRUE");
        d->Open();
        return d;
    }
    void Sql(const QString& sql) { db->Connection()->Execute(sql); }
    // A second connection to the same file, as another program would have.
    TDbConnection* Other() {
        if (!other) other = Connect("Other");
        return other->Connection();
    }
    // One value read through the second connection.
    QVariant OtherValue(const QString& sql) {
        auto stmt = Other()->Prepare(sql);
        return stmt->Step() ? stmt->Column(0) : QVariant();
    }
    QString Field(const char* name) const { return table->FieldByName(name)->AsString(); }
    // The values of one field over every record, from the first on.
    QStringList Column(const char* name) {
        QStringList values;
        for (table->First(); !table->Eof(); table->Next())
            values << Field(name);
        return values;
    }
    QStringList ColumnBackwards(const char* name) {
        QStringList values;
        for (table->Last(); !table->Bof(); table->Prior())
            values << Field(name);
        return values;
    }

    std::unique_ptr<ScratchDir> scratch;
    QString path;
    std::unique_ptr<TDatabase> db;
    std::unique_ptr<TDatabase> other;
    std::unique_ptr<TTable> table;
};

} // namespace mox::test
