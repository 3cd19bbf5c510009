// Writes the sample database "DBDEMOS": the tables customer, employee and orders filled with our
// own invented data. The data come from a fixed seed and integer arithmetic only, so every build
// writes the same rows.
//
//     mox_make_sample_db OUTPUT.sqlite
#include <sqlite3.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// A small generator with a fixed seed (splitmix64): the same numbers on every platform.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A whole number from lo to hi inclusive.
    int Range(int lo, int hi) { return lo + int(Next() % std::uint64_t(hi - lo + 1)); }
    template <class T> const T& Pick(const std::vector<T>& list) { return list[Next() % list.size()]; }

private:
    std::uint64_t state_;
};

const std::vector<std::string> firstNames = {
    "Alma", "Boris", "Carla", "Dmitri", "Elena", "Felix", "Greta", "Hugo", "Ingrid", "Jonas", "Klara", "Lars",
    "Marta", "Nils", "Olga", "Pavel", "Quinn", "Rosa", "Stefan", "Tilde", "Ugo", "Vera", "Walter", "Xenia",
    "Yusuf", "Zora", "Anton", "Bianca", "Cyril", "Dora"};
const std::vector<std::string> lastNames = {
    "Ambrose", "Brandt", "Castell", "Dorsey", "Eklund", "Ferreira", "Galloway", "Hartmann", "Iverson", "Jansen",
    "Kowalski", "Lindqvist", "Moreau", "Nakamura", "Okafor", "Petrov", "Quint", "Rinaldi", "Sorensen", "Thorne",
    "Ulrich", "Valdez", "Winther", "Yamada", "Zeller", "Abbott", "Bergman", "Coelho", "Delacroix", "Esposito"};
const std::vector<std::string> companyFirst = {
    "Blue", "Coral", "Deep", "Harbor", "Island", "Lagoon", "Marlin", "Neptune", "Ocean", "Pearl", "Reef", "Sea",
    "Tide", "Wave", "Atoll", "Kelp", "Anchor", "Compass", "Current", "Dolphin"};
const std::vector<std::string> companySecond = {
    "Dive", "Diving", "Scuba", "Marine", "Water Sports", "Snorkel", "Aqua", "Sub", "Dive Gear", "Underwater"};
const std::vector<std::string> companyThird = {"Shop", "Supply", "Center", "Club", "Outfitters", "Co.", "Ltd.", "Tours"};
const std::vector<std::string> streets = {
    "Harbour Road", "Beach Lane", "Palm Avenue", "Quay Street", "Lighthouse Way", "Coral Drive", "Market Square",
    "Mill Street", "Station Road", "Cliff Walk", "Dock Street", "Sandy Row"};

struct Place {
    const char* city;
    const char* state;
    const char* country;
    const char* phone;
};
const std::vector<Place> places = {
    {"Kingston", "", "Jamaica", "876"},       {"Nassau", "", "Bahamas", "242"},
    {"Honolulu", "HI", "US", "808"},          {"Key West", "FL", "US", "305"},
    {"San Diego", "CA", "US", "619"},         {"Monterey", "CA", "US", "831"},
    {"Hamilton", "", "Bermuda", "441"},       {"Bridgetown", "", "Barbados", "246"},
    {"Cairns", "Queensland", "Australia", "7"}, {"Perth", "W. Australia", "Australia", "8"},
    {"Victoria", "BC", "Canada", "250"},      {"Halifax", "NS", "Canada", "902"},
    {"Brighton", "East Sussex", "England", "1273"}, {"Plymouth", "Devon", "England", "1752"},
    {"Marseille", "", "France", "491"},       {"Split", "", "Croatia", "21"},
    {"Valletta", "", "Malta", "21"},          {"Dahab", "South Sinai", "Egypt", "69"},
    {"Male", "", "Maldives", "33"},           {"Phuket", "", "Thailand", "76"}};
const std::vector<std::string> shipVia = {"UPS", "DHL", "FedEx", "Emery", "Post"};
const std::vector<std::string> terms = {"FOB", "Net 30", "COD", "Net 60"};
const std::vector<std::string> payments = {"Credit", "Check", "Cash", "Invoice"};

std::string Digits(Random& r, int n) {
    std::string s;
    for (int i = 0; i < n; ++i)
        s += char('0' + r.Range(0, 9));
    return s;
}

std::string Phone(Random& r, const Place& p) {
    return std::string(p.phone) + "-" + Digits(r, 3) + "-" + Digits(r, 4);
}

// Days since 1 January 1970 to an ISO date (proleptic Gregorian, civil-from-days).
std::string IsoDate(int days) {
    int z = days + 719468;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const int doe = z - era * 146097;
    const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    int y = yoe + era * 400;
    const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int mp = (5 * doy + 2) / 153;
    const int d = doy - (153 * mp + 2) / 5 + 1;
    const int m = mp < 10 ? mp + 3 : mp - 9;
    if (m <= 2) ++y;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", y, m, d);
    return buffer;
}

std::string IsoDateTime(int days, int minutes) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%s %02d:%02d:00", IsoDate(days).c_str(), minutes / 60, minutes % 60);
    return buffer;
}

// Cents as a real number with two decimals.
double Money(int cents) {
    return cents / 100.0;
}

class Database {
public:
    explicit Database(const char* path) {
        if (sqlite3_open(path, &db_) != SQLITE_OK) Fail("open");
    }
    ~Database() { sqlite3_close(db_); }
    void Exec(const char* sql) {
        char* error = nullptr;
        if (sqlite3_exec(db_, sql, nullptr, nullptr, &error) != SQLITE_OK) {
            std::fprintf(stderr, "%s\n%s\n", sql, error ? error : "");
            std::exit(1);
        }
    }
    sqlite3_stmt* Prepare(const char* sql) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db_, sql, -1, &stmt, nullptr) != SQLITE_OK) Fail(sql);
        return stmt;
    }
    void Run(sqlite3_stmt* stmt) {
        if (sqlite3_step(stmt) != SQLITE_DONE) Fail("insert");
        sqlite3_reset(stmt);
        sqlite3_clear_bindings(stmt);
    }
    [[noreturn]] void Fail(const char* what) {
        std::fprintf(stderr, "%s: %s\n", what, sqlite3_errmsg(db_));
        std::exit(1);
    }

private:
    sqlite3* db_ = nullptr;
};

void Text(sqlite3_stmt* s, int i, const std::string& v) {
    if (v.empty())
        sqlite3_bind_null(s, i);
    else
        sqlite3_bind_text(s, i, v.c_str(), int(v.size()), SQLITE_TRANSIENT);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.sqlite\n", argv[0]);
        return 2;
    }
    std::remove(argv[1]);
    Database db(argv[1]);
    db.Exec("PRAGMA page_size = 4096; PRAGMA journal_mode = OFF; BEGIN");
    db.Exec("CREATE TABLE customer (CustNo FLOAT NOT NULL PRIMARY KEY, Company VARCHAR(30), Addr1 VARCHAR(30), "
            "Addr2 VARCHAR(30), City VARCHAR(15), State VARCHAR(20), Zip VARCHAR(10), Country VARCHAR(20), "
            "Phone VARCHAR(15), FAX VARCHAR(15), TaxRate FLOAT, Contact VARCHAR(20), LastInvoiceDate DATETIME)");
    db.Exec("CREATE INDEX ByCompany ON customer (Company)");
    db.Exec("CREATE TABLE employee (EmpNo INTEGER NOT NULL PRIMARY KEY, LastName VARCHAR(20), FirstName VARCHAR(15), "
            "PhoneExt VARCHAR(4), HireDate DATETIME, Salary FLOAT)");
    db.Exec("CREATE INDEX ByName ON employee (LastName, FirstName)");
    db.Exec("CREATE TABLE orders (OrderNo FLOAT NOT NULL PRIMARY KEY, CustNo FLOAT NOT NULL, SaleDate DATETIME, "
            "ShipDate DATETIME, EmpNo INTEGER NOT NULL, ShipToContact VARCHAR(20), ShipToAddr1 VARCHAR(30), "
            "ShipToAddr2 VARCHAR(30), ShipToCity VARCHAR(15), ShipToState VARCHAR(20), ShipToZip VARCHAR(10), "
            "ShipToCountry VARCHAR(20), ShipToPhone VARCHAR(15), ShipVIA VARCHAR(7), PO VARCHAR(15), "
            "Terms VARCHAR(6), PaymentMethod VARCHAR(7), ItemsTotal CURRENCY, TaxRate FLOAT, Freight CURRENCY, "
            "AmountPaid CURRENCY)");
    db.Exec("CREATE INDEX CustNo ON orders (CustNo)");
    db.Exec("CREATE INDEX SaleDate ON orders (SaleDate)");
    db.Exec("CREATE INDEX EmpNo ON orders (EmpNo)");

    Random r(20260311);
    const int customerCount = 55, employeeCount = 40, orderCount = 1200;
    const int firstDay = 18262; // 2020-01-01
    const int days = 6 * 365;

    struct Customer {
        int custNo;
        int place;
        std::string contact, addr1, zip;
        int taxRate; // in hundredths of a percent
        int lastInvoice = 0;
    };
    std::vector<Customer> customers;
    sqlite3_stmt* c = db.Prepare("INSERT INTO customer VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)");
    for (int i = 0; i < customerCount; ++i) {
        Customer cu;
        cu.custNo = 1000 + i * 17 + r.Range(0, 9);
        cu.place = int(r.Next() % places.size());
        cu.contact = r.Pick(firstNames) + " " + r.Pick(lastNames);
        cu.addr1 = std::to_string(r.Range(1, 999)) + " " + r.Pick(streets);
        cu.zip = Digits(r, 5);
        cu.taxRate = r.Range(0, 3) == 0 ? 0 : r.Range(200, 950);
        customers.push_back(cu);
    }

    struct Employee {
        int empNo;
    };
    std::vector<Employee> employees;
    sqlite3_stmt* e = db.Prepare("INSERT INTO employee VALUES (?,?,?,?,?,?)");
    for (int i = 0; i < employeeCount; ++i) {
        const int empNo = 2 + i * 3 + r.Range(0, 2);
        employees.push_back({empNo});
        sqlite3_bind_int(e, 1, empNo);
        Text(e, 2, lastNames[(size_t(i) * 7 + r.Next() % 3) % lastNames.size()]);
        Text(e, 3, r.Pick(firstNames));
        Text(e, 4, std::to_string(r.Range(100, 999)));
        Text(e, 5, IsoDate(firstDay - r.Range(30, 20 * 365)));
        sqlite3_bind_double(e, 6, Money(r.Range(2500, 9500) * 1000));
        db.Run(e);
    }

    sqlite3_stmt* o = db.Prepare("INSERT INTO orders VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    for (int i = 0; i < orderCount; ++i) {
        Customer& cu = customers[r.Next() % customers.size()];
        const Place& p = places[size_t(cu.place)];
        // Orders come in date order, a few a day, as order numbers are handed out.
        const int day = firstDay + i * days / orderCount + r.Range(0, 1);
        const int itemsCents = r.Range(1, 200) * r.Range(500, 25000);
        const int freightCents = r.Range(0, 4) == 0 ? 0 : r.Range(500, 25000);
        const long long dueCents = itemsCents + (long long)itemsCents * cu.taxRate / 10000 + freightCents;
        const int paidKind = r.Range(0, 9);
        const long long paidCents = paidKind < 7 ? dueCents : paidKind < 9 ? dueCents / 2 : 0;
        sqlite3_bind_double(o, 1, 1001 + i);
        sqlite3_bind_double(o, 2, cu.custNo);
        Text(o, 3, IsoDateTime(day, r.Range(8 * 60, 18 * 60)));
        Text(o, 4, IsoDateTime(day + r.Range(1, 14), r.Range(8 * 60, 18 * 60)));
        sqlite3_bind_int(o, 5, employees[r.Next() % employees.size()].empNo);
        Text(o, 6, r.Range(0, 2) == 0 ? cu.contact : std::string());
        Text(o, 7, cu.addr1);
        Text(o, 8, std::string());
        Text(o, 9, p.city);
        Text(o, 10, p.state);
        Text(o, 11, cu.zip);
        Text(o, 12, p.country);
        Text(o, 13, r.Range(0, 1) ? Phone(r, p) : std::string());
        Text(o, 14, r.Pick(shipVia));
        Text(o, 15, r.Range(0, 2) == 0 ? std::string("PO") + Digits(r, 6) : std::string());
        Text(o, 16, r.Pick(terms));
        Text(o, 17, r.Pick(payments));
        sqlite3_bind_double(o, 18, Money(itemsCents));
        sqlite3_bind_double(o, 19, cu.taxRate / 100.0);
        sqlite3_bind_double(o, 20, Money(freightCents));
        sqlite3_bind_double(o, 21, Money(int(paidCents)));
        db.Run(o);
        cu.lastInvoice = day;
    }

    for (const Customer& cu : customers) {
        const Place& p = places[size_t(cu.place)];
        sqlite3_bind_double(c, 1, cu.custNo);
        Text(c, 2, companyFirst[size_t(cu.custNo) % companyFirst.size()] + " " +
                       companySecond[size_t(cu.custNo / 7) % companySecond.size()] + " " +
                       companyThird[size_t(cu.custNo / 3) % companyThird.size()]);
        Text(c, 3, cu.addr1);
        Text(c, 4, r.Range(0, 4) == 0 ? "Suite " + std::to_string(r.Range(1, 40)) : std::string());
        Text(c, 5, p.city);
        Text(c, 6, p.state);
        Text(c, 7, cu.zip);
        Text(c, 8, p.country);
        Text(c, 9, Phone(r, p));
        Text(c, 10, r.Range(0, 1) ? Phone(r, p) : std::string());
        sqlite3_bind_double(c, 11, cu.taxRate / 100.0);
        Text(c, 12, cu.contact);
        if (cu.lastInvoice)
            Text(c, 13, IsoDateTime(cu.lastInvoice, 9 * 60));
        else
            sqlite3_bind_null(c, 13);
        db.Run(c);
    }
    sqlite3_finalize(c);
    sqlite3_finalize(e);
    sqlite3_finalize(o);
    db.Exec("COMMIT; VACUUM");
    return 0;
}
