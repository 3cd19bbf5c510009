// Keys, focus and the dialog keys, typed on real widgets of a shown form.
#include <gtest/gtest.h>

#include <memory>

#include "ControlTestSupport.h"

namespace {

using mox::test::TestButton;
using mox::test::TestEdit;

struct KeysFixture : ::testing::Test {
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TestEdit* first = nullptr;
    TestEdit* second = nullptr;
    TestButton* ok = nullptr;
    TestButton* cancel = nullptr;
    QStringList log;

    void SetUp() override {
        form->SetBounds(0, 0, 300, 200);
        first = Edit("first", 10);
        second = Edit("second", 40);
        ok = Button("ok", "&OK", 70);
        cancel = Button("cancel", "Cancel", 100);
        ok->Default = true;
        cancel->Cancel = true;
        mox::test::ShowActive(form.get());
    }
    TestEdit* Edit(const char* name, int top) {
        auto* e = new TestEdit(form.get());
        e->SetName(name);
        e->SetTop(top);
        e->SetParent(form.get());
        e->OnEnter = [this, e](TObject*) { log << "enter " + e->Name(); };
        e->OnExit = [this, e](TObject*) { log << "exit " + e->Name(); };
        return e;
    }
    TestButton* Button(const char* name, const char* caption, int top) {
        auto* b = new TestButton(form.get());
        b->SetName(name);
        b->SetCaption(caption);
        b->SetTop(top);
        b->SetParent(form.get());
        b->OnClick = [this, b](TObject*) { log << "click " + b->Name(); };
        b->OnEnter = [this, b](TObject*) { log << "enter " + b->Name(); };
        b->OnExit = [this, b](TObject*) { log << "exit " + b->Name(); };
        return b;
    }
    QWidget* FocusWidget() { return QApplication::focusWidget(); }
};

TEST_F(KeysFixture, TheFirstControlInTabOrderHasTheFocusAndTabWalksTheOrder) {
    EXPECT_EQ(form->ActiveControl(), first);
    EXPECT_TRUE(first->Focused());
    EXPECT_EQ(FocusWidget(), first->Handle());
    log.clear();
    QTest::keyClick(FocusWidget(), Qt::Key_Tab);
    EXPECT_EQ(form->ActiveControl(), second);
    EXPECT_EQ(log, (QStringList{"exit first", "enter second"}));
    QTest::keyClick(FocusWidget(), Qt::Key_Tab);
    EXPECT_EQ(form->ActiveControl(), ok);
    EXPECT_TRUE(ok->Focused());
    QTest::keyClick(FocusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(form->ActiveControl(), second);

    // The order is the tab order, not the creation order; controls without a tab stop are passed.
    cancel->SetTabOrder(0);
    ok->SetTabStop(false);
    EXPECT_EQ(cancel->TabOrder(), 0);
    EXPECT_EQ(first->TabOrder(), 1);
    QTest::keyClick(FocusWidget(), Qt::Key_Tab);
    EXPECT_EQ(form->ActiveControl(), cancel) << "past the end it wraps to the start";
    QTest::keyClick(FocusWidget(), Qt::Key_Tab);
    EXPECT_EQ(form->ActiveControl(), first);
}

TEST_F(KeysFixture, KeyDownThenKeyPressThenKeyUpAndTheCharacterIsTyped) {
    first->OnKeyDown = [&](TObject*, Word& key, TShiftState s) { log << QString("down %1%2").arg(key).arg(s & ssShift ? " shift" : ""); };
    first->OnKeyPress = [&](TObject*, Char& key) { log << QString("press ") + key; };
    first->OnKeyUp = [&](TObject*, Word& key, TShiftState) { log << QString("up %1").arg(key); };
    log.clear();
    QTest::keyClick(first->Line(), Qt::Key_A);
    EXPECT_EQ(log, (QStringList{"down 65", "press a", "up 65"}));
    EXPECT_EQ(first->Text(), "a");
    log.clear();
    QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::ShiftModifier);
    QApplication::sendEvent(first->Line(), &left);
    EXPECT_EQ(log, (QStringList{"down 37 shift"})) << "a key without a character has no KeyPress";
    EXPECT_EQ(first->Line()->selectedText(), "a") << "and still reaches the edit";
}

TEST_F(KeysFixture, AKeySetToZeroTypesNothingAndKeyPressCanChangeTheCharacter) {
    first->OnKeyDown = [&](TObject*, Word& key, TShiftState) {
        if (key == 'X') key = 0;
    };
    first->OnKeyPress = [&](TObject*, Char& key) {
        if (key == QLatin1Char('q')) key = QChar();
        if (key == QLatin1Char('a')) key = QLatin1Char('b');
    };
    QTest::keyClicks(first->Line(), "xqaz");
    EXPECT_EQ(first->Text(), "bz");
    // Backspace is a character too: swallowing it keeps the text.
    first->OnKeyPress = [&](TObject*, Char& key) {
        if (key == QChar(8)) key = QChar();
    };
    QTest::keyClick(first->Line(), Qt::Key_Backspace);
    EXPECT_EQ(first->Text(), "bz");
}

TEST_F(KeysFixture, TextTypedWithAltIsNeverTypedButChoosesAnAccelerator) {
    first->OnKeyPress = [&](TObject*, Char& key) { log << QString("press ") + key; };
    log.clear();
    QTest::keyClick(first->Line(), Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(first->Text(), "");
    EXPECT_EQ(log, (QStringList{"click ok"}));
    log.clear();
    QTest::keyClick(first->Line(), Qt::Key_Z, Qt::AltModifier);
    EXPECT_EQ(first->Text(), "");
    EXPECT_TRUE(log.isEmpty());
    // A plain letter on a control that does not want characters reaches the accelerators too.
    ok->SetFocus();
    log.clear();
    QTest::keyClick(FocusWidget(), Qt::Key_O);
    EXPECT_EQ(log, (QStringList{"click ok"}));
}

TEST_F(KeysFixture, EnterAndEscapeReachTheDefaultAndCancelButtons) {
    QTest::keyClick(first->Line(), Qt::Key_Return);
    QTest::keyClick(first->Line(), Qt::Key_Escape);
    EXPECT_TRUE(log.contains("click ok"));
    EXPECT_TRUE(log.contains("click cancel"));
    log.clear();
    // A control that wants all keys keeps Enter for itself.
    class EnterEdit : public TestEdit {
    public:
        using TestEdit::TestEdit;

    protected:
        void WMGetDlgCode(TMessage& Message) override { Message.Result = DLGC_WANTALLKEYS | DLGC_WANTCHARS; }
    };
    auto* memo = new EnterEdit(form.get());
    memo->SetTop(140);
    memo->SetParent(form.get());
    int enters = 0;
    memo->OnKeyDown = [&](TObject*, Word& key, TShiftState) { enters += key == VK_RETURN; };
    memo->SetFocus();
    QTest::keyClick(memo->Line(), Qt::Key_Return);
    EXPECT_EQ(enters, 1);
    EXPECT_FALSE(log.contains("click ok"));
}

TEST_F(KeysFixture, KeyPreviewShowsTheFormEveryKeyFirst) {
    form->SetKeyPreview(true);
    form->OnKeyDown = [&](TObject*, Word& key, TShiftState) {
        log << QString("form down %1").arg(key);
        if (key == VK_F2) key = 0;
    };
    form->OnKeyPress = [&](TObject*, Char& key) { log << QString("form press ") + key; };
    first->OnKeyDown = [&](TObject*, Word& key, TShiftState) { log << QString("edit down %1").arg(key); };
    log.clear();
    QTest::keyClick(first->Line(), Qt::Key_K);
    QTest::keyClick(first->Line(), Qt::Key_F2);
    EXPECT_EQ(log, (QStringList{"form down 75", "edit down 75", "form press k", "form down 113"}));
    EXPECT_EQ(first->Text(), "k");
}

TEST_F(KeysFixture, AnExitThatRaisesKeepsTheFocusAndTwoInvalidEditsNeverBounce) {
    mox::test::ShownErrors shown;
    first->OnExit = [&](TObject*) {
        log << "exit first";
        if (first->Text() != "ok") throw Exception("first is invalid");
    };
    second->OnExit = [&](TObject*) {
        log << "exit second";
        if (second->Text() != "ok") throw Exception("second is invalid");
    };
    log.clear();
    QTest::keyClick(FocusWidget(), Qt::Key_Tab);
    EXPECT_EQ(form->ActiveControl(), first);
    EXPECT_EQ(FocusWidget(), first->Handle());
    EXPECT_EQ(shown.messages, QStringList{"first is invalid"});

    // A click on the other (also invalid) edit: the exit of the first refuses, the second is never
    // entered, so its exit never runs and the focus does not jump between them.
    QTest::mouseClick(second->Line(), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(form->ActiveControl(), first);
    EXPECT_EQ(FocusWidget(), first->Handle());
    EXPECT_FALSE(log.contains("enter second"));
    EXPECT_FALSE(log.contains("exit second"));
    EXPECT_EQ(shown.messages.size(), 2);

    // SetFocus from the program raises the exit's exception to the caller.
    EXPECT_THROW(second->SetFocus(), Exception);
    EXPECT_EQ(form->ActiveControl(), first);

    QTest::keyClicks(first->Line(), "ok");
    QTest::keyClick(FocusWidget(), Qt::Key_Tab);
    EXPECT_EQ(form->ActiveControl(), second);
    EXPECT_TRUE(log.contains("enter second"));
}

TEST_F(KeysFixture, FocusRulesForHiddenDisabledAndNestedControls) {
    second->SetEnabled(false);
    EXPECT_FALSE(second->CanFocus());
    EXPECT_THROW(second->SetFocus(), EInvalidOperation);
    QTest::keyClick(FocusWidget(), Qt::Key_Tab);
    EXPECT_EQ(form->ActiveControl(), ok) << "a disabled control is passed";

    auto* panel = new TWinControl(form.get());
    panel->SetName("panel");
    panel->SetBounds(150, 10, 140, 100);
    panel->SetParent(form.get());
    panel->OnEnter = [&](TObject*) { log << "enter panel"; };
    panel->OnExit = [&](TObject*) { log << "exit panel"; };
    auto* inner1 = new TestEdit(form.get());
    inner1->SetName("inner1");
    inner1->SetParent(panel);
    auto* inner2 = new TestEdit(form.get());
    inner2->SetName("inner2");
    inner2->SetTop(30);
    inner2->SetParent(panel);
    inner2->OnEnter = [&](TObject*) { log << "enter inner2"; };
    log.clear();
    inner1->SetFocus();
    inner2->SetFocus();
    first->SetFocus();
    EXPECT_EQ(log, (QStringList{"exit ok", "enter panel", "enter inner2", "exit panel", "enter first"}))
        << "moving within the panel neither leaves nor enters it again";

    // The focused control hidden or freed is forgotten.
    inner1->SetFocus();
    inner1->Free();
    EXPECT_NE(form->ActiveControl(), inner1);
    EXPECT_NE(form->FocusedControl(), static_cast<TWinControl*>(inner1));
    panel->Hide();
    EXPECT_FALSE(inner2->CanFocus());
}

TEST_F(KeysFixture, PressingElsewhereSendsCancelModeToTheFocusedControl) {
    struct Cancelling : TestEdit {
        using TestEdit::TestEdit;
        QList<TControl*> senders;

    protected:
        void CMCancelMode(TMessage& Message) override {
            senders << reinterpret_cast<TControl*>(Message.LParam);
            TestEdit::CMCancelMode(Message);
        }
    };
    auto* edit = new Cancelling(form.get());
    edit->SetTop(140);
    edit->SetParent(form.get());
    edit->SetFocus();
    QTest::mouseClick(ok->ControlWidget(), Qt::LeftButton, {}, QPoint(3, 3));
    ASSERT_EQ(edit->senders.size(), 1);
    EXPECT_EQ(edit->senders[0], ok);
    EXPECT_EQ(form->ActiveControl(), edit) << "a custom control does not take the focus by a click";
}

} // namespace
