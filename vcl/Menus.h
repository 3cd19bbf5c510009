#pragma once
// Menus: items, main and popup menus, and keyboard shortcuts.
#include "vcl/menus/Menu.h"
#include "vcl/menus/MenuItem.h"
#include "vcl/menus/MenusConsts.h"
#include "vcl/menus/PopupMenu.h"
#include "vcl/menus/ShortCuts.h"
