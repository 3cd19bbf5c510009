#include <gtest/gtest.h>

#include <QPointer>
#include <QTest>

#include "../menus/MenuTestSupport.h"
#include "../forms/EventLoopSupport.h"
#include "TestSupport.h"
#include "vcl/ActnList.h"
#include "vcl/Forms.h"

using mox::test::AddItem;
using mox::test::ClickItem;

namespace {
// A form's worth of actions: a list, an action and a popup menu to show them.
class ActionTest : public ::testing::Test {
protected:
    TComponent form{nullptr};
    TActionList* list = new TActionList(&form);
    TAction* open = MakeAction("&Open", "Open|Open a file");
    TPopupMenu* popup = new TPopupMenu(&form);
    QStringList log;

    TAction* MakeAction(const QString& caption, const QString& hint = {}) {
        auto* action = new TAction(&form);
        action->SetCaption(caption);
        action->SetHint(hint);
        action->SetActionList(list);
        action->OnExecute = [this](TObject* sender) {
            log << "execute " + static_cast<TAction*>(sender)->Caption();
        };
        return action;
    }
    TMenuItem* LinkedItem(TAction* action) {
        TMenuItem* item = AddItem(popup->Items(), QString(), &form);
        item->SetAction(action);
        return item;
    }
};
} // namespace

TEST_F(ActionTest, ALinkedItemShowsTheActionAndFollowsItsChanges) {
    open->SetShortCut(TextToShortCut("Ctrl+O"));
    open->SetChecked(true);
    TMenuItem* item = LinkedItem(open);
    EXPECT_EQ(item->Caption(), "&Open");
    EXPECT_EQ(item->Hint(), "Open|Open a file");
    EXPECT_EQ(item->ShortCut(), TextToShortCut("Ctrl+O"));
    EXPECT_TRUE(item->Checked());

    open->SetCaption("&Open...");
    open->SetEnabled(false);
    open->SetVisible(false);
    EXPECT_EQ(item->Caption(), "&Open...");
    EXPECT_EQ(item->Handle()->text(), "&Open...");
    EXPECT_FALSE(item->Enabled());
    EXPECT_FALSE(item->Handle()->isVisible());
}

TEST_F(ActionTest, AClientThatChangedAPropertyByHandKeepsIt) {
    TMenuItem* item = LinkedItem(open);
    TMenuItem* other = LinkedItem(open);
    item->SetCaption("Open &file");
    open->SetCaption("&Open...");
    open->SetHint("Opens");
    EXPECT_EQ(item->Caption(), "Open &file");
    EXPECT_EQ(item->Hint(), "Opens");
    EXPECT_EQ(other->Caption(), "&Open...");
}

TEST_F(ActionTest, ClickingALinkedItemExecutesTheActionOnItsBehalf) {
    TMenuItem* item = LinkedItem(open);
    TComponent* during = nullptr;
    open->OnExecute = [&](TObject*) { during = open->ActionComponent(); };
    popup->Popup(30, 30);
    ClickItem(item);
    EXPECT_EQ(during, item);
    EXPECT_EQ(open->ActionComponent(), nullptr);

    // A handler of the item's own, given after linking, runs instead.
    item->OnClick = [&](TObject*) { log << "own"; };
    popup->Popup(30, 30);
    ClickItem(item);
    EXPECT_EQ(log, QStringList{"own"});
}

TEST_F(ActionTest, ADisabledActionDoesNotRun) {
    TMenuItem* item = LinkedItem(open);
    open->SetEnabled(false);
    popup->Popup(30, 30);
    ClickItem(item);
    EXPECT_FALSE(open->Execute());
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(ActionTest, TheListThenTheApplicationMayHandleTheActionBeforeItsOwnHandler) {
    struct Case {
        const char* name;
        bool listHandles;
        bool applicationHandles;
        QStringList expected;
    };
    const Case cases[] = {
        {"list", true, true, {"list"}},
        {"application", false, true, {"list", "application"}},
        {"own", false, false, {"list", "application", "execute &Open"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        log.clear();
        list->OnExecute = [&](TBasicAction* action, bool& handled) {
            EXPECT_EQ(action, open);
            log << "list";
            handled = c.listHandles;
        };
        Application->OnActionExecute = [&](TBasicAction*, bool& handled) {
            log << "application";
            handled = c.applicationHandles;
        };
        EXPECT_TRUE(open->Execute());
        EXPECT_EQ(log, c.expected);
    }
    Application->OnActionExecute = nullptr;
}

TEST_F(ActionTest, AutoCheckTogglesAndAGroupKeepsOneChecked) {
    TAction* left = MakeAction("Left");
    TAction* right = MakeAction("Right");
    for (TAction* a : {left, right}) {
        a->SetAutoCheck(true);
        a->SetGroupIndex(3);
    }
    TMenuItem* leftItem = LinkedItem(left);
    TMenuItem* rightItem = LinkedItem(right);
    left->Execute();
    EXPECT_TRUE(left->Checked());
    EXPECT_TRUE(leftItem->Checked());
    right->Execute();
    EXPECT_FALSE(left->Checked());
    EXPECT_FALSE(leftItem->Checked());
    EXPECT_TRUE(rightItem->Checked());
    open->SetChecked(true); // group 0 is no group
    EXPECT_TRUE(right->Checked());
}

TEST_F(ActionTest, AnActionThatGoesLeavesItsListAndItsClients) {
    TMenuItem* item = LinkedItem(open);
    delete open;
    EXPECT_EQ(item->Action(), nullptr);
    EXPECT_EQ(list->ActionCount(), 0);
    item->Click(); // nothing left to run
    EXPECT_TRUE(log.isEmpty());
    EXPECT_EQ(item->Caption(), "&Open");
}

TEST_F(ActionTest, TheListFreesItsActions) {
    QPointer<TAction> action = open;
    QPointer<TAction> second = MakeAction("Second");
    delete list;
    EXPECT_FALSE(action);
    EXPECT_FALSE(second);
    EXPECT_EQ(form.ComponentCount(), 1); // the popup
}

TEST_F(ActionTest, TheListRunsTheShortCutOfAnEnabledAction) {
    TAction* save = MakeAction("Save");
    save->SetShortCut(TextToShortCut("Ctrl+S"));
    open->SetShortCut(TextToShortCut("Ctrl+O"));
    EXPECT_TRUE(list->IsShortCut('S', ssCtrl));
    EXPECT_FALSE(list->IsShortCut('X', ssCtrl));
    save->SetEnabled(false);
    EXPECT_FALSE(list->IsShortCut('S', ssCtrl));
    EXPECT_EQ(log, QStringList{"execute Save"});
    EXPECT_EQ(save->Index(), 1);
    save->SetIndex(0);
    EXPECT_EQ(list->Actions(0), save);
    EXPECT_THROW(list->Actions(2), EListError);
}

TEST_F(ActionTest, ActionsAreUpdatedWhenTheApplicationIsIdleAndWhenTheirMenuOpens) {
    bool canOpen = false;
    int updates = 0;
    open->OnUpdate = [&](TObject*) {
        ++updates;
        open->SetEnabled(canOpen);
    };
    TMenuItem* item = LinkedItem(open);
    mox::test::RunEventLoop(20);
    EXPECT_GT(updates, 0);
    EXPECT_FALSE(item->Enabled());

    canOpen = true;
    updates = 0;
    popup->Popup(30, 30); // the menu's opening updates before anything idles
    EXPECT_GT(updates, 0);
    EXPECT_TRUE(item->Enabled());
}

TEST_F(ActionTest, ReadingAnActionNestsItInItsList) {
    auto* action = new TAction(&form);
    action->SetParentComponent(list);
    EXPECT_EQ(action->ActionList(), list);
    EXPECT_EQ(action->GetParentComponent(), list);
    QList<TComponent*> children;
    list->GetChildren([&](TComponent* c) { children << c; }, &form);
    EXPECT_EQ(children, (QList<TComponent*>{open, action}));
}
