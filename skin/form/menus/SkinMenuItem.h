#pragma once
// TskSkinMenuItem: one visible menu item in a level of the menu engine. It keeps the item's
// state and hover effects and draws it from the skin's menu-item record, or in the plain look.
#include "platform/gfx/Color.h"
#include "platform/rtl/Object.h"
#include "platform/rtl/Types.h"
#include "platform/vcl/ComponentLink.h"
#include "platform/vcl/Forward.h"
#include "skin/store/Forward.h"
#include "skin/store/SkinBitmap.h"

namespace vd {

class TskSkinPopupWindow;

class TskSkinMenuItem : public TObject {
public:
    TskSkinMenuItem(TskSkinPopupWindow* Level, const TskDataSkinMenuItem* Record, TMenuItem* MenuItem);
    ~TskSkinMenuItem() override = default;

    // Draws the item at ItemRect into DC (the level's client coordinates).
    void Draw(TCanvas& Canvas);
    void Enter(bool KeySel);
    void Leave();
    void Click();
    virtual bool IsMorphing();
    bool CanMorph() const;
    bool CanAnimate() const;
    void StartEffect();
    void MorphStep();
    bool IsSeparator() const;
    bool IsEnabled() const;
    bool HasChildren() const;
    // The frame rectangle K of the hover animation.
    TRect AnimationFrameRect(int K) const;

    TskSkinPopupWindow* Level;
    TComponentLink<TMenuItem> MenuItem; // held by the level; null once the menu item went away
    TRect ItemRect;
    bool Hot = false;
    bool Down = false;
    bool Shown = true;
    bool KeySelected = false;
    double MorphFactor = 0;
    int AnimFrame = 0;

    // The record's pictures as this item uses them: local copies, the skin's record is never
    // changed (a missing picture empties the copies, so the item has no height).
    const TskDataSkinMenuItem* ItemRecord() const { return FRecord; }
    const TskBitmap* Picture() const { return FPicture; }
    const TRect& SkinRect() const { return FSkinRect; }
    const TRect& ActiveSkinRect() const { return FActiveSkinRect; }

private:
    void DrawPlain(TCanvas& Canvas);
    // The item's face in the normal or hot look (an animation frame when Frame > 0), text and
    // marks included, into Out.
    void DrawSkinned(TBitmap& Out, bool HotLook, int Frame);
    void DrawCaption(TCanvas& C, const TRect& TR, int G, int Reserve) const;
    void DrawImageOrMark(TCanvas& C, const TRect& TR, TColor Color, bool Plain) const;
    bool HasImage() const;

    const TskDataSkinMenuItem* FRecord;
    const TskBitmap* FPicture = nullptr;
    TRect FSkinRect, FActiveSkinRect;
};

} // namespace vd
