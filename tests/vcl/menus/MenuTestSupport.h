#pragma once
// Menus as a user meets them: a popup menu shown offscreen, clicked and walked with keys.
#include <QAction>
#include <QMenu>
#include <QTest>

#include "vcl/Menus.h"

namespace mox::test {

inline TMenuItem* AddItem(TMenuItem* Parent, const QString& Caption, TComponent* Owner = nullptr) {
    auto* item = new TMenuItem(Owner);
    item->SetCaption(Caption);
    Parent->Add(item);
    return item;
}

// Shows the Qt menu that holds the item, then clicks the item with the mouse.
inline void ClickItem(TMenuItem* Item) {
    QMenu* menu = Item->Parent()->SubMenu();
    ASSERT_NE(menu, nullptr);
    if (!menu->isVisible()) menu->popup(QPoint(20, 20));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    const QRect where = menu->actionGeometry(Item->Handle());
    ASSERT_TRUE(where.isValid());
    QTest::mouseClick(menu, Qt::LeftButton, {}, where.center());
}

} // namespace mox::test
