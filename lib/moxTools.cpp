#include "lib/moxTools.h"

// ---- TmoxCustomHook

TmoxCustomHook::TmoxCustomHook(TComponent* AOwner) : TComponent(AOwner) {}

void TmoxCustomHook::BeforeDestruction() {
    SetActive(false);
    TComponent::BeforeDestruction();
}

void TmoxCustomHook::SetActive(bool Value) {
    if (ComponentState() & csLoading) {
        streamedActive_ = Value;
        return;
    }
    if (Value != active_ && CanHook()) {
        if (Value) {
            Hook();
            hooked_ = true;
        } else {
            Unhook();
            hooked_ = false;
        }
    }
    active_ = Value;
}

void TmoxCustomHook::Loaded() {
    TComponent::Loaded();
    // Nothing is hooked while loading: Active still reads true from the construction, so a streamed
    // true would otherwise find no change and the hook would never attach.
    if (!hooked_) active_ = false;
    SetActive(streamedActive_);
}

// ---- TmoxCustomComponentHook

TmoxCustomComponentHook::TmoxCustomComponentHook(TComponent* AOwner) : TmoxCustomHook(AOwner) {}

bool TmoxCustomComponentHook::CanHook() const {
    return component_ && !(ComponentState() & csDesigning);
}

void TmoxCustomComponentHook::SetComponent(TComponent* Value) {
    if (Value == component_) return;
    const bool wanted = (ComponentState() & csLoading) ? StreamedActive() : Active();
    SetActive(false);
    if (component_) RemoveFreeNotification(component_);
    component_ = Value;
    if (component_) FreeNotification(component_);
    SetActive(wanted);
}

void TmoxCustomComponentHook::Notification(TComponent* AComponent, TOperation Operation) {
    TmoxCustomHook::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent && AComponent == component_) SetComponent(nullptr);
}

// ---- TmoxCustomDialog

TmoxCustomDialog::TmoxCustomDialog(TComponent* AOwner) : TComponent(AOwner) {}
