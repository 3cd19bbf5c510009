#include <gtest/gtest.h>

#include "vcl/Classes.h"

namespace {

// Holds a reference to another component and drops it when told that one goes.
class Holder : public TComponent {
public:
    using TComponent::TComponent;
    TComponent* target = nullptr;
    QStringList heard;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        heard << QString("%1:%2").arg(AComponent->Name(), Operation == opInsert ? "insert" : "remove");
        if (Operation == opRemove && AComponent == target) target = nullptr;
    }
};

TEST(ComponentOwnership, FreeNotificationBetweenSiblings) {
    TComponent owner(nullptr);
    auto* holder = new Holder(&owner);
    auto* target = new TComponent(&owner);
    target->SetName("T");
    holder->target = target;
    target->FreeNotification(holder);
    target->Free();
    EXPECT_EQ(holder->target, nullptr);
    EXPECT_TRUE(holder->heard.contains("T:remove"));
    EXPECT_EQ(owner.ComponentCount(), 1);
}

TEST(ComponentOwnership, OwnerDestructionClearsASiblingReferenceFirst) {
    // The target is made later, so the owner frees it first; the holder must not keep it meanwhile.
    struct Probe : Holder {
        TComponent** out;
        Probe(TComponent* o, TComponent** p) : Holder(o), out(p) {}
        ~Probe() override { *out = target; }
    };
    TComponent* seen = reinterpret_cast<TComponent*>(1);
    auto* owner = new TComponent(nullptr);
    auto* holder = new Probe(owner, &seen);
    auto* target = new TComponent(owner);
    target->SetName("T");
    holder->target = target;
    target->FreeNotification(holder);
    owner->Free();
    EXPECT_EQ(seen, nullptr);
}

TEST(ComponentOwnership, RemovedFreeNotificationIsNotSent) {
    TComponent formA(nullptr), formB(nullptr);
    auto* holder = new Holder(&formA);
    auto* target = new TComponent(&formB);
    target->SetName("T");
    target->FreeNotification(holder);
    target->RemoveFreeNotification(holder);
    EXPECT_FALSE(target->ComponentState() & csFreeNotification);
    target->Free();
    EXPECT_FALSE(holder->heard.contains("T:remove"));
}

TEST(ComponentOwnership, MovingBetweenOwnersChecksTheNewSiblings) {
    TComponent formA(nullptr), formB(nullptr);
    auto* a = new TComponent(&formA);
    a->SetName("Button1");
    auto* clash = new TComponent(&formB);
    clash->SetName("button1");

    formA.RemoveComponent(a);
    EXPECT_EQ(a->Owner(), nullptr);
    EXPECT_EQ(formA.ComponentCount(), 0);
    EXPECT_THROW(formB.InsertComponent(a), EComponentError);
    EXPECT_EQ(a->Owner(), nullptr); // refused before it joined
    EXPECT_EQ(formB.ComponentCount(), 1);

    clash->SetName("Other");
    formB.InsertComponent(a);
    EXPECT_EQ(a->Owner(), &formB);
    EXPECT_EQ(formB.FindComponent("BUTTON1"), a);
    EXPECT_EQ(a->ComponentIndex(), 1);
}

TEST(ComponentOwnership, OwnerHearsOfInsertWithTheOwnerSet) {
    struct Watching : TComponent {
        using TComponent::TComponent;
        QList<TComponent*> ownersSeen;
        void Notification(TComponent* AComponent, TOperation Operation) override {
            TComponent::Notification(AComponent, Operation);
            if (Operation == opInsert) ownersSeen << AComponent->Owner();
        }
    } owner(nullptr);
    new TComponent(&owner);
    ASSERT_EQ(owner.ownersSeen.size(), 1);
    EXPECT_EQ(owner.ownersSeen[0], &owner);
}

TEST(ComponentOwnership, DesigningAndDestroyComponentsReachTheWholeTree) {
    TComponent form(nullptr);
    auto* panel = new TComponent(&form);
    auto* button = new TComponent(panel);
    form.SetDesigning(true);
    EXPECT_TRUE(button->ComponentState() & csDesigning);
    form.SetDesigning(false, false);
    EXPECT_FALSE(form.ComponentState() & csDesigning);
    EXPECT_TRUE(panel->ComponentState() & csDesigning);

    form.DestroyComponents();
    EXPECT_EQ(form.ComponentCount(), 0);
    EXPECT_FALSE(form.ComponentState() & csDestroying);
    new TComponent(&form); // the owner is still usable
    EXPECT_EQ(form.ComponentCount(), 1);
}

} // namespace
