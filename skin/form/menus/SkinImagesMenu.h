#pragma once
// TskSkinImagesMenu: a drop-down palette of image cells (and full-width button rows) that a
// skinned menu speed button opens below itself. The grid window is made for each popup and
// freed, once its handlers have unwound, when it closes; it captures the mouse, never takes the
// focus, and closes on a click outside, on keys, and on moves and activation changes.
#include "platform/vcl/CustomControl.h"
#include "platform/vcl/Font.h"
#include "platform/vcl/Forward.h"
#include "skin/controls/SkinMenuLink.h"
#include "skin/core/Forward.h"
#include "skin/core/SkinCompose.h"

#include <vector>

namespace vd {

class TskSkinHint;
class TskSkinImagesMenu;

class TskSkinImagesMenuPopupWindow : public TCustomControl {
public:
    explicit TskSkinImagesMenuPopupWindow(TskSkinImagesMenu* Menu);
    ~TskSkinImagesMenuPopupWindow() override;

    // Lays the cells out, sizes and places the window against the work area of the monitor
    // nearest R, shows it and takes the mouse.
    void Show(const TRect& R);
    // Hides the window, gives back the hook and the capture, then closes the menu.
    void HideGrid(bool Chosen);

    bool Skinned() const { return FSkinned; }
    int HotCell() const { return FHotCell; }
    const std::vector<TRect>& Cells() const { return FCells; }
    // The first item whose cell holds the point, or -1.
    int CellAt(TPoint P) const;
    static void LayoutCells(const std::vector<TskImagesMenuItem>& Items, int CellW, int CellH, int Columns,
                            TPoint Origin, std::vector<TRect>& Cells);

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    void Hook(MSG& Msg, bool& Handled);
    void DrawCell(TCanvas& C, int Index, bool Pressed);
    void HideCellHint();
    void FadeTick();

    TskSkinImagesMenu* FMenu;
    bool FSkinned = false;
    bool FHooked = false;
    bool FClosing = false;
    const TskBitmap* FLevelPicture = nullptr;
    const TskBitmap* FLevelMask = nullptr;
    TskSkinCorners FFitted;
    std::vector<TRect> FCells;
    int FHotCell = -1, FPrevHotCell = -1;
    bool FPressed = false, FCellPressed = false;
    TTimer* FFadeTimer = nullptr; // the fade-in, 10 alpha steps
    int FAlpha = 0;
};

class TskSkinImagesMenu : public TskImagesMenuLink {
public:
    explicit TskSkinImagesMenu(TComponent* AOwner);
    ~TskSkinImagesMenu() override;

    // Closes an open grid (unchosen), fires OnMenuPopup, and shows the grid below R when there
    // are images and items. Returns whether a grid opened.
    bool PopupFromRect(const TRect& R) override;
    // Frees the grid window (later), then OnInternalMenuClose, OnMenuClose, and for a chosen
    // cell its OnClick, OnItemClick and, when the choice changed, OnInternalChange and OnChange.
    void CloseGrid(bool Chosen);

    int ColumnsCount() const { return FColumnsCount; }
    void SetColumnsCount(int Value); // 1..50; other values are ignored
    TskSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TskSkinData* Value);
    TskSkinHint* SkinHint() const { return FSkinHint; }
    void SetSkinHint(TskSkinHint* Value);
    void SetImages(TCustomImageList* Value);
    TskSkinImagesMenuPopupWindow* GridWindow() const { return FGrid; }

    bool ShowSelectedItem = true;
    bool ShowHints = true;
    bool AlphaBlend = false;
    bool AlphaBlendAnimation = false;
    Byte AlphaBlendValue = 200;
    bool UseSkinFont = true;
    TFont& DefaultFont() { return FDefaultFont; }
    void SetDefaultFont(const TFont& Font) { FDefaultFont.Assign(Font); }

    TNotifyEvent OnItemClick;
    TNotifyEvent OnChange;
    TNotifyEvent OnMenuClose;
    TNotifyEvent OnMenuPopup;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TskSkinImagesMenuPopupWindow;
    int FColumnsCount = 1;
    TComponentLink<TskSkinData> FSkinData{this};
    TComponentLink<TskSkinHint> FSkinHint{this};
    TskSkinImagesMenuPopupWindow* FGrid = nullptr;
    int FOldItemIndex = -1;
    TFont FDefaultFont;
};

} // namespace vd
