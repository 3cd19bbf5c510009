#include "vcl/menus/Menu.h"

#include <QMenuBar>

namespace {
TMenuItem* FindByShortCut(const TMenuItem* Parent, TShortCut ShortCut) {
    for (int i = 0; i < Parent->Count(); ++i) {
        TMenuItem* item = Parent->Items(i);
        if (item->ShortCut() == ShortCut) return item;
        if (TMenuItem* found = FindByShortCut(item, ShortCut)) return found;
    }
    return nullptr;
}
} // namespace

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), items_(new TMenuItem(nullptr)) { items_->menu_ = this; }

TMenu::~TMenu() { delete items_; }

void TMenu::BeforeDestruction() {
    items_->FreeItems();
    TComponent::BeforeDestruction();
}

TMenuItem* TMenu::FindItem(TShortCut ShortCut) const {
    return ShortCut == scNone ? nullptr : FindByShortCut(items_, ShortCut);
}

bool TMenu::IsShortCut(TShortCut ShortCut) {
    TMenuItem* item = FindItem(ShortCut);
    if (!item) return false;
    for (TMenuItem* p = item; p && p != items_; p = p->Parent()) {
        p->InitiateAction();
        if (!p->Enabled()) return false;
    }
    item->Click();
    return true;
}

void TMenu::GetChildren(const TGetChildProc& Proc, TComponent* Root) const { items_->GetChildren(Proc, Root); }

TMainMenu::TMainMenu(TComponent* AOwner) : TMenu(AOwner), bar_(new QMenuBar) {}

TMainMenu::~TMainMenu() {
    Items()->FreeItems();
    delete bar_.data();
}

QWidget* TMainMenu::ItemsWidget() { return bar_; }
