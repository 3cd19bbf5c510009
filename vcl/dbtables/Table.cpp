// TTable: opening, the records and their values, posting and deleting.
#include "vcl/dbtables/Table.h"

#include <QDataStream>
#include <QIODevice>
#include <QtEndian>

#include "vcl/db/Consts.h"
#include "vcl/dbtables/Database.h"

using namespace DBConsts;

TTable::TTable(TComponent* AOwner) : TDataSet(AOwner), indexDefs_(new TIndexDefs(this)) {}

TTable::~TTable() {
    if (Active()) Close();
    ReleaseDatabase();
    delete indexDefs_;
}

// Properties

void TTable::SetDatabaseName(const String& Value) {
    if (Value == databaseName_) return;
    CheckInactive();
    databaseName_ = Value;
    indexDefs_->SetUpdated(false);
    FieldDefs()->SetUpdated(false);
}

void TTable::SetTableName(const String& Value) {
    if (Value == tableName_) return;
    CheckInactive();
    tableName_ = Value;
    indexDefs_->SetUpdated(false);
    FieldDefs()->SetUpdated(false);
}

void TTable::SetReadOnly(bool Value) {
    if (Value == readOnly_) return;
    CheckInactive();
    readOnly_ = Value;
}

void TTable::SetIndexDefs(TIndexDefs* Value) {
    indexDefs_->Assign(Value);
}

bool TTable::GetCanModify() const {
    return !readOnly_;
}

// The database and the schema

TDbConnection* TTable::OpenConnection() {
    if (database_) return database_->Connection();
    if (databaseName_.isEmpty()) DatabaseError(QString::fromLatin1(SDatabaseNameMissing), this);
    TDatabase* db = TDatabase::FindDatabase(databaseName_);
    if (!db) {
        // A name no database component carries is an alias, or the path of a database file.
        ownDatabase_ = std::make_unique<TDatabase>(nullptr);
        const bool isPath = databaseName_.contains(QLatin1Char('/')) ||
                            databaseName_.endsWith(QLatin1String(".sqlite"), Qt::CaseInsensitive) ||
                            databaseName_.endsWith(QLatin1String(".sqlite3"), Qt::CaseInsensitive);
        if (isPath) {
            ownDatabase_->SetDriverName(QStringLiteral("SQLITE"));
            ownDatabase_->Params()->Add(QStringLiteral("PATH=") + databaseName_);
        } else {
            ownDatabase_->SetAliasName(databaseName_);
        }
        db = ownDatabase_.get();
    }
    try {
        db->Open();
    } catch (...) {
        ownDatabase_.reset();
        throw;
    }
    database_ = db;
    database_->RegisterClient(this);
    return database_->Connection();
}

void TTable::ReleaseDatabase() {
    if (database_) database_->UnregisterClient(this);
    database_ = nullptr;
    ownDatabase_.reset();
}

String TTable::PhysicalTableName() const {
    String name = tableName_.trimmed();
    if (name.endsWith(QLatin1String(".db"), Qt::CaseInsensitive)) name.chop(3);
    return name;
}

void TTable::ReadSchema(TDbConnection* Connection) {
    if (tableName_.trimmed().isEmpty()) DatabaseError(QString::fromLatin1(SNoTableName), this);
    const String name = PhysicalTableName();
    columns_ = Connection->Columns(name);
    if (columns_.empty()) DatabaseErrorFmt(STableNotFound, {tableName_}, this);
    identity_ = Connection->RowIdentity(name);
    if (identity_.isEmpty()) DatabaseErrorFmt(SNoRowIdentity, {tableName_}, this);
}

// Reading the definitions of a closed table connects for the time it takes.
void TTable::InternalInitFieldDefs() {
    // Opening has just read the schema.
    if (!cursor_ && State() != dsOpening) {
        const bool hadDatabase = database_ != nullptr;
        try {
            ReadSchema(OpenConnection());
        } catch (...) {
            if (!hadDatabase) ReleaseDatabase();
            throw;
        }
        if (!hadDatabase) ReleaseDatabase();
    }
    FieldDefs()->Clear();
    for (const TDbColumnInfo& c : columns_)
        FieldDefs()->Add(c.Name, c.DataType, c.Size, c.Required);
}

void TTable::UpdateIndexDefs() {
    const bool hadDatabase = database_ != nullptr;
    std::vector<TDbIndexInfo> indexes;
    try {
        TDbConnection* c = OpenConnection();
        if (tableName_.trimmed().isEmpty()) DatabaseError(QString::fromLatin1(SNoTableName), this);
        indexes = c->Indexes(PhysicalTableName());
    } catch (...) {
        if (!hadDatabase) ReleaseDatabase();
        throw;
    }
    if (!hadDatabase && !cursor_ && State() != dsOpening) ReleaseDatabase();
    indexDefs_->BeginUpdate();
    indexDefs_->Clear();
    for (const TDbIndexInfo& index : indexes) {
        TIndexOptions options;
        if (index.Primary) options |= ixPrimary;
        if (index.Unique || index.Primary) options |= ixUnique;
        QStringList desc;
        for (int i = 0; i < index.Fields.size(); ++i)
            if (index.Descending.value(i)) desc << index.Fields[i];
        if (!desc.isEmpty() && desc.size() == index.Fields.size()) options |= ixDescending;
        TIndexDef* def = indexDefs_->AddIndexDef();
        def->SetName(index.Name);
        def->SetFields(index.Fields.join(QLatin1Char(';')));
        def->SetOptions(options);
        if (!(options & ixDescending)) def->SetDescFields(desc.join(QLatin1Char(';')));
    }
    indexDefs_->EndUpdate();
    indexDefs_->SetUpdated(true);
}

void TTable::GetIndexNames(TStrings* List) {
    indexDefs_->Update();
    List->Clear();
    for (int i = 0; i < indexDefs_->Count(); ++i)
        if (!indexDefs_->Items(i)->Name().isEmpty()) List->Add(indexDefs_->Items(i)->Name());
}

void TTable::InternalOpen() {
    TDbConnection* connection = OpenConnection();
    ReadSchema(connection);
    InitFieldDefs();
    UpdateIndexDefs();
    cursor_ = std::make_unique<TKeysetCursor>(connection, PhysicalTableName(), columns_, identity_);
    for (auto& b : keyBuffers_)
        b.reset();
    savedKey_.reset();
    rangeApplied_ = false;
    ApplyOrder();
}

void TTable::InternalClose() {
    cursor_.reset();
    for (auto& b : keyBuffers_)
        b.reset();
    savedKey_.reset();
    orderFields_.clear();
    rangeApplied_ = false;
    ReleaseDatabase();
}

// The order

void TTable::ApplyOrder() {
    std::vector<TOrderColumn> order;
    std::vector<int> fields;
    QStringList names;
    auto columnOf = [this](const String& name) {
        for (size_t i = 0; i < columns_.size(); ++i)
            if (columns_[i].Name.compare(name, Qt::CaseInsensitive) == 0) return int(i);
        DatabaseErrorFmt(SFieldNotFound, {name}, this);
    };
    if (!indexFieldNames_.trimmed().isEmpty()) {
        for (const String& name : FieldNameList(indexFieldNames_)) {
            const int c = columnOf(name);
            order.push_back({c, false, columns_[size_t(c)].Required});
            fields.push_back(c);
            names << name;
        }
    } else {
        TIndexDef* def = nullptr;
        if (indexName_.isEmpty()) {
            for (int i = 0; i < indexDefs_->Count() && !def; ++i)
                if (indexDefs_->Items(i)->Options() & ixPrimary) def = indexDefs_->Items(i);
        } else {
            def = indexDefs_->Find(indexName_);
        }
        if (def) {
            const QStringList list = FieldNameList(def->Fields());
            for (int k = 0; k < list.size(); ++k) {
                const int c = columnOf(list[k]);
                order.push_back({c, def->IsDescending(k), columns_[size_t(c)].Required});
                fields.push_back(c);
                names << list[k];
            }
        }
    }
    cursor_->SetOrder(order);
    orderFields_ = fields;
    SetFieldIndexFlags(names);
}

void TTable::ChangeOrder(const std::function<void()>& Change) {
    if (!Active()) {
        Change();
        return;
    }
    CheckBrowseMode();
    const String oldName = indexName_, oldFields = indexFieldNames_;
    const TBookmark current = GetBookmark();
    Change();
    try {
        ApplyOrder();
    } catch (...) {
        indexName_ = oldName;
        indexFieldNames_ = oldFields;
        ApplyOrder();
        throw;
    }
    rangeApplied_ = false;
    // The current record stays current in the new order.
    TCursorRowPtr row = current.isEmpty() ? nullptr : cursor_->ReadByKey(DecodeKey(current));
    if (row)
        GotoRow(row);
    else
        First();
}

void TTable::SetIndexName(const String& Value) {
    if (Value == indexName_ && indexFieldNames_.isEmpty()) return;
    ChangeOrder([&] {
        indexName_ = Value;
        indexFieldNames_.clear();
    });
}

void TTable::SetIndexFieldNames(const String& Value) {
    if (Value == indexFieldNames_ && (indexName_.isEmpty() || Value.isEmpty())) return;
    ChangeOrder([&] {
        indexFieldNames_ = Value;
        indexName_.clear();
    });
}

TField* TTable::IndexFields(int Index) const {
    if (Index < 0 || Index >= int(orderFields_.size())) DatabaseError(QString::fromLatin1(SFieldIndexError), this);
    return FieldByName(columns_[size_t(orderFields_[size_t(Index)])].Name);
}

void TTable::GotoRow(const TCursorRowPtr& Row) {
    DoBeforeScroll();
    cursor_->Place(Row);
    Resync(rmExact | rmCenter);
    DoAfterScroll();
}

// Bookmarks: the row's identity. A single whole-number identity is kept as eight bytes that sort as
// the numbers do; any other as the values' serialised form.

TBookmark TTable::EncodeKey(const std::vector<QVariant>& Key) const {
    if (Key.size() == 1 && Key[0].typeId() == QMetaType::LongLong) {
        TBookmark b(8, Qt::Uninitialized);
        qToBigEndian(quint64(Key[0].toLongLong()) ^ (quint64(1) << 63), b.data());
        return b;
    }
    TBookmark b;
    QDataStream out(&b, QIODevice::WriteOnly);
    out << quint32(Key.size());
    for (const QVariant& v : Key)
        out << v;
    return b;
}

std::vector<QVariant> TTable::DecodeKey(const TBookmark& Bookmark) const {
    if (!cursor_) return {};
    const size_t want = cursor_->KeyColumns().size();
    if (Bookmark.size() == 8 && want == 1)
        return {QVariant(qlonglong(qFromBigEndian<quint64>(Bookmark.constData()) ^ (quint64(1) << 63)))};
    QDataStream in(Bookmark);
    quint32 n = 0;
    in >> n;
    if (in.status() != QDataStream::Ok || n != want) return {};
    std::vector<QVariant> key;
    for (quint32 i = 0; i < n; ++i) {
        QVariant v;
        in >> v;
        if (in.status() != QDataStream::Ok) return {};
        key.push_back(v);
    }
    return key;
}

bool TTable::BookmarkValid(const TBookmark& Bookmark) const {
    if (!cursor_ || Bookmark.isEmpty()) return false;
    return cursor_->ReadByKey(DecodeKey(Bookmark)) != nullptr;
}

int TTable::CompareBookmarks(const TBookmark& Bookmark1, const TBookmark& Bookmark2) const {
    if (!cursor_ || Bookmark1.isEmpty() || Bookmark2.isEmpty()) return TDataSet::CompareBookmarks(Bookmark1, Bookmark2);
    if (Bookmark1 == Bookmark2) return 0;
    const TCursorRowPtr a = cursor_->ReadByKey(DecodeKey(Bookmark1));
    const TCursorRowPtr b = cursor_->ReadByKey(DecodeKey(Bookmark2));
    if (!a || !b) return TDataSet::CompareBookmarks(Bookmark1, Bookmark2);
    return cursor_->CompareRows(*a, *b);
}

// The records

TGetResult TTable::GetRecord(TRecordBuffer* Buffer, TGetMode GetMode, bool) {
    TCursorRowPtr row;
    switch (GetMode) {
    case gmNext:
        row = cursor_->Next();
        if (!row) return grEOF;
        break;
    case gmPrior:
        row = cursor_->Prior();
        if (!row) return grBOF;
        break;
    case gmCurrent:
        row = cursor_->Current();
        if (!row) return grError;
        break;
    }
    auto* b = static_cast<TTableBuffer*>(Buffer);
    b->Row = std::move(row);
    b->Values.clear();
    b->Position.clear();
    return grOK;
}

void TTable::InternalFirst() {
    cursor_->First();
}

void TTable::InternalLast() {
    cursor_->Last();
}

void TTable::InternalSetToRecord(TRecordBuffer* Buffer) {
    auto* b = static_cast<TTableBuffer*>(Buffer);
    if (b->Row) {
        cursor_->SetTo(b->Row);
    } else if (!b->Position.isEmpty()) {
        if (TCursorRowPtr row = cursor_->ReadByKey(DecodeKey(b->Position))) cursor_->Place(row);
    }
}

void TTable::InternalGotoBookmark(const TBookmark& Bookmark) {
    TCursorRowPtr row = cursor_->ReadByKey(DecodeKey(Bookmark));
    if (!row) DatabaseError(QString::fromLatin1(SRecordNotFound), this);
    cursor_->Place(row);
}

TBookmark TTable::GetBookmarkData(const TRecordBuffer* Buffer) const {
    const auto* b = static_cast<const TTableBuffer*>(Buffer);
    return b->Row ? EncodeKey(cursor_->KeyOf(*b->Row)) : b->Position;
}

void TTable::SetBookmarkData(TRecordBuffer* Buffer, const TBookmark& Bookmark) {
    static_cast<TTableBuffer*>(Buffer)->Position = Bookmark;
}

void TTable::InternalInitRecord(TRecordBuffer* Buffer) {
    auto* b = static_cast<TTableBuffer*>(Buffer);
    if (State() == dsSetKey) {
        b->Values.assign(columns_.size(), Variant());
        return;
    }
    b->Row.reset();
    b->Values.assign(columns_.size(), Null());
    b->Position.clear();
}

// Numbers read as numbers without a detour through text or QVariant: scans read mostly these.
Variant TTable::ValueOf(const TCursorRow& Row, int Column) const {
    const TFieldType type = columns_[size_t(Column)].DataType;
    if (Row.KindOf(Column) == TDbRow::Real) {
        if (type == ftFloat) return Variant(Row.RealValue(Column));
        if (type == ftCurrency) return Variant(Currency(Row.RealValue(Column)));
    }
    return cursor_->Connection()->FromDb(Row.Value(Column), type);
}

Variant TTable::FieldValueOf(const TTableBuffer& Buffer, int Column) const {
    if (size_t(Column) < Buffer.Values.size() && !Buffer.Values[size_t(Column)].IsEmpty())
        return Buffer.Values[size_t(Column)];
    if (Buffer.Row && cursor_)
        return ValueOf(*Buffer.Row, Column);
    return Null();
}

Variant TTable::ReadFieldData(TField* Field, const TRecordBuffer* Buffer) const {
    const int column = Field->FieldNo() - 1;
    if (column < 0 || column >= int(columns_.size())) return Null();
    return FieldValueOf(*static_cast<const TTableBuffer*>(Buffer), column);
}

void TTable::WriteFieldData(TField* Field, TRecordBuffer* Buffer, const Variant& Value) {
    const int column = Field->FieldNo() - 1;
    if (column < 0 || column >= int(columns_.size())) DatabaseErrorFmt(SFieldNotFound, {Field->DisplayName()}, this);
    auto* b = static_cast<TTableBuffer*>(Buffer);
    if (b->Values.size() < columns_.size()) b->Values.resize(columns_.size());
    b->Values[size_t(column)] = Value.IsEmpty() ? Null() : Value;
}

Variant TTable::GetOldFieldData(TField* Field) const {
    const auto* b = static_cast<const TTableBuffer*>(ActiveBuffer());
    const int column = Field->FieldNo() - 1;
    if (!b || !b->Row || column < 0 || column >= int(columns_.size())) return TDataSet::GetOldFieldData(Field);
    return ValueOf(*b->Row, column);
}

TRecordBuffer* TTable::GetActiveRecBuf() const {
    if (State() == dsSetKey) return &KeyBuffer(keyIndex_);
    return TDataSet::GetActiveRecBuf();
}

void TTable::SetFieldData(TField* Field, const Variant& Value) {
    if (State() == dsSetKey && Field->FieldKind() == fkData) {
        const int column = Field->FieldNo() - 1;
        if (std::find(orderFields_.begin(), orderFields_.end(), column) == orderFields_.end())
            DatabaseErrorFmt(SNotIndexField, {Field->DisplayName()});
    }
    TDataSet::SetFieldData(Field, Value);
}

int TTable::GetRecordCount() const {
    if (!cursor_) return -1;
    auto* self = const_cast<TTable*>(this);
    if (!self->FilterActive()) return cursor_->Count();
    // Only the records the filter lets through count.
    int count = 0;
    TRecordBuffer* buffer = self->TempBuffer();
    auto* b = static_cast<TTableBuffer*>(buffer);
    cursor_->ForEach([&](const TCursorRowPtr& row) {
        b->Row = row;
        b->Values.clear();
        self->ClearCalcFields(buffer);
        self->GetCalcFields(buffer);
        if (self->RecordFilter(buffer)) ++count;
        return true;
    });
    b->Row.reset();
    return count;
}

int TTable::GetRecNo() const {
    if (!cursor_ || State() == dsInsert) return -1;
    auto* self = const_cast<TTable*>(this);
    if (self->FilterActive()) return -1;
    const auto* b = static_cast<const TTableBuffer*>(ActiveBuffer());
    if (!b || !b->Row) return -1;
    return cursor_->PositionOf(*b->Row) + 1;
}

void TTable::SetRecNoValue(int Value) {
    if (TCursorRowPtr row = cursor_->RowAt(Value - 1)) cursor_->Place(row);
}

// Writing

void TTable::RunInTransaction(const std::function<void()>& Job) {
    TDbConnection* c = cursor_->Connection();
    c->StartTransaction();
    try {
        Job();
        c->Commit();
    } catch (...) {
        try {
            c->Rollback();
        } catch (...) {
        }
        throw;
    }
}

String TTable::SameRowSql(const TCursorRow& Row, std::vector<QVariant>& Binds) const {
    QStringList conj;
    TDbConnection* c = cursor_->Connection();
    for (size_t i = 0; i < columns_.size(); ++i) {
        conj << c->SameValueSql(cursor_->ColumnSql(int(i)));
        Binds.push_back(Row.Value(int(i)));
    }
    return conj.join(QStringLiteral(" AND "));
}

void TTable::RaiseConflict(const TCursorRow& Row) {
    const bool exists = cursor_->ReadByKey(cursor_->KeyOf(Row)) != nullptr;
    DatabaseError(QString::fromLatin1(exists ? SRecordChanged : SRecordDeleted), this);
}

void TTable::UpdateRow(TTableBuffer& Buffer) {
    if (!Buffer.Row) DatabaseError(QString::fromLatin1(SRecordNotFound), this);
    TDbConnection* c = cursor_->Connection();
    const TCursorRow& old = *Buffer.Row;
    QStringList sets;
    std::vector<QVariant> binds;
    std::vector<QVariant> key = cursor_->KeyOf(old);
    for (size_t i = 0; i < columns_.size() && i < Buffer.Values.size(); ++i) {
        if (Buffer.Values[i].IsEmpty()) continue;
        const QVariant value = c->ToDb(Buffer.Values[i], columns_[i].DataType);
        const QVariant before = old.Value(int(i));
        if (value.isNull() == before.isNull() && value.typeId() == before.typeId() && value == before) continue;
        sets << cursor_->ColumnSql(int(i)) + QStringLiteral(" = ?");
        binds.push_back(value);
        for (size_t k = 0; k < key.size(); ++k)
            if (cursor_->KeyColumns()[k] == int(i)) key[k] = value;
    }
    if (!sets.isEmpty()) {
        std::vector<QVariant> whereBinds = cursor_->KeyOf(old);
        const String sql = QStringLiteral("UPDATE ") + c->QuoteName(PhysicalTableName()) + QStringLiteral(" SET ") +
                           sets.join(QStringLiteral(", ")) + QStringLiteral(" WHERE ") + cursor_->KeyConditionSql() +
                           QStringLiteral(" AND ") + SameRowSql(old, whereBinds);
        binds.insert(binds.end(), whereBinds.begin(), whereBinds.end());
        auto stmt = c->Prepare(sql);
        for (size_t i = 0; i < binds.size(); ++i)
            stmt->Bind(int(i) + 1, binds[i]);
        stmt->Step();
        if (c->ChangedRows() == 0) RaiseConflict(old);
    }
    cursor_->Place(cursor_->ReadByKey(key));
}

void TTable::InsertRow(TTableBuffer& Buffer) {
    TDbConnection* c = cursor_->Connection();
    QStringList names, marks;
    std::vector<QVariant> binds;
    for (size_t i = 0; i < columns_.size() && i < Buffer.Values.size(); ++i) {
        const Variant& v = Buffer.Values[i];
        if (v.IsEmpty() || v.IsNull()) continue;
        names << cursor_->ColumnSql(int(i));
        marks << QStringLiteral("?");
        binds.push_back(c->ToDb(v, columns_[i].DataType));
    }
    const String table = c->QuoteName(PhysicalTableName());
    const String sql = names.isEmpty() ? QStringLiteral("INSERT INTO ") + table + QStringLiteral(" DEFAULT VALUES")
                                       : QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") +
                                             names.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
                                             marks.join(QStringLiteral(", ")) + QStringLiteral(")");
    auto stmt = c->Prepare(sql);
    for (size_t i = 0; i < binds.size(); ++i)
        stmt->Bind(int(i) + 1, binds[i]);
    stmt->Step();
    std::vector<QVariant> key;
    if (cursor_->HiddenIdentity()) {
        key.push_back(c->LastInsertId());
    } else {
        for (int column : cursor_->KeyColumns())
            key.push_back(c->ToDb(FieldValueOf(Buffer, column), columns_[size_t(column)].DataType));
    }
    cursor_->Place(cursor_->ReadByKey(key));
}

void TTable::InternalPost() {
    TDataSet::InternalPost();
    auto* b = static_cast<TTableBuffer*>(ActiveBuffer());
    const bool editing = State() == dsEdit;
    RunInTransaction([&] {
        if (editing)
            UpdateRow(*b);
        else
            InsertRow(*b);
    });
}

void TTable::InternalDelete() {
    auto* b = static_cast<TTableBuffer*>(ActiveBuffer());
    if (!b || !b->Row) DatabaseError(QString::fromLatin1(SRecordNotFound), this);
    const TCursorRowPtr row = b->Row;
    TDbConnection* c = cursor_->Connection();
    RunInTransaction([&] {
        std::vector<QVariant> binds = cursor_->KeyOf(*row);
        const String sql = QStringLiteral("DELETE FROM ") + c->QuoteName(PhysicalTableName()) + QStringLiteral(" WHERE ") +
                           cursor_->KeyConditionSql() + QStringLiteral(" AND ") + SameRowSql(*row, binds);
        auto stmt = c->Prepare(sql);
        for (size_t i = 0; i < binds.size(); ++i)
            stmt->Bind(int(i) + 1, binds[i]);
        stmt->Step();
        if (c->ChangedRows() == 0) RaiseConflict(*row);
    });
    // The cursor keeps the place of the deleted row, so that the next one becomes current.
    cursor_->SetTo(row);
    row->Deleted = true;
}

void TTable::InternalEdit() {
    auto* b = static_cast<TTableBuffer*>(ActiveBuffer());
    if (!b || !b->Row) return;
    // The user edits the row as it is now, so that only a change made after this is a conflict.
    TCursorRowPtr fresh = cursor_->ReadByKey(cursor_->KeyOf(*b->Row));
    if (!fresh) DatabaseError(QString::fromLatin1(SRecordDeleted), this);
    if (!fresh->SameValues(*b->Row)) {
        cursor_->Replace(b->Row, fresh);
        b->Row = fresh;
        b->Values.clear();
    }
}

void TTable::InternalRefresh() {
    cursor_->Refresh();
}
