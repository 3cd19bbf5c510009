#include "vcl/actnlist/BasicAction.h"

#include <QPointer>

TBasicActionLink::TBasicActionLink(TObject* AClient) : client_(AClient) {}

TBasicActionLink::~TBasicActionLink() { SetAction(nullptr); }

void TBasicActionLink::SetAction(TBasicAction* Value) {
    if (Value == action_) return;
    if (action_) action_->clients_.removeAll(this);
    action_ = Value;
    if (action_) action_->clients_.append(this);
}

bool TBasicActionLink::Execute(TComponent* AComponent) {
    if (!action_) return false;
    TBasicAction* action = action_;
    action->SetActionComponent(AComponent);
    // The handler may free the client or the action; the component is cleared only if both live.
    struct Reset {
        QPointer<TBasicAction> action;
        ~Reset() {
            if (action) action->SetActionComponent(nullptr);
        }
    } reset{action};
    return action->Execute();
}

bool TBasicActionLink::Update() { return action_ && action_->Update(); }

void TBasicActionLink::Change() {
    if (OnChange) OnChange(action_);
}

TBasicAction::TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}

TBasicAction::~TBasicAction() {
    while (!clients_.isEmpty()) clients_.takeLast()->action_ = nullptr;
}

bool TBasicAction::Execute() {
    if (!OnExecute) return false;
    OnExecute(this);
    return true;
}

bool TBasicAction::Update() {
    if (!OnUpdate) return false;
    OnUpdate(this);
    return true;
}

void TBasicAction::SetActionComponent(TComponent* Value) {
    if (Value == actionComponent_) return;
    if (actionComponent_) actionComponent_->RemoveFreeNotification(this);
    actionComponent_ = Value;
    if (actionComponent_) actionComponent_->FreeNotification(this);
}

void TBasicAction::Change() {
    ForEachLink<TBasicActionLink>([](TBasicActionLink* link) { link->Change(); });
}

void TBasicAction::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == actionComponent_) actionComponent_ = nullptr;
}
