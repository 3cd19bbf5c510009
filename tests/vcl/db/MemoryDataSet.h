#pragma once
// A data set over rows kept in memory: the smallest descendant that supplies records, so that the
// data set's own rules (window, navigation, editing, fields, links) are tested apart from any
// database.
#include <vector>

#include "vcl/DB.h"

namespace mox::test {

class TMemoryDataSet : public TDataSet {
public:
    struct Column {
        String name;
        TFieldType type;
        int size = 0;
        bool required = false;
    };
    struct Row {
        int id;
        std::vector<Variant> values;
    };

    explicit TMemoryDataSet(TComponent* AOwner = nullptr) : TDataSet(AOwner) {}
    ~TMemoryDataSet() override;

    std::vector<Column> columns;
    std::vector<Row> rows;
    bool readOnly = false;
    // Counts the records the data set fetched from the rows.
    int fetches = 0;

    void AddRow(std::vector<Variant> values) { rows.push_back({nextId_++, std::move(values)}); }
    // The rows' values of one column, in order.
    std::vector<Variant> Column(int index) const;

    bool BookmarkValid(const TBookmark& Bookmark) const override;
    int CompareBookmarks(const TBookmark& Bookmark1, const TBookmark& Bookmark2) const override;
    bool IsSequenced() const override { return true; }

protected:
    struct MemBuffer : TRecordBuffer {
        int id = 0;
        std::vector<Variant> values;
    };

    TRecordBuffer* AllocRecordBuffer() override { return new MemBuffer; }
    TGetResult GetRecord(TRecordBuffer* Buffer, TGetMode GetMode, bool DoCheck) override;
    void InternalOpen() override;
    void InternalClose() override { open_ = false; }
    bool IsCursorOpen() const override { return open_; }
    void InternalInitFieldDefs() override;
    void InternalFirst() override { pos_ = -1; }
    void InternalLast() override { pos_ = int(rows.size()); }
    void InternalSetToRecord(TRecordBuffer* Buffer) override;
    void InternalGotoBookmark(const TBookmark& Bookmark) override;
    TBookmark GetBookmarkData(const TRecordBuffer* Buffer) const override;
    void SetBookmarkData(TRecordBuffer* Buffer, const TBookmark& Bookmark) override;
    void InternalInitRecord(TRecordBuffer* Buffer) override;
    Variant ReadFieldData(TField* Field, const TRecordBuffer* Buffer) const override;
    void WriteFieldData(TField* Field, TRecordBuffer* Buffer, const Variant& Value) override;
    void InternalPost() override;
    void InternalDelete() override;
    bool GetCanModify() const override { return !readOnly; }
    int GetRecordCount() const override { return int(rows.size()); }
    int GetRecNo() const override;
    void SetRecNoValue(int Value) override { pos_ = Value - 1; }

private:
    int IndexOf(int id) const;
    static int IdOf(const TBookmark& Bookmark);

    int pos_ = -1;
    int nextId_ = 1;
    bool open_ = false;
};

} // namespace mox::test
