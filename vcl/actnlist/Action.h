#pragma once
// Actions kept in an action list, and the standard action with what its clients show.
#include "vcl/actnlist/BasicAction.h"
#include "vcl/classes/Published.h"
#include "vcl/menus/ShortCuts.h"

class TActionLink;
class TCustomActionList;

// An action that belongs to an action list; in a form resource it is nested inside its list.
class TContainedAction : public TBasicAction {
    Q_OBJECT
    Q_PROPERTY(QString Category READ Category WRITE SetCategory)
public:
    explicit TContainedAction(TComponent* AOwner);
    ~TContainedAction() override;

    TCustomActionList* ActionList() const { return actionList_; }
    void SetActionList(TCustomActionList* Value);
    String Category() const { return category_; }
    void SetCategory(const String& Value);
    // The action's place in its list; -1 without a list.
    int Index() const;
    void SetIndex(int Value);

    // Asks the list's OnExecute, then the application's, then the action's own OnExecute.
    bool Execute() override;
    bool Update() override;

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* Value) override;

private:
    friend class TCustomActionList;
    TCustomActionList* actionList_ = nullptr;
    String category_;
};

// The action that menu items and controls show: caption, hint, state and shortcut.
class TCustomAction : public TContainedAction {
    Q_OBJECT
public:
    explicit TCustomAction(TComponent* AOwner);

    bool AutoCheck() const { return autoCheck_; }
    void SetAutoCheck(bool Value);
    String Caption() const { return caption_; }
    void SetCaption(const String& Value);
    // Checking an action of a group (GroupIndex > 0) unchecks the others of its list and group.
    bool Checked() const { return checked_; }
    void SetChecked(bool Value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool Value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int Value);
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int Value);
    String Hint() const { return hint_; }
    void SetHint(const String& Value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int Value);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut Value);
    bool Visible() const { return visible_; }
    void SetVisible(bool Value);

    // Brings the state up to date, then runs the action when it is enabled (toggling Checked first
    // with AutoCheck). False when the action is disabled or nothing handled it.
    bool Execute() override;
    // What a shortcut of the action does: Execute.
    virtual bool HandleShortCut() { return Execute(); }

private:
    template <class T, class V, class P> void Put(T& Field, const V& Value, void (TActionLink::*Tell)(P));

    bool autoCheck_ = false;
    String caption_;
    bool checked_ = false;
    bool enabled_ = true;
    int groupIndex_ = 0;
    int helpContext_ = 0;
    String hint_;
    int imageIndex_ = -1;
    TShortCut shortCut_ = scNone;
    bool visible_ = true;
};

class TAction : public TCustomAction {
    Q_OBJECT
    Q_PROPERTY(bool AutoCheck READ AutoCheck WRITE SetAutoCheck)
    MOX_DEFAULT(AutoCheck, False)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Checked READ Checked WRITE SetChecked)
    MOX_DEFAULT(Checked, False)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    MOX_DEFAULT(Enabled, True)
    Q_PROPERTY(int GroupIndex READ GroupIndex WRITE SetGroupIndex)
    MOX_DEFAULT(GroupIndex, 0)
    Q_PROPERTY(int HelpContext READ HelpContext WRITE SetHelpContext)
    MOX_DEFAULT(HelpContext, 0)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(int ImageIndex READ ImageIndex WRITE SetImageIndex)
    MOX_DEFAULT(ImageIndex, -1)
    Q_PROPERTY(TShortCut ShortCut READ ShortCut WRITE SetShortCut)
    MOX_DEFAULT(ShortCut, 0)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    MOX_DEFAULT(Visible, True)
public:
    Q_INVOKABLE explicit TAction(TComponent* AOwner);
};
