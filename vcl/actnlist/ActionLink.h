#pragma once
// The link of a client that shows a standard action. A client class derives its own link and says
// for each property whether it still follows the action: a client whose caption was changed by
// hand keeps its own caption when the action's changes.
#include "vcl/actnlist/Action.h"

class TActionLink : public TBasicActionLink {
public:
    using TBasicActionLink::TBasicActionLink;

    TCustomAction* CustomAction() const { return qobject_cast<TCustomAction*>(Action()); }

    // The action is about to take the value; a linked client takes it too.
    virtual void SetAutoCheck(bool Value) { (void)Value; }
    virtual void SetCaption(const String& Value) { (void)Value; }
    virtual void SetChecked(bool Value) { (void)Value; }
    virtual void SetEnabled(bool Value) { (void)Value; }
    virtual void SetGroupIndex(int Value) { (void)Value; }
    virtual void SetHelpContext(int Value) { (void)Value; }
    virtual void SetHint(const String& Value) { (void)Value; }
    virtual void SetImageIndex(int Value) { (void)Value; }
    virtual void SetShortCut(TShortCut Value) { (void)Value; }
    virtual void SetVisible(bool Value) { (void)Value; }

protected:
    // Whether the client still shows the action's value; true here whenever the action is a
    // standard one, narrowed by the client's link.
    virtual bool IsAutoCheckLinked() const { return CustomAction(); }
    virtual bool IsCaptionLinked() const { return CustomAction(); }
    virtual bool IsCheckedLinked() const { return CustomAction(); }
    virtual bool IsEnabledLinked() const { return CustomAction(); }
    virtual bool IsGroupIndexLinked() const { return CustomAction(); }
    virtual bool IsHelpContextLinked() const { return CustomAction(); }
    virtual bool IsHintLinked() const { return CustomAction(); }
    virtual bool IsImageIndexLinked() const { return CustomAction(); }
    virtual bool IsShortCutLinked() const { return CustomAction(); }
    virtual bool IsVisibleLinked() const { return CustomAction(); }
};
