#pragma once
// TWinControl: a control with a window of its own, children, focus, keys and alignment.
#include "platform/vcl/Control.h"
#include "platform/win/Windows.h"

#include <vector>

namespace vd {

struct TCreateParams {
    String Caption;
    DWord Style = 0;
    DWord ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
    UINT ClassStyle = 0;
    String WinClassName;
    // A native window class whose procedure becomes the control's default procedure.
    String SubClassOf;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    HWND Handle(); // created on first use
    HWND WindowHandle() const { return FHandle; }
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded() { Handle(); }
    void RecreateWnd();
    bool HasWindow() const override { return true; }
    bool Showing() const;

    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int index) const { return FControls.at(static_cast<std::size_t>(index)); }
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    TControl* ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls = false) const;
    bool ContainsControl(const TControl* control) const;

    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool v) { FTabStop = v; }
    int TabOrder() const;
    void SetTabOrder(int v);
    void GetTabOrderList(std::vector<TWinControl*>& list);
    TWinControl* FindNextControl(TWinControl* cur, bool goForward, bool checkTabStop, bool checkParent);
    void SelectNext(TWinControl* cur, bool goForward, bool checkTabStop);
    virtual bool CanFocus() const;
    bool Focused() const;
    virtual void SetFocus();

    // Sends to every child in order; stops at the first that answers non-zero.
    void Broadcast(TMessage& Message);
    void DisableAlign();
    void EnableAlign();
    void Realign();
    virtual void AdjustClientRect(TRect& Rect);
    TRect GetClientRect() const override;
    TPoint ClientOrigin() const override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetText(const String& v) override;

    void Invalidate() override;
    void Update() override;
    void Repaint() override;
    // Windowless children in z-order, each painted through the given device context.
    void PaintControls(std::uintptr_t DC, TControl* First);

    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    static TWinControl* FromHandle(HWND hwnd);
    bool SetProperty(const String& name, const TPropValue& value) override;
    void GetProperties(TPropList& out) const override;
    void InsertReadChild(TComponent* child) override;
    void GetReadChildren(std::vector<TComponent*>& out, const TComponent* root) const override;

protected:
    virtual void CreateParams(TCreateParams& Params);
    // Wraps the native class: the window runs the control's procedure first and passes what it
    // does not handle to the class's own.
    void CreateSubClass(TCreateParams& Params, const String& ClassName);
    virtual void CreateWnd();
    virtual void DestroyWnd();
    virtual void CreateHandle();
    void DestroyHandle();
    virtual void PaintWindow(std::uintptr_t DC);
    void PaintHandler(TMessage& Message);
    virtual void AlignControls(TControl* AControl, TRect& Rect);
    virtual void KeyDown(Word& Key, TShiftState Shift);
    virtual void KeyUp(Word& Key, TShiftState Shift);
    virtual void KeyPress(TKeyChar& Key);
    virtual void DoEnter();
    virtual void DoExit();
    void Destroying() override;
    void UpdateShowing();

    // Message handlers.
    void WMPaint(TMessage& Message);
    void WMSize(TMessage& Message);
    void WMWindowPosChanged(TMessage& Message);
    void WMSetFocus(TMessage& Message);
    void WMKillFocus(TMessage& Message);
    void WMNCDestroy(TMessage& Message);
    void CNKeyDown(TMessage& Message);
    void CNChar(TMessage& Message);
    void WMKeyDown(TMessage& Message);
    void WMKeyUp(TMessage& Message);
    void WMChar(TMessage& Message);
    // Notifications of child windows go back to the child's control as CN_* messages.
    bool ReflectNotification(TMessage& Message);
    bool IsControlMouseMsg(TMessage& Message);

    HWND FHandle = nullptr;
    WNDPROC FDefWndProc;              // the class procedure the control passes unhandled messages to
    std::vector<TControl*> FControls; // creation (z) order
    bool FTabStop = false;
    int FAlignLevel = 0;
    bool FInAlign = false;
    bool FUpdatingBounds = false;
    bool FBeforeDestroyHandled = false;
    friend class TControl;
    friend LRESULT VclWindowProc(HWND, UINT, WPARAM, LPARAM);
};

LRESULT VclWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The control that has a window with this handle or the nearest ancestor window, or null.
TWinControl* FindControl(HWND hwnd);

} // namespace vd
