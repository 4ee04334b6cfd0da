#pragma once
// TBevel, TImage and TSplitter: small windowless controls of the class library.
#include "platform/vcl/GraphicControl.h"

namespace vd {

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
public:
    explicit TBevel(TComponent* AOwner);
    TBevelShape Shape() const { return FShape; }
    void SetShape(TBevelShape v);
    TBevelStyle Style() const { return FStyle; }
    void SetStyle(TBevelStyle v);
    bool SetProperty(const String& name, const TPropValue& value) override;

protected:
    void Paint() override;
    TBevelShape FShape = bsBox;
    TBevelStyle FStyle = bsLowered;
};

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner);
    ~TImage() override;
    TBitmap& Picture() { return *FPicture; }
    // An icon shown instead of the picture while it is set (drawn with its mask).
    TIcon& Icon() { return FIcon; }
    void SetIcon(HICON icon); // owned from then on
    bool SetProperty(const String& name, const TPropValue& value) override;
    bool Stretch = false;
    bool Center = false;
    bool Transparent = false;

protected:
    void Paint() override;

private:
    TBitmap* FPicture;
    TIcon FIcon;
};

enum TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };

class TSplitter : public TGraphicControl {
public:
    explicit TSplitter(TComponent* AOwner);
    int MinSize = 30;
    bool AutoSnap = true;
    bool Beveled = false;
    TResizeStyle ResizeStyle = rsPattern;
    std::function<void(TObject* Sender, int& NewSize, bool& Accept)> OnCanResize;
    TNotifyEvent OnMoved;
    TNotifyEvent OnPaint;
    TControl* ResizeControl() const { return FControl; }
    bool SetProperty(const String& name, const TPropValue& value) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    TControl* FindResizeControl() const;
    bool Horizontal() const { return FAlign == alLeft || FAlign == alRight; }
    TComponentLink<TControl> FControl{this};
    TPoint FDownPos;
    int FOldSize = 0;
    bool FDragging = false;
};

} // namespace vd
