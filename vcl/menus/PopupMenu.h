#pragma once
// The menu that pops up at a point: over a control on a right click (AutoPopup), or when asked.
#include "vcl/Types.h"
#include "vcl/menus/Menu.h"

namespace Menus {
Q_NAMESPACE
// Where the menu stands beside the point it pops up at.
enum TPopupAlignment {
    paLeft,
    paRight,
    paCenter
};
Q_ENUM_NS(TPopupAlignment)
} // namespace Menus
using namespace Menus;

class QMenu;

class TPopupMenu : public TMenu {
    Q_OBJECT
    Q_PROPERTY(Menus::TPopupAlignment Alignment READ Alignment WRITE SetAlignment)
    MOX_DEFAULT(Alignment, paLeft)
    Q_PROPERTY(bool AutoPopup READ AutoPopup WRITE SetAutoPopup)
    MOX_DEFAULT(AutoPopup, True)
    MOX_EVENT(TNotifyEvent, OnPopup)
public:
    Q_INVOKABLE explicit TPopupMenu(TComponent* AOwner);

    TPopupAlignment Alignment() const { return alignment_; }
    void SetAlignment(TPopupAlignment Value) { alignment_ = Value; }
    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool Value) { autoPopup_ = Value; }
    // The component the menu popped up for (the control that was right-clicked), or none.
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* Value);
    // Where the menu popped up last, in screen coordinates.
    TPoint PopupPoint() const { return popupPoint_; }

    // Raises OnPopup, then shows the visible items at the screen point (X, Y); the call returns at
    // once and a chosen item is clicked when the user picks it. A menu without items stays closed.
    virtual void Popup(int X, int Y);

    // The Qt menu that shows the items.
    QMenu* Menu() const;

protected:
    virtual void DoPopup(TObject* Sender);
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TPopupAlignment alignment_ = paLeft;
    bool autoPopup_ = true;
    TComponent* popupComponent_ = nullptr;
    TPoint popupPoint_{};
};
