// Data sources and data links: the notices that keep controls in step with the current record,
// and the record window a grid reads its rows from.
#include "DataSetFixture.h"

namespace mox::test {
namespace {

// A link that writes down what it hears, as a control would react to it.
class TRecordingLink : public TDataLink {
public:
    QStringList log;
    QList<int> scrolls;

protected:
    void ActiveChanged() override { log << (Active() ? "active" : "inactive"); }
    void DataSetChanged() override { log << "changed"; }
    void DataSetScrolled(int Distance) override {
        scrolls << Distance;
        log << "scrolled";
    }
    void EditingChanged() override { log << (Editing() ? "editing" : "not editing"); }
    void RecordChanged(TField* Field) override { log << (Field ? "field " + Field->FieldName() : "record"); }
    void UpdateData() override { log << "update"; }
    void LayoutChanged() override { log << "layout"; }
};

class DataLinkTest : public PeopleDataSet {
protected:
    void SetUp() override {
        PeopleDataSet::SetUp();
        source = new TDataSource(nullptr);
        source->SetDataSet(people);
    }
    void TearDown() override {
        delete source;
        PeopleDataSet::TearDown();
    }
    // The names of the rows in the link's window, read as a grid reads them.
    QStringList Window(TDataLink& link) {
        QStringList rows;
        const int active = link.ActiveRecord();
        for (int i = 0; i < link.RecordCount(); ++i) {
            link.SetActiveRecord(i);
            rows << Name();
        }
        link.SetActiveRecord(active);
        return rows;
    }
    TDataSource* source = nullptr;
};

TEST_F(DataLinkTest, ALinkHearsOpeningScrollingEditingAndPosting) {
    TRecordingLink link;
    link.SetDataSource(source);
    EXPECT_FALSE(link.Active());
    people->Open();
    EXPECT_TRUE(link.Active());
    people->Next();
    people->Edit();
    people->FieldByName("Name")->SetAsString("B");
    people->Post();
    people->Close();
    // A window of one record is replaced by a move, which is a change of the data set.
    EXPECT_EQ(link.log, QStringList({"active", "changed", "editing", "record", "field Name", "update",
                                     "not editing", "changed", "inactive"}));
}

TEST_F(DataLinkTest, AFieldLinkFollowsItsFieldAndWritesBackOnPost) {
    TFieldDataLink link;
    QString shown;
    QString typed;
    int editingChanges = 0;
    link.OnDataChange = [&](TObject*) { shown = link.Field() ? link.Field()->DisplayText() : "<none>"; };
    link.OnEditingChange = [&](TObject*) { ++editingChanges; };
    link.OnUpdateData = [&](TObject*) { link.Field()->SetAsString(typed); };
    link.SetFieldName("Name");
    link.SetDataSource(source);
    people->Open();
    EXPECT_EQ(link.Field(), people->FieldByName("Name"));
    EXPECT_EQ(shown, "Ann");
    people->Next();
    EXPECT_EQ(shown, "Bob");
    // A control starts editing through its link when the user types.
    EXPECT_TRUE(link.Edit());
    EXPECT_TRUE(link.Editing());
    typed = "Robert";
    link.Modified();
    people->Post();
    EXPECT_EQ(people->rows[1].values[1].ToString(), "Robert");
    EXPECT_EQ(shown, "Robert");
    EXPECT_EQ(editingChanges, 2);
    // Without AutoEdit or with a read-only link the control cannot start editing.
    source->SetAutoEdit(false);
    EXPECT_FALSE(link.Edit());
    source->SetAutoEdit(true);
    link.SetReadOnly(true);
    EXPECT_FALSE(link.CanModify());
    EXPECT_FALSE(link.Edit());
    link.SetReadOnly(false);
    // Reset shows the field's value again.
    shown.clear();
    link.Reset();
    EXPECT_EQ(shown, "Robert");
    // A disabled source makes its links inactive.
    source->SetEnabled(false);
    EXPECT_FALSE(link.Active());
    EXPECT_EQ(link.Field(), nullptr);
    source->SetEnabled(true);
    EXPECT_EQ(link.Field(), people->FieldByName("Name"));
}

TEST_F(DataLinkTest, AGridsWindowShowsSeveralRecordsAndScrollsWithTheDataSet) {
    TRecordingLink grid;
    grid.SetBufferCount(3);
    grid.SetDataSource(source);
    people->Open();
    EXPECT_EQ(people->BufferCount(), 3);
    EXPECT_EQ(Window(grid), QStringList({"Ann", "Bob", "Cid"}));
    EXPECT_EQ(grid.ActiveRecord(), 0);
    people->Next();
    people->Next();
    EXPECT_EQ(grid.ActiveRecord(), 2);
    EXPECT_EQ(Window(grid), QStringList({"Ann", "Bob", "Cid"}));
    people->Next();
    EXPECT_EQ(Window(grid), QStringList({"Bob", "Cid", "Dan"}));
    EXPECT_EQ(grid.ActiveRecord(), 2);
    EXPECT_EQ(grid.scrolls.last(), 1) << "the window moved one record on";
    EXPECT_EQ(Name(), "Dan") << "reading the window leaves the active record";
    people->Last();
    EXPECT_EQ(Window(grid), QStringList({"Cid", "Dan", "Eve"}));
    people->MoveBy(-2);
    EXPECT_EQ(grid.ActiveRecord(), 0);
    people->Prior();
    EXPECT_EQ(Window(grid), QStringList({"Bob", "Cid", "Dan"}));
    EXPECT_EQ(grid.scrolls.last(), -1);

    // A single-record link beside the grid keeps following the active record.
    TFieldDataLink single;
    QString shown;
    single.OnDataChange = [&](TObject*) { shown = single.Field()->AsString(); };
    single.SetFieldName("Name");
    single.SetDataSource(source);
    people->Next();
    EXPECT_EQ(shown, "Cid");
    EXPECT_EQ(single.ActiveRecord(), 0);
    EXPECT_EQ(single.RecordCount(), 1);

    // Growing the window fills it around the active record.
    grid.SetBufferCount(5);
    EXPECT_EQ(Window(grid), QStringList({"Ann", "Bob", "Cid", "Dan", "Eve"}));
    EXPECT_EQ(Name(), "Cid");
    grid.SetBufferCount(2);
    EXPECT_EQ(Name(), "Cid");
    EXPECT_EQ(grid.RecordCount(), 2);
    EXPECT_TRUE(Window(grid).contains("Cid"));
}

TEST_F(DataLinkTest, InsertingInTheWindowShiftsTheRecordsAfterIt) {
    TRecordingLink grid;
    grid.SetBufferCount(4);
    grid.SetDataSource(source);
    people->Open();
    people->Next();
    people->Insert();
    EXPECT_EQ(grid.ActiveRecord(), 1);
    people->FieldByName("Name")->SetAsString("New");
    EXPECT_EQ(Window(grid), QStringList({"Ann", "New", "Bob", "Cid"}));
    people->Cancel();
    EXPECT_EQ(Window(grid), QStringList({"Ann", "Bob", "Cid", "Dan"}));
    EXPECT_EQ(Name(), "Bob");
}

TEST_F(DataLinkTest, SourcesAndLinksLetGoOfWhatIsFreed) {
    TFieldDataLink link;
    link.SetDataSource(source);
    people->Open();
    auto* other = new TDataSource(nullptr);
    other->SetDataSet(people);
    delete other;
    EXPECT_TRUE(link.Active());
    delete people;
    people = nullptr;
    EXPECT_EQ(source->DataSet(), nullptr);
    EXPECT_FALSE(link.Active());
    EXPECT_EQ(source->State(), dsInactive);
    delete source;
    source = nullptr;
    EXPECT_EQ(link.DataSource(), nullptr);
}

TEST_F(DataLinkTest, TheSourceReportsStateChangesAndDataChanges) {
    QStringList log;
    source->OnStateChange = [&](TObject*) { log << QString("state %1").arg(int(source->State())); };
    source->OnDataChange = [&](TObject*, TField* f) {
        log << (f ? "data " + f->FieldName() : QString("data"));
    };
    source->OnUpdateData = [&](TObject*) { log << "update"; };
    people->Open();
    people->Edit();
    people->FieldByName("Salary")->SetAsFloat(1);
    people->Post();
    EXPECT_EQ(
        log, QStringList({"state 1", "data", "state 2", "data", "data Salary", "update", "state 1", "data"}));
}

} // namespace
} // namespace mox::test
