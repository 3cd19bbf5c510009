#pragma once
// The table's cursor over a database table: rows in the order of an index, fetched by key in pages
// around the current row and never all at once. Opening reads one page; going to the last row
// reads one page from the end; moving on reads the next page after the last row held (or before
// the first), seeking by the order's key values, so each step costs the same anywhere in a
// table of any size. A row is identified by the database's row identity, which ends the order
// so that it is total.
#include <QHash>
#include <deque>
#include <memory>
#include <vector>

#include "vcl/db/Types.h"
#include "vcl/dbtables/Driver.h"

// One row as the database holds it: the table's columns, then any hidden identity columns.
struct TCursorRow : TDbRow {
    // Set when this connection deleted the row; the cursor still knows where it stood.
    bool Deleted = false;
};
using TCursorRowPtr = std::shared_ptr<TCursorRow>;

struct TOrderColumn {
    int Column = 0;
    bool Descending = false;
    bool NotNull = false;
};

// A key condition over the first Values.size() columns of the order.
struct TCursorBound {
    std::vector<QVariant> Values;
    bool Exclusive = false;
};

class TKeysetCursor {
public:
    TKeysetCursor(TDbConnection* Connection, const String& Table, const std::vector<TDbColumnInfo>& Columns,
                  const QStringList& Identity);

    TDbConnection* Connection() const { return connection_; }
    const String& Table() const { return table_; }
    int ColumnCount() const { return int(columns_.size()); }
    const std::vector<TDbColumnInfo>& Columns() const { return columns_; }
    // The SQL text that names a column (from 0; past the table's columns, the hidden identity).
    String ColumnSql(int Column) const;

    // The order: these columns, then the identity. Changing it forgets the rows held.
    void SetOrder(const std::vector<TOrderColumn>& Order);
    const std::vector<TOrderColumn>& Order() const { return order_; }
    // The range the rows are limited to, over leading columns of the order.
    void SetRange(const TCursorBound& Start, const TCursorBound& End);
    void CancelRange();
    bool RangeActive() const { return !rangeStart_.Values.empty() || !rangeEnd_.Values.empty(); }

    // Before the first row / after the last.
    void First();
    void Last();
    // The row after or before the position, moving onto it; null at the end.
    TCursorRowPtr Next();
    TCursorRowPtr Prior();
    // The row at the position; null when there is none or it was deleted.
    TCursorRowPtr Current() const;
    // Moves onto a row read earlier (from a record buffer).
    void SetTo(const TCursorRowPtr& Row);
    // Forgets the rows held and stands on this one (read fresh after a change).
    void Place(const TCursorRowPtr& Row);
    // Puts a fresh copy in the place of a row held.
    void Replace(const TCursorRowPtr& Old, const TCursorRowPtr& Fresh);
    // Reads the row at the position again; a row that is gone keeps the position as a deleted row.
    void Refresh();

    // Identity.
    std::vector<QVariant> KeyOf(const TCursorRow& Row) const;
    // The row with that identity as it is now; null when there is none.
    TCursorRowPtr ReadByKey(const std::vector<QVariant>& Key);
    String KeyConditionSql() const;
    const std::vector<int>& KeyColumns() const { return keyColumns_; }
    bool HiddenIdentity() const { return hiddenIdentity_; }

    // Counting and positions within the range.
    int Count();
    int PositionOf(const TCursorRow& Row);
    TCursorRowPtr RowAt(int Position);
    // The first row in the order that also meets the condition (SQL with "?" parameters).
    TCursorRowPtr FindFirst(const String& Condition, const std::vector<QVariant>& Binds);
    // Every row in the range in order, until Visit returns false.
    void ForEach(const std::function<bool(const TCursorRowPtr&)>& Visit);
    // -1, 0 or 1 by the rows' places in the order.
    int CompareRows(const TCursorRow& A, const TCursorRow& B) const;

    // The condition that a row lies beyond (Forward: after, else before) the values of the first
    // Values.size() order columns, or on them when Inclusive; parameters are appended to Binds.
    String PositionSql(const std::vector<QVariant>& Values, bool Forward, bool Inclusive,
                       std::vector<QVariant>& Binds) const;

private:
    struct OrderPart {
        String Sql;
        bool Descending;
        bool NotNull;
    };
    TDbStatement* Statement(const String& Sql);
    TCursorRowPtr ReadRow(TDbStatement* Statement) const;
    String SelectSql() const;
    String OrderSql(bool Forward) const;
    // The range's condition (or an empty text) and its parameters.
    String RangeSql(std::vector<QVariant>& Binds) const;
    std::vector<QVariant> OrderValues(const TCursorRow& Row) const;
    // Reads up to Count rows beyond the anchor (or from the start or end without one).
    std::vector<TCursorRowPtr> FetchPage(const TCursorRow* Anchor, bool Forward, int Count);
    void Forget();
    void Trim(bool KeepBack);
    String Where(const QStringList& Conditions) const;

    TDbConnection* connection_;
    String table_;
    String quotedTable_;
    std::vector<TDbColumnInfo> columns_;
    QStringList hidden_;
    std::vector<int> keyColumns_;
    bool hiddenIdentity_ = false;
    std::vector<TOrderColumn> order_;
    std::vector<OrderPart> parts_;
    TCursorBound rangeStart_;
    TCursorBound rangeEnd_;
    QHash<String, std::shared_ptr<TDbStatement>> statements_;

    // The rows held: a run of neighbours in the order, the position among them (-1 before them,
    // rows_.size() after), and whether the run reaches the first and the last row.
    std::deque<TCursorRowPtr> rows_;
    int pos_ = -1;
    bool hasFirst_ = true;
    bool hasLast_ = false;
    int pageSize_ = 0;
    int lastDirection_ = 0;
};
