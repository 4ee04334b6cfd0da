#pragma once
// What a form frame asks of its main menu bar. The bar lives in a library above the frame, so the
// frame knows it only through this interface: the keyboard's menu mode, accelerators, the menu
// engine closing, and the multiple-document changes (a child maximized or activated).
#include "platform/vcl/Forward.h"

namespace vd {

class TskMenuBarLink {
public:
    virtual ~TskMenuBarLink() = default;

    // Alt alone: the bar highlights an item and switches the frame into menu-bar mode.
    virtual void EnterMenuMode() = 0;
    // Menu-bar mode ended: no item stays highlighted or pressed.
    virtual void LeaveMenuMode() = 0;
    // The menu of the pressed item closed while menu-bar mode goes on.
    virtual void MenuClosed() = 0;
    virtual void SelectNextItem() = 0;
    virtual void SelectPreviousItem() = 0;
    // Enter or Down: opens the highlighted item; false when none was opened.
    virtual bool OpenHotItem() = 0;
    // An item whose caption has Key (a virtual key code) as its accelerator; false for none.
    virtual bool AcceleratorKey(unsigned Key) = 0;

    // A child of the multiple-document main form was maximized / no longer is / was activated.
    virtual void ShowChildButtons() = 0;
    virtual void HideChildButtons() = 0;
    virtual void UpdateItems() = 0;

    // The menus whose shortcuts the frame checks: the bar's own and the merged child's.
    virtual TMainMenu* BarMainMenu() const = 0;
    virtual TMainMenu* BarChildMenu() const = 0;
    // Whether the bar shows a child's menu or the child's buttons.
    virtual bool HasChildMenu() const = 0;
    virtual bool ChildButtonsVisible() const = 0;
};

} // namespace vd
