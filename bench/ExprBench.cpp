// The expression engine against SQLite: a constraint, a calculation and a filter evaluated over one
// million orders-like records held in memory, each side by side with SQLite evaluating the same over
// the same rows of an in-memory table. The expressions are parsed once, as a table parses them;
// what is measured is their evaluation against every record. Then the expression table's whole path
// for one record (append, set the fields, post) with its expressions on and off.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <random>
#include <sqlite3.h>
#include <vector>

#include "BenchSupport.h"
#include "lib/moxDBCanExpr.h"
#include "lib/moxDBTables.h"
#include "vcl/db/MemoryDataSet.h"

namespace {

constexpr int RecordCount = 1'000'000;

struct Order {
    Currency itemsTotal, amountPaid, freight;
    String shipToCity;
};

std::vector<Order>& Orders() {
    static std::vector<Order> orders;
    return orders;
}

void MakeOrders() {
    static const char* const cities[] = {"Santa Cruz", "Stockholm", "Sao Paulo", "Kapaa", "Freeport",
                                         "Bogota",     "Sydney",    "Honolulu",  "Paris", "Seattle"};
    std::mt19937 rng(1994);
    Orders().reserve(RecordCount);
    for (int i = 0; i < RecordCount; ++i) {
        const double total = double(rng() % 1'000'000) / 100;
        Orders().push_back({Currency(total), Currency(double(rng() % 100'000) / 100),
                            Currency(double(rng() % 5'000) / 100), String(cities[rng() % std::size(cities)])});
    }
}

// The records as the evaluator reads them: fields 1 to 4 of the current record.
class RecordSource : public TmoxExprEvaluator {
public:
    std::size_t current = 0;

protected:
    Variant GetFieldValue(int FieldNo, const String&, int& DataType, int& DataSize) override {
        const Order& o = Orders()[current];
        switch (FieldNo) {
        case 1:
            DataType = fldFLOAT;
            DataSize = 8;
            return Variant(o.itemsTotal);
        case 2:
            DataType = fldFLOAT;
            DataSize = 8;
            return Variant(o.amountPaid);
        case 3:
            DataType = fldFLOAT;
            DataSize = 8;
            return Variant(o.freight);
        case 4:
            DataType = fldZSTRING;
            DataSize = 15;
            return Variant(o.shipToCity);
        default:
            return TmoxExprEvaluator::GetFieldValue(FieldNo, {}, DataType, DataSize);
        }
    }
};

struct Subject {
    std::string name;
    String expression;
    std::string sql;       // evaluated by SQLite for every row
    bool condition = true; // counts the records for which it holds; otherwise sums the values
};

const std::vector<Subject>& Subjects() {
    static const std::vector<Subject> subjects = {
        {"constraint ItemsTotal >= 0", "ItemsTotal >= 0", "SELECT count(*) FROM orders WHERE ItemsTotal >= 0"},
        {"calculation ItemsTotal - AmountPaid", "ItemsTotal - AmountPaid",
         "SELECT ItemsTotal - AmountPaid FROM orders", false},
        {"filter (Freight > 10) and (ShipToCity like 'S%')", "(Freight > 10) and (ShipToCity like 'S%')",
         "SELECT count(*) FROM orders WHERE (Freight > 10) AND (ShipToCity LIKE 'S%')"},
    };
    return subjects;
}

// The buffer the table would hold: parsed against a data set with the same fields.
TExprData Parse(const String& expression) {
    mox::test::TMemoryDataSet fields;
    fields.columns = {{"ItemsTotal", ftCurrency}, {"AmountPaid", ftCurrency}, {"Freight", ftCurrency},
                      {"ShipToCity", ftString, 15}};
    fields.Open();
    return TmoxExprParser(&fields, FldTypeMap, nullptr, {}, xoExtendedSyntax | xoAggregates, {}, expression)
        .FilterData();
}

double RunOurs(RecordSource& source, const Subject& s) {
    double result = 0;
    for (source.current = 0; source.current < Orders().size(); ++source.current) {
        const Variant v = source.Evaluate();
        result += s.condition ? (v.ToBool() ? 1 : 0) : v.ToDouble();
    }
    return result;
}

sqlite3* Database() {
    static sqlite3* db = [] {
        sqlite3* d = nullptr;
        sqlite3_open(":memory:", &d);
        sqlite3_exec(d, "PRAGMA case_sensitive_like = ON", nullptr, nullptr, nullptr);
        sqlite3_exec(d, "CREATE TABLE orders (ItemsTotal REAL, AmountPaid REAL, Freight REAL, ShipToCity TEXT)",
                     nullptr, nullptr, nullptr);
        sqlite3_exec(d, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt* insert = nullptr;
        sqlite3_prepare_v2(d, "INSERT INTO orders VALUES (?, ?, ?, ?)", -1, &insert, nullptr);
        for (const Order& o : Orders()) {
            sqlite3_bind_double(insert, 1, o.itemsTotal.ToDouble());
            sqlite3_bind_double(insert, 2, o.amountPaid.ToDouble());
            sqlite3_bind_double(insert, 3, o.freight.ToDouble());
            const QByteArray city = o.shipToCity.toUtf8();
            sqlite3_bind_text(insert, 4, city.constData(), int(city.size()), SQLITE_TRANSIENT);
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        sqlite3_exec(d, "COMMIT", nullptr, nullptr, nullptr);
        return d;
    }();
    return db;
}

double RunSqlite(sqlite3_stmt* statement, const Subject& s) {
    double result = 0;
    while (sqlite3_step(statement) == SQLITE_ROW)
        result += sqlite3_column_double(statement, 0);
    sqlite3_reset(statement);
    (void)s;
    return result;
}

void Ours(benchmark::State& state, const Subject* s) {
    RecordSource source;
    source.SetData(Parse(s->expression));
    for (auto _ : state)
        benchmark::DoNotOptimize(RunOurs(source, *s));
    state.SetItemsProcessed(state.iterations() * RecordCount);
}

void Sqlite(benchmark::State& state, const Subject* s) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(Database(), s->sql.c_str(), -1, &statement, nullptr);
    for (auto _ : state)
        benchmark::DoNotOptimize(RunSqlite(statement, *s));
    sqlite3_finalize(statement);
    state.SetItemsProcessed(state.iterations() * RecordCount);
}

// Both sides must compute the same, or the comparison means nothing.
bool Agree(const Subject& s) {
    RecordSource source;
    source.SetData(Parse(s.expression));
    const double ours = RunOurs(source, s);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(Database(), s.sql.c_str(), -1, &statement, nullptr);
    const double theirs = RunSqlite(statement, s);
    sqlite3_finalize(statement);
    if (std::abs(ours - theirs) > 1e-6 * std::max(1.0, std::abs(theirs))) {
        std::printf("disagreement on %s: evaluator %.4f, SQLite %.4f\n", s.name.c_str(), ours, theirs);
        return false;
    }
    return true;
}

// An orders table in a scratch SQLite file, set up as the demonstration's orders table.
struct OrdersTable {
    OrdersTable() {
        path = QDir::temp().filePath(QStringLiteral("mox-expr-bench-%1.sqlite").arg(QCoreApplication::applicationPid()));
        QFile::remove(path);
        db.SetDatabaseName("B");
        db.SetDriverName("SQLITE");
        db.Params()->Add("PATH=" + path);
        db.Params()->Add("CREATE=TRUE");
        db.Open();
        // Each post is its own transaction: without waiting for the disk the engine's work shows.
        db.Connection()->Execute("PRAGMA synchronous = OFF");
        db.Connection()->Execute("CREATE TABLE orders (OrderNo INTEGER PRIMARY KEY, CustNo FLOAT NOT NULL, "
                                 "ShipToCity VARCHAR(15), ItemsTotal CURRENCY, TaxRate FLOAT, Freight CURRENCY, "
                                 "AmountPaid CURRENCY)");
        table.SetDatabaseName("B");
        table.SetTableName("orders.db");
        SetupOrdersExpressions(&table);
    }
    ~OrdersTable() {
        table.Close();
        db.Close();
        QFile::remove(path);
    }
    QString path;
    TDatabase db;
    TmoxTable table;
};

// Records appended by the last run of each side.
long appended[2] = {0, 0};

void AppendRecords(benchmark::State& state, bool expressions) {
    OrdersTable orders;
    TmoxTable& t = orders.table;
    t.SetExpressionsActive(expressions);
    t.Open();
    TField* custNo = t.FieldByName("CustNo");
    TField* city = t.FieldByName("ShipToCity");
    TField* total = t.FieldByName("ItemsTotal");
    TField* paid = t.FieldByName("AmountPaid");
    int n = 0;
    for (auto _ : state) {
        t.Append();
        custNo->SetAsInteger(1000 + n % 50);
        city->SetAsString("Santa Cruz");
        total->SetAsFloat(100 + n % 7);
        paid->SetAsFloat(n % 5);
        t.Post();
        ++n;
    }
    state.SetItemsProcessed(state.iterations());
    appended[expressions] = long(state.iterations());
}

} // namespace

int main(int argc, char** argv) {
    MakeOrders();
    for (const Subject& s : Subjects()) {
        if (!Agree(s)) return 1;
        benchmark::RegisterBenchmark(("expr/" + s.name).c_str(), Ours, &s)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("sqlite/" + s.name).c_str(), Sqlite, &s)->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("table/append, set fields, post with expressions", AppendRecords, true)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("table/append, set fields, post without expressions", AppendRecords, false)
        ->Unit(benchmark::kMicrosecond);
    const std::map<std::string, double> rates = mox::bench::RunBenchmarks(argc, argv);
    for (const Subject& s : Subjects()) {
        const auto ours = rates.find("expr/" + s.name), theirs = rates.find("sqlite/" + s.name);
        if (ours == rates.end() || theirs == rates.end()) continue;
        mox::bench::PrintComparison(s.name + " over in-memory records against SQLite in memory", RecordCount,
                                    "expression evaluator", ours->second, "SQLite", theirs->second);
    }
    const auto on = rates.find("table/append, set fields, post with expressions");
    const auto off = rates.find("table/append, set fields, post without expressions");
    if (on != rates.end() && off != rates.end()) {
        std::printf("expression table: append a record, set four fields, post: %.1f us per record with its "
                    "expressions (defaults, constraints, AmountDue), %.1f us without\n",
                    1e6 / on->second, 1e6 / off->second);
        mox::bench::PrintComparison("expression table path per record with expressions against without them",
                                    appended[1], "with expressions", on->second, "without expressions",
                                    off->second);
    }
    sqlite3_close(Database());
    return 0;
}
