#include <QMetaProperty>
#include <gtest/gtest.h>

#include "vcl/Classes.h"

namespace {

template <class E> QString MessageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const E& e) {
        return e.Message();
    }
    return "<nothing raised>";
}

class TColumn : public TCollectionItem {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
public:
    static inline int alive = 0;
    explicit TColumn(TCollection* Collection) : TCollectionItem(Collection) { ++alive; }
    ~TColumn() override { --alive; }
    QString Caption() const { return caption_; }
    void SetCaption(const QString& Value) {
        caption_ = Value;
        Changed(false);
    }
    int Width() const { return width_; }
    void SetWidth(int Value) {
        width_ = Value;
        Changed(true);
    }
    void Assign(TPersistent* Source) override {
        if (auto* column = dynamic_cast<TColumn*>(Source)) {
            caption_ = column->caption_;
            width_ = column->width_;
            Changed(false);
            return;
        }
        TCollectionItem::Assign(Source);
    }

protected:
    String GetDisplayName() const override {
        return caption_.isEmpty() ? TCollectionItem::GetDisplayName() : caption_;
    }

private:
    QString caption_;
    int width_ = 64; // made in the item's own constructor: the hooks must see it
};

class TPlainItem : public TCollectionItem {
    Q_OBJECT
public:
    using TCollectionItem::TCollectionItem;
};

// Logs what the collection is told: "added:ID:width", "extracting:ID", "deleting:ID", "update:ID|all".
class TColumns : public TOwnedCollection {
    Q_OBJECT
public:
    explicit TColumns(TPersistent* Owner) : TOwnedCollection(Owner, TCollectionItemClass::Of<TColumn>()) {}
    TColumn* Items(int Index) const { return static_cast<TColumn*>(TCollection::Items(Index)); }
    TColumn* Add() { return static_cast<TColumn*>(TCollection::Add()); }
    QStringList log;

protected:
    void Update(TCollectionItem* Item) override {
        log << (Item ? QString("update:%1").arg(Item->ID()) : QString("update:all"));
    }
    void Notify(TCollectionItem* Item, TCollectionNotification Action) override {
        TOwnedCollection::Notify(Item, Action);
        if (Action == cnExtracting) log << QString("extracting:%1").arg(Item->ID());
    }
    void Added(TCollectionItem* Item) override {
        log << QString("added:%1:%2").arg(Item->ID()).arg(static_cast<TColumn*>(Item)->Width());
    }
    void Deleting(TCollectionItem* Item) override { log << QString("deleting:%1").arg(Item->ID()); }
};

// A component that publishes its collection the way the controls do.
class TGrid : public TComponent {
    Q_OBJECT
    Q_PROPERTY(TCollection* Columns READ Columns WRITE SetColumns)
public:
    explicit TGrid(TComponent* Owner) : TComponent(Owner), columns_(new TColumns(this)) {}
    ~TGrid() override { delete columns_; }
    TColumns* Columns() const { return columns_; }
    void SetColumns(TCollection* Value) { columns_->Assign(Value); }

private:
    TColumns* columns_;
};

QStringList Captions(const TColumns& columns) {
    QStringList r;
    for (int i = 0; i < columns.Count(); ++i)
        r << columns.Items(i)->Caption();
    return r;
}

class CollectionTest : public ::testing::Test {
protected:
    TComponent form{nullptr};
    TGrid* grid = nullptr;
    TColumns* columns = nullptr;
    void SetUp() override {
        form.SetName("Form1");
        grid = new TGrid(&form);
        grid->SetName("Grid1");
        columns = grid->Columns();
    }
    void AddThree() {
        for (const char* caption : {"A", "B", "C"})
            columns->Add()->SetCaption(caption);
        columns->log.clear();
    }
};

TEST_F(CollectionTest, ItemsGetIdsThatAreNeverReused) {
    AddThree();
    EXPECT_EQ(columns->Count(), 3);
    EXPECT_EQ(columns->Items(2)->ID(), 2);
    columns->Delete(1);
    TColumn* d = columns->Add();
    EXPECT_EQ(d->ID(), 3);
    EXPECT_EQ(d->Index(), 2);
    EXPECT_EQ(columns->FindItemID(1), nullptr);
    EXPECT_EQ(columns->FindItemID(3), d);
    EXPECT_EQ(static_cast<TColumn*>(columns->FindItemID(0))->Caption(), "A");
    EXPECT_EQ(MessageOf<EListError>([&] { columns->Items(3); }), "List index out of bounds (3)");
    EXPECT_EQ(MessageOf<EListError>([&] { columns->Delete(-1); }), "List index out of bounds (-1)");
}

TEST_F(CollectionTest, HooksSeeWhollyMadeItemsAndChangesAreReported) {
    TColumn* a = columns->Add();
    EXPECT_EQ(columns->log, (QStringList{"added:0:64", "update:all"}));
    columns->log.clear();
    a->SetCaption("x"); // a change of one item
    a->SetWidth(10);    // a change that concerns all items
    EXPECT_EQ(columns->log, (QStringList{"update:0", "update:all"}));
}

TEST(Collection, AnItemMadeDirectlyJoinsAndIsAnnounced) {
    struct Counting : TCollection {
        using TCollection::TCollection;
        int added = 0, updates = 0;
        void Added(TCollectionItem*) override { ++added; }
        void Update(TCollectionItem*) override { ++updates; }
    } plain(TCollectionItemClass::Of<TPlainItem>());
    plain.Add();
    auto* direct = new TPlainItem(&plain);
    EXPECT_EQ(direct->Collection(), &plain);
    EXPECT_EQ(direct->Index(), 1);
    EXPECT_EQ(direct->ID(), 1);
    EXPECT_EQ(plain.added, 2);
    EXPECT_EQ(plain.updates, 2);
}

TEST_F(CollectionTest, UpdatesNestAndReportOnceAtTheEnd) {
    AddThree();
    columns->BeginUpdate();
    columns->Items(0)->SetCaption("a");
    columns->BeginUpdate();
    columns->Add();
    columns->Items(1)->SetWidth(1);
    columns->EndUpdate();
    columns->Delete(0);
    EXPECT_EQ(columns->log, (QStringList{"added:3:64", "deleting:0", "extracting:0"}));
    EXPECT_EQ(columns->UpdateCount(), 1);
    columns->EndUpdate();
    EXPECT_EQ(columns->log.last(), "update:all");
    EXPECT_EQ(columns->log.count("update:all"), 1);
    columns->log.clear();
    columns->EndUpdate(); // unmatched: nothing but a change report, and the count stays at zero
    EXPECT_EQ(columns->UpdateCount(), 0);
    columns->Items(0)->SetCaption("b");
    EXPECT_EQ(columns->log.last(), "update:1");

    columns->log.clear();
    columns->Clear();
    EXPECT_EQ(columns->log, (QStringList{"extracting:3", "extracting:2", "extracting:1", "update:all"}));
    EXPECT_EQ(columns->Count(), 0);
}

TEST_F(CollectionTest, FreeingAnItemTakesItOut) {
    AddThree();
    columns->Items(1)->Free();
    EXPECT_EQ(columns->log, (QStringList{"extracting:1", "update:all"}));
    EXPECT_EQ(Captions(*columns), (QStringList{"A", "C"}));
    delete columns->Items(0);
    EXPECT_EQ(Captions(*columns), (QStringList{"C"}));
}

TEST_F(CollectionTest, IndexMovesTheItem) {
    AddThree();
    TColumn* c = columns->Items(2);
    c->SetIndex(0);
    EXPECT_EQ(Captions(*columns), (QStringList{"C", "A", "B"}));
    EXPECT_EQ(c->Index(), 0);
    EXPECT_EQ(columns->log, QStringList{"update:all"});
    c->SetIndex(0); // no move, no report
    EXPECT_EQ(columns->log.size(), 1);
    columns->Items(0)->SetIndex(2);
    EXPECT_EQ(Captions(*columns), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(MessageOf<EListError>([&] { c->SetIndex(3); }), "List index out of bounds (3)");
    EXPECT_EQ(MessageOf<EListError>([&] { c->SetIndex(-1); }), "List index out of bounds (-1)");

    auto* inserted = static_cast<TColumn*>(columns->Insert(1));
    inserted->SetCaption("new");
    EXPECT_EQ(Captions(*columns), (QStringList{"A", "new", "B", "C"}));
    EXPECT_EQ(MessageOf<EListError>([&] { columns->Insert(5); }), "List index out of bounds (5)");
    EXPECT_EQ(columns->Count(), 4);
    columns->Insert(4)->SetDisplayName("ignored");
    EXPECT_EQ(columns->Count(), 5);
}

TEST_F(CollectionTest, CollectionPropertyMovesItemsBetweenCollections) {
    AddThree();
    TColumns other(nullptr);
    other.Add();
    TColumn* b = columns->Items(1);
    b->SetCollection(&other);
    EXPECT_EQ(Captions(*columns), (QStringList{"A", "C"}));
    EXPECT_EQ(b->Collection(), &other);
    EXPECT_EQ(b->Index(), 1);
    EXPECT_EQ(b->ID(), 1); // the new collection's next ID
    EXPECT_EQ(columns->log, (QStringList{"extracting:1", "update:all"}));
    EXPECT_EQ(other.log.mid(2), (QStringList{"added:1:64", "update:all"}));

    b->SetCollection(nullptr);
    EXPECT_EQ(b->Index(), -1);
    EXPECT_EQ(other.Count(), 1);
    EXPECT_EQ(b->GetNamePath(), "TColumn");
    b->Free();

    TCollection plain(TCollectionItemClass::Of<TPlainItem>());
    EXPECT_EQ(MessageOf<EListError>([&] { columns->Items(0)->SetCollection(&plain); }),
              "Invalid property value");
    EXPECT_EQ(columns->Count(), 2);
}

TEST_F(CollectionTest, AssignCopiesThroughTheItemsAssign) {
    AddThree();
    columns->Items(1)->SetWidth(99);
    TColumns copy(nullptr);
    copy.Add()->SetCaption("old");
    copy.log.clear();
    copy.Assign(columns);
    EXPECT_EQ(Captions(copy), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(copy.Items(1)->Width(), 99);
    EXPECT_EQ(copy.log.count("update:all"), 1); // one report for the whole copy
    EXPECT_EQ(copy.log.last(), "update:all");

    // Through the published property: the setter copies.
    TGrid other(nullptr);
    ASSERT_TRUE(other.setProperty("Columns", QVariant::fromValue<TCollection*>(columns)));
    EXPECT_EQ(Captions(*other.Columns()), (QStringList{"A", "B", "C"}));
    EXPECT_NE(other.Columns(), columns);

    TCollection plain(TCollectionItemClass::Of<TPlainItem>());
    plain.Add();
    TCollection plain2(TCollectionItemClass::Of<TPlainItem>());
    EXPECT_EQ(MessageOf<EConvertError>([&] { plain2.Assign(&plain); }),
              "Cannot assign a TPlainItem to a TPlainItem");
    EXPECT_EQ(MessageOf<EConvertError>([&] { copy.Assign(grid); }), "Cannot assign a TGrid to a TColumns");
}

TEST_F(CollectionTest, NamePathsAndDisplayNames) {
    AddThree();
    EXPECT_EQ(columns->PropName(), "Columns");
    EXPECT_EQ(columns->Owner(), grid);
    EXPECT_EQ(columns->GetNamePath(), "Grid1.Columns");
    EXPECT_EQ(columns->Items(1)->GetNamePath(), "Grid1.Columns[1]");
    EXPECT_EQ(columns->Items(1)->GetOwner(), columns);

    TCollection plain(TCollectionItemClass::Of<TPlainItem>());
    TCollectionItem* item = plain.Add();
    EXPECT_EQ(plain.GetNamePath(), "TCollection");
    EXPECT_EQ(item->GetNamePath(), "TCollection[0]");
    EXPECT_EQ(item->DisplayName(), "TPlainItem");
    EXPECT_EQ(plain.ItemClass().ClassName(), "TPlainItem");

    // An owner that does not publish the collection gives no property name.
    TComponent bare(nullptr);
    bare.SetName("Bare");
    TColumns unpublished(&bare);
    EXPECT_EQ(unpublished.PropName(), "");
    EXPECT_EQ(unpublished.GetNamePath(), "TColumns");

    columns->Items(0)->SetCaption("");
    EXPECT_EQ(columns->Items(0)->DisplayName(), "TColumn");
    EXPECT_EQ(columns->Items(1)->DisplayName(), "B");
}

TEST_F(CollectionTest, ItemsPublishTheirOwnProperties) {
    TColumn* a = columns->Add();
    ASSERT_TRUE(a->setProperty("Caption", "Name"));
    ASSERT_TRUE(a->setProperty("Width", 120));
    EXPECT_EQ(a->Caption(), "Name");
    EXPECT_EQ(a->Width(), 120);
    auto* read = grid->property("Columns").value<TCollection*>();
    EXPECT_EQ(read, columns);
    EXPECT_EQ(read->Items(0)->property("Caption").toString(), "Name");
}

TEST(Collection, DestructionFreesTheItems) {
    TColumn::alive = 0;
    {
        TColumns columns(nullptr);
        columns.Add();
        columns.Add();
        EXPECT_EQ(TColumn::alive, 2);
    }
    EXPECT_EQ(TColumn::alive, 0);
    auto* columns = new TColumns(nullptr);
    columns->Add();
    columns->Free();
    EXPECT_EQ(TColumn::alive, 0);
}

} // namespace

#include "CollectionTest.moc"
