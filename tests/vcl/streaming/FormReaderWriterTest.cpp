// Reading form resources into components and writing them again.
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>
#include <memory>

#include "StreamingFixtures.h"
#include "TestSupport.h"

namespace {

std::unique_ptr<TFormTestRoot> ReadRoot(const QString& text) {
    TComponent* root = ObjectTextToComponent(text, nullptr, "test.dfm");
    auto* typed = dynamic_cast<TFormTestRoot*>(root);
    if (!typed) delete root;
    return std::unique_ptr<TFormTestRoot>(typed);
}

template <class T> T* Find(TComponent* root, const QString& name) {
    return dynamic_cast<T*>(root->FindComponent(name));
}

// Every kind of value the syntax has, written as the writer writes it.
const QString FullForm = R"(object Root1: TFormTestRoot
  Caption = 'Main window'
  OnCreate = ButtonClick
  object Edit1: TFormTestWidget
    Tag = 7
    Caption = 'It''s'#13#10'two lines, caf'#233
    Left = -12
    Enabled = False
    Align = taClient
    Anchors = [tkLeft, tkRight]
    Color = clRed
    Ratio = 2.5
    Scale = 0.1
    Big = 12345678901234
    Letter = 'x'
    Font.Name = 'Arial'
    Font.Size = 12
    Font.Color = clHighlight
    Lines.Strings = (
      'first'
      ''
      'third')
    Items = <
      item
        Caption = 'One'
      end
      item
      end
      item
        Caption = 'Three'
        Width = 80
      end>
    Buddy = Edit2
    Hint = 'help'
    OnClick = ButtonClick
    OnCloseQuery = FormCloseQuery
    Marks = (
      1
      -2
      3)
  end
  object Edit2: TFormTestWidget
    Anchors = []
    Color = 1193046
    Ratio = 1e+100
    Buddy = Edit1
    object Inner: TFormTestPanel
      Caption = ''''
      Buddy = Edit1
    end
  end
end
)";

class FormReaderWriter : public ::testing::Test {
protected:
    void SetUp() override { StreamLog().clear(); }
    void TearDown() override {
        EXPECT_EQ(LiveWidgets(), 0);
        EXPECT_EQ(LiveRoots(), 0);
    }
};

TEST_F(FormReaderWriter, ReadsEveryKindOfValue) {
    auto root = ReadRoot(FullForm);
    ASSERT_TRUE(root);
    EXPECT_EQ(root->Name(), "Root1");
    EXPECT_EQ(root->Caption(), "Main window");
    auto* edit1 = Find<TFormTestWidget>(root.get(), "Edit1");
    auto* edit2 = Find<TFormTestWidget>(root.get(), "Edit2");
    auto* inner = Find<TFormTestPanel>(root.get(), "Inner");
    ASSERT_TRUE(edit1 && edit2 && inner);
    EXPECT_EQ(edit1->Owner(), root.get());
    EXPECT_EQ(inner->Owner(), root.get());
    EXPECT_EQ(inner->GetParentComponent(), edit2);
    EXPECT_EQ(edit1->GetParentComponent(), root.get());

    EXPECT_EQ(edit1->Tag(), 7);
    EXPECT_EQ(edit1->Caption(), QString("It's\r\ntwo lines, caf") + QChar(233));
    EXPECT_EQ(edit1->Left(), -12);
    EXPECT_FALSE(edit1->Enabled());
    EXPECT_EQ(edit1->Align(), taClient);
    EXPECT_EQ(edit1->Anchors(), TTestAnchors(tkLeft) | tkRight);
    EXPECT_EQ(edit1->Color(), clRed);
    EXPECT_DOUBLE_EQ(edit1->Ratio(), 2.5);
    EXPECT_EQ(edit1->Scale(), 0.1f);
    EXPECT_EQ(edit1->Big(), 12345678901234LL);
    EXPECT_EQ(edit1->Letter(), QChar('x'));
    EXPECT_EQ(edit1->Font()->Name(), "Arial");
    EXPECT_EQ(edit1->Font()->Size(), 12);
    EXPECT_EQ(edit1->Font()->Color(), clHighlight);
    EXPECT_EQ(edit1->Lines()->ToQStringList(), QStringList({"first", "", "third"}));
    ASSERT_EQ(edit1->Items()->Count(), 3);
    EXPECT_EQ(static_cast<TFormTestItem*>(edit1->Items()->Items(0))->Caption(), "One");
    EXPECT_EQ(static_cast<TFormTestItem*>(edit1->Items()->Items(1))->Width(), 50);
    EXPECT_EQ(static_cast<TFormTestItem*>(edit1->Items()->Items(2))->Width(), 80);
    EXPECT_EQ(edit1->Hint(), "help");
    EXPECT_EQ(edit1->Marks, QList<int>({1, -2, 3}));
    EXPECT_TRUE(edit2->Anchors() == TTestAnchors());
    EXPECT_EQ(int(edit2->Color()), 0x123456);
    EXPECT_DOUBLE_EQ(edit2->Ratio(), 1e100);
    EXPECT_EQ(inner->Caption(), "'");

    // References point forward (Edit1 to Edit2, read later) and backward.
    EXPECT_EQ(edit1->Buddy(), edit2);
    EXPECT_EQ(edit2->Buddy(), edit1);
    EXPECT_EQ(inner->Buddy(), edit1);
}

TEST_F(FormReaderWriter, WritesTheTextItRead) {
    auto root = ReadRoot(FullForm);
    ASSERT_TRUE(root);
    EXPECT_EQ(ComponentToObjectText(root.get()), FullForm);
}

TEST_F(FormReaderWriter, LoadsInsideTheLoadingStateAndCallsLoadedOnceReferencesAreSet) {
    auto root = ReadRoot(FullForm);
    ASSERT_TRUE(root);
    auto* edit1 = Find<TFormTestWidget>(root.get(), "Edit1");
    EXPECT_TRUE(edit1->StateAtCaption.testFlag(csLoading));
    EXPECT_TRUE(edit1->StateAtCaption.testFlag(csReading));
    EXPECT_FALSE(edit1->ComponentState().testFlag(csLoading));
    EXPECT_FALSE(edit1->ComponentState().testFlag(csReading));
    EXPECT_FALSE(root->ComponentState().testFlag(csLoading));
    // The forward reference is already in place when Edit1 hears that loading ended.
    EXPECT_EQ(edit1->BuddyAtLoaded, Find<TFormTestWidget>(root.get(), "Edit2"));
    EXPECT_EQ(StreamLog(), QStringList({"Loaded Root1", "Loaded Edit1", "Loaded Edit2", "Loaded Inner"}));
}

TEST_F(FormReaderWriter, BindsEventsToTheRootsMethods) {
    auto root = ReadRoot(FullForm);
    ASSERT_TRUE(root);
    auto* edit1 = Find<TFormTestWidget>(root.get(), "Edit1");
    ASSERT_TRUE(edit1->OnClick);
    edit1->OnClick(edit1);
    EXPECT_EQ(root->Clicks, 1);
    EXPECT_EQ(root->LastSender, edit1);
    root->OnCreate(root.get());
    EXPECT_EQ(root->Clicks, 2);
    // A var parameter reaches the caller's variable.
    bool canClose = true;
    edit1->OnCloseQuery(edit1, canClose);
    EXPECT_FALSE(canClose);

    // A handler set in code has no method name and is left out; one bound by name is written.
    edit1->OnClick = [](TObject*) {};
    const QString text = ComponentToObjectText(root.get());
    EXPECT_FALSE(text.contains("OnClick"));
    EXPECT_TRUE(text.contains("    OnCloseQuery = FormCloseQuery\n"));
}

TEST_F(FormReaderWriter, LeavesDefaultsAndUnstoredPropertiesOut) {
    struct Case {
        const char* what;
        std::function<void(TFormTestWidget*)> change;
        QString line; // empty: nothing is written
    };
    const Case cases[] = {
        {"untouched", [](TFormTestWidget*) {}, ""},
        {"tag at its default", [](TFormTestWidget* w) { w->SetTag(0); }, ""},
        {"tag", [](TFormTestWidget* w) { w->SetTag(5); }, "Tag = 5"},
        {"colour at its named default", [](TFormTestWidget* w) { w->SetColor(clBtnFace); }, ""},
        {"colour by name", [](TFormTestWidget* w) { w->SetColor(clWindow); }, "Color = clWindow"},
        {"colour without a name", [](TFormTestWidget* w) { w->SetColor(TColor(0x010203)); }, "Color = 66051"},
        {"Boolean at its default", [](TFormTestWidget* w) { w->SetEnabled(true); }, ""},
        {"float at its default", [](TFormTestWidget* w) { w->SetScale(1); }, ""},
        {"float", [](TFormTestWidget* w) { w->SetScale(2); }, "Scale = 2.0"},
        {"set at its default", [](TFormTestWidget* w) { w->SetAnchors(TTestAnchors(tkTop) | tkLeft); }, ""},
        {"character at its default", [](TFormTestWidget* w) { w->SetLetter(' '); }, ""},
        {"control character", [](TFormTestWidget* w) { w->SetLetter(QChar(9)); }, "Letter = #9"},
        {"never stored", [](TFormTestWidget* w) { w->SetSecret("x"); }, ""},
        {"stored condition false", [](TFormTestWidget* w) { w->SetHint("auto"); }, ""},
        {"stored condition true", [](TFormTestWidget* w) { w->SetHint("ok"); }, "Hint = 'ok'"},
        {"nested object's default", [](TFormTestWidget* w) { w->Font()->SetSize(8); }, ""},
        {"nested object", [](TFormTestWidget* w) { w->Font()->SetName("Serif"); }, "Font.Name = 'Serif'"},
        {"empty list", [](TFormTestWidget* w) { w->Lines()->Clear(); }, ""},
        {"empty collection", [](TFormTestWidget* w) { w->Items()->Clear(); }, ""},
        {"empty picture", [](TFormTestWidget* w) { w->Glyph()->SetSize(0, 0); }, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TFormTestRoot root(nullptr);
        root.SetName("Root1");
        auto* widget = new TFormTestWidget(&root);
        widget->SetName("W");
        c.change(widget);
        const QString body = c.line.isEmpty() ? QString() : "    " + c.line + "\n";
        EXPECT_EQ(ComponentToObjectText(&root), "object Root1: TFormTestRoot\n  object W: TFormTestWidget\n" + body +
                                                    "  end\nend\n");
    }
}

TEST_F(FormReaderWriter, WritesEachValueAsItWasRead) {
    const QString lines[] = {
        "Caption = #1'a'#127'b'#8364",
        "Left = -2147483648",
        "Big = -9223372036854775808",
        "Ratio = 0.30000000000000004",
        "Ratio = -1.5e-300",
        "Scale = 3.4028235e+38",
        "Letter = ''''",
        "Value = 5",
        "Value = 'text'",
        "Value = True",
        "Value = 2.25",
        "Value = Null",
        "Anchors = [tkLeft, tkTop, tkRight, tkBottom]",
        "Color = clNone",
        "Font.Color = clBtnFace",
        "Lines.Strings = (\n      'only')",
        "Items = <\n      item\n        Width = 0\n      end>",
        "Hidden = <\n      item\n        Caption = 'kept'\n      end\n      item\n      end>",
    };
    for (const QString& line : lines) {
        SCOPED_TRACE(line.toStdString());
        const QString text = "object Root1: TFormTestRoot\n  object W: TFormTestWidget\n    " + line +
                             "\n  end\nend\n";
        auto root = ReadRoot(text);
        ASSERT_TRUE(root);
        EXPECT_EQ(ComponentToObjectText(root.get()), text);
    }
    // An empty list of marks reads as no marks, which are then not written.
    auto root = ReadRoot("object Root1: TFormTestRoot\n  object W: TFormTestWidget\n    Marks = ()\n  end\nend\n");
    ASSERT_TRUE(root);
    EXPECT_EQ(ComponentToObjectText(root.get()), "object Root1: TFormTestRoot\n  object W: TFormTestWidget\n  end\nend\n");
}

TEST_F(FormReaderWriter, ReadsEveryWayOfWritingAValue) {
    auto root = ReadRoot(R"(object Root1: TFormTestRoot
  Caption = 'Main '#39'window'#39 +
    ' goes' + #$41 +
    'on'
  object W: TFormTestWidget
    Left = $FF
    Big = -$10
    Ratio = 15E-1
    Scale = 3
    Letter = 65
    Color = clbtnface
    Align = TACLIENT
    Enabled = true
  end
end)");
    ASSERT_TRUE(root);
    EXPECT_EQ(root->Caption(), "Main 'window' goesAon");
    auto* w = Find<TFormTestWidget>(root.get(), "W");
    EXPECT_EQ(w->Left(), 255);
    EXPECT_EQ(w->Big(), -16);
    EXPECT_DOUBLE_EQ(w->Ratio(), 1.5);
    EXPECT_EQ(w->Scale(), 3.0f);
    EXPECT_EQ(w->Letter(), QChar('A'));
    EXPECT_EQ(w->Color(), clBtnFace);
    EXPECT_EQ(w->Align(), taClient);
    EXPECT_TRUE(w->Enabled());
}

TEST_F(FormReaderWriter, ResolvesReferencesIntoOtherModules) {
    TFormTestRoot other(nullptr);
    other.SetName("OtherModule");
    auto* shared = new TFormTestWidget(&other);
    shared->SetName("Shared");
    const int finder = RegisterFindGlobalComponentProc([&](const String& name) -> TComponent* {
        return name.compare("OtherModule", Qt::CaseInsensitive) == 0 ? &other : nullptr;
    });
    const QString text = "object Root1: TFormTestRoot\n  object W: TFormTestWidget\n    Buddy = OtherModule.Shared\n"
                         "  end\nend\n";
    {
        auto root = ReadRoot(text);
        ASSERT_TRUE(root);
        EXPECT_EQ(Find<TFormTestWidget>(root.get(), "W")->Buddy(), shared);
        EXPECT_EQ(ComponentToObjectText(root.get()), text);
    }
    UnregisterFindGlobalComponentProc(finder);
}

TEST_F(FormReaderWriter, KeepsBinaryPictureData) {
    TFormTestRoot root(nullptr);
    root.SetName("Root1");
    auto* widget = new TFormTestWidget(&root);
    widget->SetName("W");
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    image.setPixel(2, 1, qRgb(0, 0, 255));
    widget->Glyph()->SetImage(image);

    const QString text = ComponentToObjectText(&root);
    ASSERT_TRUE(text.contains("    Glyph.Data = {\n      ")) << text.toStdString();
    auto copy = ReadRoot(text);
    ASSERT_TRUE(copy);
    const QImage read = Find<TFormTestWidget>(copy.get(), "W")->Glyph()->Image();
    ASSERT_EQ(read.size(), QSize(3, 2));
    EXPECT_EQ(QColor(read.pixel(0, 0)), QColor(Qt::red));
    EXPECT_EQ(QColor(read.pixel(2, 1)), QColor(Qt::blue));
    EXPECT_EQ(ComponentToObjectText(copy.get()), text);
}

TEST_F(FormReaderWriter, ReadsInlineFramesAsTheRootOfWhatTheyHold) {
    const QString text = R"(object Root1: TFormTestRoot
  inline Frame1: TFormTestPanel
    object Edit1: TFormTestWidget
      Buddy = Frame1
    end
  end
  object Edit1: TFormTestWidget
    Buddy = Frame1.Edit1
  end
end
)";
    auto root = ReadRoot(text);
    ASSERT_TRUE(root);
    auto* frame = Find<TFormTestPanel>(root.get(), "Frame1");
    ASSERT_TRUE(frame);
    EXPECT_TRUE(frame->ComponentState().testFlag(csInline));
    auto* inner = Find<TFormTestWidget>(frame, "Edit1");
    ASSERT_TRUE(inner);
    EXPECT_EQ(inner->GetParentComponent(), frame);
    EXPECT_EQ(inner->Buddy(), frame);
    EXPECT_EQ(Find<TFormTestWidget>(root.get(), "Edit1")->Buddy(), inner);
    EXPECT_EQ(ComponentToObjectText(root.get()), text);
}

TEST_F(FormReaderWriter, ReadsAnInheritedResourceOverItsAncestors) {
    TFormTestDerived form(nullptr);
    EXPECT_EQ(form.Name(), "TestDerivedForm");
    EXPECT_EQ(form.Caption(), "Derived");
    auto* panel = Find<TFormTestPanel>(&form, "Panel1");
    auto* button1 = Find<TFormTestWidget>(&form, "Button1");
    auto* button2 = Find<TFormTestWidget>(&form, "Button2");
    ASSERT_TRUE(panel && button1 && button2);
    EXPECT_EQ(form.ComponentCount(), 3);
    EXPECT_EQ(panel->Left(), 16);
    EXPECT_EQ(panel->Caption(), "Panel");
    EXPECT_EQ(button1->Caption(), "OK");
    EXPECT_EQ(button2->GetParentComponent(), panel);
    EXPECT_EQ(button2->Buddy(), button1);
    ASSERT_TRUE(button1->OnClick);
    button1->OnClick(button1);
    EXPECT_EQ(form.Clicks, 1);
    // Each constructor read its own class's resource once: the base's Loaded ran before the derived
    // resource was read, then once more for everything the derived resource touched.
    EXPECT_EQ(StreamLog(), QStringList({"Loaded TestBaseForm", "Loaded Panel1", "Loaded Button1",
                                        "Loaded TestDerivedForm", "Loaded Panel1", "Loaded Button1",
                                        "Loaded Button2"}));
    // Calling it again finds nothing new to read.
    EXPECT_TRUE(InitInheritedComponent(&form, &TFormTestRoot::staticMetaObject));
    EXPECT_EQ(form.ComponentCount(), 3);
}

TEST_F(FormReaderWriter, WritesAgainstTheAncestorOnlyWhatDiffers) {
    TFormTestBase ancestor(nullptr);
    TFormTestDerived form(nullptr);
    QFile resource(FindFormResource("TFormTestDerived"));
    ASSERT_TRUE(resource.open(QIODevice::ReadOnly));
    EXPECT_EQ(ComponentToObjectText(&form, &ancestor), QString::fromUtf8(resource.readAll()));

    // A base form written against an instance of itself holds nothing but its components.
    TFormTestBase same(nullptr);
    EXPECT_EQ(ComponentToObjectText(&same, &ancestor),
              "inherited TestBaseForm: TFormTestBase\n  inherited Panel1: TFormTestPanel\n"
              "    inherited Button1: TFormTestWidget\n    end\n  end\nend\n");
}

TEST_F(FormReaderWriter, FindsFormResourcesWithoutRegardToCase) {
    EXPECT_TRUE(FindFormResource("tformtestbase").endsWith("TFormTestBase.dfm"));
    EXPECT_FALSE(FindFormResource("TFormTestDerived").isEmpty());
    EXPECT_TRUE(FindFormResource("TNoSuchForm").isEmpty());
    TFormTestRoot root(nullptr);
    EXPECT_FALSE(ReadComponentRes("TNoSuchForm", &root));
    EXPECT_FALSE(InitInheritedComponent(&root, &TComponent::staticMetaObject));
}

TEST_F(FormReaderWriter, ReadsAndWritesFiles) {
    mox::test::ScratchDir dir;
    TFormTestRoot root(nullptr);
    root.SetName("Root1");
    root.SetCaption("Saved");
    WriteComponentResFile(dir.File("root.dfm"), &root);
    {
        std::unique_ptr<TComponent> copy(ReadComponentResFile(dir.File("root.dfm"), nullptr));
        ASSERT_TRUE(dynamic_cast<TFormTestRoot*>(copy.get()));
        EXPECT_EQ(static_cast<TFormTestRoot*>(copy.get())->Caption(), "Saved");
    }
    EXPECT_THROW(ReadComponentResFile(dir.File("missing.dfm"), nullptr), EFOpenError);
    EXPECT_THROW(WriteComponentResFile(dir.File("no/such/folder.dfm"), &root), EFCreateError);
}

TEST_F(FormReaderWriter, NamesASecondRootUniquely) {
    TFormTestRoot owner(nullptr);
    const QString text = "object Main: TFormTestRoot\nend\n";
    TComponent* first = ObjectTextToComponent(text, &owner);
    TComponent* second = ObjectTextToComponent(text, &owner);
    EXPECT_EQ(first->Name(), "Main");
    EXPECT_EQ(second->Name(), "Main_1");
}

struct BadForm {
    const char* what;
    QString body;    // what stands between the root's line and its end
    QString message; // the whole message
};

TEST_F(FormReaderWriter, FailsWithTheResourceLineAndPropertyAndLeavesNothingBehind) {
    const QString deep = QString("    Marks = ") + QString(500, '(') + "1" + QString(500, ')') + "\n";
    const BadForm cases[] = {
        {"unknown class", "  object X: TNoSuchClass\n  end\n", "line 2: Class TNoSuchClass not found"},
        {"class that is no component", "  object X: TFormTestFont\n  end\n",
         "line 2: Class TFormTestFont is not a component class"},
        {"unknown property", "  object E: TFormTestWidget\n    Colour = clRed\n  end\n",
         "line 3, property E.Colour: Property Colour does not exist"},
        {"unknown nested property", "  object E: TFormTestWidget\n    Font.Weight = 3\n  end\n",
         "line 3, property E.Font.Weight: Property Weight does not exist"},
        {"path through a property that is no object", "  object E: TFormTestWidget\n    Left.X = 3\n  end\n",
         "line 3, property E.Left.X: Property Left does not exist"},
        {"string for an integer", "  object E: TFormTestWidget\n    Left = 'ten'\n  end\n",
         "line 3, property E.Left: Invalid property value"},
        {"integer out of range", "  object E: TFormTestWidget\n    Left = 9999999999\n  end\n",
         "line 3, property E.Left: Range check error"},
        {"unknown enumeration value", "  object E: TFormTestWidget\n    Align = taMiddle\n  end\n",
         "line 3, property E.Align: Invalid property element: taMiddle"},
        {"unknown set member", "  object E: TFormTestWidget\n    Anchors = [tkLeft, tkUp]\n  end\n",
         "line 3, property E.Anchors: Invalid property element: tkUp"},
        {"unknown colour", "  object E: TFormTestWidget\n    Color = clNoSuch\n  end\n",
         "line 3, property E.Color: Invalid property value"},
        {"string of two characters", "  object E: TFormTestWidget\n    Letter = 'ab'\n  end\n",
         "line 3, property E.Letter: Invalid property value"},
        {"unknown handler", "  object E: TFormTestWidget\n    OnClick = NoSuchHandler\n  end\n",
         "line 3, property E.OnClick: Method 'NoSuchHandler' not found or its parameters do not fit the event"},
        {"handler of another signature", "  object E: TFormTestWidget\n    OnClick = TakesInteger\n  end\n",
         "line 3, property E.OnClick: Method 'TakesInteger' not found or its parameters do not fit the event"},
        {"unresolved reference", "  object E: TFormTestWidget\n\n    Buddy = Ghost\n  end\n",
         "line 4, property E.Buddy: Component 'Ghost' not found"},
        {"reference of the wrong class", "  object E: TFormTestWidget\n    Buddy = Root1\n  end\n",
         "line 3, property E.Buddy: Invalid property value"},
        {"duplicate name", "  object E: TFormTestWidget\n  end\n  object E: TFormTestWidget\n  end\n",
         "line 4: A component named E already exists"},
        {"inherited without an ancestor", "  inherited E: TFormTestWidget\n  end\n", "line 2: Ancestor for 'E' not found"},
        {"wrong content of a defined property", "  object E: TFormTestWidget\n    Marks = ('a')\n  end\n",
         "line 3, property E.Marks: Invalid property value"},
        {"defined property that is no list", "  object E: TFormTestWidget\n    Marks = 5\n  end\n",
         "line 3, property E.Marks: Invalid property value"},
        {"collection item property", "  object E: TFormTestWidget\n    Items = <\n      item\n        Size = 1\n"
                                     "      end>\n  end\n",
         "line 5, property E.Items[0].Size: Property Size does not exist"},
        {"picture data shorter than it says", "  object E: TFormTestWidget\n    Glyph.Data = {0A000000}\n  end\n",
         "line 3, property E.Glyph.Data: Stream read error"},
        {"missing equals sign", "  object E: TFormTestWidget\n    Left 5\n  end\n", "line 3: '=' expected but '5' found"},
        {"unterminated string", "  object E: TFormTestWidget\n    Caption = 'abc\n  end\n", "line 3: Unterminated string"},
        {"character code beyond UTF-16", "  object E: TFormTestWidget\n    Caption = #70000\n  end\n",
         "line 3: Invalid character code #70000"},
        {"odd count of hexadecimal digits", "  object E: TFormTestWidget\n    Glyph.Data = {ABC}\n  end\n",
         "line 3: Invalid binary data"},
        {"unclosed binary data", "  object E: TFormTestWidget\n    Glyph.Data = {AB\n", "line 4: Invalid binary data"},
        {"number running into a name", "  object E: TFormTestWidget\n    Left = 12px\n  end\n", "line 3: Invalid number 12px"},
        {"nesting deeper than any form", "  object E: TFormTestWidget\n" + deep + "  end\n",
         "line 3: Values nested too deeply"},
        {"missing end", "  object E: TFormTestWidget\n", "line 4: 'end' expected but end of text found"},
    };
    for (const BadForm& c : cases) {
        SCOPED_TRACE(c.what);
        const QString text = "object Root1: TFormTestRoot\n" + c.body + "end\n";
        try {
            TComponent* root = ObjectTextToComponent(text, nullptr, "test.dfm");
            delete root;
            ADD_FAILURE() << "read without an error";
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), "Error reading test.dfm, " + c.message);
        }
        EXPECT_EQ(LiveWidgets(), 0);
        EXPECT_EQ(LiveRoots(), 0);

        // Read into a root that exists, the root stays, without anything the read made.
        TFormTestRoot existing(nullptr);
        EXPECT_THROW(ReadComponentFromText(&existing, text, "test.dfm"), EReadError);
        EXPECT_EQ(existing.ComponentCount(), 0);
        EXPECT_FALSE(existing.ComponentState().testFlag(csLoading));
        EXPECT_FALSE(existing.ComponentState().testFlag(csReading));
        EXPECT_EQ(LiveWidgets(), 0);
    }
}

TEST_F(FormReaderWriter, FailsOnTextThatIsNoForm) {
    const struct {
        QString text;
        QString message;
    } cases[] = {
        {"", "Error reading test.dfm, line 1: 'object' expected but end of text found"},
        {"object Root1: TFormTestRoot\nend\nobject", "Error reading test.dfm, line 3: Text after the end of the object"},
        {"object Root1: TNoSuchRoot\nend\n", "Error reading test.dfm, line 1: Class TNoSuchRoot not found"},
        {"object Root1 TFormTestRoot\nend\n", "Error reading test.dfm, line 2: '=' expected but 'end' found"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        try {
            delete ObjectTextToComponent(c.text, nullptr, "test.dfm");
            ADD_FAILURE() << "read without an error";
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
}

} // namespace
