// A popup window: a control whose window floats over the form while its parent is a control.
#include <gtest/gtest.h>

#include <memory>

#include "ControlTestSupport.h"

namespace {

class PopupWindow : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void CreateParams(TCreateParams& Params) override {
        TCustomControl::CreateParams(Params);
        Params.WndParent = nullptr;
    }
};

TEST(PopupWindow, FloatsOverTheFormWithoutTakingTheActivationOrTheFocus) {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 100, 300, 200);
    auto* edit = new mox::test::TestEdit(form.get());
    edit->SetParent(form.get());
    auto* popup = new PopupWindow(form.get());
    popup->SetVisible(false);
    popup->SetParent(edit);
    mox::test::ShowActive(form.get());
    ASSERT_TRUE(edit->Focused());

    const TPoint below = edit->ClientToScreen({0, edit->Height()});
    popup->SetBounds(below.X, below.Y, 120, 80);
    popup->Show();
    QWidget* w = popup->Handle();
    ASSERT_TRUE(popup->IsPopupWindow());
    EXPECT_TRUE(w->isWindow());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->pos(), QPoint(below.X, below.Y));
    EXPECT_EQ(popup->Parent(), edit);

    int downs = 0;
    popup->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(10, 10));
    QApplication::processEvents();
    EXPECT_EQ(downs, 1);
    EXPECT_TRUE(form->Active());
    EXPECT_EQ(QApplication::activeWindow(), form->Handle());
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(form->ActiveControl(), edit);

    // Typing goes on into the edit while the popup is shown; the popup goes with its parent.
    QTest::keyClicks(QApplication::focusWidget(), "abc");
    EXPECT_EQ(edit->Text(), "abc");
    popup->Hide();
    EXPECT_FALSE(w->isVisible());
}

} // namespace
