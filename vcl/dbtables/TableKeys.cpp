// TTable: search keys, ranges and searching through the database.
#include "vcl/db/Consts.h"
#include "vcl/dbtables/Table.h"

using namespace DBConsts;

namespace {
bool IsTextType(TFieldType t) {
    return t == ftString || t == ftFixedChar || t == ftWideString || t == ftFixedWideChar || t == ftGuid ||
           t == ftMemo || t == ftWideMemo || t == ftFmtMemo;
}

// Types whose stored form is one plain value that SQL compares as the data set does.
bool ComparesExactly(TFieldType t) {
    switch (t) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
    case ftLargeint:
    case ftFloat:
    case ftCurrency:
        return true;
    default:
        return IsTextType(t);
    }
}
} // namespace

TTable::TTableBuffer& TTable::KeyBuffer(TKeyIndex Index) const {
    auto& slot = keyBuffers_[size_t(Index)];
    if (!slot) {
        slot = std::make_unique<TTableBuffer>();
        slot->Values.assign(columns_.size(), Variant());
    }
    return *slot;
}

std::vector<QVariant> TTable::KeyOf(const TTableBuffer& Buffer) const {
    size_t count = 0;
    if (Buffer.FieldCount > 0) {
        count = std::min(size_t(Buffer.FieldCount), orderFields_.size());
    } else {
        while (count < orderFields_.size() && size_t(orderFields_[count]) < Buffer.Values.size() &&
               !Buffer.Values[size_t(orderFields_[count])].IsEmpty())
            ++count;
    }
    std::vector<QVariant> key;
    TDbConnection* c = cursor_->Connection();
    for (size_t k = 0; k < count; ++k) {
        const int column = orderFields_[k];
        const Variant v = size_t(column) < Buffer.Values.size() ? Buffer.Values[size_t(column)] : Variant();
        key.push_back(c->ToDb(v, columns_[size_t(column)].DataType));
    }
    return key;
}

void TTable::BeginKeyEditing(TKeyIndex Index, bool Clear) {
    CheckBrowseMode();
    if (orderFields_.empty()) DatabaseError(QString::fromLatin1(SNoFieldIndexes), this);
    TTableBuffer& buffer = KeyBuffer(Index);
    savedKey_ = std::make_unique<TTableBuffer>(buffer);
    if (Clear) {
        buffer.Values.assign(columns_.size(), Variant());
        buffer.Exclusive = false;
        buffer.FieldCount = 0;
    }
    keyIndex_ = Index;
    SetState(dsSetKey);
    DataEvent(deDataSetChange, 0);
}

void TTable::EndKeyEditing(bool Commit) {
    if (!Commit && savedKey_) KeyBuffer(keyIndex_) = *savedKey_;
    savedKey_.reset();
    SetState(dsBrowse);
    DataEvent(deDataSetChange, 0);
}

void TTable::SetKey() {
    BeginKeyEditing(kiLookup, true);
}

void TTable::EditKey() {
    BeginKeyEditing(kiLookup, false);
}

bool TTable::KeyExclusive() const {
    return KeyBuffer(State() == dsSetKey ? keyIndex_ : kiLookup).Exclusive;
}

void TTable::SetKeyExclusive(bool Value) {
    KeyBuffer(State() == dsSetKey ? keyIndex_ : kiLookup).Exclusive = Value;
}

int TTable::KeyFieldCount() const {
    return KeyBuffer(State() == dsSetKey ? keyIndex_ : kiLookup).FieldCount;
}

void TTable::SetKeyFieldCount(int Value) {
    KeyBuffer(State() == dsSetKey ? keyIndex_ : kiLookup).FieldCount = std::max(0, Value);
}

bool TTable::GotoKey() {
    CheckBrowseMode();
    const std::vector<QVariant> key = KeyOf(KeyBuffer(kiLookup));
    if (key.empty()) return false;
    QStringList conj;
    std::vector<QVariant> binds;
    for (size_t k = 0; k < key.size(); ++k) {
        const String column = cursor_->ColumnSql(orderFields_[k]);
        if (key[k].isNull()) {
            conj << column + QStringLiteral(" IS NULL");
        } else {
            conj << column + QStringLiteral(" = ?");
            binds.push_back(key[k]);
        }
    }
    TCursorRowPtr row = cursor_->FindFirst(conj.join(QStringLiteral(" AND ")), binds);
    if (!row) return false;
    GotoRow(row);
    return true;
}

void TTable::GotoNearest() {
    CheckBrowseMode();
    const TTableBuffer& buffer = KeyBuffer(kiLookup);
    const std::vector<QVariant> key = KeyOf(buffer);
    std::vector<QVariant> binds;
    const String condition = cursor_->PositionSql(key, true, !buffer.Exclusive, binds);
    TCursorRowPtr row = cursor_->FindFirst(condition, binds);
    if (row)
        GotoRow(row);
    else
        Last();
}

namespace {
// Assigns the key values to the leading index fields of the key being edited; an error ends the
// key editing.
template <class Fields>
void AssignKey(TTable* Table, const QList<Variant>& Values, Fields indexField) {
    try {
        for (int i = 0; i < Values.size(); ++i)
            indexField(i)->SetAsVariant(Values[i]);
    } catch (...) {
        Table->Cancel();
        throw;
    }
}
} // namespace

bool TTable::FindKey(const QList<Variant>& KeyValues) {
    CheckBrowseMode();
    SetKey();
    AssignKey(this, KeyValues, [this](int i) { return IndexFields(i); });
    return GotoKey();
}

void TTable::FindNearest(const QList<Variant>& KeyValues) {
    CheckBrowseMode();
    SetKey();
    AssignKey(this, KeyValues, [this](int i) { return IndexFields(i); });
    GotoNearest();
}

// Ranges

void TTable::SetRangeStart() {
    BeginKeyEditing(kiRangeStart, true);
}

void TTable::SetRangeEnd() {
    BeginKeyEditing(kiRangeEnd, true);
}

void TTable::EditRangeStart() {
    BeginKeyEditing(kiRangeStart, false);
}

void TTable::EditRangeEnd() {
    BeginKeyEditing(kiRangeEnd, false);
}

void TTable::ApplyRange() {
    CheckBrowseMode();
    const TTableBuffer& start = KeyBuffer(kiRangeStart);
    const TTableBuffer& end = KeyBuffer(kiRangeEnd);
    KeyBuffer(kiCurRangeStart) = start;
    KeyBuffer(kiCurRangeEnd) = end;
    cursor_->SetRange({KeyOf(start), start.Exclusive}, {KeyOf(end), end.Exclusive});
    rangeApplied_ = true;
    First();
}

void TTable::CancelRange() {
    CheckBrowseMode();
    if (!rangeApplied_) return;
    rangeApplied_ = false;
    const TBookmark current = GetBookmark();
    cursor_->CancelRange();
    KeyBuffer(kiCurRangeStart).Values.assign(columns_.size(), Variant());
    KeyBuffer(kiCurRangeEnd).Values.assign(columns_.size(), Variant());
    TCursorRowPtr row = current.isEmpty() ? nullptr : cursor_->ReadByKey(DecodeKey(current));
    if (row)
        GotoRow(row);
    else
        First();
}

void TTable::SetRange(const QList<Variant>& StartValues, const QList<Variant>& EndValues) {
    CheckBrowseMode();
    SetRangeStart();
    AssignKey(this, StartValues, [this](int i) { return IndexFields(i); });
    SetRangeEnd();
    AssignKey(this, EndValues, [this](int i) { return IndexFields(i); });
    ApplyRange();
}

// Searching

bool TTable::SearchCondition(const QList<TField*>& Fields, const Variant& KeyValues, TLocateOptions Options,
                             String& Condition, std::vector<QVariant>& Binds) const {
    if (!cursor_) return false;
    TDbConnection* c = cursor_->Connection();
    QStringList conj;
    for (int i = 0; i < Fields.size(); ++i) {
        TField* field = Fields[i];
        const int column = field->FieldNo() - 1;
        if (field->FieldKind() != fkData || column < 0 || column >= int(columns_.size())) return false;
        const TFieldType type = columns_[size_t(column)].DataType;
        if (!ComparesExactly(type)) return false;
        // The data set's own comparison decides case-insensitive and partial matches.
        if (IsTextType(type) && (Options & (loCaseInsensitive | loPartialKey))) return false;
        Variant wanted = KeyValues;
        if (KeyValues.IsArray()) {
            if (VarArrayHighBound(KeyValues, 1) - VarArrayLowBound(KeyValues, 1) + 1 != Fields.size()) return false;
            wanted = VarArrayGet(KeyValues, {VarArrayLowBound(KeyValues, 1) + i});
        } else if (Fields.size() != 1) {
            return false;
        }
        const String sql = cursor_->ColumnSql(column);
        if (wanted.IsNull() || wanted.IsEmpty()) {
            conj << sql + QStringLiteral(" IS NULL");
            continue;
        }
        conj << sql + QStringLiteral(" = ?");
        Binds.push_back(c->ToDb(field->NativeValue(wanted), type));
    }
    Condition = conj.join(QStringLiteral(" AND "));
    return !conj.isEmpty();
}

bool TTable::Locate(const String& KeyFields, const Variant& KeyValues, TLocateOptions Options) {
    CheckBrowseMode();
    const QList<TField*> fields = GetFieldList(KeyFields);
    String condition;
    std::vector<QVariant> binds;
    if (FilterActive() || !SearchCondition(fields, KeyValues, Options, condition, binds))
        return TDataSet::Locate(KeyFields, KeyValues, Options);
    TCursorRowPtr row = cursor_->FindFirst(condition, binds);
    if (!row) return false;
    GotoRow(row);
    return true;
}

Variant TTable::Lookup(const String& KeyFields, const Variant& KeyValues, const String& ResultFields) {
    CheckBrowseMode();
    const QList<TField*> fields = GetFieldList(KeyFields);
    String condition;
    std::vector<QVariant> binds;
    if (FilterActive() || !SearchCondition(fields, KeyValues, {}, condition, binds))
        return TDataSet::Lookup(KeyFields, KeyValues, ResultFields);
    TCursorRowPtr row = cursor_->FindFirst(condition, binds);
    if (!row) return Null();
    TRecordBuffer* buffer = TempBuffer();
    auto* b = static_cast<TTableBuffer*>(buffer);
    b->Row = row;
    b->Values.clear();
    ClearCalcFields(buffer);
    GetCalcFields(buffer);
    Variant result;
    WithRecord(buffer, [&] { result = FieldValues(ResultFields); });
    return result;
}
