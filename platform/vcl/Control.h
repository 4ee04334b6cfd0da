#pragma once
// TControl: a rectangle on a parent with messages, mouse handling and painting requests.
// Messages flow WindowProc (replaceable) -> WndProc -> Dispatch (handlers chosen by number)
// -> DefaultHandler.
#include "platform/vcl/ComponentLink.h"
#include "platform/vcl/Forward.h"
#include "platform/vcl/Graphics.h"
#include "platform/vcl/VclTypes.h"

#include <memory>

namespace vd {

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
    void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
    void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
    void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
    // The single path for every change of position or size.
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    virtual TRect GetClientRect() const;
    TRect ClientRect() const { return GetClientRect(); }
    int ClientWidth() const { return GetClientRect().Width(); }
    int ClientHeight() const { return GetClientRect().Height(); }
    void SetClientWidth(int v);
    void SetClientHeight(int v);
    virtual TPoint ClientOrigin() const; // screen position of the client's (0, 0)
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;

    bool Visible() const { return FVisible; }
    void SetVisible(bool v);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool v);
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign v); // setting the same value asks the parent to realign
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors v);
    TSizeConstraints& Constraints() { return FConstraints; }
    const String& Caption() const { return FText; }
    void SetCaption(const String& v) { SetText(v); }
    const String& Text() const { return FText; }
    virtual void SetText(const String& v);
    TColor Color() const { return FColor; }
    void SetColor(TColor v); // clears ParentColor
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool v);
    // The control's font; a change clears ParentFont and sends CM_FONTCHANGED.
    TFont& Font() { return FFont; }
    const TFont& Font() const { return FFont; }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool v);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor v) { FCursor = v; }
    const String& Hint() const { return FHint; }
    void SetHint(const String& v) { FHint = v; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool v); // clears ParentShowHint; children that follow this one hear of it
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool v);
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* v);

    unsigned ControlStyle() const { return FControlStyle; }
    void SetControlStyle(unsigned v) { FControlStyle = v; }
    unsigned ControlState() const { return FControlState; }
    void SetControlState(unsigned v) { FControlState = v; }

    // The linked action gives Caption, Enabled, Hint and Visible and runs on Click when no
    // OnClick is set.
    TBasicAction* Action() const;
    void SetAction(TBasicAction* action);

    TWndMethod WindowProc; // defaults to WndProc
    LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
    virtual void WndProc(TMessage& Message);
    virtual void Dispatch(TMessage& Message);
    virtual void DefaultHandler(TMessage& Message);

    virtual void Invalidate();
    virtual void Repaint();
    virtual void Update();
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();
    bool MouseCapture() const;
    void SetMouseCapture(bool v);
    virtual bool HasWindow() const { return false; }
    bool IsControlVisibleOnScreen() const; // visible up to a showing window
    bool SetProperty(const String& name, const TPropValue& value) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;
    void GetProperties(TPropList& out) const override;
    bool IsNestedElsewhere() const override { return FParent != nullptr; }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnResize;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TCanResizeEvent OnCanResize;
    TMouseWheelEvent OnMouseWheel;
    TContextPopupEvent OnContextPopup;
    TConstrainedResizeEvent OnConstrainedResize;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;

    // Used by the parent's layout.
    void UpdateAnchorOrigin();
    bool FAnchorMove = false;
    TSize FAnchorParentSize;
    TRect FAnchorRect;

protected:
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void Resize();
    // The wheel: OnMouseWheel first, then the down or up handler; true when handled.
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
    // Before the popup menu: handled stops it (and the parents' handling).
    virtual void DoContextPopup(TPoint MousePos, bool& Handled);
    virtual void ActionChange(TBasicAction* Sender);
    virtual void ConstrainedResize(int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight);
    void DoConstraints(int& AWidth, int& AHeight);
    virtual bool CanResize(int& NewWidth, int& NewHeight);
    // The size constraints, then the CanResize veto (which keeps the current size).
    void ConstrainSize(int& AWidth, int& AHeight);
    void Destroying() override;
    void RequestAlign();
    void InvalidateControl(bool isVisible, bool isOpaque);

    // Message handlers.
    void WMMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift);
    void WMMouseUp(TMessage& Message, TMouseButton Button);
    void WMMouseMove(TMessage& Message);
    void WMContextMenu(TMessage& Message);

    TWinControl* FParent = nullptr;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    bool FVisible = true;
    bool FEnabled = true;
    TAlign FAlign = alNone;
    TAnchors FAnchors = akLeft | akTop;
    TSizeConstraints FConstraints;
    String FText;
    TColor FColor = clWindow;
    TFont FFont;
    bool FParentFont = true;
    bool FParentColor = false;
    bool FTakingParentLook = false;
    void TakeParentLook();
    TCursor FCursor = crDefault;
    String FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    std::unique_ptr<TActionLink> FActionLink;
    void ShowHintChanged();
    TComponentLink<TPopupMenu> FPopupMenu{this};
    unsigned FControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    unsigned FControlState = 0;
    friend class TWinControl;
};

// The form a control sits on (walking up parents), or null.
TCustomForm* GetParentForm(TControl* control);
// The windowless control that has the mouse through its parent's capture, or null.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);

} // namespace vd
