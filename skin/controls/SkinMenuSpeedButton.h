#pragma once
// A speed button with a drop-down part that opens a skinned popup menu or an image-grid menu
// below the button; it stays down while the menu is open.
#include "skin/controls/Forward.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/store/Forward.h"

namespace vd {

enum TskTrackPosition { sktpRight, sktpBottom };

class TskSkinMenuSpeedButton : public TskSkinSpeedButton {
public:
    static constexpr int TrackSize = 15;

    explicit TskSkinMenuSpeedButton(TComponent* AOwner);
    bool SetProperty(const String& name, const TPropValue& value) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;

    TskSkinPopupMenu* SkinPopupMenu() const { return FSkinPopupMenu; }
    void SetSkinPopupMenu(TskSkinPopupMenu* Value);
    void SetSkinImagesMenu(TskImagesMenuLink* Value) override;
    bool TrackButtonMode() const { return FTrackButtonMode; }
    void SetTrackButtonMode(bool Value);
    bool NewStyle() const { return FNewStyle; }
    void SetNewStyle(bool Value);
    TskTrackPosition TrackPosition() const { return FTrackPosition; }
    void SetTrackPosition(TskTrackPosition Value);
    bool MenuOpen() const { return FMenuOpen; }
    TNotifyEvent OnShowTrackMenu, OnHideTrackMenu;

    TRect GetTrackButtonRect() const;
    bool IsTrackHit(int X, int Y) const;
    void ShowTrackMenu();

    void GetSkinData() override;
    void CreateControlDefaultImage(TBitmap& Bitmap) override;
    void CreateButtonImage(TBitmap& Bitmap, const TRect& SourceRect, bool IsDown, bool IsActive) override;
    void Dispatch(TMessage& Message) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    // The menu closed (or never opened): the button pops up again.
    void MenuClosed();
    void ImagesMenuClosed();
    bool OwnKindRecord() const;
    TRect TrackStrip() const;
    // Faces of a part of the button at W x H from a face rect of the control's own record.
    void DrawPartFace(TCanvas& Canvas, int X, int W, const TRect& Face, bool Compose);
    void ToolButtonFace(TBitmap& Bitmap, bool IsDown, bool IsActive, bool Compose);
    void NewStyleFace(TBitmap& Bitmap, bool IsDown, bool IsActive);
    // The face of another button record into R; nothing for a record of another kind or without a
    // picture.
    void DrawRecordFace(TCanvas& Canvas, const TskDataSkinButtonControl* Record, const TRect& R,
                        bool IsActive, bool IsDown);
    const TskDataSkinButtonControl* ButtonRecord(const char* Name) const;
    void FaceFont(TCanvas& Canvas, bool Pressed, bool IsActive);
    void DrawMarker(TCanvas& Canvas, TRect R, bool IsActive, bool Moved, TColor Colour);

    TComponentLink<TskSkinPopupMenu> FSkinPopupMenu{this};
    bool FTrackButtonMode = false;
    bool FNewStyle = false;
    TskTrackPosition FTrackPosition = sktpRight;
    bool FMenuOpen = false;
    TRect FTrackButtonRect;
};

} // namespace vd
