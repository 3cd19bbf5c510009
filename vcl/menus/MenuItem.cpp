#include "vcl/menus/MenuItem.h"

#include <QAction>
#include <QFont>
#include <QMenu>

#include "vcl/classes/ExceptionDisplay.h"
#include "vcl/forms/Application.h"
#include "vcl/menus/Menu.h"
#include "vcl/menus/MenusConsts.h"

namespace {
// A caption as the user reads it: "&" marks the accelerator, "&&" is one "&".
String StripHotkey(const String& Caption) {
    String text;
    for (qsizetype i = 0; i < Caption.size(); ++i) {
        if (Caption[i] == QLatin1Char('&')) {
            if (i + 1 < Caption.size() && Caption[i + 1] == QLatin1Char('&')) text += Caption[++i];
            continue;
        }
        text += Caption[i];
    }
    return text;
}

// The status-bar part of a "short|long" hint.
String LongHintOf(const String& Hint) {
    const qsizetype bar = Hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? Hint : Hint.mid(bar + 1);
}

void ShowHint(const String& Hint) {
    if (Application) Application->SetHint(Hint);
}
} // namespace

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), action_(std::make_unique<QAction>()) {
    action_->setShortcutContext(Qt::WidgetShortcut); // shown in the menu; the form runs shortcuts itself
    QObject::connect(action_.get(), &QAction::triggered, this, [this] { Triggered(); });
    QObject::connect(action_.get(), &QAction::hovered, this, [this] { ShowHint(LongHintOf(hint_)); });
}

TMenuItem::~TMenuItem() {
    FreeItems();
    LeaveParent();
    actionLink_.reset();
    delete subMenu_.data();
}

void TMenuItem::BeforeDestruction() {
    FreeItems();
    LeaveParent();
    TComponent::BeforeDestruction();
}

void TMenuItem::FreeItems() {
    while (!items_.isEmpty()) items_.last()->Free();
}

void TMenuItem::LeaveParent() {
    if (parent_) parent_->Remove(this);
}

TBasicAction* TMenuItem::Action() const { return actionLink_ ? actionLink_->Action() : nullptr; }

void TMenuItem::SetAction(TBasicAction* Value) {
    if (Value == Action()) return;
    if (TBasicAction* old = Action()) old->RemoveFreeNotification(this);
    if (!Value) {
        actionLink_.reset();
        return;
    }
    if (!actionLink_) actionLink_ = std::make_unique<TMenuActionLink>(this);
    actionLink_->SetAction(Value);
    Value->FreeNotification(this);
    const bool checkDefaults = Value->ComponentState().testFlag(csLoading);
    actionLink_->TakeFromAction(checkDefaults);
    // The click now runs the action, unless a handler of the item's own was read with it.
    if (!checkDefaults) OnClick = nullptr;
}

void TMenuItem::SetCaption(const String& Value) {
    caption_ = Value;
    action_->setText(Value);
    action_->setSeparator(IsLine());
}

void TMenuItem::SetChecked(bool Value) {
    if (Value == checked_) return;
    checked_ = Value;
    UpdateCheckMark();
    if (Value) TurnSiblingsOff();
}

void TMenuItem::UpdateCheckMark() {
    // Only a checked item shows a mark, as the platform's menus do; Qt would draw an empty box.
    action_->setCheckable(checked_);
    action_->setChecked(checked_);
}

void TMenuItem::TurnSiblingsOff() {
    if (!radioItem_ || !checked_ || !parent_) return;
    for (TMenuItem* sibling : QList<TMenuItem*>(parent_->items_))
        if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_) sibling->SetChecked(false);
}

void TMenuItem::SetDefault(bool Value) {
    default_ = Value;
    QFont font = action_->font();
    font.setBold(Value);
    action_->setFont(font);
}

void TMenuItem::SetEnabled(bool Value) {
    enabled_ = Value;
    action_->setEnabled(Value);
}

void TMenuItem::SetGroupIndex(int Value) {
    if (Value == groupIndex_) return;
    groupIndex_ = Value;
    TurnSiblingsOff();
}

void TMenuItem::SetHint(const String& Value) { hint_ = Value; }

void TMenuItem::SetRadioItem(bool Value) {
    if (Value == radioItem_) return;
    radioItem_ = Value;
    TurnSiblingsOff();
}

void TMenuItem::SetShortCut(TShortCut Value) {
    shortCut_ = Value;
    action_->setShortcut(ShortCutToKeySequence(Value));
}

void TMenuItem::SetVisible(bool Value) {
    visible_ = Value;
    action_->setVisible(Value);
}

TMenuItem* TMenuItem::Items(int Index) const {
    if (Index < 0 || Index >= items_.size()) throw EMenuError(QString::fromLatin1(MenusConsts::SMenuIndexError));
    return items_[Index];
}

void TMenuItem::Insert(int Index, TMenuItem* Item) {
    if (!Item) return;
    if (Item->parent_) throw EMenuError(QString::fromLatin1(MenusConsts::SMenuReinserted));
    for (const TMenuItem* p = this; p; p = p->parent_)
        if (p == Item) throw EMenuError(QString::fromLatin1(MenusConsts::SMenuInsertedIntoItself));
    if (Index < 0 || Index > items_.size()) throw EMenuError(QString::fromLatin1(MenusConsts::SMenuIndexError));
    QWidget* widget = ItemsWidget();
    QAction* before = Index < items_.size() ? items_[Index]->action_.get() : nullptr;
    items_.insert(Index, Item);
    Item->parent_ = this;
    widget->insertAction(before, Item->action_.get());
    Item->TurnSiblingsOff();
}

void TMenuItem::Delete(int Index) {
    TMenuItem* item = Items(Index);
    items_.removeAt(Index);
    item->parent_ = nullptr;
    for (QObject* shown : item->action_->associatedObjects())
        if (auto* widget = qobject_cast<QWidget*>(shown)) widget->removeAction(item->action_.get());
    DropSubMenuWhenEmpty();
}

void TMenuItem::Remove(TMenuItem* Item) {
    const int index = IndexOf(Item);
    if (index < 0) throw EMenuError(QString::fromLatin1(MenusConsts::SMenuNotFound));
    Delete(index);
}

void TMenuItem::Clear() { FreeItems(); }

TMenuItem* TMenuItem::Find(const String& ACaption) const {
    // The caption asked for may be written as the user reads it or with its "&".
    const String stripped = StripHotkey(ACaption);
    for (TMenuItem* item : items_) {
        const String caption = StripHotkey(item->caption_);
        if (caption.compare(ACaption, Qt::CaseInsensitive) == 0 || caption.compare(stripped, Qt::CaseInsensitive) == 0)
            return item;
    }
    return nullptr;
}

void TMenuItem::SetMenuIndex(int Value) {
    TMenuItem* parent = parent_;
    if (!parent) return;
    const int current = parent->IndexOf(this);
    Value = qBound(0, Value, parent->Count() - 1);
    if (Value == current) return;
    parent->Delete(current);
    parent->Insert(Value, this);
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* item = this;
    while (item->parent_) item = item->parent_;
    return item->menu_;
}

QWidget* TMenuItem::ItemsWidget() {
    if (menu_)
        if (QWidget* widget = menu_->ItemsWidget()) return widget;
    if (!subMenu_) {
        subMenu_ = new QMenu;
        QObject::connect(subMenu_.data(), &QMenu::aboutToShow, this, [this] {
            // Opening a submenu is the parent item's click, so that a handler can fill it first.
            try {
                if (!menu_ && enabled_ && OnClick) OnClick(this);
                for (TMenuItem* item : QList<TMenuItem*>(items_)) item->InitiateAction();
            } catch (...) {
                ApplicationHandleException(this);
            }
        });
        QObject::connect(subMenu_.data(), &QMenu::aboutToHide, this, [] { ShowHint(String()); });
    }
    if (!menu_ && action_->menu() != subMenu_) action_->setMenu(subMenu_.data());
    return subMenu_;
}

void TMenuItem::DropSubMenuWhenEmpty() {
    // The Qt menu is kept for the next items: it may be the one being shown right now.
    if (items_.isEmpty() && !menu_) action_->setMenu(nullptr);
}

void TMenuItem::Triggered() {
    UpdateCheckMark(); // Qt toggles a checkable action by itself; the item's state decides
    QPointer<TMenuItem> self(this);
    try {
        Click();
    } catch (...) {
        ApplicationHandleException(self.data());
    }
}

void TMenuItem::Click() {
    if (!enabled_) return;
    if (!actionLink_ && autoCheck_) SetChecked(!checked_);
    if (OnClick) OnClick(this);
    else if (actionLink_ && actionLink_->Action()) actionLink_->Execute(this);
}

void TMenuItem::InitiateAction() {
    if (actionLink_) actionLink_->Update();
}

TComponent* TMenuItem::GetParentComponent() const {
    if (parent_ && parent_->menu_) return parent_->menu_;
    return parent_;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
    if (parent_) parent_->Remove(this);
    if (auto* menu = qobject_cast<TMenu*>(Value)) menu->Items()->Add(this);
    else if (auto* item = qobject_cast<TMenuItem*>(Value)) item->Add(this);
}

void TMenuItem::GetChildren(const TGetChildProc& Proc, TComponent*) const {
    for (TMenuItem* item : items_) Proc(item);
}

void TMenuItem::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent && AComponent == Action()) SetAction(nullptr);
}
