#pragma once
// The skinned pair of arrow buttons that steps Position between Min and Max by Increment, with
// auto-repeat while a button is held; the tab scroller of the skinned page and tab controls.
#include "platform/vcl/Forward.h"
#include "skin/boxes/SkinButtonBox.h"
#include "skin/controls/SkinButtonPictures.h"
#include "skin/controls/SkinCustomControl.h"

namespace vd {

enum TUDOrientation { udHorizontal, udVertical };

class TskSkinUpDown : public TskButtonBox<TskSkinCustomControl> {
public:
    explicit TskSkinUpDown(TComponent* AOwner);
    ~TskSkinUpDown() override;

    bool UseSkinSize() const { return FUseSkinSize; }
    void SetUseSkinSize(bool Value);
    TUDOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TUDOrientation Value);
    int Increment() const { return FIncrement; }
    void SetIncrement(int Value) { FIncrement = Value; }
    int Position() const { return FPosition; }
    // Outside Min..Max ignored; otherwise stored and OnChange fires, also for the same value.
    void SetPosition(int Value);
    int Min() const { return FMin; }
    void SetMin(int Value);
    int Max() const { return FMax; }
    void SetMax(int Value);

    TNotifyEvent OnChange, OnUpButtonClick, OnDownButtonClick;

    // 0 the up button, 1 the down button.
    const Button& Buttons(int Index) const { return FButtons[Index]; }
    void CalcButtonRects();

    void GetSkinData() override;
    void CreateControlDefaultImage(TBitmap& Bitmap) override;
    void CreateControlSkinImage(TBitmap& Bitmap) override;
    void CalcSize(int& W, int& H) override;
    void SetControlRegion() override;
    void Dispatch(TMessage& Message) override;
    bool SetProperty(const String& name, const TPropValue& value) override;

protected:
    void MouseMove(TShiftState Shift, int X, int Y) override;

private:
    // In a member, so that Position and UseSkinSize are stored as read, without their setters.
    static const TPropertyTable<TskSkinUpDown>& Properties();
    void Released(int I, bool Over);
    void Step(int Direction);
    void DrawButton(TCanvas& Canvas, int I);

    bool FUseSkinSize = true;
    TUDOrientation FOrientation = udHorizontal;
    int FIncrement = 1, FPosition = 0, FMin = 0, FMax = 100;
    std::array<TskButtonPictures, 2> arrowpictures; // up, down
};

} // namespace vd
