#pragma once
// What the menu speed button needs of the skinned menus that the form frame provides: a popup
// menu and an image-grid menu that open below a screen rectangle and say whether they opened.
// The form frame's menus derive from these and implement the opening (the image grid is
// TskSkinImagesMenu in skin/form/menus).
#include "platform/rtl/String.h"
#include "platform/vcl/Menus.h"

#include <vector>

namespace vd {

class TControl;
class TCustomImageList;

class TskSkinPopupMenu : public TPopupMenu {
public:
    explicit TskSkinPopupMenu(TComponent* AOwner) : TPopupMenu(AOwner) {}
    // Opens the menu for Control below R (screen coordinates; Flag 0: below). Returns whether a
    // menu opened; when one did, message 1228 reaches Control once it closes.
    virtual bool PopupFromRect(TControl* Control, const TRect& R, int Flag) = 0;
};

struct TskImagesMenuItem {
    int ImageIndex = -1;
    String Caption;
    TNotifyEvent OnClick;
    bool Button = false; // a full-width button row instead of a cell
    String Hint;
};

class TskImagesMenuLink : public TComponent {
public:
    explicit TskImagesMenuLink(TComponent* AOwner) : TComponent(AOwner) {}

    TCustomImageList* Images = nullptr;
    int ItemIndex = -1;
    std::vector<TskImagesMenuItem> ImagesItems;

    // The item at ItemIndex, or null outside the list.
    const TskImagesMenuItem* GetSelectedItem() const {
        if (ItemIndex < 0 || ItemIndex >= static_cast<int>(ImagesItems.size())) return nullptr;
        return &ImagesItems[static_cast<size_t>(ItemIndex)];
    }
    // Opens the grid below R (screen coordinates). Returns whether a grid opened; when one did,
    // OnInternalMenuClose follows once it closes.
    virtual bool PopupFromRect(const TRect& R) = 0;

    TNotifyEvent OnInternalMenuClose;
    TNotifyEvent OnInternalChange;
};

} // namespace vd
