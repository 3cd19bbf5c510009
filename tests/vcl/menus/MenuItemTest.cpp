#include <gtest/gtest.h>

#include <QMenuBar>
#include <QPointer>

#include "MenuTestSupport.h"
#include "TestSupport.h"
#include "vcl/Forms.h"

using mox::test::AddItem;
using mox::test::ClickItem;

namespace {
class MenuItemTest : public ::testing::Test {
protected:
    TComponent form{nullptr};
    TPopupMenu* popup = new TPopupMenu(&form);
    QStringList clicks;

    TMenuItem* Item(const QString& caption, TMenuItem* parent = nullptr) {
        TMenuItem* item = AddItem(parent ? parent : popup->Items(), caption, &form);
        item->OnClick = [this, caption](TObject*) { clicks << caption; };
        return item;
    }
};
} // namespace

TEST_F(MenuItemTest, ClickingAnItemRunsOnClickAndADisabledOneDoesNothing) {
    TMenuItem* open = Item("&Open");
    TMenuItem* line = Item("-");
    TMenuItem* save = Item("&Save");
    save->SetEnabled(false);
    popup->Popup(30, 30);

    ClickItem(open);
    ClickItem(save);
    EXPECT_EQ(clicks, QStringList{"&Open"});
    EXPECT_TRUE(line->IsLine());
    EXPECT_TRUE(line->Handle()->isSeparator());
    EXPECT_EQ(popup->Menu()->actions(), (QList<QAction*>{open->Handle(), line->Handle(), save->Handle()}));
}

TEST_F(MenuItemTest, TheItemsStateDecidesTheCheckMarkAndAutoCheckTogglesIt) {
    TMenuItem* fixed = Item("Fixed");
    fixed->SetChecked(true);
    TMenuItem* toggle = Item("Toggle");
    toggle->SetAutoCheck(true);

    ClickItem(fixed);
    EXPECT_TRUE(fixed->Checked());
    EXPECT_TRUE(fixed->Handle()->isChecked()); // Qt's own toggling is undone
    ClickItem(toggle);
    EXPECT_TRUE(toggle->Checked());
    ClickItem(toggle);
    EXPECT_FALSE(toggle->Checked());
    EXPECT_FALSE(toggle->Handle()->isChecked());
    EXPECT_EQ(clicks, (QStringList{"Fixed", "Toggle", "Toggle"}));
}

TEST_F(MenuItemTest, CheckingARadioItemUnchecksItsGroupOnly) {
    TMenuItem* a = Item("A");
    TMenuItem* b = Item("B");
    TMenuItem* plain = Item("Plain");
    TMenuItem* other = Item("Other");
    for (TMenuItem* item : {a, b, other}) item->SetRadioItem(true);
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    other->SetGroupIndex(2);
    plain->SetGroupIndex(1);
    for (TMenuItem* item : {a, plain, other}) item->SetChecked(true);

    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(plain->Checked()); // not a radio item
    EXPECT_TRUE(other->Checked()); // another group
}

TEST_F(MenuItemTest, BadInsertionsAreRefusedAndLeaveTheMenuAsItWas) {
    TMenuItem* file = Item("File");
    TMenuItem* open = Item("Open", file);
    TMenuItem* loose = new TMenuItem(&form);
    struct Case {
        const char* name;
        TMenuItem* parent;
        int index;
        TMenuItem* item;
        const char* message;
    };
    const Case cases[] = {
        {"twice", popup->Items(), 0, open, "Menu inserted twice"},
        {"into itself", loose, 0, loose, "A menu item cannot be inserted into itself"},
        {"into its own item", open, 0, file, "Menu inserted twice"},
        {"below the first", file, -1, loose, "Menu index out of range"},
        {"past the end", file, 2, loose, "Menu index out of range"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            c.parent->Insert(c.index, c.item);
            ADD_FAILURE() << "no error";
        } catch (const EMenuError& e) {
            EXPECT_EQ(e.Message(), QString::fromLatin1(c.message));
        }
    }
    // A loop through detached items: an item may not go below its own item.
    file->Remove(open);
    open->Add(loose);
    EXPECT_THROW(loose->Add(open), EMenuError);
    EXPECT_EQ(popup->Items()->Count(), 1);
    EXPECT_EQ(file->Count(), 0);
    EXPECT_EQ(loose->Parent(), open);
    EXPECT_THROW(file->Items(0), EMenuError);
    EXPECT_THROW(file->Remove(loose), EMenuError);
}

TEST_F(MenuItemTest, AParentFreesItsItemsAndAFreedItemLeavesItsParent) {
    TMenuItem* file = Item("File");
    QPointer<TMenuItem> open = Item("Open", file);
    QPointer<TMenuItem> recent = Item("Recent", file);
    QPointer<TMenuItem> first = Item("First", recent);
    QPointer<QMenu> fileMenu = file->SubMenu();
    ASSERT_TRUE(fileMenu);
    EXPECT_EQ(file->Handle()->menu(), fileMenu.data());

    delete recent.data();
    EXPECT_FALSE(first);
    EXPECT_EQ(file->Count(), 1);
    EXPECT_EQ(fileMenu->actions(), QList<QAction*>{open->Handle()});
    EXPECT_EQ(form.ComponentCount(), 3); // the popup, File and Open

    TMenuItem* kept = open;
    file->Delete(0);
    EXPECT_EQ(kept->Parent(), nullptr);
    EXPECT_TRUE(open);
    EXPECT_EQ(file->Handle()->menu(), nullptr); // a command again
    delete kept;

    QPointer<TMenuItem> inner = Item("Inner", file);
    delete file;
    EXPECT_FALSE(inner);
    EXPECT_EQ(popup->Items()->Count(), 0);
    EXPECT_EQ(form.ComponentCount(), 1);
}

TEST_F(MenuItemTest, FindReadsCaptionsAsTheUserDoes) {
    Item("&Open");
    TMenuItem* amp = Item("Save && &Close");
    EXPECT_EQ(popup->Items()->Find("open"), popup->Items()->Items(0));
    EXPECT_EQ(popup->Items()->Find("&Open"), popup->Items()->Items(0));
    EXPECT_EQ(popup->Items()->Find("Save && &Close"), amp);
    EXPECT_EQ(popup->Items()->Find("Save & Close"), amp);
    EXPECT_EQ(popup->Items()->Find("Save"), nullptr);
}

TEST_F(MenuItemTest, MovingAnItemMovesItInTheShownMenu) {
    TMenuItem* a = Item("A");
    TMenuItem* b = Item("B");
    TMenuItem* c = Item("C");
    c->SetMenuIndex(0);
    EXPECT_EQ(popup->Menu()->actions(), (QList<QAction*>{c->Handle(), a->Handle(), b->Handle()}));
    c->SetMenuIndex(99);
    EXPECT_EQ(c->MenuIndex(), 2);
    EXPECT_EQ(popup->Menu()->actions().last(), c->Handle());
}

TEST_F(MenuItemTest, OpeningASubmenuClicksItsItemSoThatItCanFillIt) {
    TMenuItem* recent = Item("Recent");
    Item("placeholder", recent);
    recent->OnClick = [&](TObject*) {
        recent->Clear();
        AddItem(recent, "one.txt", &form);
        AddItem(recent, "two.txt", &form);
    };
    recent->SubMenu()->popup(QPoint(40, 40));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(recent->SubMenu()));
    ASSERT_EQ(recent->Count(), 2);
    EXPECT_EQ(recent->Items(1)->Caption(), "two.txt");
    EXPECT_EQ(recent->SubMenu()->actions().size(), 2);
}

TEST_F(MenuItemTest, TheItemUnderTheKeyboardGivesTheApplicationItsLongHint) {
    TMenuItem* open = Item("Open");
    open->SetHint("Open|Open a file");
    Item("Close")->SetHint("Close the file");
    QStringList hints;
    Application->OnHint = [&](TObject*) { hints << Application->Hint(); };
    popup->Popup(30, 30);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(popup->Menu()));

    QTest::keyClick(popup->Menu(), Qt::Key_Down);
    QTest::keyClick(popup->Menu(), Qt::Key_Down);
    QTest::keyClick(popup->Menu(), Qt::Key_Escape);
    Application->OnHint = nullptr;
    EXPECT_EQ(hints, (QStringList{"Open a file", "Close the file", ""}));
}

TEST_F(MenuItemTest, AnExceptionInOnClickIsShownAndTheMenuGoesOn) {
    QStringList shown;
    TScopedModalAnswerer answer([&](const TModalQuestion& q) {
        shown << q.Text;
        return mrOk;
    });
    TMenuItem* bad = Item("Bad");
    bad->OnClick = [](TObject*) { throw EConvertError("'x' is not a valid integer value"); };
    TMenuItem* good = Item("Good");
    popup->Popup(30, 30);
    ClickItem(bad);
    ClickItem(good);
    EXPECT_EQ(shown, QStringList{"'x' is not a valid integer value."});
    EXPECT_EQ(clicks, QStringList{"Good"});
}

TEST(MainMenu, ItsItemsAreTheBarsAndItsShortCutsClickEnabledItems) {
    TComponent form(nullptr);
    auto* menu = new TMainMenu(&form);
    TMenuItem* file = AddItem(menu->Items(), "&File", &form);
    TMenuItem* open = AddItem(file, "&Open...", &form);
    TMenuItem* help = AddItem(menu->Items(), "&Help", &form);
    int opened = 0;
    open->OnClick = [&](TObject*) { ++opened; };
    open->SetShortCut(TextToShortCut("Ctrl+O"));

    EXPECT_EQ(menu->MenuBar()->actions(), (QList<QAction*>{file->Handle(), help->Handle()}));
    EXPECT_EQ(file->Handle()->menu(), file->SubMenu());
    EXPECT_EQ(open->Handle()->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(menu->FindItem(TextToShortCut("Ctrl+O")), open);

    EXPECT_TRUE(menu->IsShortCut('O', ssCtrl));
    EXPECT_FALSE(menu->IsShortCut('O', ssAlt));
    EXPECT_FALSE(menu->IsShortCut(scNone));
    file->SetEnabled(false);
    EXPECT_FALSE(menu->IsShortCut('O', ssCtrl)); // under a disabled item
    file->SetEnabled(true);
    open->SetEnabled(false);
    EXPECT_FALSE(menu->IsShortCut('O', ssCtrl));
    EXPECT_EQ(opened, 1);

    QPointer<QMenuBar> bar = menu->MenuBar();
    delete menu;
    EXPECT_FALSE(bar);
    EXPECT_EQ(form.ComponentCount(), 0);
}

TEST(MainMenu, ReadingItemsNestsThemUnderTheirParentComponent) {
    TComponent form(nullptr);
    auto* menu = new TMainMenu(&form);
    auto* file = new TMenuItem(&form);
    auto* exit = new TMenuItem(&form);
    file->SetParentComponent(menu);
    exit->SetParentComponent(file);
    EXPECT_EQ(file->GetParentComponent(), menu);
    EXPECT_EQ(exit->GetParentComponent(), file);
    EXPECT_EQ(exit->GetParentMenu(), menu);
    QList<TComponent*> children;
    menu->GetChildren([&](TComponent* c) { children << c; }, &form);
    EXPECT_EQ(children, QList<TComponent*>{file});
}
