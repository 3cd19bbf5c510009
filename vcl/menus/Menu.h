#pragma once
// A menu component: the items under one root item, and the form's main menu shown in a QMenuBar.
#include <QMenuBar>
#include <QPointer>

#include "vcl/menus/MenuItem.h"

class TMenu : public TComponent {
    Q_OBJECT
public:
    explicit TMenu(TComponent* AOwner);
    // Frees the items.
    ~TMenu() override;
    void BeforeDestruction() override;

    // The root item; its items are the menu's.
    TMenuItem* Items() const { return items_; }
    // The first item, depth first, with that shortcut; none for scNone.
    TMenuItem* FindItem(TShortCut ShortCut) const;
    // Clicks the item with that shortcut when it and every item above it are enabled (their actions
    // brought up to date first); true when it was clicked.
    virtual bool IsShortCut(TShortCut ShortCut);
    bool IsShortCut(Word Key, TShiftState Shift) { return IsShortCut(::ShortCut(Key, Shift)); }

    void GetChildren(const TGetChildProc& Proc, TComponent* Root) const override;

protected:
    friend class TMenuItem;
    // Where the root's items appear; none lets the root item hold them in a Qt menu of its own.
    virtual QWidget* ItemsWidget() { return nullptr; }

private:
    TMenuItem* items_;
};

class TMainMenu : public TMenu {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TMainMenu(TComponent* AOwner);
    ~TMainMenu() override;

    // The bar that shows the items; the form puts it into its window.
    QMenuBar* MenuBar() const { return bar_; }

protected:
    QWidget* ItemsWidget() override;

private:
    QPointer<QMenuBar> bar_;
};
