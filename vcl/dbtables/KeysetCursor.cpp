#include "vcl/dbtables/KeysetCursor.h"

#include <algorithm>

#include "vcl/db/Errors.h"

namespace {
constexpr int FirstPage = 16;
constexpr int LargestPage = 512;
// The rows held stay within a few pages of the position.
constexpr size_t MostRowsHeld = 4 * LargestPage;

bool IsNull(const QVariant& v) {
    return !v.isValid() || v.isNull();
}

// SQL order of stored values: NULL first, numbers, text, bytes.
int CompareValues(const QVariant& a, const QVariant& b, bool nullsFirst) {
    const bool an = IsNull(a), bn = IsNull(b);
    if (an || bn) {
        if (an && bn) return 0;
        return (an ? -1 : 1) * (nullsFirst ? 1 : -1);
    }
    auto rank = [](const QVariant& v) {
        switch (v.typeId()) {
        case QMetaType::LongLong:
        case QMetaType::Int:
        case QMetaType::Double:
            return 0;
        case QMetaType::QString:
            return 1;
        default:
            return 2;
        }
    };
    const int ra = rank(a), rb = rank(b);
    if (ra != rb) return ra < rb ? -1 : 1;
    if (ra == 0) {
        if (a.typeId() == QMetaType::LongLong && b.typeId() == QMetaType::LongLong) {
            const qlonglong x = a.toLongLong(), y = b.toLongLong();
            return x < y ? -1 : x > y ? 1 : 0;
        }
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : x > y ? 1 : 0;
    }
    if (ra == 1) {
        const QByteArray x = a.toString().toUtf8(), y = b.toString().toUtf8();
        const int c = x.compare(y);
        return c < 0 ? -1 : c > 0 ? 1 : 0;
    }
    const int c = a.toByteArray().compare(b.toByteArray());
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}
} // namespace

TKeysetCursor::TKeysetCursor(TDbConnection* Connection, const String& Table,
                             const std::vector<TDbColumnInfo>& Columns, const QStringList& Identity)
    : connection_(Connection), table_(Table), quotedTable_(Connection->QuoteName(Table)), columns_(Columns) {
    for (const String& name : Identity) {
        if (connection_->IsHiddenIdentity(name)) {
            hiddenIdentity_ = true;
            keyColumns_.push_back(int(columns_.size()) + int(hidden_.size()));
            hidden_ << name;
            continue;
        }
        int found = -1;
        for (size_t i = 0; i < columns_.size(); ++i)
            if (columns_[i].Name.compare(name, Qt::CaseInsensitive) == 0) found = int(i);
        if (found < 0) DatabaseError(QStringLiteral("Unknown identity column '%1' of '%2'").arg(name, Table));
        keyColumns_.push_back(found);
    }
    SetOrder({});
}

String TKeysetCursor::ColumnSql(int Column) const {
    if (Column < int(columns_.size())) return connection_->QuoteName(columns_[size_t(Column)].Name);
    return hidden_[Column - int(columns_.size())];
}

String TKeysetCursor::SelectSql() const {
    QStringList list;
    for (int i = 0; i < int(columns_.size()) + int(hidden_.size()); ++i)
        list << ColumnSql(i);
    return QStringLiteral("SELECT ") + list.join(QStringLiteral(", ")) + QStringLiteral(" FROM ") + quotedTable_;
}

void TKeysetCursor::SetOrder(const std::vector<TOrderColumn>& Order) {
    order_ = Order;
    // The identity ends the order unless the order holds it already.
    for (int key : keyColumns_) {
        const bool present =
            std::any_of(order_.begin(), order_.end(), [key](const TOrderColumn& c) { return c.Column == key; });
        if (!present) order_.push_back({key, false, true});
    }
    parts_.clear();
    for (const TOrderColumn& c : order_) {
        const bool notNull = c.NotNull || std::find(keyColumns_.begin(), keyColumns_.end(), c.Column) != keyColumns_.end();
        parts_.push_back({ColumnSql(c.Column), c.Descending, notNull});
    }
    Forget();
    hasFirst_ = true;
}

void TKeysetCursor::SetRange(const TCursorBound& Start, const TCursorBound& End) {
    rangeStart_ = Start;
    rangeEnd_ = End;
    rangeStart_.Values.resize(std::min(rangeStart_.Values.size(), parts_.size()));
    rangeEnd_.Values.resize(std::min(rangeEnd_.Values.size(), parts_.size()));
    First();
}

void TKeysetCursor::CancelRange() {
    rangeStart_ = {};
    rangeEnd_ = {};
    First();
}

String TKeysetCursor::OrderSql(bool Forward) const {
    QStringList list;
    for (const OrderPart& p : parts_)
        list << p.Sql + ((p.Descending == Forward) ? QStringLiteral(" DESC") : QString());
    return QStringLiteral(" ORDER BY ") + list.join(QStringLiteral(", "));
}

String TKeysetCursor::PositionSql(const std::vector<QVariant>& Values, bool Forward, bool Inclusive,
                                  std::vector<QVariant>& Binds) const {
    const size_t k = std::min(Values.size(), parts_.size());
    if (k == 0) return Inclusive ? QStringLiteral("1") : QStringLiteral("0");
    const bool nullsLow = connection_->NullsSortFirst();
    QStringList terms;
    std::vector<QVariant> binds;
    // A leading bound on the first column lets the database seek in an index instead of testing
    // every row, where it cannot leave out rows that belong (NULLs on the wrong side).
    const OrderPart& first = parts_[0];
    const bool nullsFirstInOrder = first.Descending ? !nullsLow : nullsLow;
    String lead;
    if (!IsNull(Values[0]) && (first.NotNull || nullsFirstInOrder == Forward)) {
        lead = first.Sql + ((Forward != first.Descending) ? QStringLiteral(" >= ?") : QStringLiteral(" <= ?"));
        binds.push_back(Values[0]);
    }
    std::vector<QVariant> termBinds;
    for (size_t i = 0; i < k; ++i) {
        QStringList conj;
        std::vector<QVariant> conjBinds;
        for (size_t j = 0; j < i; ++j) {
            if (IsNull(Values[j])) {
                conj << parts_[j].Sql + QStringLiteral(" IS NULL");
            } else {
                conj << parts_[j].Sql + QStringLiteral(" = ?");
                conjBinds.push_back(Values[j]);
            }
        }
        const OrderPart& p = parts_[i];
        const bool nullsFirst = p.Descending ? !nullsLow : nullsLow;
        // NULLs lie beyond a value when they come after values in the direction of travel.
        const bool nullsBeyond = Forward ? !nullsFirst : nullsFirst;
        if (IsNull(Values[i])) {
            if (nullsBeyond) continue; // nothing lies beyond NULL
            conj << p.Sql + QStringLiteral(" IS NOT NULL");
        } else {
            const String op = (Forward != p.Descending) ? QStringLiteral(" > ?") : QStringLiteral(" < ?");
            if (nullsBeyond && !p.NotNull)
                conj << QStringLiteral("(") + p.Sql + op + QStringLiteral(" OR ") + p.Sql + QStringLiteral(" IS NULL)");
            else
                conj << p.Sql + op;
            conjBinds.push_back(Values[i]);
        }
        terms << QStringLiteral("(") + conj.join(QStringLiteral(" AND ")) + QStringLiteral(")");
        termBinds.insert(termBinds.end(), conjBinds.begin(), conjBinds.end());
    }
    if (Inclusive) {
        QStringList conj;
        for (size_t j = 0; j < k; ++j) {
            if (IsNull(Values[j])) {
                conj << parts_[j].Sql + QStringLiteral(" IS NULL");
            } else {
                conj << parts_[j].Sql + QStringLiteral(" = ?");
                termBinds.push_back(Values[j]);
            }
        }
        terms << QStringLiteral("(") + conj.join(QStringLiteral(" AND ")) + QStringLiteral(")");
    }
    String sql = terms.isEmpty() ? QStringLiteral("0") : QStringLiteral("(") + terms.join(QStringLiteral(" OR ")) + QStringLiteral(")");
    if (!lead.isEmpty()) sql = lead + QStringLiteral(" AND ") + sql;
    binds.insert(binds.end(), termBinds.begin(), termBinds.end());
    Binds.insert(Binds.end(), binds.begin(), binds.end());
    return sql;
}

String TKeysetCursor::RangeSql(std::vector<QVariant>& Binds) const {
    QStringList conditions;
    if (!rangeStart_.Values.empty()) conditions << PositionSql(rangeStart_.Values, true, !rangeStart_.Exclusive, Binds);
    if (!rangeEnd_.Values.empty()) conditions << PositionSql(rangeEnd_.Values, false, !rangeEnd_.Exclusive, Binds);
    return conditions.join(QStringLiteral(" AND "));
}

String TKeysetCursor::Where(const QStringList& Conditions) const {
    QStringList c;
    for (const String& s : Conditions)
        if (!s.isEmpty()) c << s;
    return c.isEmpty() ? String() : QStringLiteral(" WHERE ") + c.join(QStringLiteral(" AND "));
}

TDbStatement* TKeysetCursor::Statement(const String& Sql) {
    auto it = statements_.find(Sql);
    if (it != statements_.end()) {
        it.value()->Reset();
        return it.value().get();
    }
    // The texts differ only by the NULL pattern of keys and the page sizes, so they stay few.
    if (statements_.size() > 64) statements_.clear();
    std::shared_ptr<TDbStatement> stmt = connection_->Prepare(Sql);
    statements_.insert(Sql, stmt);
    return stmt.get();
}

TCursorRowPtr TKeysetCursor::ReadRow(TDbStatement* Statement) const {
    auto row = std::make_shared<TCursorRow>();
    Statement->ReadRow(*row, int(columns_.size()) + int(hidden_.size()));
    return row;
}

std::vector<QVariant> TKeysetCursor::OrderValues(const TCursorRow& Row) const {
    std::vector<QVariant> values;
    values.reserve(order_.size());
    for (const TOrderColumn& c : order_)
        values.push_back(Row.Value(c.Column));
    return values;
}

std::vector<QVariant> TKeysetCursor::KeyOf(const TCursorRow& Row) const {
    std::vector<QVariant> key;
    for (int c : keyColumns_)
        key.push_back(Row.Value(c));
    return key;
}

String TKeysetCursor::KeyConditionSql() const {
    QStringList conj;
    for (int c : keyColumns_)
        conj << ColumnSql(c) + QStringLiteral(" = ?");
    return conj.join(QStringLiteral(" AND "));
}

TCursorRowPtr TKeysetCursor::ReadByKey(const std::vector<QVariant>& Key) {
    if (Key.size() != keyColumns_.size()) return nullptr;
    for (const QVariant& v : Key)
        if (IsNull(v)) return nullptr;
    TDbStatement* stmt = Statement(SelectSql() + QStringLiteral(" WHERE ") + KeyConditionSql());
    for (size_t i = 0; i < Key.size(); ++i)
        stmt->Bind(int(i) + 1, Key[i]);
    TCursorRowPtr row = stmt->Step() ? ReadRow(stmt) : nullptr;
    stmt->Reset();
    return row;
}

std::vector<TCursorRowPtr> TKeysetCursor::FetchPage(const TCursorRow* Anchor, bool Forward, int Count) {
    std::vector<QVariant> binds;
    QStringList conditions;
    conditions << RangeSql(binds);
    if (Anchor) conditions << PositionSql(OrderValues(*Anchor), Forward, false, binds);
    const String sql = SelectSql() + Where(conditions) + OrderSql(Forward) + connection_->LimitSql(Count);
    TDbStatement* stmt = Statement(sql);
    for (size_t i = 0; i < binds.size(); ++i)
        stmt->Bind(int(i) + 1, binds[i]);
    std::vector<TCursorRowPtr> rows;
    rows.reserve(size_t(Count));
    while (stmt->Step())
        rows.push_back(ReadRow(stmt));
    stmt->Reset();
    return rows;
}

void TKeysetCursor::Forget() {
    rows_.clear();
    pos_ = -1;
    hasFirst_ = false;
    hasLast_ = false;
    lastDirection_ = 0;
    pageSize_ = FirstPage;
}

void TKeysetCursor::First() {
    Forget();
    hasFirst_ = true;
}

void TKeysetCursor::Last() {
    Forget();
    hasLast_ = true;
    pos_ = 0;
}

void TKeysetCursor::Trim(bool KeepBack) {
    if (rows_.size() <= MostRowsHeld) return;
    const size_t excess = rows_.size() - MostRowsHeld;
    if (KeepBack) {
        // Never drop the position itself.
        const size_t drop = std::min(excess, size_t(std::max(pos_, 0)));
        rows_.erase(rows_.begin(), rows_.begin() + long(drop));
        pos_ -= int(drop);
        if (drop) hasFirst_ = false;
    } else {
        const size_t keep = std::max(rows_.size() - excess, size_t(pos_ + 1));
        if (keep < rows_.size()) {
            rows_.erase(rows_.begin() + long(keep), rows_.end());
            hasLast_ = false;
        }
    }
}

TCursorRowPtr TKeysetCursor::Next() {
    for (;;) {
        if (pos_ + 1 < int(rows_.size())) {
            ++pos_;
            if (rows_[size_t(pos_)]->Deleted) continue;
            return rows_[size_t(pos_)];
        }
        if (hasLast_) {
            pos_ = int(rows_.size());
            return nullptr;
        }
        if (lastDirection_ == 1)
            pageSize_ = std::min(pageSize_ * 2, LargestPage);
        else
            pageSize_ = FirstPage;
        lastDirection_ = 1;
        const TCursorRow* anchor = rows_.empty() ? nullptr : rows_.back().get();
        if (!anchor && !hasFirst_) {
            pos_ = int(rows_.size());
            return nullptr;
        }
        std::vector<TCursorRowPtr> page = FetchPage(anchor, true, pageSize_);
        if (int(page.size()) < pageSize_) hasLast_ = true;
        if (page.empty()) {
            pos_ = int(rows_.size());
            return nullptr;
        }
        // Rows before the position that this connection deleted are of no use any more.
        while (!rows_.empty() && rows_.front()->Deleted && pos_ >= 0) {
            rows_.pop_front();
            --pos_;
            hasFirst_ = false;
        }
        rows_.insert(rows_.end(), page.begin(), page.end());
        Trim(true);
    }
}

TCursorRowPtr TKeysetCursor::Prior() {
    for (;;) {
        if (pos_ - 1 >= 0 && pos_ - 1 < int(rows_.size())) {
            --pos_;
            if (rows_[size_t(pos_)]->Deleted) continue;
            return rows_[size_t(pos_)];
        }
        if (pos_ > int(rows_.size())) pos_ = int(rows_.size());
        if (pos_ - 1 >= 0) continue;
        if (hasFirst_) {
            pos_ = -1;
            return nullptr;
        }
        if (lastDirection_ == -1)
            pageSize_ = std::min(pageSize_ * 2, LargestPage);
        else
            pageSize_ = FirstPage;
        lastDirection_ = -1;
        const TCursorRow* anchor = rows_.empty() ? nullptr : rows_.front().get();
        if (!anchor && !hasLast_) {
            pos_ = -1;
            return nullptr;
        }
        std::vector<TCursorRowPtr> page = FetchPage(anchor, false, pageSize_);
        if (int(page.size()) < pageSize_) hasFirst_ = true;
        if (page.empty()) {
            pos_ = -1;
            return nullptr;
        }
        rows_.insert(rows_.begin(), page.rbegin(), page.rend());
        pos_ += int(page.size());
        Trim(false);
    }
}

TCursorRowPtr TKeysetCursor::Current() const {
    if (pos_ < 0 || pos_ >= int(rows_.size())) return nullptr;
    const TCursorRowPtr& row = rows_[size_t(pos_)];
    return row->Deleted ? nullptr : row;
}

void TKeysetCursor::SetTo(const TCursorRowPtr& Row) {
    if (!Row) return;
    if (pos_ >= 0 && pos_ < int(rows_.size()) && rows_[size_t(pos_)] == Row) return;
    // The neighbours first: records of the window are usually next to the position.
    for (int d : {1, -1}) {
        const int i = pos_ + d;
        if (i >= 0 && i < int(rows_.size()) && rows_[size_t(i)] == Row) {
            pos_ = i;
            return;
        }
    }
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i] == Row) {
            pos_ = int(i);
            return;
        }
    Place(Row);
}

void TKeysetCursor::Place(const TCursorRowPtr& Row) {
    Forget();
    if (!Row) {
        hasFirst_ = true;
        return;
    }
    rows_.push_back(Row);
    pos_ = 0;
}

void TKeysetCursor::Replace(const TCursorRowPtr& Old, const TCursorRowPtr& Fresh) {
    for (auto& r : rows_)
        if (r == Old) r = Fresh;
}

void TKeysetCursor::Refresh() {
    if (pos_ < 0 || pos_ >= int(rows_.size())) {
        const bool atEnd = pos_ >= 0;
        Forget();
        if (atEnd) {
            hasLast_ = true;
            pos_ = 0;
        } else {
            hasFirst_ = true;
        }
        return;
    }
    TCursorRowPtr old = rows_[size_t(pos_)];
    TCursorRowPtr fresh = ReadByKey(KeyOf(*old));
    if (!fresh) {
        fresh = std::make_shared<TCursorRow>(*old);
        fresh->Deleted = true;
    }
    Place(fresh);
}

int TKeysetCursor::Count() {
    std::vector<QVariant> binds;
    const String sql = QStringLiteral("SELECT COUNT(*) FROM ") + quotedTable_ + Where({RangeSql(binds)});
    TDbStatement* stmt = Statement(sql);
    for (size_t i = 0; i < binds.size(); ++i)
        stmt->Bind(int(i) + 1, binds[i]);
    const int n = stmt->Step() ? stmt->Column(0).toInt() : 0;
    stmt->Reset();
    return n;
}

int TKeysetCursor::PositionOf(const TCursorRow& Row) {
    std::vector<QVariant> binds;
    QStringList conditions;
    conditions << RangeSql(binds);
    conditions << PositionSql(OrderValues(Row), false, false, binds);
    TDbStatement* stmt = Statement(QStringLiteral("SELECT COUNT(*) FROM ") + quotedTable_ + Where(conditions));
    for (size_t i = 0; i < binds.size(); ++i)
        stmt->Bind(int(i) + 1, binds[i]);
    const int n = stmt->Step() ? stmt->Column(0).toInt() : 0;
    stmt->Reset();
    return n;
}

TCursorRowPtr TKeysetCursor::RowAt(int Position) {
    if (Position < 0) return nullptr;
    std::vector<QVariant> binds;
    const String sql =
        SelectSql() + Where({RangeSql(binds)}) + OrderSql(true) + connection_->LimitSql(1, Position);
    TDbStatement* stmt = Statement(sql);
    for (size_t i = 0; i < binds.size(); ++i)
        stmt->Bind(int(i) + 1, binds[i]);
    TCursorRowPtr row = stmt->Step() ? ReadRow(stmt) : nullptr;
    stmt->Reset();
    return row;
}

TCursorRowPtr TKeysetCursor::FindFirst(const String& Condition, const std::vector<QVariant>& Binds) {
    std::vector<QVariant> binds;
    QStringList conditions;
    conditions << RangeSql(binds);
    conditions << Condition;
    binds.insert(binds.end(), Binds.begin(), Binds.end());
    TDbStatement* stmt = Statement(SelectSql() + Where(conditions) + OrderSql(true) + connection_->LimitSql(1));
    for (size_t i = 0; i < binds.size(); ++i)
        stmt->Bind(int(i) + 1, binds[i]);
    TCursorRowPtr row = stmt->Step() ? ReadRow(stmt) : nullptr;
    stmt->Reset();
    return row;
}

void TKeysetCursor::ForEach(const std::function<bool(const TCursorRowPtr&)>& Visit) {
    std::vector<QVariant> binds;
    // A statement of its own: Visit may use the cursor's.
    auto stmt = connection_->Prepare(SelectSql() + Where({RangeSql(binds)}) + OrderSql(true));
    for (size_t i = 0; i < binds.size(); ++i)
        stmt->Bind(int(i) + 1, binds[i]);
    while (stmt->Step())
        if (!Visit(ReadRow(stmt.get()))) break;
}

int TKeysetCursor::CompareRows(const TCursorRow& A, const TCursorRow& B) const {
    const bool nullsLow = connection_->NullsSortFirst();
    for (const TOrderColumn& c : order_) {
        int r = CompareValues(A.Value(c.Column), B.Value(c.Column), nullsLow);
        if (c.Descending) r = -r;
        if (r != 0) return r;
    }
    return 0;
}
