// The property storage: keys and value texts of every property kind, string lists, collections,
// nested objects, references, versions, stored values, path rules and master storages.
#include <QFile>
#include <gtest/gtest.h>
#include <stdexcept>
#include <memory>

#include "TestSupport.h"
#include "lib/moxPropStore.h"
#include "vcl/FixedFormatSettings.h"
#include "vcl/IniFiles.h"
#include "vcl/Variants.h"

namespace PropStoreSamples {
Q_NAMESPACE
enum TShade { shLight, shDark, shDarker };
Q_ENUM_NS(TShade)
enum TEdge { edLeft = 1, edTop = 2, edRight = 4, edBottom = 8 };
Q_DECLARE_FLAGS(TEdges, TEdge)
Q_FLAG_NS(TEdges)
} // namespace PropStoreSamples
Q_DECLARE_OPERATORS_FOR_FLAGS(PropStoreSamples::TEdges)
using namespace PropStoreSamples;

// A nested object, like a font.
class TSampleFont : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(PropStoreSamples::TShade Color READ Color WRITE SetColor)
public:
    String Name() const { return name_; }
    void SetName(const String& v) { name_ = v; }
    int Height() const { return height_; }
    void SetHeight(int v) { height_ = v; }
    TShade Color() const { return color_; }
    void SetColor(TShade v) { color_ = v; }

private:
    String name_ = "Sans";
    int height_ = -11;
    TShade color_ = shLight;
};

class TSampleItem : public TCollectionItem {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int Size READ Size WRITE SetSize)
    Q_PROPERTY(TStrings* Notes READ Notes WRITE SetNotes)
public:
    explicit TSampleItem(TCollection* c) : TCollectionItem(c) { notes_.setParent(this); }
    String Caption() const { return caption_; }
    void SetCaption(const String& v) { caption_ = v; }
    int Size() const { return size_; }
    void SetSize(int v) { size_ = v; }
    TStrings* Notes() { return &notes_; }
    void SetNotes(TStrings* v) { notes_.Assign(v); }

private:
    String caption_;
    int size_ = 0;
    TStringList notes_;
};

class TSample : public TComponent {
    Q_OBJECT
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(QString Text READ Text WRITE SetText)
    Q_PROPERTY(bool Checked READ Checked WRITE SetChecked)
    Q_PROPERTY(PropStoreSamples::TShade Shade READ Shade WRITE SetShade)
    Q_PROPERTY(PropStoreSamples::TEdges Edges READ Edges WRITE SetEdges)
    Q_PROPERTY(double Ratio READ Ratio WRITE SetRatio)
    Q_PROPERTY(float Small READ Small WRITE SetSmall)
    Q_PROPERTY(QChar Letter READ Letter WRITE SetLetter)
    Q_PROPERTY(qint64 Big READ Big WRITE SetBig)
    Q_PROPERTY(Variant Data READ Data WRITE SetData)
    Q_PROPERTY(TStrings* Lines READ Lines WRITE SetLines)
    Q_PROPERTY(TOwnedCollection* Items READ Items WRITE SetItems)
    Q_PROPERTY(TSampleFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(TComponent* Buddy READ Buddy WRITE SetBuddy)
    Q_PROPERTY(int Fragile READ Fragile WRITE SetFragile)
    MOX_EVENT(TNotifyEvent, OnClick)
public:
    explicit TSample(TComponent* owner, const String& name = String())
        : TComponent(owner), items_(this, TCollectionItemClass::Of<TSampleItem>()) {
        lines_.setParent(this);
        font_.setParent(this);
        items_.setParent(this);
        if (!name.isEmpty()) SetName(name);
    }
    int Left() const { return left_; }
    void SetLeft(int v) { left_ = v; }
    String Text() const { return text_; }
    void SetText(const String& v) { text_ = v; }
    bool Checked() const { return checked_; }
    void SetChecked(bool v) { checked_ = v; }
    TShade Shade() const { return shade_; }
    void SetShade(TShade v) { shade_ = v; }
    TEdges Edges() const { return edges_; }
    void SetEdges(TEdges v) { edges_ = v; }
    double Ratio() const { return ratio_; }
    void SetRatio(double v) { ratio_ = v; }
    float Small() const { return small_; }
    void SetSmall(float v) { small_ = v; }
    QChar Letter() const { return letter_; }
    void SetLetter(QChar v) { letter_ = v; }
    qint64 Big() const { return big_; }
    void SetBig(qint64 v) { big_ = v; }
    Variant Data() const { return data_; }
    void SetData(const Variant& v) { data_ = v; }
    TStrings* Lines() { return &lines_; }
    void SetLines(TStrings* v) { lines_.Assign(v); }
    TOwnedCollection* Items() { return &items_; }
    void SetItems(TOwnedCollection* v) { items_.Assign(v); }
    TSampleFont* Font() { return &font_; }
    void SetFont(TSampleFont* v) { font_.SetName(v->Name()); }
    TComponent* Buddy() const { return buddy_; }
    void SetBuddy(TComponent* v) { buddy_ = v; }
    int Fragile() const { return fragile_; }
    void SetFragile(int v) {
        if (v < 0) throw std::runtime_error("no negative values");
        fragile_ = v;
    }

private:
    int left_ = 0;
    String text_;
    bool checked_ = false;
    TShade shade_ = shLight;
    TEdges edges_;
    double ratio_ = 0;
    float small_ = 0;
    QChar letter_;
    qint64 big_ = 0;
    Variant data_;
    TStringList lines_;
    TOwnedCollection items_;
    TSampleFont font_;
    TComponent* buddy_ = nullptr;
    int fragile_ = 0;
};

// A settings file in a scratch folder; the owner "Form1" holds a storage and the given components.
class PropStorageTest : public mox::test::FixedFormatSettings {
protected:
    mox::test::ScratchDir dir;
    TmoxAppIniFile file{nullptr};
    TSample owner{nullptr, "Form1"};
    TmoxPropStorage* storage = nullptr;

    void SetUp() override {
        FixedFormatSettings::SetUp();
        file.SetIniFileType(ftIniFile);
        file.SetIniFileName(dir.File("settings.ini"));
        storage = new TmoxPropStorage(&owner);
        storage->SetName("psStore");
        storage->SetAppIniFile(&file);
        storage->SetAppSection("Main");
    }
    // The file as written, read back through an INI store of its own.
    String Stored(const String& section, const String& key, const String& missing = "<missing>") {
        TMemIniFile ini(dir.File("settings.ini"));
        return ini.ReadString(section, key, missing);
    }
    void Store(const String& section, const String& key, const String& value) {
        TMemIniFile ini(dir.File("settings.ini"));
        ini.WriteString(section, key, value);
        ini.UpdateFile();
    }
    void SetStoredProps(const QStringList& lines) {
        TStringList list;
        list.SetQStringList(lines);
        storage->SetStoredProps(&list);
    }
};

namespace {

using StorageKeys = PropStorageTest;

// Every kind is saved under Component_Property with its fixed text.
TEST_F(StorageKeys, EachKindIsSavedWithItsText) {
    TSample edit(&owner, "Edit1");
    owner.SetLeft(120);
    edit.SetText("  cmd.exe ");
    edit.SetChecked(true);
    edit.SetShade(shDarker);
    edit.SetEdges(edLeft | edRight);
    edit.SetRatio(36926.579606481481);
    edit.SetSmall(0.1f);
    edit.SetLetter(u'Q');
    edit.SetBig(Q_INT64_C(9000000000));
    edit.SetData(Variant(42));
    storage->SetVersion(3);
    SetStoredProps({"Left", "Edit1.Text", "Edit1.Checked", "Edit1.Shade", "Edit1.Edges", "Edit1.Ratio",
                    "Edit1.Small", "Edit1.Letter", "Edit1.Big", "Edit1.Data"});
    storage->Save();

    const struct {
        const char* key;
        const char* text;
    } cases[] = {
        {"Form1_Left", "120"},       {"Edit1_Text", "cmd.exe"},
        {"Edit1_Checked", "True"},   {"Edit1_Shade", "shDarker"},
        {"Edit1_Edges", "[edLeft,edRight]"}, {"Edit1_Ratio", "36926.5796064815"},
        {"Edit1_Small", "0.1"},      {"Edit1_Letter", "Q"},
        {"Edit1_Big", "9000000000"}, {"Edit1_Data", "42"},
        {"Version", "3"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Stored("Main", c.key), c.text) << c.key;
}

// Empty texts of the typed kinds are not written; strings are, even when empty.
TEST_F(StorageKeys, EmptyTextsAreWrittenOnlyForStrings) {
    TSample edit(&owner, "Edit1");
    SetStoredProps({"Edit1.Text", "Edit1.Edges", "Edit1.Data", "Edit1.Letter"});
    storage->Save();
    EXPECT_EQ(Stored("Main", "Edit1_Text"), "");
    EXPECT_EQ(Stored("Main", "Edit1_Edges"), "[]");
    EXPECT_EQ(Stored("Main", "Edit1_Data"), "<missing>");
    EXPECT_EQ(Stored("Main", "Edit1_Letter"), "");
}

TEST_F(StorageKeys, FloatsUseAPointWhateverTheLocale) {
    TSample edit(&owner, "Edit1");
    SetStoredProps({"Edit1.Ratio"});
    FormatSettings.DecimalSeparator = u',';
    FormatSettings.ThousandSeparator = u'.';
    edit.SetRatio(1234.5);
    storage->Save();
    EXPECT_EQ(Stored("Main", "Edit1_Ratio"), "1234.5");

    FormatSettings.DecimalSeparator = u'.';
    FormatSettings.ThousandSeparator = u',';
    edit.SetRatio(0);
    storage->Load();
    EXPECT_DOUBLE_EQ(edit.Ratio(), 1234.5);
}

using StorageLoading = PropStorageTest;

// Each stored text against the value it loads as; the start value shows what "unchanged" means.
TEST_F(StorageLoading, TextsLoadByTheRulesOfTheirKind) {
    TSample edit(&owner, "Edit1");
    SetStoredProps({"Edit1.Left", "Edit1.Checked", "Edit1.Shade", "Edit1.Edges", "Edit1.Ratio", "Edit1.Letter",
                    "Edit1.Data", "Edit1.Text"});
    const struct {
        const char* key;
        const char* text;
        std::function<void()> check;
    } cases[] = {
        {"Edit1_Left", " 77 ", [&] { EXPECT_EQ(edit.Left(), 77); }},
        {"Edit1_Left", "seven", [&] { EXPECT_EQ(edit.Left(), 0); }},
        {"Edit1_Checked", "true", [&] { EXPECT_TRUE(edit.Checked()); }},
        {"Edit1_Checked", "maybe", [&] { EXPECT_TRUE(edit.Checked()); }},
        {"Edit1_Shade", "SHDARK", [&] { EXPECT_EQ(edit.Shade(), shDark); }},
        {"Edit1_Edges", "[ edTop , edbottom,bogus ]", [&] { EXPECT_EQ(edit.Edges(), edTop | edBottom); }},
        {"Edit1_Edges", "[]", [&] { EXPECT_EQ(edit.Edges(), TEdges()); }},
        {"Edit1_Ratio", "2.25", [&] { EXPECT_DOUBLE_EQ(edit.Ratio(), 2.25); }},
        {"Edit1_Ratio", "two", [&] { EXPECT_DOUBLE_EQ(edit.Ratio(), 2.25); }},
        {"Edit1_Letter", "xyz", [&] { EXPECT_EQ(edit.Letter(), u'x'); }},
        {"Edit1_Letter", "", [&] { EXPECT_EQ(edit.Letter(), u'x'); }},
        {"Edit1_Text", "  padded  ", [&] { EXPECT_EQ(edit.Text(), "padded"); }},
    };
    edit.SetChecked(true);
    edit.SetData(Variant(5));
    for (const auto& c : cases) {
        Store("Main", c.key, c.text);
        storage->Load();
        SCOPED_TRACE(std::string(c.key) + "=" + c.text);
        c.check();
    }
    // A variant loads as the text it was stored as.
    Store("Main", "Edit1_Data", "hello");
    storage->Load();
    EXPECT_EQ(VarToStr(edit.Data()), "hello");
    EXPECT_TRUE(VarIsStr(edit.Data()));
}

TEST_F(StorageLoading, MissingKeysLeaveEveryPropertyAsItIs) {
    TSample edit(&owner, "Edit1");
    edit.SetLeft(5);
    edit.SetText("kept");
    edit.SetShade(shDark);
    edit.SetEdges(edTop);
    edit.SetRatio(0.5);
    SetStoredProps({"Edit1.Left", "Edit1.Text", "Edit1.Shade", "Edit1.Edges", "Edit1.Ratio"});
    storage->Load();
    EXPECT_EQ(edit.Left(), 5);
    EXPECT_EQ(edit.Text(), "kept");
    EXPECT_EQ(edit.Shade(), shDark);
    EXPECT_EQ(edit.Edges(), edTop);
    EXPECT_DOUBLE_EQ(edit.Ratio(), 0.5);
}

// One property that cannot take its value does not stop the others; a failing save stops the save.
TEST_F(StorageLoading, LoadErrorsAreSkippedOnePropertyAtATime) {
    TSample edit(&owner, "Edit1");
    SetStoredProps({"Edit1.Fragile", "Edit1.Left"});
    Store("Main", "Edit1_Fragile", "-1");
    Store("Main", "Edit1_Left", "9");
    EXPECT_NO_THROW(storage->Load());
    EXPECT_EQ(edit.Fragile(), 0);
    EXPECT_EQ(edit.Left(), 9);
}

TEST_F(StorageLoading, TheStoredLayoutOfAnotherVersionIsLeftUnread) {
    TSample edit(&owner, "Edit1");
    SetStoredProps({"Edit1.Left"});
    edit.SetLeft(10);
    storage->Save(); // version 0
    storage->SetVersion(1);
    edit.SetLeft(99);
    storage->Load();
    EXPECT_EQ(edit.Left(), 99);
    storage->Save();
    EXPECT_EQ(Stored("Main", "Version"), "1");
    EXPECT_EQ(Stored("Main", "Edit1_Left"), "99");
    edit.SetLeft(0);
    storage->Load();
    EXPECT_EQ(edit.Left(), 99);
}

TEST_F(StorageLoading, WithoutSettingsFileNothingHappens) {
    TSample edit(&owner, "Edit1");
    SetStoredProps({"Edit1.Left"});
    storage->SetAppIniFile(nullptr);
    int events = 0;
    storage->OnSave = [&](TObject*) { ++events; };
    storage->OnLoad = [&](TObject*) { ++events; };
    storage->Save();
    storage->Load();
    EXPECT_EQ(events, 0);
    EXPECT_FALSE(QFile::exists(dir.File("settings.ini")));
}

using StorageObjects = PropStorageTest;

TEST_F(StorageObjects, StringListsHaveTheirOwnSection) {
    TSample edit(&owner, "Edit1");
    edit.Lines()->SetQStringList({"one", "two words", "three"});
    SetStoredProps({"Edit1.Lines"});
    storage->Save();
    EXPECT_EQ(Stored("Main.Edit1_Lines", "Count"), "3");
    EXPECT_EQ(Stored("Main.Edit1_Lines", "Item1"), "two words");
    EXPECT_EQ(Stored("Main.Edit1_Lines", "Item2"), "three");

    edit.Lines()->SetQStringList({"x"});
    storage->Load();
    EXPECT_EQ(edit.Lines()->ToQStringList(), QStringList({"one", "two words", "three"}));

    // Saved empty, the section is erased and a later load leaves the list as it is.
    edit.Lines()->Clear();
    storage->Save();
    EXPECT_EQ(Stored("Main.Edit1_Lines", "Count"), "<missing>");
    EXPECT_EQ(Stored("Main.Edit1_Lines", "Item0"), "<missing>");
    edit.Lines()->SetQStringList({"designed"});
    storage->Load();
    EXPECT_EQ(edit.Lines()->ToQStringList(), QStringList({"designed"}));
}

TEST_F(StorageObjects, CollectionsKeepTheirCountAndItems) {
    TSample edit(&owner, "Edit1");
    for (int i = 0; i < 3; ++i) {
        auto* item = static_cast<TSampleItem*>(edit.Items()->Add());
        item->SetCaption(QString("item %1").arg(i));
        item->SetSize(i * 10);
    }
    static_cast<TSampleItem*>(edit.Items()->Items(1))->Notes()->SetQStringList({"a", "b"});
    SetStoredProps({"Edit1.Items"});
    storage->Save();
    EXPECT_EQ(Stored("Main", "Edit1_Items.Count"), "3");
    EXPECT_EQ(Stored("Main.Edit1_Items", "Item2_Caption"), "item 2");
    EXPECT_EQ(Stored("Main.Edit1_Items", "Item1_Size"), "10");
    EXPECT_EQ(Stored("Main.Edit1_Items.Item1_Notes", "Item1"), "b");

    // Five items become the three stored ones.
    edit.Items()->Clear();
    for (int i = 0; i < 5; ++i)
        edit.Items()->Add();
    storage->Load();
    ASSERT_EQ(edit.Items()->Count(), 3);
    EXPECT_EQ(static_cast<TSampleItem*>(edit.Items()->Items(2))->Caption(), "item 2");
    EXPECT_EQ(static_cast<TSampleItem*>(edit.Items()->Items(1))->Notes()->ToQStringList(), QStringList({"a", "b"}));

    // The same count overwrites the items in place.
    TCollectionItem* first = edit.Items()->Items(0);
    static_cast<TSampleItem*>(first)->SetCaption("changed");
    storage->Load();
    EXPECT_EQ(edit.Items()->Items(0), first);
    EXPECT_EQ(static_cast<TSampleItem*>(first)->Caption(), "item 0");
    EXPECT_EQ(edit.Items()->UpdateCount(), 0);
}

TEST_F(StorageObjects, NestedObjectsPutTheirPropertiesBehindThePropertyName) {
    TSample label(&owner, "Label1");
    label.Font()->SetName("Serif");
    label.Font()->SetHeight(-13);
    label.Font()->SetColor(shDark);
    SetStoredProps({"Label1.Font"});
    storage->Save();
    EXPECT_EQ(Stored("Main", "Label1_FontName"), "Serif");
    EXPECT_EQ(Stored("Main", "Label1_FontHeight"), "-13");
    EXPECT_EQ(Stored("Main", "Label1_FontColor"), "shDark");

    label.Font()->SetName("Mono");
    label.Font()->SetColor(shLight);
    storage->Load();
    EXPECT_EQ(label.Font()->Name(), "Serif");
    EXPECT_EQ(label.Font()->Color(), shDark);
}

TEST_F(StorageObjects, ReferencesAreKeptByName) {
    TSample edit(&owner, "Edit1"), button(&owner, "Button1");
    TSample other(nullptr, "Other");
    TSample remote(&other, "Remote");
    const int finder = RegisterFindGlobalComponentProc(
        [&](const String& name) -> TComponent* { return AnsiCompareText(name, "Other") == 0 ? &other : nullptr; });
    SetStoredProps({"Edit1.Buddy"});

    edit.SetBuddy(&button);
    storage->Save();
    EXPECT_EQ(Stored("Main", "Edit1_Buddy"), "Button1");
    edit.SetBuddy(&remote);
    storage->Save();
    EXPECT_EQ(Stored("Main", "Edit1_Buddy"), "Other.Remote");

    const struct {
        const char* text;
        TComponent* before;
        TComponent* after;
    } cases[] = {
        {"Button1", nullptr, &button},      {"other.remote", &button, &remote}, {"(NULL)", &button, nullptr},
        {"Nowhere.Remote", &button, &button}, {"Other.Missing", &button, nullptr}, {"Missing", &button, nullptr},
        {"", &button, &button},
    };
    for (const auto& c : cases) {
        Store("Main", "Edit1_Buddy", c.text);
        edit.SetBuddy(c.before);
        storage->Load();
        EXPECT_EQ(edit.Buddy(), c.after) << c.text;
    }
    UnregisterFindGlobalComponentProc(finder);
}

using StoragePaths = PropStorageTest;

TEST_F(StoragePaths, LinesResolveToComponentsAndFollowTheirNames) {
    auto* edit = new TSample(&owner, "Edit1");
    SetStoredProps({"Left", " Edit1 . Text ", "Missing.Text", ".Text", "Edit1.", "", "form1.Checked", "Edit1.Font.Color"});
    EXPECT_EQ(storage->StoredProps()->ToQStringList(),
              QStringList({"Left", "Edit1.Text", "Checked", "Edit1.Font.Color"}));
    EXPECT_EQ(storage->StoredProps()->Objects(1), edit);

    edit->SetName("edName");
    EXPECT_EQ(storage->StoredProps()->Strings(1), "edName.Text");
    edit->SetText("saved");
    storage->Save();
    EXPECT_EQ(Stored("Main", "edName_Text"), "saved");

    delete edit;
    EXPECT_EQ(storage->StoredProps()->ToQStringList(), QStringList({"Left", "Checked"}));
}

TEST_F(StoragePaths, TheDefaultSectionComesFromTheOwner) {
    TmoxPropStorage loose(nullptr);
    EXPECT_EQ(loose.AppSection(), "");
    storage->SetAppSection("");
    EXPECT_EQ(storage->AppSection(), "Form1");
    TSample frame(&owner, "Frame1");
    TmoxPropStorage inner(&frame);
    EXPECT_EQ(inner.AppSection(), "Frame1");
}

using StorageValues = PropStorageTest;

TEST_F(StorageValues, ValuesAreKeptUnderTheirNamesAndPassTheEvents) {
    TStoredValue* width = storage->StoredValues()->Add();
    width->SetName("Width");
    width->SetValue(Variant(640));
    TStoredValue* title = storage->StoredValues()->Add();
    title->SetName("Title");
    title->SetValue(Variant(String("Demo")));
    storage->OnSaveValue = [&](TObject* sender, TStoredValue* value, Variant& v) {
        EXPECT_EQ(sender, storage);
        if (value == title) v = Variant(VarToStr(v) + "!");
    };
    storage->Save();
    EXPECT_EQ(Stored("Main", "Width"), "640");
    EXPECT_EQ(Stored("Main", "Title"), "Demo!");

    QStringList seen;
    storage->OnLoadValue = [&](TObject*, TStoredValue* value, Variant& v) { seen << value->Name() + "=" + VarToStr(v); };
    width->SetValue(Variant());
    storage->Load();
    EXPECT_EQ(seen, QStringList({"Width=640", "Title=Demo!"}));
    EXPECT_TRUE(VarIsStr(width->Value()));
    EXPECT_EQ(VarToStr(width->Value()), "640");
}

TEST_F(StorageValues, NamesAreUniqueWithoutRegardToCase) {
    TStoredValue* first = storage->StoredValues()->Add();
    first->SetName("Alpha");
    TStoredValue* second = storage->StoredValues()->Add();
    second->SetName("Beta");
    try {
        second->SetName("ALPHA");
        FAIL() << "a duplicate name was accepted";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Items 'ALPHA' already exists");
    }
    EXPECT_EQ(second->Name(), "Beta");
    EXPECT_NO_THROW(second->SetName("BETA"));
    EXPECT_EQ(second->Name(), "BETA");
    EXPECT_NO_THROW(second->SetName(""));
    TStoredValue* third = storage->StoredValues()->Add();
    EXPECT_NO_THROW(third->SetName(""));
}

using StorageChains = PropStorageTest;

TEST_F(StorageChains, CircularMastersAreRefused) {
    TmoxPropStorage a(&owner), b(&owner), c(&owner);
    b.SetMasterStorage(&a);
    c.SetMasterStorage(&b);
    // Itself, and a storage whose chain of masters already holds it.
    for (TmoxPropStorage* master : {&a, &c}) {
        try {
            a.SetMasterStorage(master);
            FAIL() << "a circular link was accepted";
        } catch (const EInvalidOp& e) {
            EXPECT_EQ(e.Message(), "Circular links not allowed");
        }
        EXPECT_EQ(a.MasterStorage(), nullptr);
    }
    EXPECT_EQ(c.MasterStorage(), &b);
}

TEST_F(StorageChains, SlavesLoadAndSaveAfterTheirMasterAndLeaveWhenFreed) {
    QStringList log;
    auto slave1 = std::make_unique<TmoxPropStorage>(&owner);
    TmoxPropStorage slave2(&owner);
    for (TmoxPropStorage* s : {slave1.get(), &slave2}) {
        s->SetAppIniFile(&file);
        s->SetAppSection("Slave");
        s->SetMasterStorage(storage);
    }
    storage->OnLoad = [&](TObject*) { log << "master"; };
    slave1->OnLoad = [&](TObject*) { log << "slave1"; };
    slave2.OnLoad = [&](TObject*) { log << "slave2"; };
    storage->Load();
    EXPECT_EQ(log, QStringList({"master", "slave1", "slave2"}));

    slave1.reset();
    EXPECT_EQ(storage->SlaveCount(), 1);
    log.clear();
    storage->Load();
    EXPECT_EQ(log, QStringList({"master", "slave2"}));
}

} // namespace

#include "PropStorageTest.moc"
