#include "MemoryDataSet.h"

namespace mox::test {

TMemoryDataSet::~TMemoryDataSet() {
    if (Active()) Close();
}

std::vector<Variant> TMemoryDataSet::Column(int index) const {
    std::vector<Variant> values;
    for (const Row& r : rows)
        values.push_back(r.values[size_t(index)]);
    return values;
}

int TMemoryDataSet::IndexOf(int id) const {
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].id == id) return int(i);
    return -1;
}

int TMemoryDataSet::IdOf(const TBookmark& Bookmark) {
    return Bookmark.isEmpty() ? 0 : Bookmark.toInt();
}

TGetResult TMemoryDataSet::GetRecord(TRecordBuffer* Buffer, TGetMode GetMode, bool) {
    const int n = int(rows.size());
    switch (GetMode) {
    case gmNext:
        if (pos_ < n) ++pos_;
        if (pos_ >= n) {
            pos_ = n;
            return grEOF;
        }
        break;
    case gmPrior:
        if (pos_ >= 0) --pos_;
        if (pos_ < 0) {
            pos_ = -1;
            return grBOF;
        }
        break;
    case gmCurrent:
        if (pos_ < 0 || pos_ >= n) return grError;
        break;
    }
    auto* b = static_cast<MemBuffer*>(Buffer);
    b->id = rows[size_t(pos_)].id;
    b->values = rows[size_t(pos_)].values;
    ++fetches;
    return grOK;
}

void TMemoryDataSet::InternalOpen() {
    InitFieldDefs();
    open_ = true;
    pos_ = -1;
}

void TMemoryDataSet::InternalInitFieldDefs() {
    FieldDefs()->Clear();
    for (const auto& c : columns)
        FieldDefs()->Add(c.name, c.type, c.size, c.required);
}

void TMemoryDataSet::InternalSetToRecord(TRecordBuffer* Buffer) {
    const int i = IndexOf(static_cast<MemBuffer*>(Buffer)->id);
    if (i >= 0) pos_ = i;
}

void TMemoryDataSet::InternalGotoBookmark(const TBookmark& Bookmark) {
    const int i = IndexOf(IdOf(Bookmark));
    if (i < 0) DatabaseError(QString::fromLatin1(DBConsts::SRecordNotFound), this);
    pos_ = i;
}

TBookmark TMemoryDataSet::GetBookmarkData(const TRecordBuffer* Buffer) const {
    return QByteArray::number(static_cast<const MemBuffer*>(Buffer)->id);
}

void TMemoryDataSet::SetBookmarkData(TRecordBuffer* Buffer, const TBookmark& Bookmark) {
    static_cast<MemBuffer*>(Buffer)->id = IdOf(Bookmark);
}

void TMemoryDataSet::InternalInitRecord(TRecordBuffer* Buffer) {
    static_cast<MemBuffer*>(Buffer)->values.assign(columns.size(), Null());
}

Variant TMemoryDataSet::ReadFieldData(TField* Field, const TRecordBuffer* Buffer) const {
    const auto* b = static_cast<const MemBuffer*>(Buffer);
    const size_t i = size_t(Field->FieldNo() - 1);
    return i < b->values.size() ? b->values[i] : Null();
}

void TMemoryDataSet::WriteFieldData(TField* Field, TRecordBuffer* Buffer, const Variant& Value) {
    static_cast<MemBuffer*>(Buffer)->values[size_t(Field->FieldNo() - 1)] = Value;
}

void TMemoryDataSet::InternalPost() {
    TDataSet::InternalPost();
    auto* b = static_cast<MemBuffer*>(ActiveBuffer());
    if (State() == dsEdit) {
        rows[size_t(pos_)].values = b->values;
        return;
    }
    int at = int(rows.size());
    if (b->BookmarkFlag == bfBOF)
        at = 0;
    else if (b->BookmarkFlag == bfInserted && IndexOf(b->id) >= 0)
        at = IndexOf(b->id);
    rows.insert(rows.begin() + at, Row{nextId_++, b->values});
    pos_ = at;
}

void TMemoryDataSet::InternalDelete() {
    rows.erase(rows.begin() + pos_);
}

int TMemoryDataSet::GetRecNo() const {
    const_cast<TMemoryDataSet*>(this)->UpdateCursorPos();
    return pos_ + 1;
}

bool TMemoryDataSet::BookmarkValid(const TBookmark& Bookmark) const {
    return IndexOf(IdOf(Bookmark)) >= 0;
}

int TMemoryDataSet::CompareBookmarks(const TBookmark& Bookmark1, const TBookmark& Bookmark2) const {
    if (Bookmark1.isEmpty() || Bookmark2.isEmpty()) return TDataSet::CompareBookmarks(Bookmark1, Bookmark2);
    const int a = IndexOf(IdOf(Bookmark1)), b = IndexOf(IdOf(Bookmark2));
    return a < b ? -1 : a > b ? 1 : 0;
}

} // namespace mox::test
