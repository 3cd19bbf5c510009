#include "vcl/actnlist/Action.h"

#include "vcl/actnlist/ActionLink.h"
#include "vcl/actnlist/ActionList.h"
#include "vcl/forms/Application.h"

TContainedAction::TContainedAction(TComponent* AOwner) : TBasicAction(AOwner) {}

TContainedAction::~TContainedAction() { SetActionList(nullptr); }

void TContainedAction::SetActionList(TCustomActionList* Value) {
    if (Value == actionList_) return;
    if (actionList_) actionList_->RemoveAction(this);
    if (Value) Value->AddAction(this);
}

void TContainedAction::SetCategory(const String& Value) {
    if (Value == category_) return;
    category_ = Value;
    if (actionList_) actionList_->Change();
}

int TContainedAction::Index() const { return actionList_ ? actionList_->IndexOfAction(this) : -1; }

void TContainedAction::SetIndex(int Value) {
    if (actionList_) actionList_->MoveAction(this, Value);
}

bool TContainedAction::Execute() {
    if (actionList_ && actionList_->ExecuteAction(this)) return true;
    if (Application && Application->ExecuteAction(this)) return true;
    return TBasicAction::Execute();
}

bool TContainedAction::Update() {
    if (actionList_ && actionList_->UpdateAction(this)) return true;
    if (Application && Application->UpdateAction(this)) return true;
    return TBasicAction::Update();
}

TComponent* TContainedAction::GetParentComponent() const { return actionList_; }

void TContainedAction::SetParentComponent(TComponent* Value) {
    if (auto* list = qobject_cast<TCustomActionList*>(Value)) SetActionList(list);
}

TCustomAction::TCustomAction(TComponent* AOwner) : TContainedAction(AOwner) {}

// Each setter tells the clients' links before it stores the value, so that a link can still see
// whether its client showed the old one.
template <class T, class V, class P>
void TCustomAction::Put(T& Field, const V& Value, void (TActionLink::*Tell)(P)) {
    if (Value == Field) return;
    ForEachLink<TActionLink>([&](TActionLink* l) { (l->*Tell)(Value); });
    Field = Value;
    Change();
}

void TCustomAction::SetAutoCheck(bool Value) { Put(autoCheck_, Value, &TActionLink::SetAutoCheck); }

void TCustomAction::SetCaption(const String& Value) { Put(caption_, Value, &TActionLink::SetCaption); }

void TCustomAction::SetChecked(bool Value) {
    if (Value == checked_) return;
    ForEachLink<TActionLink>([&](TActionLink* l) { l->SetChecked(Value); });
    checked_ = Value;
    if (Value && groupIndex_ > 0 && ActionList()) {
        for (int i = 0; i < ActionList()->ActionCount(); ++i) {
            auto* other = qobject_cast<TCustomAction*>(ActionList()->Actions(i));
            if (other && other != this && other->groupIndex_ == groupIndex_) other->SetChecked(false);
        }
    }
    Change();
}

void TCustomAction::SetEnabled(bool Value) { Put(enabled_, Value, &TActionLink::SetEnabled); }

void TCustomAction::SetGroupIndex(int Value) { Put(groupIndex_, Value, &TActionLink::SetGroupIndex); }

void TCustomAction::SetHelpContext(int Value) { Put(helpContext_, Value, &TActionLink::SetHelpContext); }

void TCustomAction::SetHint(const String& Value) { Put(hint_, Value, &TActionLink::SetHint); }

void TCustomAction::SetImageIndex(int Value) { Put(imageIndex_, Value, &TActionLink::SetImageIndex); }

void TCustomAction::SetShortCut(TShortCut Value) { Put(shortCut_, Value, &TActionLink::SetShortCut); }

void TCustomAction::SetVisible(bool Value) { Put(visible_, Value, &TActionLink::SetVisible); }

bool TCustomAction::Execute() {
    Update();
    if (!enabled_) return false;
    if (autoCheck_) SetChecked(!checked_);
    return TContainedAction::Execute();
}

TAction::TAction(TComponent* AOwner) : TCustomAction(AOwner) {}
