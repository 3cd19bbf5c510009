#pragma once
// Hooks (components that attach themselves to something and can be switched on and off) and the
// base of the library's dialog components.
#include <optional>

#include "vcl/Classes.h"
#include "vcl/classes/Published.h"

// A component that hooks itself into something while it is Active. Active is true from the start,
// yet nothing is hooked until Active changes (or, for component hooks, a component is assigned).
// A hook read from a form resource only records Active while loading and applies it when loading
// ends; freeing the hook unhooks it.
class TmoxCustomHook : public TComponent {
    Q_OBJECT
public:
    explicit TmoxCustomHook(TComponent* AOwner);
    // Unhooks while the descendant that knows how is still whole.
    void BeforeDestruction() override;

    bool Active() const { return active_; }
    // While loading only the wanted value is recorded. Otherwise a change calls Hook (true) or Unhook
    // (false) when CanHook; Active takes the value either way.
    void SetActive(bool Value);

    void Loaded() override;

protected:
    virtual bool CanHook() const { return true; }
    virtual void Hook() = 0;
    virtual void Unhook() = 0;
    // The Active value recorded while loading (Active itself until loading records another).
    bool StreamedActive() const { return streamedActive_; }

private:
    bool active_ = true;
    bool streamedActive_ = true;
    // Whether Hook ran last (and not Unhook): a form resource's Active is applied from what is hooked.
    bool hooked_ = false;
};

// A hook attached to a component it does not own; it hears of that component's end and lets go.
class TmoxCustomComponentHook : public TmoxCustomHook {
    Q_OBJECT
public:
    explicit TmoxCustomComponentHook(TComponent* AOwner);

    TComponent* Component() const { return component_; }
    // Unhooks the old component and hooks the new one, keeping the wanted Active state.
    void SetComponent(TComponent* Value);

protected:
    // A component that is set, on a hook that is not being designed.
    bool CanHook() const override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TComponent* component_ = nullptr;
};

// The base of the dialog components. Execute shows the dialog modally and says whether the user
// accepted it; a dialog gives its form Title as caption and its HelpContext, and shows the form's
// Help button only when HelpContext is not 0.
class TmoxCustomDialog : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Title READ Title WRITE SetTitle)
    MOX_STORED(Title, IsTitleStored)
    Q_PROPERTY(int HelpContext READ HelpContext WRITE SetHelpContext)
    MOX_DEFAULT(HelpContext, 0)
public:
    explicit TmoxCustomDialog(TComponent* AOwner);

    // The default title until a title is set. A C++ constructor cannot reach the default title of a
    // derived class, so the title is taken from GetDefaultTitle when it is asked for.
    String Title() const { return title_ ? *title_ : GetDefaultTitle(); }
    void SetTitle(const String& Value) { title_ = Value; }
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int Value) { helpContext_ = Value; }

    virtual bool Execute() = 0;

protected:
    virtual String GetDefaultTitle() const { return String(); }
    Q_INVOKABLE bool IsTitleStored() const { return Title() != GetDefaultTitle(); }

private:
    std::optional<String> title_;
    int helpContext_ = 0;
};
