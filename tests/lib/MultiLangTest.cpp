#include <QFile>
#include <gtest/gtest.h>

#include "MultiLangFixture.h"
#include "TestSupport.h"
#include "lib/moxMultiLang.h"

using namespace mox::test;

namespace {

void WriteFile(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

// Form1 with a label, a list, a grid with columns, a panel holding a button, an unnamed component,
// and a popup menu property that refers to a component of another owner.
struct Tree {
    Tree() : form(std::make_unique<LangControl>(nullptr, "Form1", "Main")), other(nullptr, "Other") {
        label = new LangControl(form.get(), "Label1", "Hello");
        list = new LangControl(form.get(), "List1");
        list->Items()->AddStrings(QStringList{"Apple", "Strawberry", "Cherry"});
        grid = new LangControl(form.get(), "Grid1");
        grid->AddColumn("First");
        grid->AddColumn("Second");
        panel = new LangControl(form.get(), "Panel1", "Panel");
        button = new LangControl(panel, "Button1", "OK");
        unnamed = new LangControl(form.get(), QString(), "Hidden");
        menu = new LangControl(&other, "Menu1", "Menu");
        label->SetPopupMenu(menu);
        form->SetPopupMenu(label);
    }
    std::unique_ptr<LangControl> form;
    LangControl other;
    LangControl *label, *list, *grid, *panel, *button, *unnamed, *menu;
};

// Every property path the walk asks about, with the value it gives.
QStringList PathsOfAPass(TComponent* root, TmoxCustomMultiLanguage& translator) {
    QStringList paths;
    translator.OnTranslateProp = [&](TObject*, const String& path, const String& old, String&) {
        paths << path + "=" + old;
    };
    translator.TranslateObject(root);
    translator.OnTranslateProp = nullptr;
    return paths;
}

} // namespace

TEST(MultiLanguage, AWalkVisitsOwnedComponentsNestedObjectsListsAndItemsByPath) {
    Tree tree;
    TmoxCustomMultiLanguage translator(nullptr);
    const QStringList expected{
        // the root's own texts, its list, its font (whose Name is no name to translate; SharedFont is the
        // same object, translated once), its columns
        "Form1.Caption=Main", "Form1.Hint=", "Form1.Version=1.0", "Form1.Items=", "Form1.Font.Style=Bold",
        // owned components in order; the popup menus refer elsewhere and are not entered
        "Form1.Label1.Caption=Hello", "Form1.Label1.Hint=", "Form1.Label1.Version=1.0",
        "Form1.Label1.Items=", "Form1.Label1.Font.Style=Bold",
        "Form1.List1.Caption=", "Form1.List1.Hint=", "Form1.List1.Version=1.0",
        "Form1.List1.Items=Apple,Strawberry,Cherry", "Form1.List1.Font.Style=Bold",
        "Form1.Grid1.Caption=", "Form1.Grid1.Hint=", "Form1.Grid1.Version=1.0",
        "Form1.Grid1.Items=", "Form1.Grid1.Font.Style=Bold", "Form1.Grid1.Columns.0.Caption=First",
        "Form1.Grid1.Columns.1.Caption=Second", "Form1.Panel1.Caption=Panel",
        "Form1.Panel1.Hint=", "Form1.Panel1.Version=1.0",
        "Form1.Panel1.Items=", "Form1.Panel1.Font.Style=Bold",
        // reached through its owner, which the form owns
        "Form1.Panel1.Button1.Caption=OK", "Form1.Panel1.Button1.Hint=", "Form1.Panel1.Button1.Version=1.0",
        "Form1.Panel1.Button1.Items=", "Form1.Panel1.Button1.Font.Style=Bold"};
    EXPECT_EQ(PathsOfAPass(tree.form.get(), translator), expected);
    EXPECT_TRUE(translator.Active());
    // The pass is over: a second one starts from an empty path again.
    EXPECT_EQ(PathsOfAPass(tree.form.get(), translator), expected);
}

TEST(MultiLanguage, TranslatesTheOwnerFromALanguageFileAndLeavesWhatItLacks) {
    ScratchDir dir;
    WriteFile(dir.File("Espanol.lng"), "[Translations]\n"
                                       "Form1.Caption=Principal\n"
                                       "form1.label1.caption=Hola\n"
                                       "Form1.List1.Items=Manzana,Fresa,Cereza\n"
                                       "Form1.Grid1.Columns.1.Caption=Segunda\n"
                                       "Form1.Font.Name=Serif\n"
                                       "Form1.Name=Renamed\n"
                                       "Form1.Version=2.0\n"
                                       "Other.Menu1.Caption=Menú\n"
                                       "Form1.Panel1.Button1.Caption=Aceptar\n");
    Tree tree;
    auto* translator = new TmoxMultiLanguage(tree.form.get());
    translator->SetName("tl");
    translator->SetFileName(dir.File("Espanol.lng"));
    EXPECT_FALSE(translator->Active());
    translator->Translate();
    EXPECT_TRUE(translator->Active());
    EXPECT_EQ(tree.form->Caption(), "Principal");
    EXPECT_EQ(tree.label->Caption(), "Hola") << "keys compare without regard to case";
    EXPECT_EQ(tree.list->Items()->ToQStringList(), (QStringList{"Manzana", "Fresa", "Cereza"}));
    EXPECT_EQ(static_cast<LangColumn*>(tree.grid->Columns()->Items(0))->Caption(), "First");
    EXPECT_EQ(static_cast<LangColumn*>(tree.grid->Columns()->Items(1))->Caption(), "Segunda");
    EXPECT_EQ(tree.button->Caption(), "Aceptar");
    EXPECT_EQ(tree.panel->Caption(), "Panel");
    // Never translated: names (also of fonts), read-only texts, components of another owner.
    EXPECT_EQ(tree.form->Name(), "Form1");
    EXPECT_EQ(tree.form->Font()->Name(), "Sans");
    EXPECT_EQ(tree.form->Version(), "1.0");
    EXPECT_EQ(tree.menu->Caption(), "Menu");
    EXPECT_EQ(tree.unnamed->Caption(), "Hidden");
}

TEST(MultiLanguage, PropertiesLimitThePassToThePathsItHolds) {
    ScratchDir dir;
    WriteFile(dir.File("de.lng"),
              "[Translations]\nToolsForm.Caption=MOX-Werkzeuge\n"
              "ToolsForm.FruitsLabel.Caption=&Obst\nToolsForm.MessageBtn.Caption=Gewählt\n");
    ToolsPage page;
    auto* translator = new TmoxMultiLanguage(page.form.get());
    translator->Properties()->Add("toolsform.fruitslabel.CAPTION");
    translator->SetFileName(dir.File("de.lng"));
    translator->Translate();
    EXPECT_EQ(page.fruitsLabel->Caption(), "&Obst");
    EXPECT_EQ(page.form->Caption(), "MOX Tools");
    EXPECT_EQ(page.messageBtn->Caption(), "Selected fruit");
}

struct TranslationLinesCase {
    QStringList lines;
    QString text;
    QStringList readBack;
};
void PrintTo(const TranslationLinesCase& c, std::ostream* os) {
    *os << '"' << c.text.toStdString() << '"';
}

class TranslationLines : public ::testing::TestWithParam<TranslationLinesCase> {};

TEST_P(TranslationLines, JoinWithCommasDoublingTheCommasInsideALine) {
    EXPECT_EQ(JoinTranslationLines(GetParam().lines), GetParam().text);
    EXPECT_EQ(SplitTranslationLines(GetParam().text), GetParam().readBack);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, TranslationLines,
    ::testing::Values(TranslationLinesCase{{"Apple", "Strawberry", "Cherry"},
                                           "Apple,Strawberry,Cherry",
                                           {"Apple", "Strawberry", "Cherry"}},
                      TranslationLinesCase{{"a,b"}, "a,,b", {"a,b"}},
                      TranslationLinesCase{{"a,b", "c"}, "a,,b,c", {"a,b", "c"}},
                      TranslationLinesCase{{}, "", {}}, TranslationLinesCase{{"one"}, "one", {"one"}},
                      // an empty line at the very end is not kept
                      TranslationLinesCase{{"x", ""}, "x,", {"x"}},
                      TranslationLinesCase{{"", "y"}, ",y", {"", "y"}},
                      TranslationLinesCase{{" spaced ", "b"}, " spaced ,b", {" spaced ", "b"}}));

TEST(MultiLanguage, AListTranslatedLineByLineKeepsTheObjectsBesideItsLines) {
    LangControl form(nullptr, "Form1");
    TObject first, second;
    form.Items()->AddObject("One", &first);
    form.Items()->AddObject("Two", &second);
    TmoxCustomMultiLanguage translator(nullptr);
    translator.OnTranslateProp = [](TObject*, const String& path, const String&, String& value) {
        if (path == "Form1.Items") value = "Uno,Dos";
    };
    translator.TranslateObject(&form);
    EXPECT_EQ(form.Items()->ToQStringList(), (QStringList{"Uno", "Dos"}));
    EXPECT_EQ(form.Items()->Objects(0), &first);
    EXPECT_EQ(form.Items()->Objects(1), &second);

    translator.OnTranslateProp = [](TObject*, const String& path, const String&, String& value) {
        if (path == "Form1.Items") value = "Uno,,Dos,Tres,";
    };
    translator.TranslateObject(&form);
    EXPECT_EQ(form.Items()->ToQStringList(), (QStringList{"Uno,Dos", "Tres"}));
}

TEST(MultiLanguage, TheInstanceEventsSeeEveryObjectAndCanTakeOverTheLookup) {
    Tree tree;
    TmoxCustomMultiLanguage translator(nullptr);
    QStringList instances;
    translator.OnTranslatePropInstance = [&](TObject*, TObject* instance) {
        if (auto* c = dynamic_cast<TComponent*>(instance))
            instances << c->Name();
        else if (dynamic_cast<TStrings*>(instance))
            instances << "list";
        else if (dynamic_cast<TCollectionItem*>(instance))
            instances << "item";
    };
    translator.OnTranslatePropString = [&](TObject*, TObject* instance, const String& name, const String& old,
                                           String& value) {
        if (name == "Caption" && instance == tree.button) value = old + "!";
    };
    bool askedProp = false;
    translator.OnTranslateProp = [&](TObject*, const String&, const String&, String&) { askedProp = true; };
    translator.TranslateObject(tree.panel);
    EXPECT_EQ(tree.button->Caption(), "OK!");
    EXPECT_FALSE(askedProp) << "OnTranslatePropString takes the place of DoTranslateProp";
    EXPECT_EQ(instances, (QStringList{"Panel1", "list", "Button1", "list"}));
}

TEST(MultiLanguage, MessagesComeFromTheirSectionOrStayAsTheyAre) {
    ScratchDir dir;
    WriteFile(dir.File("ru.lng"), "[Messages]\nSelected fruit is=Выбран фрукт\n");
    TmoxMultiLanguage translator(nullptr);
    translator.SetFileName(dir.File("ru.lng"));
    EXPECT_EQ(translator.TranslateMsg("Selected fruit is"), QString::fromUtf8("Выбран фрукт"));
    EXPECT_TRUE(translator.Active());
    EXPECT_EQ(translator.TranslateMsg("No one fruit is selected"), "No one fruit is selected");
    translator.OnTranslateMsg = [](TObject*, const String& old, String& value) { value = "[" + old + "]"; };
    EXPECT_EQ(translator.TranslateMsg("Selected fruit is"), "[Selected fruit is]");
}

TEST(MultiLanguage, AMissingLanguageFileTranslatesNothingWithoutAnError) {
    ScratchDir dir;
    ToolsPage page;
    auto* translator = new TmoxMultiLanguage(page.form.get());
    translator->SetFileName(dir.File("Klingon.lng"));
    EXPECT_NO_THROW(translator->Translate());
    EXPECT_TRUE(translator->Active());
    EXPECT_EQ(page.form->Caption(), "MOX Tools");
    EXPECT_EQ(page.fruitList->Items()->ToQStringList(), (QStringList{"Apple", "Strawberry", "Cherry"}));
}

TEST(MultiLanguage, ChangingTheFileNameReopensOnTheNewFileWhenActive) {
    ScratchDir dir;
    WriteFile(dir.File("a.lng"), "[Messages]\nHi=A\n");
    WriteFile(dir.File("b.lng"), "[Messages]\nHi=B\n");
    TmoxMultiLanguage translator(nullptr);
    translator.SetFileName(dir.File("a.lng"));
    EXPECT_EQ(translator.TranslateMsg("Hi"), "A");
    translator.SetFileName(dir.File("b.lng"));
    EXPECT_TRUE(translator.Active());
    EXPECT_EQ(translator.TranslateMsg("Hi"), "B");
    translator.SetFileName("");
    EXPECT_FALSE(translator.Active()) << "an empty name closes the source";
}

namespace {

// A translator over the program's settings file, kept in an INI file of the scratch folder.
struct SettingsFixture {
    SettingsFixture() {
        WriteFile(dir.File("demo.ini"), "[Translations]\nToolsForm.Caption=From settings\n"
                                        "[Messages]\nHi=Hallo\n");
        WriteFile(dir.File("Espanol.lng"), "[Translations]\nToolsForm.Caption=Herramientas\n");
        settings = new TmoxAppIniFile(page.form.get());
        settings->SetIniFileType(ftIniFile);
        settings->SetIniFileName(dir.File("demo.ini"));
        translator = new TmoxMultiLanguage(page.form.get());
        translator->SetAppIniFile(settings);
    }
    ScratchDir dir;
    ToolsPage page;
    TmoxAppIniFile* settings;
    TmoxMultiLanguage* translator;
};

} // namespace

TEST(MultiLanguage, ASettingsFileIsReadInAReadScopeAndAFileNameDetachesFromIt) {
    SettingsFixture f;
    EXPECT_EQ(f.translator->AppIniFile(), f.settings);
    EXPECT_EQ(f.settings->IniFile(), nullptr);
    f.translator->Translate();
    EXPECT_EQ(f.page.form->Caption(), "From settings");
    EXPECT_NE(f.settings->IniFile(), nullptr) << "the read scope stays open while the translator is active";

    f.translator->SetFileName(f.dir.File("Espanol.lng"));
    EXPECT_EQ(f.translator->AppIniFile(), nullptr);
    EXPECT_EQ(f.translator->FileName(), f.dir.File("Espanol.lng"));
    EXPECT_EQ(f.settings->IniFile(), nullptr) << "the read scope ended";
    EXPECT_TRUE(f.translator->Active());
    f.translator->Translate();
    EXPECT_EQ(f.page.form->Caption(), "Herramientas");

    f.translator->SetAppIniFile(f.settings);
    EXPECT_EQ(f.translator->FileName(), "");
    EXPECT_TRUE(f.translator->Active());
    EXPECT_EQ(f.translator->TranslateMsg("Hi"), "Hallo");
    f.translator->SetActive(false);
    EXPECT_EQ(f.settings->IniFile(), nullptr);
}

TEST(MultiLanguage, ASettingsFileThatClosesDeactivatesTheTranslator) {
    SettingsFixture f;
    EXPECT_EQ(f.translator->TranslateMsg("Hi"), "Hallo");
    f.settings->SetIniFileName(f.dir.File("other.ini")); // closes the store object
    EXPECT_FALSE(f.translator->Active());
    EXPECT_EQ(f.translator->AppIniFile(), f.settings);
    EXPECT_EQ(f.translator->TranslateMsg("Hi"), "Hi") << "reopened on the new, empty settings file";
    f.translator->SetActive(false);
    EXPECT_EQ(f.settings->IniFile(), nullptr) << "the new read scope ended too";
}

class SettingsFileGone : public ::testing::TestWithParam<bool> {};

TEST_P(SettingsFileGone, AFreedSettingsFileLeavesTheTranslatorInactiveAndDetached) {
    SettingsFixture f;
    EXPECT_EQ(f.translator->TranslateMsg("Hi"), "Hallo");
    if (GetParam())
        f.settings->Free();
    else
        delete f.settings;
    EXPECT_FALSE(f.translator->Active());
    EXPECT_EQ(f.translator->AppIniFile(), nullptr);
    EXPECT_EQ(f.translator->TranslateMsg("Hi"), "Hi");
}

INSTANTIATE_TEST_SUITE_P(FreeOrDelete, SettingsFileGone, ::testing::Bool());

TEST(MultiLanguage, ATranslatorFreedWhileActiveEndsItsReadScope) {
    SettingsFixture f;
    f.translator->TranslateMsg("Hi");
    EXPECT_NE(f.settings->IniFile(), nullptr);
    f.translator->Free();
    EXPECT_EQ(f.settings->IniFile(), nullptr);
    EXPECT_EQ(f.settings->LinkCount(), 0);
}

struct TranslatorLoadCase {
    const char* name;
    bool designing;
    bool translated;
};
void PrintTo(const TranslatorLoadCase& c, std::ostream* os) {
    *os << c.name;
}

class MultiLanguageLoading : public ::testing::TestWithParam<TranslatorLoadCase> {};

TEST_P(MultiLanguageLoading, AppliesTheStreamedActiveAndTranslatesTheOwnerAtRunTime) {
    ScratchDir dir;
    WriteFile(dir.File("de.lng"), "[Translations]\nToolsForm.MessageBtn.Caption=Gewählte Frucht\n");
    ToolsPage page;
    auto* translator = new TmoxMultiLanguage(page.form.get());
    if (GetParam().designing) translator->SetDesigning(true);
    translator->BeginLoading();
    translator->SetActive(true);
    translator->SetFileName(dir.File("de.lng"));
    EXPECT_FALSE(translator->Active()) << "only recorded while loading";
    translator->EndLoading();
    EXPECT_TRUE(translator->Active());
    EXPECT_EQ(page.messageBtn->Caption(),
              GetParam().translated ? QString::fromUtf8("Gewählte Frucht") : QString("Selected fruit"));
}

INSTANTIATE_TEST_SUITE_P(States, MultiLanguageLoading,
                         ::testing::Values(TranslatorLoadCase{"RunTime", false, true},
                                           TranslatorLoadCase{"DesignTime", true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MultiLanguage, ALoadingErrorPassesOnAtRunTimeAndIsShownAtDesignTime) {
    for (bool designing : {false, true}) {
        SCOPED_TRACE(designing ? "design time" : "run time");
        QStringList shown;
        SetApplicationExceptionDisplay([&](TObject*, std::exception_ptr e) { shown << ExceptionMessage(e); });
        TComponent form(nullptr);
        auto* settings = new TmoxAppIniFile(&form);
        settings->SetIniFileType(ftUserDefined); // supplies no store object
        auto* translator = new TmoxMultiLanguage(&form);
        if (designing) translator->SetDesigning(true);
        translator->BeginLoading();
        translator->SetActive(true);
        translator->SetAppIniFile(settings);
        if (designing) {
            EXPECT_NO_THROW(translator->EndLoading());
            EXPECT_EQ(shown, QStringList{"Cannot create ini-file"});
        } else {
            QString raised;
            try {
                translator->EndLoading();
            } catch (const Exception& e) {
                raised = e.Message();
            }
            EXPECT_EQ(raised, "Cannot create ini-file");
            EXPECT_TRUE(shown.isEmpty());
        }
        EXPECT_FALSE(translator->Active());
        SetApplicationExceptionDisplay({});
    }
}
