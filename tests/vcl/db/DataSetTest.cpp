// The data set's own rules, on a data set over rows in memory: opening, navigation, editing,
// bookmarks, events and errors.
#include "DataSetFixture.h"

namespace mox::test {
namespace {

using DataSetTest = PeopleDataSet;

TEST_F(DataSetTest, OpeningMakesFieldsFromTheDefinitionsAndClosingDropsThem) {
    EXPECT_EQ(people->FieldCount(), 0);
    people->Open();
    ASSERT_EQ(people->FieldCount(), 4);
    EXPECT_TRUE(people->DefaultFields());
    EXPECT_NE(dynamic_cast<TIntegerField*>(people->FieldByName("id")), nullptr);
    EXPECT_NE(dynamic_cast<TStringField*>(people->Fields()->Fields(1)), nullptr);
    EXPECT_EQ(people->FieldByName("Name")->Size(), 20);
    EXPECT_TRUE(people->FieldByName("Id")->Required());
    EXPECT_EQ(people->FieldByName("Hired")->FieldNo(), 4);
    EXPECT_EQ(people->State(), dsBrowse);
    EXPECT_TRUE(people->Bof());
    EXPECT_FALSE(people->Eof());
    EXPECT_EQ(Name(), "Ann");
    people->Close();
    EXPECT_EQ(people->FieldCount(), 0);
    EXPECT_EQ(people->State(), dsInactive);
}

TEST_F(DataSetTest, NavigatesForwardBackwardAndByDistance) {
    people->Open();
    EXPECT_EQ(Names(), QStringList({"Ann", "Bob", "Cid", "Dan", "Eve"}));
    EXPECT_TRUE(people->Eof());
    EXPECT_EQ(Name(), "Eve");
    people->Last();
    QStringList backwards;
    for (; !people->Bof(); people->Prior())
        backwards << Name();
    EXPECT_EQ(backwards, QStringList({"Eve", "Dan", "Cid", "Bob", "Ann"}));

    struct Step {
        int from, distance, moved;
        const char* name;
        bool bof, eof;
    } steps[] = {
        {1, 2, 2, "Cid", false, false},   {1, 10, 4, "Eve", false, true}, {5, -3, -3, "Bob", false, false},
        {3, -10, -2, "Ann", true, false}, {5, 0, 0, "Eve", false, false},
    };
    for (const Step& s : steps) {
        people->SetRecNo(s.from);
        const int moved = people->MoveBy(s.distance);
        EXPECT_EQ(moved, s.moved) << s.from << " by " << s.distance;
        EXPECT_EQ(Name(), s.name) << s.from << " by " << s.distance;
        EXPECT_EQ(people->Bof(), s.bof) << s.from << " by " << s.distance;
        EXPECT_EQ(people->Eof(), s.eof) << s.from << " by " << s.distance;
    }
    EXPECT_EQ(people->RecordCount(), 5);
    people->SetRecNo(4);
    EXPECT_EQ(people->RecNo(), 4);
    EXPECT_EQ(Name(), "Dan");
}

TEST_F(DataSetTest, AnEmptyDataSetIsAtBothEnds) {
    people->rows.clear();
    people->Open();
    EXPECT_TRUE(people->IsEmpty());
    EXPECT_TRUE(people->Bof());
    EXPECT_TRUE(people->Eof());
    people->Next();
    people->Last();
    EXPECT_TRUE(people->Bof() && people->Eof());
    EXPECT_TRUE(people->FieldByName("Name")->IsNull());
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { people->Delete(); }),
              "Cannot perform this operation on an empty dataset");
    // Editing an empty data set inserts.
    people->Edit();
    EXPECT_EQ(people->State(), dsInsert);
}

TEST_F(DataSetTest, EditPostAndCancel) {
    people->Open();
    people->Next();
    people->Edit();
    EXPECT_EQ(people->State(), dsEdit);
    people->FieldByName("Name")->SetAsString("Bobby");
    EXPECT_TRUE(people->Modified());
    people->Post();
    EXPECT_EQ(people->State(), dsBrowse);
    EXPECT_EQ(Name(), "Bobby");
    EXPECT_EQ(people->rows[1].values[1].ToString(), "Bobby");

    people->Edit();
    people->FieldByName("Name")->SetAsString("Robert");
    people->Cancel();
    EXPECT_EQ(Name(), "Bobby");
    EXPECT_EQ(people->rows[1].values[1].ToString(), "Bobby");

    // Moving away posts a modified record and cancels an unmodified one.
    people->Edit();
    people->FieldByName("Salary")->SetAsFloat(2500);
    people->Next();
    EXPECT_EQ(people->rows[1].values[2].ToDouble(), 2500);
    people->Edit();
    people->Prior();
    EXPECT_EQ(people->State(), dsBrowse);
}

TEST_F(DataSetTest, InsertGoesBeforeTheCurrentRecordAndCancelReturnsToIt) {
    people->Open();
    people->SetRecNo(3);
    people->Insert();
    EXPECT_EQ(people->State(), dsInsert);
    EXPECT_TRUE(people->FieldByName("Name")->IsNull());
    people->Cancel();
    EXPECT_EQ(Name(), "Cid");

    people->Insert();
    people->FieldByName("Id")->SetAsInteger(10);
    people->FieldByName("Name")->SetAsString("New");
    people->Post();
    EXPECT_EQ(Name(), "New");
    EXPECT_EQ(people->RecNo(), 3);
    EXPECT_EQ(Names(), QStringList({"Ann", "Bob", "New", "Cid", "Dan", "Eve"}));

    people->First();
    people->Append();
    people->FieldByName("Id")->SetAsInteger(11);
    people->FieldByName("Name")->SetAsString("Last");
    people->Post();
    EXPECT_EQ(Name(), "Last");
    EXPECT_EQ(people->rows.back().values[1].ToString(), "Last");
    people->Append();
    people->Cancel();
    EXPECT_EQ(Name(), "Last");
}

TEST_F(DataSetTest, DeleteMovesToTheNextRecordOrThePriorAtTheEnd) {
    people->Open();
    people->SetRecNo(2);
    people->Delete();
    EXPECT_EQ(Name(), "Cid");
    people->Last();
    people->Delete();
    EXPECT_EQ(Name(), "Dan");
    EXPECT_EQ(Names(), QStringList({"Ann", "Cid", "Dan"}));
}

TEST_F(DataSetTest, AFailedPostKeepsTheRecordInEditWithItsValues) {
    people->Open();
    people->Insert();
    people->FieldByName("Name")->SetAsString("NoId");
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { people->Post(); }), "Field 'Id' must have a value");
    EXPECT_EQ(people->State(), dsInsert);
    EXPECT_EQ(Name(), "NoId");
    EXPECT_EQ(people->rows.size(), 5u);

    // The post-error handler may fix the record and try again, or end the post silently.
    people->OnPostError = [](TDataSet* ds, EDatabaseError&, TDataAction& action) {
        ds->FieldByName("Id")->SetAsInteger(99);
        action = daRetry;
    };
    people->Post();
    EXPECT_EQ(people->State(), dsBrowse);
    EXPECT_EQ(people->FieldByName("Id")->AsInteger(), 99);

    people->Edit();
    people->FieldByName("Id")->Clear();
    people->OnPostError = [](TDataSet*, EDatabaseError&, TDataAction& action) { action = daAbort; };
    EXPECT_THROW(people->Post(), EAbort);
    EXPECT_EQ(people->State(), dsEdit);
}

TEST_F(DataSetTest, EventsComeInThePlatformsOrder) {
    QStringList log;
    auto logger = [&](const char* name) { return [&log, name](TDataSet*) { log << name; }; };
    people->BeforeOpen = logger("BeforeOpen");
    people->AfterOpen = logger("AfterOpen");
    people->BeforeScroll = logger("BeforeScroll");
    people->AfterScroll = logger("AfterScroll");
    people->BeforeInsert = logger("BeforeInsert");
    people->OnNewRecord = logger("OnNewRecord");
    people->AfterInsert = logger("AfterInsert");
    people->BeforePost = logger("BeforePost");
    people->AfterPost = logger("AfterPost");
    people->BeforeEdit = logger("BeforeEdit");
    people->AfterEdit = logger("AfterEdit");
    people->BeforeCancel = logger("BeforeCancel");
    people->AfterCancel = logger("AfterCancel");
    people->BeforeDelete = logger("BeforeDelete");
    people->AfterDelete = logger("AfterDelete");
    people->BeforeClose = logger("BeforeClose");
    people->AfterClose = logger("AfterClose");

    people->Open();
    people->Next();
    people->Insert();
    people->FieldByName("Id")->SetAsInteger(7);
    people->Post();
    people->Edit();
    people->Cancel();
    people->Delete();
    people->Close();
    EXPECT_EQ(log,
              QStringList({"BeforeOpen",   "AfterOpen",    "AfterScroll",  "BeforeScroll", "AfterScroll",
                           "BeforeInsert", "BeforeScroll", "OnNewRecord",  "AfterInsert",  "AfterScroll",
                           "BeforePost",   "AfterPost",    "BeforeEdit",   "AfterEdit",    "BeforeCancel",
                           "AfterCancel",  "BeforeDelete", "BeforeScroll", "AfterDelete",  "AfterScroll",
                           "BeforeClose",  "AfterClose"}));
}

TEST_F(DataSetTest, BookmarksSurviveMovesAndTellWhenTheirRecordIsGone) {
    people->Open();
    people->SetRecNo(4);
    const TBookmark dan = people->GetBookmark();
    const TBookmarkStr danText = people->Bookmark();
    people->First();
    const TBookmark ann = people->GetBookmark();
    EXPECT_TRUE(people->BookmarkValid(dan));
    EXPECT_EQ(people->CompareBookmarks(ann, dan), -1);
    EXPECT_EQ(people->CompareBookmarks(dan, dan), 0);
    EXPECT_EQ(people->CompareBookmarks(TBookmark(), dan), -1);
    people->GotoBookmark(dan);
    EXPECT_EQ(Name(), "Dan");
    people->First();
    people->SetBookmark(danText);
    EXPECT_EQ(Name(), "Dan");
    people->Delete();
    EXPECT_FALSE(people->BookmarkValid(dan));
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { people->GotoBookmark(dan); }), "Record not found");
    // No bookmark while inserting.
    people->Insert();
    EXPECT_TRUE(people->GetBookmark().isEmpty());
}

TEST_F(DataSetTest, ErrorsOfTheWrongStateAndOfReadOnlyDataSets) {
    struct Case {
        const char* what;
        std::function<void()> run;
        QString message;
    } cases[] = {
        {"navigate closed", [&] { people->Next(); }, "Cannot perform this operation on a closed dataset"},
        {"write in browse",
         [&] {
             people->Open();
             people->FieldByName("Name")->SetAsString("x");
         },
         "Dataset not in edit or insert mode"},
        {"post in browse",
         [&] {
             people->Open();
             people->Post();
         },
         "Dataset not in edit or insert mode"},
        {"unknown field",
         [&] {
             people->Open();
             people->FieldByName("Nope");
         },
         "Field 'Nope' not found"},
        {"read-only edit",
         [&] {
             people->readOnly = true;
             people->Open();
             people->Edit();
         },
         "Cannot modify a read-only dataset"},
        {"read-only insert",
         [&] {
             people->readOnly = true;
             people->Open();
             people->Append();
         },
         "Cannot modify a read-only dataset"},
        {"read-only field",
         [&] {
             people->Open();
             people->FieldByName("Name")->SetReadOnly(true);
             people->Edit();
             people->FieldByName("Name")->SetAsString("x");
         },
         "Field 'Name' cannot be modified"},
        {"field of an open data set",
         [&] {
             people->Open();
             people->FieldByName("Name")->SetFieldName("N");
         },
         "Cannot perform this operation on an open dataset"},
    };
    for (const Case& c : cases) {
        people->Close();
        people->readOnly = false;
        EXPECT_EQ(MessageOf<EDatabaseError>(c.run), c.message) << c.what;
    }
    // A named data set names itself in its messages.
    people->Close();
    people->SetName("tbPeople");
    people->Open();
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { people->FieldByName("Nope"); }),
              "tbPeople: Field 'Nope' not found");
}

TEST_F(DataSetTest, ValidationSeesTheNewValueAndCanRefuseIt) {
    people->Open();
    TField* salary = people->FieldByName("Salary");
    double seen = 0;
    salary->OnValidate = [&](TField* f) {
        seen = f->AsFloat();
        if (f->AsFloat() < 0) throw EDatabaseError("Salary must not be negative");
    };
    people->Edit();
    salary->SetAsFloat(1234);
    EXPECT_EQ(seen, 1234);
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { salary->SetAsFloat(-1); }), "Salary must not be negative");
    EXPECT_EQ(seen, -1);
    EXPECT_EQ(salary->AsFloat(), 1234);
}

TEST_F(DataSetTest, PersistentFieldsMadeByCodeAreKeptAcrossOpenings) {
    auto* name = new TStringField(people);
    name->SetFieldName("Name");
    name->SetDataSet(people);
    auto* id = new TIntegerField(people);
    id->SetFieldName("Id");
    id->SetDataSet(people);
    people->Open();
    EXPECT_FALSE(people->DefaultFields());
    EXPECT_EQ(people->FieldCount(), 2);
    EXPECT_EQ(people->FindField("Salary"), nullptr);
    EXPECT_EQ(id->FieldNo(), 1);
    EXPECT_EQ(id->Index(), 1);
    EXPECT_EQ(name->AsString(), "Ann");
    people->Close();
    EXPECT_EQ(people->FieldCount(), 2);

    auto* wrong = new TFloatField(people);
    wrong->SetFieldName("Hired");
    wrong->SetDataSet(people);
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { people->Open(); }),
              "Type mismatch for field 'Hired', expecting: Float actual: Date");
    EXPECT_FALSE(people->Active());
    auto* duplicate = new TStringField(people);
    duplicate->SetFieldName("name");
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { duplicate->SetDataSet(people); }),
              "Duplicate field name 'name'");
    delete duplicate;
    delete wrong;
    people->Open();
    EXPECT_EQ(name->AsString(), "Ann");
}

TEST_F(DataSetTest, FieldValuesReadAndWriteSeveralFieldsAtOnce) {
    people->Open();
    const Variant v = people->FieldValues("Id;Name");
    ASSERT_TRUE(v.IsArray());
    EXPECT_EQ(VarArrayGet(v, {0}).ToInt(), 1);
    EXPECT_EQ(VarArrayGet(v, {1}).ToString(), "Ann");
    people->Edit();
    people->SetFieldValues("Name;Salary", VarArrayOf({"Anna", 5.5}));
    people->Post();
    EXPECT_EQ(Name(), "Anna");
    EXPECT_EQ(people->FieldByName("Salary")->AsFloat(), 5.5);
    people->AppendRecord({20, "Zed"});
    EXPECT_EQ(Name(), "Zed");
    EXPECT_EQ(people->rows.back().values[0].ToInt(), 20);
}

TEST_F(DataSetTest, ActiveSetWhileLoadingOpensWhenLoadingEnds) {
    people->BeginLoading();
    people->SetActive(true);
    EXPECT_FALSE(people->Active());
    people->EndLoading();
    EXPECT_TRUE(people->Active());
}

} // namespace
} // namespace mox::test
