// The table against raw SQLite: one million orders in an SQLite file, read through TTable and
// through sqlite3 prepared statements in the same run. Each step is measured on both sides:
// opening, a full scan reading three fields, the scan backwards, MoveBy(-10) steps, Last after
// Open, Locate on a field without an index, and a scan filtered through OnFilterRecord. The raw
// side reads the table's rows (every column, as a table holds them) in the same order, that of the
// primary key, and does the same work with them. At the end the peak memory of the process is set against the size of the
// table on disk.
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <sqlite3.h>
#include <sys/resource.h>

#include "BenchSupport.h"
#include "vcl/DBTables.h"

namespace {

constexpr int RowCount = 1'000'000;
// The value Locate looks for: in the last row only.
constexpr const char* SoughtPO = "PO-LAST";
constexpr double FilterLimit = 40000; // about a fifth of the rows pass

QString& DatabasePath() {
    static QString path;
    return path;
}

void Check(int rc, sqlite3* db, const char* what) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "%s: %s\n", what, sqlite3_errmsg(db));
        std::exit(1);
    }
}

void MakeDatabase(const QString& path) {
    sqlite3* db = nullptr;
    Check(sqlite3_open(path.toUtf8().constData(), &db), db, "open");
    auto exec = [&](const char* sql) { Check(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), db, sql); };
    exec("PRAGMA journal_mode = OFF");
    exec("CREATE TABLE orders (OrderNo FLOAT NOT NULL PRIMARY KEY, CustNo FLOAT NOT NULL, SaleDate DATETIME, "
         "ShipDate DATETIME, EmpNo INTEGER NOT NULL, ShipToContact VARCHAR(20), ShipToAddr1 VARCHAR(30), "
         "ShipToAddr2 VARCHAR(30), ShipToCity VARCHAR(15), ShipToState VARCHAR(20), ShipToZip VARCHAR(10), "
         "ShipToCountry VARCHAR(20), ShipToPhone VARCHAR(15), ShipVIA VARCHAR(7), PO VARCHAR(15), "
         "Terms VARCHAR(6), PaymentMethod VARCHAR(7), ItemsTotal CURRENCY, TaxRate FLOAT, Freight CURRENCY, "
         "AmountPaid CURRENCY)");
    exec("BEGIN");
    const QByteArray fill =
        QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
            "INSERT INTO orders SELECT i, 1000 + (i * 7919) % 5500, "
            "date('2020-01-01', '+' || (i / 500) || ' days') || ' 10:00:00', "
            "date('2020-01-01', '+' || (i / 500 + 3) || ' days') || ' 10:00:00', 1 + i % 40, "
            "'Contact ' || (i % 997), (i % 9999) || ' Harbour Road', NULL, 'City' || (i % 251), 'ST', "
            "printf('%05d', i % 99991), 'Country' || (i % 31), '555-' || (i % 10000), 'UPS', "
            "CASE WHEN i = %1 THEN '%2' ELSE 'PO' || i END, 'Net 30', 'Credit', "
            "((i * 104729) % 5000000) / 100.0, 7.5, (i % 5000) / 100.0, ((i * 104729) % 5000000) / 200.0 FROM n")
            .arg(RowCount)
            .arg(QString::fromLatin1(SoughtPO))
            .toUtf8();
    exec(fill.constData());
    exec("COMMIT");
    sqlite3_close(db);
}

// The raw side.
sqlite3* Raw() {
    static sqlite3* db = [] {
        sqlite3* d = nullptr;
        sqlite3_open_v2(DatabasePath().toUtf8().constData(), &d, SQLITE_OPEN_READONLY, nullptr);
        return d;
    }();
    return db;
}

constexpr const char* AllColumns =
    "SELECT OrderNo, CustNo, SaleDate, ShipDate, EmpNo, ShipToContact, ShipToAddr1, ShipToAddr2, ShipToCity, "
    "ShipToState, ShipToZip, ShipToCountry, ShipToPhone, ShipVIA, PO, Terms, PaymentMethod, ItemsTotal, TaxRate, "
    "Freight, AmountPaid, rowid FROM orders";

struct RawScan {
    explicit RawScan(const std::string& sql) {
        Check(sqlite3_prepare_v2(Raw(), sql.c_str(), -1, &stmt, nullptr), Raw(), sql.c_str());
    }
    ~RawScan() { sqlite3_finalize(stmt); }
    // Reads the three fields the table side reads: OrderNo, CustNo, ItemsTotal.
    double Three() const {
        return sqlite3_column_double(stmt, 0) + sqlite3_column_double(stmt, 1) + sqlite3_column_double(stmt, 17);
    }
    sqlite3_stmt* stmt = nullptr;
};

// The table side.
struct Table {
    Table() {
        db.SetDatabaseName("bench");
        db.SetDriverName("SQLITE");
        db.Params()->Add("PATH=" + DatabasePath());
        db.Open();
        table.SetDatabaseName("bench");
        table.SetTableName("orders");
    }
    double Three() {
        return orderNo->AsFloat() + custNo->AsFloat() + itemsTotal->AsFloat();
    }
    void Bind() {
        orderNo = table.FieldByName("OrderNo");
        custNo = table.FieldByName("CustNo");
        itemsTotal = table.FieldByName("ItemsTotal");
    }
    TDatabase db;
    TTable table;
    TField* orderNo = nullptr;
    TField* custNo = nullptr;
    TField* itemsTotal = nullptr;
};

Table& Ours() {
    static Table t;
    return t;
}

// A window of records, as a grid shows.
constexpr int Window = 16;

void OpenOurs(benchmark::State& state) {
    Table& t = Ours();
    for (auto _ : state) {
        t.table.Open();
        benchmark::DoNotOptimize(t.table.FieldByName("OrderNo")->AsFloat());
        t.table.Close();
    }
    state.SetItemsProcessed(state.iterations());
}

void OpenRaw(benchmark::State& state) {
    for (auto _ : state) {
        RawScan scan(std::string(AllColumns) + " ORDER BY OrderNo LIMIT " + std::to_string(Window));
        double sum = 0;
        while (sqlite3_step(scan.stmt) == SQLITE_ROW)
            sum += scan.Three();
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations());
}

void LastAfterOpenOurs(benchmark::State& state) {
    Table& t = Ours();
    for (auto _ : state) {
        t.table.Open();
        t.table.Last();
        benchmark::DoNotOptimize(t.table.FieldByName("OrderNo")->AsFloat());
        t.table.Close();
    }
    state.SetItemsProcessed(state.iterations());
}

void LastAfterOpenRaw(benchmark::State& state) {
    for (auto _ : state) {
        {
            RawScan first(std::string(AllColumns) + " ORDER BY OrderNo LIMIT " + std::to_string(Window));
            while (sqlite3_step(first.stmt) == SQLITE_ROW)
                benchmark::DoNotOptimize(first.Three());
        }
        RawScan last(std::string(AllColumns) + " ORDER BY OrderNo DESC LIMIT " + std::to_string(Window));
        while (sqlite3_step(last.stmt) == SQLITE_ROW)
            benchmark::DoNotOptimize(last.Three());
    }
    state.SetItemsProcessed(state.iterations());
}

void ScanOurs(benchmark::State& state) {
    Table& t = Ours();
    t.table.Open();
    t.Bind();
    for (auto _ : state) {
        double sum = 0;
        for (t.table.First(); !t.table.Eof(); t.table.Next())
            sum += t.Three();
        benchmark::DoNotOptimize(sum);
    }
    t.table.Close();
    state.SetItemsProcessed(state.iterations() * RowCount);
}

void ScanRaw(benchmark::State& state) {
    RawScan scan(std::string(AllColumns) + " ORDER BY OrderNo");
    for (auto _ : state) {
        double sum = 0;
        while (sqlite3_step(scan.stmt) == SQLITE_ROW)
            sum += scan.Three();
        sqlite3_reset(scan.stmt);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * RowCount);
}

void BackwardsOurs(benchmark::State& state) {
    Table& t = Ours();
    t.table.Open();
    t.Bind();
    for (auto _ : state) {
        double sum = 0;
        for (t.table.Last(); !t.table.Bof(); t.table.Prior())
            sum += t.Three();
        benchmark::DoNotOptimize(sum);
    }
    t.table.Close();
    state.SetItemsProcessed(state.iterations() * RowCount);
}

void BackwardsRaw(benchmark::State& state) {
    RawScan scan(std::string(AllColumns) + " ORDER BY OrderNo DESC");
    for (auto _ : state) {
        double sum = 0;
        while (sqlite3_step(scan.stmt) == SQLITE_ROW)
            sum += scan.Three();
        sqlite3_reset(scan.stmt);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * RowCount);
}

void MoveByOurs(benchmark::State& state) {
    Table& t = Ours();
    t.table.Open();
    t.Bind();
    long steps = 0;
    for (auto _ : state) {
        double sum = 0;
        t.table.Last();
        while (t.table.MoveBy(-10) == -10) {
            sum += t.Three();
            ++steps;
        }
        benchmark::DoNotOptimize(sum);
    }
    t.table.Close();
    state.SetItemsProcessed(steps);
}

void MoveByRaw(benchmark::State& state) {
    RawScan scan(std::string(AllColumns) + " ORDER BY OrderNo DESC");
    long steps = 0;
    for (auto _ : state) {
        double sum = 0;
        int n = 0;
        while (sqlite3_step(scan.stmt) == SQLITE_ROW)
            if (++n % 10 == 1 && n > 1) {
                sum += scan.Three();
                ++steps;
            }
        sqlite3_reset(scan.stmt);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(steps);
}

void LocateOurs(benchmark::State& state) {
    Table& t = Ours();
    t.table.Open();
    for (auto _ : state) {
        t.table.First();
        if (!t.table.Locate("PO", Variant(QString::fromLatin1(SoughtPO)), {})) state.SkipWithError("not found");
    }
    t.table.Close();
    state.SetItemsProcessed(state.iterations() * RowCount);
}

void LocateRaw(benchmark::State& state) {
    RawScan scan(std::string(AllColumns) + " WHERE PO = ? ORDER BY OrderNo LIMIT 1");
    for (auto _ : state) {
        sqlite3_bind_text(scan.stmt, 1, SoughtPO, -1, SQLITE_STATIC);
        if (sqlite3_step(scan.stmt) != SQLITE_ROW) state.SkipWithError("not found");
        benchmark::DoNotOptimize(scan.Three());
        sqlite3_reset(scan.stmt);
    }
    state.SetItemsProcessed(state.iterations() * RowCount);
}

void FilterOurs(benchmark::State& state) {
    Table& t = Ours();
    t.table.Open();
    t.Bind();
    TField* items = t.itemsTotal;
    t.table.SetOnFilterRecord([items](TDataSet*, bool& accept) { accept = items->AsFloat() > FilterLimit; });
    t.table.SetFiltered(true);
    for (auto _ : state) {
        double sum = 0;
        for (t.table.First(); !t.table.Eof(); t.table.Next())
            sum += t.Three();
        benchmark::DoNotOptimize(sum);
    }
    t.table.SetFiltered(false);
    t.table.SetOnFilterRecord(nullptr);
    t.table.Close();
    state.SetItemsProcessed(state.iterations() * RowCount);
}

void FilterRaw(benchmark::State& state) {
    RawScan scan(std::string(AllColumns) + " ORDER BY OrderNo");
    for (auto _ : state) {
        double sum = 0;
        while (sqlite3_step(scan.stmt) == SQLITE_ROW)
            if (sqlite3_column_double(scan.stmt, 17) > FilterLimit) sum += scan.Three();
        sqlite3_reset(scan.stmt);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * RowCount);
}

struct Step {
    const char* name;
    void (*ours)(benchmark::State&);
    void (*raw)(benchmark::State&);
    long items;
};

const Step steps[] = {
    {"Open", OpenOurs, OpenRaw, 1},
    {"Last after Open", LastAfterOpenOurs, LastAfterOpenRaw, 1},
    {"First..Eof scan reading three fields", ScanOurs, ScanRaw, RowCount},
    {"Last..Bof scan backwards reading three fields", BackwardsOurs, BackwardsRaw, RowCount},
    {"MoveBy(-10) steps from Last", MoveByOurs, MoveByRaw, RowCount / 10},
    {"Locate on a field without an index", LocateOurs, LocateRaw, RowCount},
    {"scan filtered through OnFilterRecord", FilterOurs, FilterRaw, RowCount},
};

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir dir;
    DatabasePath() = dir.filePath("orders.sqlite");
    std::printf("generating %d orders...\n", RowCount);
    MakeDatabase(DatabasePath());
    for (const Step& s : steps) {
        benchmark::RegisterBenchmark((std::string("table/") + s.name).c_str(), s.ours)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("sqlite/") + s.name).c_str(), s.raw)->Unit(benchmark::kMillisecond);
    }
    const std::map<std::string, double> rates = mox::bench::RunBenchmarks(argc, argv);
    for (const Step& s : steps) {
        const auto ours = rates.find(std::string("table/") + s.name), raw = rates.find(std::string("sqlite/") + s.name);
        if (ours == rates.end() || raw == rates.end()) continue;
        mox::bench::PrintComparison(std::string(s.name) + " on a table of one million orders", s.items, "TTable",
                                    ours->second, "raw sqlite3", raw->second);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double peakMiB = usage.ru_maxrss / 1024.0;
    const double fileMiB = QFileInfo(DatabasePath()).size() / (1024.0 * 1024.0);
    std::printf("peak memory: %.1f MiB for a table of %.1f MiB on disk (%.0f%%)\n", peakMiB, fileMiB,
                100 * peakMiB / fileMiB);
    sqlite3_close(Raw());
    return 0;
}
