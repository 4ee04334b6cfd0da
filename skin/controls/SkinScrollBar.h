#pragma once
// The skinned scroll bar: two buttons and a thumb on a track, with repeat, paging, dragging,
// keys and the wheel. Other controls drive it through SetRange and SimpleSetPosition.
#include "skin/controls/SkinAutoRepeat.h"
#include "skin/controls/SkinButtonPictures.h"
#include "skin/controls/SkinCustomControl.h"
#include "skin/controls/SkinScrollBarFaces.h"

namespace vd {

// Named fields, so that page and position can never be swapped by a caller:
// SetRange({.Min = 0, .Max = W, .Position = p, .PageSize = T}).
struct TScrollRange {
    int Min = 0;
    int Max = 0;
    int Position = 0;
    int PageSize = 0;
};

class TskSkinScrollBar : public TskSkinCustomControl {
public:
    explicit TskSkinScrollBar(TComponent* AOwner);
    bool SetProperty(const String& name, const TPropValue& value) override;
    ~TskSkinScrollBar() override;

    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind Value);
    int Min() const { return FMin; }
    void SetMin(int Value);
    int Max() const { return FMax; }
    void SetMax(int Value);
    int Position() const { return FPosition; }
    // Clamped; OnChange only when the value changes.
    void SetPosition(int Value);
    void SimpleSetPosition(int Value);
    // All four at once; the position clamped; no OnChange.
    void SetRange(const TScrollRange& r);
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int Value);
    int LargeChange() const { return FLargeChange; }
    void SetLargeChange(int Value);
    int PageSize() const { return FPageSize; }
    // Kept only when the page still fits after the position.
    void SetPageSize(int Value);
    bool Both() const { return FBoth; }
    void SetBoth(bool Value);
    int BothMarkerWidth() const { return FBothMarkerWidth; }
    void SetBothMarkerWidth(int Value);
    String BothSkinDataName = "bothhscrollbar";
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);

    TNotifyEvent OnChange, OnLastChange, OnUpButtonClick, OnDownButtonClick, OnPageUp, OnPageDown;

    struct Part {
        TRect R;
        bool Hot = false;
        bool Down = false;
    };
    static constexpr int ptThumb = 0, ptUp = 1, ptDown = 2;
    const Part& PartAt(int i) const { return FParts[i]; }
    const TRect& TrackRect() const { return FTrackRect; }
    void CalcRects();
    // The position a thumb offset (from ThumbMin) stands for.
    int OffsetToPosition(int Offset);
    // How often a track or thumb face was composed from the skin picture (kept per size and state).
    unsigned FaceCompositions() const;

    void GetSkinData() override;
    void CreateControlDefaultImage(TBitmap& Bitmap) override;
    void CreateControlSkinImage(TBitmap& Bitmap) override;
    void CalcSize(int& W, int& H) override;
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;

protected:
    bool PaintsOnErase() const override { return true; }
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;

private:
    int Clamp(int Value) const;
    bool Horizontal() const { return FKind == sbHorizontal; }
    void TestActivePart(int X, int Y);
    void PartDown(int Index, int X, int Y);
    void PartUp(int Index);
    void StartRepeat(int Mode);
    void StopRepeat();
    void RepeatStep();
    void DrawPart(TCanvas& Canvas, int Index);
    void DrawSkinThumb(TCanvas& Canvas);
    void DrawSkinTrack(TBitmap& Bitmap);
    TskFaceKey FaceKey(const TRect& Face, const TRect& Glyph, int W, int H, int Variant) const;
    bool FocusedLook() const { return FCanFocused && HandleAllocated() && Focused(); }

    TScrollBarKind FKind = sbHorizontal;
    int FMin = 0, FMax = 100, FPosition = 0, FSmallChange = 1, FLargeChange = 1, FPageSize = 0;
    bool FBoth = false;
    int FBothMarkerWidth = 19;
    bool FCanFocused = false;
    String FSavedSkinDataName;
    Part FParts[3];
    TRect FTrackRect;
    int FThumbMin = 0, FThumbMax = 0, FThumbOffset = 0;
    int FHotPart = -1, FPressedPart = -1;
    // What the held button or track repeats: 1 down, 2 up, 3 page up, 4 page down.
    int FRepeatMode = 0;
    TskAutoRepeat FRepeat;
    bool FMouseIsDown = false, FDragging = false, FClickFocusing = false;
    int FDragStartCoord = 0, FDragStartOffset = 0, FLastMouseX = 0, FLastMouseY = 0;
    TskFaceCache FTrackFace;
    TskFaceCache FThumbFaces[3]; // normal, hot, down

    // The record's values.
    TRect trackarea;
    std::array<TskButtonPictures, 2> arrowpictures; // up, down
    TskButtonPictures thumbpictures, glyphpictures;
    int thumboffset1 = 0, thumboffset2 = 0;
    bool thumbtransparent = false;
    TColor thumbtransparentcolor = 0;
};

} // namespace vd
