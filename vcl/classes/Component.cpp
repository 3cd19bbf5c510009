#include "vcl/classes/Component.h"

bool IsValidIdent(const String& Ident) {
    if (Ident.isEmpty()) return false;
    auto isStart = [](QChar c) { return c == '_' || (c.unicode() < 128 && c.isLetter()); };
    if (!isStart(Ident[0])) return false;
    for (QChar c : Ident)
        if (!isStart(c) && !(c.unicode() < 128 && c.isDigit())) return false;
    return true;
}

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() { RunDestruction(); }

void TComponent::BeforeDestruction() { RunDestruction(); }

void TComponent::RunDestruction() {
    if (destructionDone_) return;
    destructionDone_ = true;
    Destroying();
    // Removal notices first, while every listener still holds its reference.
    while (!freeNotifies_.isEmpty()) {
        TComponent* listener = freeNotifies_.takeLast();
        listener->freeNotifies_.removeAll(this);
        listener->Notification(this, opRemove);
    }
    DestroyComponents();
    if (owner_) owner_->RemoveComponent(this);
}

TComponent* TComponent::Components(int Index) const {
    if (Index < 0 || Index >= components_.size())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return components_[Index];
}

int TComponent::ComponentIndex() const {
    return owner_ ? int(owner_->components_.indexOf(const_cast<TComponent*>(this))) : -1;
}

void TComponent::SetComponentIndex(int Value) {
    if (!owner_) return;
    const int current = ComponentIndex();
    if (current < 0) return;
    const int count = int(owner_->components_.size());
    if (Value < 0) Value = 0;
    if (Value >= count) Value = count - 1;
    if (Value != current) owner_->components_.move(current, Value);
}

void TComponent::SetName(const String& NewName) {
    if (name_ == NewName) return;
    if (!NewName.isEmpty() && !IsValidIdent(NewName))
        throw EComponentError(QStringLiteral("'%1' is not a valid component name").arg(NewName));
    if (owner_) owner_->ValidateRename(this, name_, NewName);
    else ValidateRename(nullptr, name_, NewName);
    name_ = NewName;
    setObjectName(NewName);
}

void TComponent::ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName) {
    // Also checked for a component that is about to join: its name must not clash with the new siblings.
    if (AComponent && CurName.compare(NewName, Qt::CaseInsensitive) != 0 && FindComponent(NewName))
        throw EComponentError(QStringLiteral("A component named %1 already exists").arg(NewName));
}

void TComponent::ValidateInsert(TComponent*) {}

TComponent* TComponent::FindComponent(const String& AName) const {
    if (AName.isEmpty()) return nullptr;
    for (TComponent* c : components_)
        if (c->name_.compare(AName, Qt::CaseInsensitive) == 0) return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
    ValidateInsert(AComponent);
    if (!AComponent->name_.isEmpty()) ValidateRename(AComponent, String(), AComponent->name_);
    Insert(AComponent);
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    Notification(AComponent, opRemove);
    Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent) {
    components_.append(AComponent);
    AComponent->owner_ = this;
}

void TComponent::Remove(TComponent* AComponent) {
    AComponent->owner_ = nullptr;
    components_.removeOne(AComponent);
}

void TComponent::DestroyComponents() {
    // The last made goes first, as the platform does.
    while (!components_.isEmpty()) {
        TComponent* instance = components_.last();
        Remove(instance);
        instance->Free();
    }
}

void TComponent::Destroying() {
    if (state_ & csDestroying) return;
    state_ |= csDestroying;
    for (TComponent* c : components_) c->Destroying();
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this) return;
    // Both sides hear of the other's end, also among siblings, so no reference outlives its target.
    if (!freeNotifies_.contains(AComponent)) freeNotifies_.append(AComponent);
    if (!AComponent->freeNotifies_.contains(this)) AComponent->freeNotifies_.append(this);
    state_ |= csFreeNotification;
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    freeNotifies_.removeAll(AComponent);
    if (AComponent) AComponent->freeNotifies_.removeAll(this);
    if (freeNotifies_.isEmpty()) state_ &= ~TComponentState(csFreeNotification);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
    // A copy: a handler may free or insert components while the notice travels.
    const QList<TComponent*> children = components_;
    for (TComponent* c : children)
        if (components_.contains(c)) c->Notification(AComponent, Operation);
}

String TComponent::GetNamePath() const { return name_; }

void TComponent::SetComponentStateFlag(TComponentStateFlag Flag, bool On) {
    if (On) state_ |= Flag;
    else state_ &= ~TComponentState(Flag);
}

void TComponent::SetDesigning(bool Value, bool SetChildren) {
    SetComponentStateFlag(csDesigning, Value);
    if (SetChildren)
        for (TComponent* c : components_) c->SetDesigning(Value, true);
}

void TComponent::Loaded() { SetComponentStateFlag(csLoading, false); }

void TComponent::EndLoading() { Loaded(); }
