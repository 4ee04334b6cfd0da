#pragma once
// The live pieces of a skinned caption: buttons, animations, user areas (the caption text strip
// is in SkinCaptionObject.h). The form frame makes one per object record of its skin, lays them
// out, hit-tests them and calls their mouse and drawing operations; they draw themselves onto
// the frame's device context from the skin's pictures.
#include "platform/gfx/GdiTypes.h"
#include "platform/rtl/String.h"
#include "platform/vcl/Forward.h"
#include "platform/vcl/VclTypes.h"
#include "skin/core/Forward.h"
#include "skin/store/Forward.h"
#include "skin/store/SkinTypes.h"

namespace vd {

class TskSkinForm;

class TskActiveSkinObject {
public:
    // Copies what it needs of Record; null makes an object without a record (no pictures).
    TskActiveSkinObject(TskSkinForm* frame, const TskDataSkinObject* record);
    virtual ~TskActiveSkinObject() = default;
    TskActiveSkinObject(const TskActiveSkinObject&) = delete;
    TskActiveSkinObject& operator=(const TskActiveSkinObject&) = delete;

    virtual bool IsMorphing() const;
    // Draws at ObjectRect of DC. UpdateNow false: the frame picture was just painted, so a
    // normal picture that is part of it need not be drawn again.
    virtual void Draw(HDC dc, bool UpdateNow);
    virtual void DblClick() {}
    virtual void MouseDown(int X, int Y, TMouseButton Button);
    virtual void MouseUp(int X, int Y, TMouseButton Button);
    virtual void MouseMove(int X, int Y);
    virtual void MouseEnter();
    virtual void MouseLeave();
    // Caption buttons carry a command; -1 for objects without one.
    virtual int Command() const { return -1; }

    bool CanMorph() const;
    void ReDraw();
    void DoMorph();
    void SetMorphFactor(double K);

    TskSkinForm* OwnerFrame;
    double MorphFactor = 0;
    bool MouseInside = false;
    const TskBitmap* FramePicture = nullptr;
    const TskBitmap* ObjectPicture = nullptr;
    TskSkinData* Skin = nullptr;
    String IDName;
    String HintText;
    TRect skinrect, activeskinrect, inactiveskinrect;
    TRect ObjectRect;
    bool IsActive = false;
    bool MorphEnabled = false;
    TskMorphKind morphkind = mkDefault;
    bool Enabled = true;
    bool Visible = true;
    bool skinrectinapicture = false;

protected:
    // Src of Picture copied (scaled when sizes differ) to ObjectRect.
    void CopyPicture(HDC dc, const TskBitmap* picture, const TRect& src) const;
    // The normal picture morphed toward the hot one by MorphFactor, at ObjectRect.
    void DrawMorph(HDC dc, const TskBitmap* normalPicture, const TRect& normal, const TskBitmap* hotPicture,
                   const TRect& hot) const;
    void BaseDraw(HDC dc, bool UpdateNow);
};

// A piece of the frame the program draws itself (OnPaintEvent).
class TskUserObject : public TskActiveSkinObject {
public:
    using TskActiveSkinObject::TskActiveSkinObject;
    void Draw(HDC dc, bool UpdateNow) override;
};

class TskSkinButtonObject : public TskActiveSkinObject {
public:
    TskSkinButtonObject(TskSkinForm* frame, const TskDataSkinButton* record);

    bool IsMorphing() const override;
    void Draw(HDC dc, bool UpdateNow) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;

    void SetPressed(bool Value);
    // Opens PopupItem's sub-items below (or above) the object.
    virtual void TrackMenu();

    TRect downrect;
    TRect disableskinrsect; // the key is spelled so
    TMenuItem* PopupItem = nullptr;
    bool OpenUpward = false;
    bool Pressed = false;

protected:
    void ButtonDraw(HDC dc, bool UpdateNow);
    bool MenuOpenFromHere() const { return PopupItem && Pressed; }
};

class TskSkinStdButtonObject : public TskSkinButtonObject {
public:
    TskSkinStdButtonObject(TskSkinForm* frame, const TskDataSkinStdButton* record);
    // One of the frame's default buttons (no skin in use).
    TskSkinStdButtonObject(TskSkinForm* frame, const String& name, TskStdCommand cmd);

    bool IsMorphing() const override;
    void Draw(HDC dc, bool UpdateNow) override;
    void DblClick() override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    int Command() const override { return command; }

    void ExecuteCommand();
    // Maximize while maximized, minimize while minimized, roll-up while rolled up.
    bool InRestoredState() const;

    TskStdCommand command = cmDefault;
    TRect restorerect, restoreactiverect, restoredownrect, restoreinactiverect;
    bool HasSkinRecord = false;

private:
    void DrawDefault(HDC dc);
    bool ShowsFormIcon() const;
};

class TskSkinAnimateObject : public TskActiveSkinObject {
public:
    TskSkinAnimateObject(TskSkinForm* frame, const TskDataSkinAnimate* record);

    void Draw(HDC dc, bool UpdateNow) override;
    void DblClick() override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;
    int Command() const override { return command; }

    void ExecuteCommand();
    void TrackMenu();
    void SetFrame(int N);
    void DoAnimationStep();
    bool InRestoredState() const;

    bool MenuTracking = false;
    bool PressedDown = false;
    int FrameIndex = 1;
    int ElapsedTime = 25;
    int timerinterval = 50;
    int countframes = 1;
    bool cycle = false;
    bool buttonstyle = false;
    bool Forward = true;
    TskStdCommand command = cmDefault;
    TRect downskinrect, restorerect, restoreactiverect, restoreinactiverect, restoredownrect;
    TMenuItem* PopupItem = nullptr;
    bool OpenUpward = false;
};

// Runs Command on the frame: close, maximize/restore, minimize/restore, roll-up, tray.
void RunFrameCommand(TskSkinForm* frame, int command);

} // namespace vd
