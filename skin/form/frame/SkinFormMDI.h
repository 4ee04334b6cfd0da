#pragma once
// Multiple-document helpers of the skinned frame.
#include <vector>

namespace vd {

class TMenuItem;
class TMainMenu;

// Transparent controls on a multiple-document main form see the client window's background (its
// skinned wallpaper) rather than the form's. Every frame registers it; only the first call does.
void RegisterMDIParentBackground();

// The top-level items of a main form's menu merged with those of its active child's menu: the
// main items whose group index no child item uses, then every child item, ordered by group
// index. Items with equal group indexes keep their order (main items before child items).
// Without a child menu, the main items in order. Nulls give nothing.
std::vector<TMenuItem*> MergeMenuItems(const TMenuItem* Main, const TMenuItem* Child);

// The first main menu among the components of the application main form's active child; null
// without a multiple-document main form, an active child or a menu.
TMainMenu* ActiveChildMainMenu();

} // namespace vd
