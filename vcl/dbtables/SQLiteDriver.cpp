#include "vcl/dbtables/SQLiteDriver.h"

#include <QDateTime>
#include <QRegularExpression>
#include <sqlite3.h>
#include <vector>

#include "vcl/Classes.h"
#include "vcl/SysUtils.h"
#include "vcl/db/Consts.h"
#include "vcl/db/Errors.h"

using namespace DBConsts;

namespace {

[[noreturn]] void Fail(sqlite3* db, const String& what) {
    DatabaseError(what.isEmpty() ? QString::fromUtf8(sqlite3_errmsg(db))
                                 : what + QStringLiteral(": ") + QString::fromUtf8(sqlite3_errmsg(db)));
}

class TSQLiteStatement : public TDbStatement {
public:
    TSQLiteStatement(sqlite3* db, sqlite3_stmt* stmt) : db_(db), stmt_(stmt) {}
    ~TSQLiteStatement() override { sqlite3_finalize(stmt_); }

    void Bind(int Index, const QVariant& Value) override {
        int rc;
        if (Value.isNull() || !Value.isValid()) {
            rc = sqlite3_bind_null(stmt_, Index);
        } else {
            switch (Value.typeId()) {
            case QMetaType::Double:
            case QMetaType::Float:
                rc = sqlite3_bind_double(stmt_, Index, Value.toDouble());
                break;
            case QMetaType::QString: {
                const QByteArray text = Value.toString().toUtf8();
                rc = sqlite3_bind_text(stmt_, Index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
                break;
            }
            case QMetaType::QByteArray: {
                const QByteArray bytes = Value.toByteArray();
                rc = sqlite3_bind_blob(stmt_, Index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
                break;
            }
            default:
                rc = sqlite3_bind_int64(stmt_, Index, Value.toLongLong());
                break;
            }
        }
        if (rc != SQLITE_OK) Fail(db_, {});
    }

    bool Step() override {
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) return false;
        const String message = QString::fromUtf8(sqlite3_errmsg(db_));
        sqlite3_reset(stmt_);
        DatabaseError(message);
    }

    int ColumnCount() const override { return sqlite3_column_count(stmt_); }

    QVariant Column(int Index) const override {
        switch (sqlite3_column_type(stmt_, Index)) {
        case SQLITE_INTEGER:
            return QVariant(qlonglong(sqlite3_column_int64(stmt_, Index)));
        case SQLITE_FLOAT:
            return QVariant(sqlite3_column_double(stmt_, Index));
        case SQLITE_TEXT: {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, Index));
            return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(stmt_, Index)));
        }
        case SQLITE_BLOB: {
            const auto* data = static_cast<const char*>(sqlite3_column_blob(stmt_, Index));
            return QVariant(QByteArray(data, sqlite3_column_bytes(stmt_, Index)));
        }
        default:
            return QVariant();
        }
    }

    // Two passes: the row's size, then its values, so that the row is one allocation.
    void ReadRow(TDbRow& Row, int Count) const override {
        qsizetype bytes = 0;
        types_.resize(size_t(Count));
        for (int i = 0; i < Count; ++i) {
            const int type = sqlite3_column_type(stmt_, i);
            types_[size_t(i)] = type;
            if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) {
                bytes += TDbRow::NumberSize;
            } else if (type == SQLITE_TEXT) {
                // Asking for the text before its size fixes the size of its UTF-8 form.
                sqlite3_column_text(stmt_, i);
                bytes += TDbRow::DataSize(sqlite3_column_bytes(stmt_, i));
            } else if (type == SQLITE_BLOB) {
                sqlite3_column_blob(stmt_, i);
                bytes += TDbRow::DataSize(sqlite3_column_bytes(stmt_, i));
            } else {
                bytes += 1;
            }
        }
        Row.Allocate(Count, bytes);
        qsizetype at = 0;
        for (int i = 0; i < Count; ++i) {
            switch (types_[size_t(i)]) {
            case SQLITE_INTEGER:
                at = Row.PutInteger(i, at, sqlite3_column_int64(stmt_, i));
                break;
            case SQLITE_FLOAT:
                at = Row.PutReal(i, at, sqlite3_column_double(stmt_, i));
                break;
            case SQLITE_TEXT:
                at = Row.PutData(i, at, TDbRow::Text, sqlite3_column_text(stmt_, i), sqlite3_column_bytes(stmt_, i));
                break;
            case SQLITE_BLOB:
                at = Row.PutData(i, at, TDbRow::Bytes, sqlite3_column_blob(stmt_, i), sqlite3_column_bytes(stmt_, i));
                break;
            default:
                at = Row.PutNull(i, at);
                break;
            }
        }
    }

    void Reset() override {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_;
    mutable std::vector<int> types_;
};

String IsoDate(const QDate& d) {
    return d.toString(QStringLiteral("yyyy-MM-dd"));
}

String IsoTime(const QTime& t) {
    return t.toString(t.msec() ? QStringLiteral("HH:mm:ss.zzz") : QStringLiteral("HH:mm:ss"));
}

// Text in any of the ISO forms the driver writes, or a date-time number stored as a number.
Variant DateTimeFromDb(const QVariant& Value, TFieldType Type) {
    if (Value.typeId() == QMetaType::Double || Value.typeId() == QMetaType::LongLong)
        return Variant(TDateTime(Value.toDouble()));
    const String text = Value.toString().trimmed();
    if (Type == ftTime) {
        const QTime t = QTime::fromString(text, Qt::ISODateWithMs);
        if (t.isValid()) return Variant(QTimeToDateTime(t));
    }
    QDateTime dt = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!dt.isValid()) dt = QDateTime::fromString(QString(text).replace(QLatin1Char(' '), QLatin1Char('T')), Qt::ISODateWithMs);
    if (dt.isValid())
        return Variant(TDateTime(QDateToDateTime(dt.date()).Val + QTimeToDateTime(dt.time()).Val));
    const QDate d = QDate::fromString(text, Qt::ISODate);
    if (d.isValid()) return Variant(QDateToDateTime(d));
    const QTime t = QTime::fromString(text, Qt::ISODateWithMs);
    if (t.isValid()) return Variant(QTimeToDateTime(t));
    return Variant(text);
}

class TSQLiteConnection : public TDbConnection {
public:
    explicit TSQLiteConnection(sqlite3* db) : db_(db) {}
    ~TSQLiteConnection() override { sqlite3_close_v2(db_); }

    std::unique_ptr<TDbStatement> Prepare(const String& Sql) override {
        const QByteArray sql = Sql.toUtf8();
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v3(db_, sql.constData(), int(sql.size()), SQLITE_PREPARE_PERSISTENT, &stmt,
                               nullptr) != SQLITE_OK)
            Fail(db_, {});
        return std::make_unique<TSQLiteStatement>(db_, stmt);
    }

    void Execute(const String& Sql) override {
        char* error = nullptr;
        if (sqlite3_exec(db_, Sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
            const String message = QString::fromUtf8(error ? error : sqlite3_errmsg(db_));
            sqlite3_free(error);
            DatabaseError(message);
        }
    }

    Int64 ChangedRows() override { return sqlite3_changes64(db_); }
    QVariant LastInsertId() override { return QVariant(qlonglong(sqlite3_last_insert_rowid(db_))); }

    void StartTransaction() override {
        Execute(depth_ == 0 ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("SAVEPOINT mox_%1").arg(depth_));
        ++depth_;
    }
    void Commit() override {
        if (depth_ == 0) DatabaseError(QString::fromLatin1(SNotInTransaction));
        --depth_;
        Execute(depth_ == 0 ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE mox_%1").arg(depth_));
    }
    void Rollback() override {
        if (depth_ == 0) DatabaseError(QString::fromLatin1(SNotInTransaction));
        --depth_;
        if (depth_ == 0) {
            // A failed statement may have ended the transaction already.
            if (!sqlite3_get_autocommit(db_)) Execute(QStringLiteral("ROLLBACK"));
        } else {
            Execute(QStringLiteral("ROLLBACK TO mox_%1; RELEASE mox_%1").arg(depth_));
        }
    }
    int TransactionDepth() const override { return depth_; }

    QStringList TableNames() override {
        QStringList names;
        auto stmt = Prepare(QStringLiteral(
            "SELECT name FROM sqlite_schema WHERE type IN ('table','view') AND name NOT LIKE 'sqlite_%' "
            "ORDER BY name"));
        while (stmt->Step())
            names << stmt->Column(0).toString();
        return names;
    }

    std::vector<TDbColumnInfo> Columns(const String& Table) override {
        std::vector<TDbColumnInfo> columns;
        auto stmt = Prepare(QStringLiteral("SELECT name, type, \"notnull\" FROM pragma_table_info(?)"));
        stmt->Bind(1, Table);
        while (stmt->Step()) {
            TDbColumnInfo c = SQLiteColumnType(stmt->Column(1).toString());
            c.Name = stmt->Column(0).toString();
            c.Required = stmt->Column(2).toInt() != 0;
            columns.push_back(c);
        }
        return columns;
    }

    std::vector<TDbIndexInfo> Indexes(const String& Table) override {
        std::vector<TDbIndexInfo> result;
        // An INTEGER PRIMARY KEY is the row number itself and has no index of its own.
        TDbIndexInfo rowKey;
        rowKey.Primary = rowKey.Unique = true;
        {
            auto pk = Prepare(QStringLiteral("SELECT name, pk FROM pragma_table_info(?) WHERE pk > 0 ORDER BY pk"));
            pk->Bind(1, Table);
            while (pk->Step()) {
                rowKey.Fields << pk->Column(0).toString();
                rowKey.Descending << false;
            }
        }
        auto list = Prepare(QStringLiteral("SELECT name, \"unique\", origin FROM pragma_index_list(?) ORDER BY seq"));
        list->Bind(1, Table);
        std::vector<TDbIndexInfo> others;
        bool primaryFound = false;
        while (list->Step()) {
            TDbIndexInfo index;
            index.Name = list->Column(0).toString();
            index.Unique = list->Column(1).toInt() != 0;
            index.Primary = list->Column(2).toString() == QLatin1String("pk");
            auto info = Prepare(QStringLiteral("SELECT name, \"desc\" FROM pragma_index_xinfo(?) WHERE key = 1 ORDER BY seqno"));
            info->Bind(1, index.Name);
            while (info->Step()) {
                index.Fields << info->Column(0).toString();
                index.Descending << (info->Column(1).toInt() != 0);
            }
            if (index.Primary) {
                primaryFound = true;
                index.Name.clear();
                result.push_back(index);
            } else {
                others.push_back(index);
            }
        }
        if (!primaryFound && !rowKey.Fields.isEmpty()) result.push_back(rowKey);
        // SQLite lists the newest index first; the schema's order reads better.
        result.insert(result.end(), others.rbegin(), others.rend());
        return result;
    }

    QStringList RowIdentity(const String& Table) override {
        sqlite3_stmt* probe = nullptr;
        const QByteArray sql = QStringLiteral("SELECT rowid FROM %1 LIMIT 0").arg(QuoteName(Table)).toUtf8();
        const bool hasRowId = sqlite3_prepare_v2(db_, sql.constData(), -1, &probe, nullptr) == SQLITE_OK;
        sqlite3_finalize(probe);
        if (hasRowId) return {QStringLiteral("rowid")};
        for (const TDbIndexInfo& index : Indexes(Table))
            if (index.Primary) return index.Fields;
        return {};
    }
    bool IsHiddenIdentity(const String& Name) const override { return Name == QLatin1String("rowid"); }

    String QuoteName(const String& Name) const override {
        return QLatin1Char('"') + QString(Name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
    }
    bool NullsSortFirst() const override { return true; }
    String SameValueSql(const String& QuotedColumn) const override { return QuotedColumn + QStringLiteral(" IS ?"); }
    String LimitSql(int Count, int Offset) const override {
        return Offset ? QStringLiteral(" LIMIT %1 OFFSET %2").arg(Count).arg(Offset) : QStringLiteral(" LIMIT %1").arg(Count);
    }

    Variant FromDb(const QVariant& Value, TFieldType Type) const override {
        if (!Value.isValid() || Value.isNull()) return Null();
        switch (Type) {
        case ftSmallint:
        case ftInteger:
        case ftWord:
        case ftAutoInc:
            if (Value.typeId() == QMetaType::LongLong) return Variant(int(Value.toLongLong()));
            return Variant(Value.toString()).ToInt();
        case ftLargeint:
            if (Value.typeId() == QMetaType::LongLong) return Variant(static_cast<long long>(Value.toLongLong()));
            return Variant(Value.toString()).ToInt64();
        case ftFloat:
            if (Value.typeId() == QMetaType::QString) return Variant(Value.toString()).ToDouble();
            return Variant(Value.toDouble());
        case ftCurrency:
        case ftBCD:
        case ftFMTBcd:
            if (Value.typeId() == QMetaType::QString) return Variant(Variant(Value.toString()).ToCurrency());
            return Variant(Currency(Value.toDouble()));
        case ftBoolean:
            if (Value.typeId() == QMetaType::QString) {
                const String t = Value.toString().trimmed().toLower();
                return Variant(t == QLatin1String("true") || t == QLatin1String("t") || t == QLatin1String("1"));
            }
            return Variant(Value.toLongLong() != 0);
        case ftDate:
        case ftTime:
        case ftDateTime:
        case ftTimeStamp:
            return DateTimeFromDb(Value, Type);
        case ftBlob:
        case ftGraphic:
        case ftBytes:
        case ftVarBytes:
        case ftTypedBinary:
            return Variant(QString::fromLatin1(Value.typeId() == QMetaType::QByteArray ? Value.toByteArray()
                                                                                         : Value.toString().toUtf8()));
        default:
            if (Value.typeId() == QMetaType::QByteArray) return Variant(QString::fromUtf8(Value.toByteArray()));
            return Variant(Value.toString());
        }
    }

    QVariant ToDb(const Variant& Value, TFieldType Type) const override {
        if (Value.IsNull() || Value.IsEmpty()) return QVariant();
        switch (Type) {
        case ftSmallint:
        case ftInteger:
        case ftWord:
        case ftAutoInc:
        case ftLargeint:
            return QVariant(qlonglong(Value.ToInt64()));
        case ftBoolean:
            return QVariant(qlonglong(Value.ToBool() ? 1 : 0));
        case ftFloat:
        case ftCurrency:
        case ftBCD:
        case ftFMTBcd:
            return QVariant(Value.ToDouble());
        case ftDate:
            return QVariant(IsoDate(DateTimeToQDate(Value.ToDateTime())));
        case ftTime:
            return QVariant(IsoTime(DateTimeToQTime(Value.ToDateTime())));
        case ftDateTime:
        case ftTimeStamp: {
            const TDateTime dt = Value.ToDateTime();
            return QVariant(IsoDate(DateTimeToQDate(dt)) + QLatin1Char(' ') + IsoTime(DateTimeToQTime(dt)));
        }
        case ftBlob:
        case ftGraphic:
        case ftBytes:
        case ftVarBytes:
        case ftTypedBinary:
            return QVariant(Value.ToString().toLatin1());
        default:
            return QVariant(Value.ToString());
        }
    }

private:
    sqlite3* db_;
    int depth_ = 0;
};

} // namespace

TDbColumnInfo SQLiteColumnType(const String& DeclaredType) {
    static const QRegularExpression pattern(QStringLiteral(R"(^\s*([A-Za-z ]*?)\s*(?:\(\s*(\d+)\s*(?:,\s*(\d+)\s*)?\))?\s*$)"));
    const auto m = pattern.match(DeclaredType);
    const String name = m.hasMatch() ? m.captured(1).toUpper().simplified() : DeclaredType.toUpper().simplified();
    const int size = m.hasMatch() ? m.captured(2).toInt() : 0;
    TDbColumnInfo c;
    auto is = [&](std::initializer_list<const char*> names) {
        for (const char* n : names)
            if (name == QLatin1String(n)) return true;
        return false;
    };
    if (is({"SMALLINT", "INT2", "TINYINT"})) c.DataType = ftSmallint;
    else if (is({"INTEGER", "INT", "MEDIUMINT", "INT4"})) c.DataType = ftInteger;
    else if (is({"BIGINT", "INT8", "UNSIGNED BIG INT"})) c.DataType = ftLargeint;
    else if (is({"AUTOINC", "AUTOINCREMENT"})) c.DataType = ftAutoInc;
    else if (is({"REAL", "FLOAT", "DOUBLE", "DOUBLE PRECISION", "NUMERIC", "DECIMAL", "NUMBER"})) c.DataType = ftFloat;
    else if (is({"CURRENCY", "MONEY"})) c.DataType = ftCurrency;
    else if (is({"BOOLEAN", "BOOL", "LOGICAL"})) c.DataType = ftBoolean;
    else if (is({"DATE"})) c.DataType = ftDate;
    else if (is({"TIME"})) c.DataType = ftTime;
    else if (is({"DATETIME", "TIMESTAMP"})) c.DataType = ftDateTime;
    else if (is({"BLOB", "BINARY", "VARBINARY", "BYTEA"})) c.DataType = ftBlob;
    else if (is({"GRAPHIC", "IMAGE"})) c.DataType = ftGraphic;
    else if (is({"MEMO", "CLOB", "LONGTEXT"}) || (is({"TEXT"}) && size == 0)) c.DataType = ftMemo;
    else if (is({"CHAR", "CHARACTER", "NCHAR"})) {
        c.DataType = ftFixedChar;
        c.Size = size ? size : 1;
    } else {
        // VARCHAR(n) and anything unknown: text, 20 characters when no size is declared.
        c.DataType = ftString;
        c.Size = size ? size : 20;
    }
    return c;
}

std::unique_ptr<TDbConnection> TSQLiteDriver::Connect(const TStrings* Params) {
    const String path = Params ? Params->Values(QStringLiteral("PATH")) : String();
    if (path.isEmpty()) DatabaseErrorFmt(SDatabaseFileMissing, {QStringLiteral("SQLITE")});
    const String mode = Params ? Params->Values(QStringLiteral("OPEN MODE")).toUpper() : String();
    // A connection serves the thread of its data sets only, so SQLite need not lock each call.
    int flags = SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_URI;
    if (mode == QLatin1String("READ ONLY"))
        flags |= SQLITE_OPEN_READONLY;
    else if (Params && Params->Values(QStringLiteral("CREATE")).toUpper() == QLatin1String("TRUE"))
        flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    else
        flags |= SQLITE_OPEN_READWRITE;
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const String message = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close_v2(db);
        DatabaseError(path + QStringLiteral(": ") + message);
    }
    sqlite3_busy_timeout(db, 2000);
    sqlite3_extended_result_codes(db, 1);
    return std::make_unique<TSQLiteConnection>(db);
}
