#include <gtest/gtest.h>

#include "vcl/Classes.h"

namespace {

// Remembers the notices it hears and drops its reference to a component that goes.
class Listener : public TComponent {
public:
    using TComponent::TComponent;
    TComponent* target = nullptr;
    QStringList heard;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        heard << QString("%1:%2").arg(AComponent->Name()).arg(Operation == opInsert ? "insert" : "remove");
        if (Operation == opRemove && AComponent == target) target = nullptr;
    }
};

class Loadable : public TComponent {
public:
    using TComponent::TComponent;
    int loadedCalls = 0;
    void Loaded() override {
        TComponent::Loaded();
        ++loadedCalls;
    }
};

TEST(Component, OwnerFreesWhatItOwnsLastFirst) {
    QStringList destroyed;
    struct Tracked : TComponent {
        QStringList* log;
        Tracked(TComponent* owner, QStringList* l, const char* name) : TComponent(owner), log(l) {
            SetName(name);
        }
        ~Tracked() override { *log << Name(); }
    };
    auto* owner = new TComponent(nullptr);
    new Tracked(owner, &destroyed, "A");
    new Tracked(owner, &destroyed, "B");
    EXPECT_EQ(owner->ComponentCount(), 2);
    owner->Free();
    EXPECT_EQ(destroyed, (QStringList{"B", "A"}));
}

TEST(Component, NamesAreValidatedAndUniqueAmongSiblings) {
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    auto* b = new TComponent(&owner);
    a->SetName("Edit1");
    EXPECT_THROW(b->SetName("EDIT1"), EComponentError);
    EXPECT_TRUE(b->Name().isEmpty());
    a->SetName("edit1"); // a change of case of its own name is no clash
    EXPECT_EQ(a->Name(), "edit1");
    for (const char* bad : {"1abc", "a b", "a-b", "ä"}) {
        try {
            b->SetName(bad);
            ADD_FAILURE() << bad;
        } catch (const EComponentError& e) {
            EXPECT_EQ(e.Message(), QString("'%1' is not a valid component name").arg(QString::fromUtf8(bad)));
        }
    }
    b->SetName("_b2");
    EXPECT_EQ(owner.FindComponent("_B2"), b);
    try {
        b->SetName("Edit1");
        ADD_FAILURE();
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message(), "A component named Edit1 already exists");
    }
    // A component with no owner has no siblings to clash with.
    TComponent lone(nullptr);
    lone.SetName("edit1");
    EXPECT_EQ(lone.Name(), "edit1");
}

TEST(Component, ComponentsIndexOutOfBounds) {
    TComponent owner(nullptr);
    new TComponent(&owner);
    try {
        owner.Components(1);
        ADD_FAILURE();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (1)");
    }
    EXPECT_THROW(owner.Components(-1), EListError);
}

TEST(Component, SiblingsHearOfInsertAndRemove) {
    TComponent owner(nullptr);
    auto* listener = new Listener(&owner);
    listener->SetName("L");
    auto* other = new TComponent(&owner);
    other->SetName("X");
    other->Free();
    EXPECT_EQ(listener->heard, (QStringList{":insert", "X:remove"}));
}

TEST(Component, FreeNotificationClearsReferenceAcrossOwners) {
    TComponent formA(nullptr), formB(nullptr);
    auto* listener = new Listener(&formA);
    auto* target = new TComponent(&formB);
    target->SetName("Target");
    listener->target = target;
    target->FreeNotification(listener);
    EXPECT_TRUE(target->ComponentState() & csFreeNotification);
    target->Free();
    EXPECT_EQ(listener->target, nullptr);

    // The listener going first leaves nothing behind in the target's list.
    auto* target2 = new TComponent(&formB);
    auto* listener2 = new Listener(&formA);
    listener2->target = target2;
    target2->FreeNotification(listener2);
    listener2->Free();
    target2->Free(); // must not notify the freed listener
}

TEST(Component, OwnerDestructionNotifiesBeforeTearingDown) {
    // A sibling that refers to another sibling hears of its end during the owner's destruction.
    auto* owner = new TComponent(nullptr);
    auto* target = new TComponent(owner);
    target->SetName("T");
    auto* listener = new Listener(owner); // made later, so freed first
    listener->target = target;
    target->FreeNotification(listener);
    bool sawDestroying = false;
    struct Probe : TComponent {
        bool* flag;
        Probe(TComponent* o, bool* f) : TComponent(o), flag(f) {}
        ~Probe() override { *flag = bool(ComponentState() & csDestroying); }
    };
    new Probe(owner, &sawDestroying);
    owner->Free();
    EXPECT_TRUE(sawDestroying);
}

TEST(Component, LoadedClearsLoadingState) {
    TComponent owner(nullptr);
    auto* c = new Loadable(&owner);
    c->BeginLoading();
    EXPECT_TRUE(c->ComponentState() & csLoading);
    c->EndLoading();
    EXPECT_FALSE(c->ComponentState() & csLoading);
    EXPECT_EQ(c->loadedCalls, 1);
}

TEST(Component, ComponentIndexMoves) {
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    auto* b = new TComponent(&owner);
    auto* c = new TComponent(&owner);
    c->SetComponentIndex(0);
    EXPECT_EQ(owner.Components(0), c);
    EXPECT_EQ(owner.Components(1), a);
    EXPECT_EQ(b->ComponentIndex(), 2);
    a->SetComponentIndex(99);
    EXPECT_EQ(a->ComponentIndex(), 2);
}

TEST(Persistent, AssignWithoutSupportRaisesConvertError) {
    TComponent a(nullptr), b(nullptr);
    try {
        a.Assign(&b);
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a TComponent to a TComponent");
    }
    try {
        a.Assign(nullptr);
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a nil to a TComponent");
    }
}

} // namespace
