#pragma once
// A menu item: a command, a separator ("-") or a submenu of items, shown through a QAction (and
// a QMenu once it has items of its own). Its shortcut is shown in the menu; the form runs it.
#include <QList>
#include <QMenu>
#include <QPointer>
#include <memory>

#include "vcl/System.h"
#include "vcl/actnlist/ActionClientLink.h"
#include "vcl/classes/Component.h"
#include "vcl/classes/Events.h"
#include "vcl/classes/Published.h"
#include "vcl/menus/ShortCuts.h"

class QAction;
class QWidget;
class TMenu;
class TMenuItem;

MOX_DECLARE_EXCEPTION(EMenuError, Exception);

using TMenuActionLink = TActionClientLink<TMenuItem>;

class TMenuItem : public TComponent {
    Q_OBJECT
    Q_PROPERTY(TBasicAction* Action READ Action WRITE SetAction)
    Q_PROPERTY(bool AutoCheck READ AutoCheck WRITE SetAutoCheck)
    MOX_DEFAULT(AutoCheck, False)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Checked READ Checked WRITE SetChecked)
    MOX_DEFAULT(Checked, False)
    Q_PROPERTY(bool Default READ Default WRITE SetDefault)
    MOX_DEFAULT(Default, False)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    MOX_DEFAULT(Enabled, True)
    Q_PROPERTY(int GroupIndex READ GroupIndex WRITE SetGroupIndex)
    MOX_DEFAULT(GroupIndex, 0)
    Q_PROPERTY(int HelpContext READ HelpContext WRITE SetHelpContext)
    MOX_DEFAULT(HelpContext, 0)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(int ImageIndex READ ImageIndex WRITE SetImageIndex)
    MOX_DEFAULT(ImageIndex, -1)
    Q_PROPERTY(bool RadioItem READ RadioItem WRITE SetRadioItem)
    MOX_DEFAULT(RadioItem, False)
    Q_PROPERTY(TShortCut ShortCut READ ShortCut WRITE SetShortCut)
    MOX_DEFAULT(ShortCut, 0)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    MOX_DEFAULT(Visible, True)
    MOX_EVENT(TNotifyEvent, OnClick)
public:
    Q_INVOKABLE explicit TMenuItem(TComponent* AOwner);
    // Frees the items of this one and leaves its parent.
    ~TMenuItem() override;
    void BeforeDestruction() override;

    TBasicAction* Action() const;
    // Linking an action gives the item the action's caption, state, hint and shortcut (while the
    // item is read from a form resource only where the item kept its defaults); a click runs it.
    void SetAction(TBasicAction* Value);
    bool AutoCheck() const { return autoCheck_; }
    void SetAutoCheck(bool Value) { autoCheck_ = Value; }
    String Caption() const { return caption_; }
    void SetCaption(const String& Value);
    // Checking a radio item unchecks the radio items of its group under the same parent.
    bool Checked() const { return checked_; }
    void SetChecked(bool Value);
    // The default item is shown in bold.
    bool Default() const { return default_; }
    void SetDefault(bool Value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool Value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int Value);
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int Value) { helpContext_ = Value; }
    String Hint() const { return hint_; }
    void SetHint(const String& Value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int Value) { imageIndex_ = Value; }
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool Value);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut Value);
    bool Visible() const { return visible_; }
    void SetVisible(bool Value);

    int Count() const { return int(items_.size()); }
    // Raises EMenuError "Menu index out of range" for a bad index.
    TMenuItem* Items(int Index) const;
    int IndexOf(const TMenuItem* Item) const { return int(items_.indexOf(const_cast<TMenuItem*>(Item))); }
    // Raises EMenuError when the item already has a parent, is this item or holds it.
    void Add(TMenuItem* Item) { Insert(Count(), Item); }
    void Insert(int Index, TMenuItem* Item);
    // Takes the item out without freeing it.
    void Delete(int Index);
    // Raises EMenuError "Sub-menu is not in menu" for an item of another parent.
    void Remove(TMenuItem* Item);
    // Frees every item of this one.
    void Clear();
    // The item whose caption without "&" is ACaption, compared without regard to case.
    TMenuItem* Find(const String& ACaption) const;
    TMenuItem* Parent() const { return parent_; }
    int MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }
    void SetMenuIndex(int Value);
    // The menu this item belongs to, through its parents.
    TMenu* GetParentMenu() const;
    bool IsLine() const { return caption_ == QStringLiteral("-"); }

    // What choosing the item does: toggles Checked with AutoCheck (unless an action does that),
    // then OnClick, or the action when OnClick was not set by hand. Nothing for a disabled item.
    virtual void Click();
    // Brings the linked action's state up to date.
    virtual void InitiateAction();

    // The Qt action that shows the item, and the Qt menu of its items (none without items).
    QAction* Handle() const { return action_.get(); }
    QMenu* SubMenu() const { return subMenu_; }

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* Value) override;
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) const override;

protected:
    TMenuActionLink* ActionLink() const { return actionLink_.get(); }
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TMainMenu;
    friend class TMenu;
    friend class TPopupMenu;
    void FreeItems();
    void LeaveParent();
    // Where the items of this one appear: the menu's own widget for the root of a main menu,
    // else the item's Qt menu, made on demand.
    QWidget* ItemsWidget();
    void DropSubMenuWhenEmpty();
    void Triggered();
    void TurnSiblingsOff();
    void UpdateCheckMark();

    std::unique_ptr<QAction> action_;
    QPointer<QMenu> subMenu_;
    std::unique_ptr<TMenuActionLink> actionLink_;
    QList<TMenuItem*> items_;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr; // set on the root item of a menu
    bool autoCheck_ = false;
    String caption_;
    bool checked_ = false;
    bool default_ = false;
    bool enabled_ = true;
    int groupIndex_ = 0;
    int helpContext_ = 0;
    String hint_;
    int imageIndex_ = -1;
    bool radioItem_ = false;
    TShortCut shortCut_ = scNone;
    bool visible_ = true;
};
