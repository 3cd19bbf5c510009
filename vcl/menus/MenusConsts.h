#pragma once
// The messages of the menus unit.
namespace MenusConsts {
inline constexpr const char* SMenuIndexError = "Menu index out of range";
inline constexpr const char* SMenuReinserted = "Menu inserted twice";
inline constexpr const char* SMenuNotFound = "Sub-menu is not in menu";
inline constexpr const char* SMenuInsertedIntoItself = "A menu item cannot be inserted into itself";
} // namespace MenusConsts
