#pragma once
// What the menu speed button needs of the skinned menus that the form frame provides: a popup
// menu and an image-grid menu that open below a screen rectangle and say whether they opened.
// The form frame's menus derive from these and implement the opening (the image grid is
// TskSkinImagesMenu in skin/form/menus).
#include "platform/rtl/String.h"
#include "platform/vcl/Forward.h"
#include "platform/vcl/Menus.h"
#include "skin/core/Forward.h"

#include <functional>
#include <vector>

namespace vd {

// A popup menu shown by the skinned menu engine of a form frame: the frame of PopupForm, else of
// the owner or the owner's owner when that is a form. Without a frame nothing opens.
class TskSkinPopupMenu : public TPopupMenu {
public:
    explicit TskSkinPopupMenu(TComponent* AOwner);

    // Filled from the frame at the first popup when left empty.
    TskSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TskSkinData* Value);
    TCustomForm* PopupForm() const { return FPopupForm; }
    void SetPopupForm(TCustomForm* Value);
    // Handed to the engine with each popup; called once when that menu closes.
    TNotifyEvent OnMenuClose;

    // At a screen point, no opener.
    void Popup(int X, int Y) override;
    // At a screen point for Control, which hears 1228 when the menu closes and 1229 after a
    // command; nothing without a skin object.
    bool PopupAtControl(TControl* Control, int X, int Y);
    // Opens the menu for Control below R (screen coordinates; Flag 0: below, else above when
    // there is room). Returns whether a menu opened; when one did, message 1228 reaches Control
    // once it closes.
    virtual bool PopupFromRect(TControl* Control, const TRect& R, int Flag);
    // The same without an opener (the caption objects' menus).
    bool PopupAtRect(const TRect& R, bool Above);

    // How the menus are shown: the form frame's menus install it. Returns whether a menu opened.
    using TShowRoute = std::function<bool(TskSkinPopupMenu& Menu, TControl* Opener, const TRect& R,
                                          bool Above, bool NeedsSkin)>;
    static void SetShowRoute(TShowRoute Route);

    bool SetProperty(const String& name, const TPropValue& value) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;

private:
    bool Show(TControl* Opener, const TRect& R, bool Above, bool NeedsSkin);
    TComponentLink<TskSkinData> FSkinData{this};
    TComponentLink<TCustomForm> FPopupForm{this};
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

    TComponentLink<TCustomImageList> Images{this};
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
