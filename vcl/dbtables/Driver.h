#pragma once
// The database driver interface that the database and table classes speak: connections, prepared
// statements, transactions and the schema. Each driver also owns the SQL dialect and the mapping
// between the data set's field types and the values its database stores, so that the table code
// above it is the same for every database.
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

#include "vcl/Variants.h"
#include "vcl/db/Types.h"

class TStrings;

// A column of a table as the database declares it.
struct TDbColumnInfo {
    String Name;
    TFieldType DataType = ftUnknown;
    int Size = 0;
    bool Required = false;
};

// An index of a table: its fields in order, each ascending or descending.
struct TDbIndexInfo {
    String Name;
    QStringList Fields;
    QList<bool> Descending;
    bool Primary = false;
    bool Unique = false;
};

// One row of a result packed into one buffer: for each column a kind, then eight bytes for a
// number or a length and the bytes of a text (UTF-8) or binary value. Reading a table holds many
// rows; a buffer each costs far less than a value object per column.
class TDbRow {
public:
    enum Kind : char { Null, Integer, Real, Text, Bytes };

    void Reserve(int Columns, int Bytes);
    void AppendNull();
    void AppendInteger(Int64 Value);
    void AppendReal(double Value);
    void AppendText(const char* Utf8, int Size);
    void AppendBytes(const char* Data, int Size);
    void Append(const QVariant& Value);
    // Filling at once, for drivers that know the row's size: room for Columns values in Bytes, then
    // each value written by Put at its offset, in column order.
    void Allocate(int Columns, qsizetype Bytes);
    qsizetype PutInteger(int Column, qsizetype Offset, Int64 Value);
    qsizetype PutReal(int Column, qsizetype Offset, double Value);
    qsizetype PutData(int Column, qsizetype Offset, Kind K, const void* Data, int Size);
    qsizetype PutNull(int Column, qsizetype Offset);
    static constexpr qsizetype NumberSize = 1 + 8;
    static constexpr qsizetype DataSize(int Size) { return 1 + 4 + Size; }

    int Count() const { return int(offsets_.size()); }
    Kind KindOf(int Column) const { return Kind(data_[offsets_[size_t(Column)]]); }
    // The column as QVariant: invalid for NULL, qlonglong, double, QString or QByteArray.
    QVariant Value(int Column) const;
    double RealValue(int Column) const;
    bool SameValues(const TDbRow& Other) const { return data_ == Other.data_; }

private:
    void AppendRaw(Kind K, const void* Data, size_t Size);

    QByteArray data_;
    std::vector<quint32> offsets_;
};

// A prepared statement. Values cross it in the database's own form (QVariant: null, integer,
// double, text, bytes), which compares exactly with what was read.
class TDbStatement {
public:
    virtual ~TDbStatement() = default;
    // Parameters are numbered from 1.
    virtual void Bind(int Index, const QVariant& Value) = 0;
    // Runs the statement or moves to its next row; false when there is no further row.
    virtual bool Step() = 0;
    virtual int ColumnCount() const = 0;
    // The current row's column (from 0) as stored.
    virtual QVariant Column(int Index) const = 0;
    // Appends the current row's first Count columns to Row.
    virtual void ReadRow(TDbRow& Row, int Count) const;
    // Ready to run again from the start; the bindings are cleared.
    virtual void Reset() = 0;
};

class TDbConnection {
public:
    virtual ~TDbConnection() = default;

    virtual std::unique_ptr<TDbStatement> Prepare(const String& Sql) = 0;
    virtual void Execute(const String& Sql) = 0;
    // The rows the last insert, update or delete touched, and the identity of the last new row.
    virtual Int64 ChangedRows() = 0;
    virtual QVariant LastInsertId() = 0;

    // Transactions nest: an inner one is a save point of the outer.
    virtual void StartTransaction() = 0;
    virtual void Commit() = 0;
    virtual void Rollback() = 0;
    virtual int TransactionDepth() const = 0;

    // The schema. Columns is empty when the table does not exist; Indexes lists the primary key first.
    virtual QStringList TableNames() = 0;
    virtual std::vector<TDbColumnInfo> Columns(const String& Table) = 0;
    virtual std::vector<TDbIndexInfo> Indexes(const String& Table) = 0;
    // The columns that identify a row of the table: a hidden row number where the database has one
    // (it is then selected in addition to the table's columns), else the primary key's columns.
    virtual QStringList RowIdentity(const String& Table) = 0;
    // Whether a name of RowIdentity is a hidden column rather than one of the table's.
    virtual bool IsHiddenIdentity(const String& Name) const = 0;

    // The dialect.
    virtual String QuoteName(const String& Name) const = 0;
    // Whether NULL sorts before every value in ascending order.
    virtual bool NullsSortFirst() const = 0;
    // A condition that Column holds the next parameter's value, NULL matching NULL.
    virtual String SameValueSql(const String& QuotedColumn) const = 0;
    virtual String LimitSql(int Count, int Offset = 0) const = 0;

    // The mapping between a field type's values and the database's.
    virtual Variant FromDb(const QVariant& Value, TFieldType Type) const = 0;
    virtual QVariant ToDb(const Variant& Value, TFieldType Type) const = 0;
};

class TDbDriver {
public:
    virtual ~TDbDriver() = default;
    // The name that aliases and TDatabase.DriverName give ("SQLITE").
    virtual String Name() const = 0;
    // Connects with the driver's parameters (for SQLite "PATH", the database file).
    virtual std::unique_ptr<TDbConnection> Connect(const TStrings* Params) = 0;
};

// The drivers known by name (compared without regard to case); SQLite is always there.
void RegisterDbDriver(std::shared_ptr<TDbDriver> Driver);
std::shared_ptr<TDbDriver> FindDbDriver(const String& Name);
