#pragma once
// The link of any client that shows a standard action: a menu item, a button, any control. Each
// property the client class has (Caption(), SetCaption(), ...) follows the action for as long as
// the client shows the action's value; properties the client lacks are left out at compile time.
#include <utility>

#include "vcl/actnlist/ActionLink.h"

// One property of the link: whether the client shows the action's value, and handing on a new one.
#define MOX_ACTION_CLIENT_PROPERTY(Prop, Type)                                                               \
protected:                                                                                                   \
    bool Is##Prop##Linked() const override {                                                                 \
        if constexpr (requires(const TClient* c) { c->Prop(); }) {                                           \
            return TActionLink::Is##Prop##Linked() && client_->Prop() == CustomAction()->Prop();             \
        } else {                                                                                             \
            return false;                                                                                    \
        }                                                                                                    \
    }                                                                                                        \
                                                                                                             \
public:                                                                                                      \
    void Set##Prop(Type Value) override {                                                                    \
        if constexpr (requires(TClient* c) { c->Set##Prop(std::declval<Type>()); }) {                                       \
            if (Is##Prop##Linked()) client_->Set##Prop(Value);                                               \
        }                                                                                                    \
    }                                                                                                        \
                                                                                                             \
private:                                                                                                     \
    void Take##Prop(const TCustomAction* Action, bool CheckDefaults, Type Default) {                         \
        if constexpr (requires(TClient* c) { c->Set##Prop(std::declval<const TCustomAction*>()->Prop()); }) {                              \
            if (!CheckDefaults || client_->Prop() == Default) client_->Set##Prop(Action->Prop());            \
        } else {                                                                                             \
            (void)Action, (void)CheckDefaults, (void)Default;                                                \
        }                                                                                                    \
    }

template <class TClient> class TActionClientLink : public TActionLink {
public:
    explicit TActionClientLink(TClient* AClient) : TActionLink(AClient), client_(AClient) {}

    TClient* ClientObject() const { return client_; }

    // Gives the client the action's values: all of them, or with CheckDefaults (while the client is
    // read from a form resource) only those the client left at their defaults.
    void TakeFromAction(bool CheckDefaults) {
        const TCustomAction* action = CustomAction();
        if (!action) return;
        TakeAutoCheck(action, CheckDefaults, false);
        TakeCaption(action, CheckDefaults, String());
        TakeChecked(action, CheckDefaults, false);
        TakeEnabled(action, CheckDefaults, true);
        TakeHelpContext(action, CheckDefaults, 0);
        TakeHint(action, CheckDefaults, String());
        TakeGroupIndex(action, CheckDefaults, 0);
        TakeImageIndex(action, CheckDefaults, -1);
        TakeShortCut(action, CheckDefaults, scNone);
        TakeVisible(action, CheckDefaults, true);
    }

    MOX_ACTION_CLIENT_PROPERTY(AutoCheck, bool)
    MOX_ACTION_CLIENT_PROPERTY(Caption, const String&)
    MOX_ACTION_CLIENT_PROPERTY(Checked, bool)
    MOX_ACTION_CLIENT_PROPERTY(Enabled, bool)
    MOX_ACTION_CLIENT_PROPERTY(GroupIndex, int)
    MOX_ACTION_CLIENT_PROPERTY(HelpContext, int)
    MOX_ACTION_CLIENT_PROPERTY(Hint, const String&)
    MOX_ACTION_CLIENT_PROPERTY(ImageIndex, int)
    MOX_ACTION_CLIENT_PROPERTY(ShortCut, TShortCut)
    MOX_ACTION_CLIENT_PROPERTY(Visible, bool)

private:
    TClient* client_;
};
#undef MOX_ACTION_CLIENT_PROPERTY
