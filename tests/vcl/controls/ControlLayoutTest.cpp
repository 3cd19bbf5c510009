// Parents, visibility and the layout of children by Align, Anchors, Constraints and AutoSize.
#include <gtest/gtest.h>

#include <QWidget>
#include <memory>

#include "ControlTestSupport.h"
#include "TestSupport.h"

namespace {

struct FormFixture : ::testing::Test {
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    void SetUp() override { form->SetBounds(10, 10, 200, 100); }
    TWinControl* Child(TAlign Align, const TRect& Bounds) {
        auto* c = new TWinControl(form.get());
        c->SetBoundsRect(Bounds);
        c->SetParent(form.get());
        c->SetAlign(Align);
        return c;
    }
    // Resizes the form's window as the user or the window manager does.
    void ResizeWindow(int Width, int Height) {
        if (!form->Visible()) form->Show();
        form->Handle()->resize(Width, Height);
        QApplication::processEvents();
    }
};

TEST_F(FormFixture, AControlWithoutParentStaysHiddenAndShowsInItsParentsWindow) {
    auto* c = new TWinControl(form.get());
    c->SetBounds(5, 6, 50, 20);
    EXPECT_TRUE(c->Visible());
    EXPECT_FALSE(c->HandleAllocated());
    QWidget* orphan = c->Handle();
    EXPECT_FALSE(orphan->isVisible());
    EXPECT_FALSE(c->Showing());

    c->SetParent(form.get());
    mox::test::ShowActive(form.get());
    ASSERT_TRUE(c->HandleAllocated());
    EXPECT_EQ(c->Handle()->parentWidget(), form->Handle());
    EXPECT_TRUE(c->Showing());
    EXPECT_EQ(c->Handle()->geometry(), QRect(5, 6, 50, 20));

    c->Hide();
    EXPECT_FALSE(c->Handle()->isVisible());
    c->SetParent(nullptr);
    EXPECT_FALSE(c->Showing());
    EXPECT_EQ(form->ControlCount(), 0);
    EXPECT_THROW(c->SetParent(c), EInvalidOperation);
}

TEST_F(FormFixture, FreeingAParentFreesItsChildrenAndTellsTheirOwner) {
    auto* panel = Child(alNone, Bounds(0, 0, 100, 50));
    auto* inner = new TWinControl(form.get());
    inner->SetParent(panel);
    EXPECT_EQ(form->ComponentCount(), 2);
    panel->Free();
    EXPECT_EQ(form->ComponentCount(), 0);
    EXPECT_EQ(form->ControlCount(), 0);
}

TEST_F(FormFixture, AlignedChildrenShareTheClientAreaAndFollowItsResize) {
    auto* top = Child(alTop, Bounds(0, 0, 10, 20));
    auto* bottom = Child(alBottom, Bounds(0, 0, 10, 10));
    auto* left = Child(alLeft, Bounds(0, 0, 30, 10));
    auto* right = Child(alRight, Bounds(0, 0, 40, 10));
    auto* client = Child(alClient, Bounds(0, 0, 1, 1));
    auto* hidden = Child(alTop, Bounds(0, 0, 10, 15));
    hidden->Hide();

    struct Case {
        TControl* control;
        TRect at200x100;
        TRect at300x150;
    };
    const Case cases[] = {
        {top, Rect(0, 0, 200, 20), Rect(0, 0, 300, 20)},
        {bottom, Rect(0, 90, 200, 100), Rect(0, 140, 300, 150)},
        {left, Rect(0, 20, 30, 90), Rect(0, 20, 30, 140)},
        {right, Rect(160, 20, 200, 90), Rect(260, 20, 300, 140)},
        {client, Rect(30, 20, 160, 90), Rect(30, 20, 260, 140)},
    };
    for (const Case& c : cases) EXPECT_EQ(c.control->BoundsRect(), c.at200x100) << c.control->Align();
    ResizeWindow(300, 150);
    EXPECT_EQ(form->Width(), 300);
    for (const Case& c : cases) EXPECT_EQ(c.control->BoundsRect(), c.at300x150) << c.control->Align();

    // A child shown again takes its place among the others; two tops stack in their order.
    hidden->SetTop(30);
    hidden->Show();
    EXPECT_EQ(hidden->BoundsRect(), Rect(0, 20, 300, 35));
    EXPECT_EQ(left->Top(), 35);
}

TEST_F(FormFixture, AnchorsKeepTheDistancesToTheirEdges) {
    struct Case {
        const char* name;
        TAnchors anchors;
        TRect after; // the form grows by 100 x 50 from 200 x 100
    };
    const Case cases[] = {
        {"left top", akLeft | akTop, Bounds(20, 10, 40, 20)},
        {"right", akRight | akTop, Bounds(120, 10, 40, 20)},
        {"left right", akLeft | akRight | akTop, Bounds(20, 10, 140, 20)},
        {"bottom", akLeft | akBottom, Bounds(20, 60, 40, 20)},
        {"all four", akLeft | akTop | akRight | akBottom, Bounds(20, 10, 140, 70)},
        {"none keeps the centre's place", TAnchors(), Bounds(40, 20, 40, 20)},
    };
    std::vector<TControl*> controls;
    for (const Case& c : cases) {
        auto* control = Child(alNone, Bounds(20, 10, 40, 20));
        control->SetAnchors(c.anchors);
        controls.push_back(control);
    }
    ResizeWindow(300, 150);
    for (size_t i = 0; i < controls.size(); ++i) EXPECT_EQ(controls[i]->BoundsRect(), cases[i].after) << cases[i].name;
    // Back to the first size gives the first bounds again: the distances are not rounded away.
    ResizeWindow(200, 100);
    for (size_t i = 0; i < controls.size(); ++i)
        EXPECT_EQ(controls[i]->BoundsRect(), Bounds(20, 10, 40, 20)) << cases[i].name;
}

TEST_F(FormFixture, AnAnchoredChildPlacedBeforeItsParentHasASizeTakesItsDistancesLater) {
    form->SetBounds(0, 0, 0, 0);
    auto* c = Child(alNone, Bounds(150, 10, 40, 20));
    c->SetAnchors(akRight | akTop);
    form->SetBounds(0, 0, 200, 100);
    EXPECT_EQ(c->Left(), 150);
    form->SetBounds(0, 0, 260, 100);
    EXPECT_EQ(c->Left(), 210);
}

TEST_F(FormFixture, ConstraintsLimitTheSizeAlsoWhenAligned) {
    auto* c = Child(alNone, Bounds(0, 0, 50, 50));
    c->Constraints()->SetMaxWidth(60);
    c->Constraints()->SetMinHeight(30);
    c->SetBounds(0, 0, 100, 10);
    EXPECT_EQ(c->Width(), 60);
    EXPECT_EQ(c->Height(), 30);
    // The limits never cross: a maximum below the minimum lowers the minimum.
    c->Constraints()->SetMaxHeight(20);
    EXPECT_EQ(c->Constraints()->MinHeight(), 20);
    EXPECT_EQ(c->Height(), 20);

    auto* client = Child(alLeft, Bounds(0, 0, 100, 10));
    client->Constraints()->SetMaxWidth(70);
    auto* rest = Child(alClient, Bounds(0, 0, 1, 1));
    EXPECT_EQ(client->Width(), 70);
    EXPECT_EQ(rest->Left(), 70) << "the rest of the area follows the constrained width";

    bool refuse = true;
    c->OnCanResize = [&](TObject*, int&, int&, bool& resize) { resize = !refuse; };
    c->SetWidth(40);
    EXPECT_EQ(c->Width(), 60);
    refuse = false;
    c->SetWidth(40);
    EXPECT_EQ(c->Width(), 40);
}

TEST_F(FormFixture, AutoSizeFitsAWindowedControlAroundItsChildren) {
    auto* box = Child(alNone, Bounds(0, 0, 10, 10));
    auto* a = new TWinControl(form.get());
    a->SetBounds(5, 5, 40, 20);
    a->SetParent(box);
    box->SetAutoSize(true);
    EXPECT_EQ(box->Width(), 45);
    EXPECT_EQ(box->Height(), 25);
    a->SetBounds(5, 5, 80, 30);
    EXPECT_EQ(box->Width(), 85);
    EXPECT_EQ(box->Height(), 35);
}

TEST_F(FormFixture, FontColourAndHintFollowTheParentUntilSetThemselves) {
    auto* panel = Child(alNone, Bounds(0, 0, 100, 50));
    auto* own = Child(alNone, Bounds(0, 0, 10, 10));
    own->SetParent(panel);
    auto* follower = Child(alNone, Bounds(0, 0, 10, 10));
    follower->SetParent(panel);
    follower->SetParentColor(true);
    own->Font()->SetName("Courier New");
    EXPECT_FALSE(own->ParentFont());

    panel->Font()->SetSize(14);
    panel->SetColor(clYellow);
    panel->SetShowHint(true);
    EXPECT_EQ(follower->Font()->Size(), 14);
    EXPECT_TRUE(follower->ParentFont());
    EXPECT_EQ(follower->Color(), clYellow);
    EXPECT_TRUE(follower->ShowHint());
    EXPECT_NE(own->Font()->Size(), 14);
    EXPECT_EQ(own->Color(), clWindow);

    follower->SetHint("Short|Long text");
    mox::test::ShowActive(form.get());
    EXPECT_EQ(follower->Handle()->toolTip(), "Short");
    EXPECT_EQ(follower->Handle()->font().pixelSize(), follower->Font()->Handle().pixelSize());
    EXPECT_EQ(follower->Handle()->palette().color(QPalette::Window), ColorToQColor(clYellow));
}

TEST(ControlText, AcceleratorsAndHintParts) {
    struct Case {
        const char* caption;
        char key;
        bool accel;
    };
    const Case cases[] = {{"&Save", 'S', true}, {"&Save", 's', true}, {"Sa&ve", 'V', true},
                          {"Save", 'S', false}, {"&&Save", 'S', false}, {"A&&B &Cut", 'C', true},
                          {"End&", 'E', false}};
    for (const Case& c : cases) EXPECT_EQ(IsAccel(Word(c.key), c.caption), c.accel) << c.caption << " " << c.key;
    EXPECT_EQ(GetShortHint("Open|Opens a file"), "Open");
    EXPECT_EQ(GetLongHint("Open|Opens a file"), "Opens a file");
    EXPECT_EQ(GetLongHint("Open"), "Open");
}

} // namespace
