#include "vcl/menus/PopupMenu.h"

#include <QMenu>

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

void TPopupMenu::SetPopupComponent(TComponent* Value) {
    if (Value == popupComponent_) return;
    if (popupComponent_) popupComponent_->RemoveFreeNotification(this);
    popupComponent_ = Value;
    if (popupComponent_) popupComponent_->FreeNotification(this);
}

QMenu* TPopupMenu::Menu() const { return qobject_cast<QMenu*>(Items()->ItemsWidget()); }

void TPopupMenu::Popup(int X, int Y) {
    popupPoint_ = Point(X, Y);
    DoPopup(this);
    QMenu* menu = Menu();
    if (Items()->Count() == 0) return;
    QPoint at(X, Y);
    const int width = menu->sizeHint().width();
    if (alignment_ == paRight) at.rx() -= width;
    else if (alignment_ == paCenter) at.rx() -= width / 2;
    menu->popup(at);
}

void TPopupMenu::DoPopup(TObject* Sender) {
    if (OnPopup) OnPopup(Sender);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TMenu::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == popupComponent_) popupComponent_ = nullptr;
}
