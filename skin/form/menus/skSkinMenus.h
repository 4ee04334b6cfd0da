#pragma once
// The skinned menus: the popup menu engine with its levels and items, the hint window and the
// image-grid menu.
#include "skin/form/menus/SkinHintWindow.h"
#include "skin/form/menus/SkinImagesMenu.h"
#include "skin/form/menus/SkinMenu.h"
#include "skin/form/menus/SkinMenuItem.h"
#include "skin/form/menus/SkinPopupWindow.h"
