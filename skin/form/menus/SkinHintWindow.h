#pragma once
// TskSkinHint makes the application's hints appear in a skinned hint window and offers a timed
// hint of its own (ActivateHint2/HideHint) for caption objects and image-grid cells.
// TskSkinHintWindow draws itself from the skin's hint-window record or as a plain tooltip.
#include "platform/vcl/Application.h"
#include "platform/vcl/Forward.h"
#include "platform/vcl/HintWindow.h"
#include "skin/core/Forward.h"
#include "skin/core/SkinCompose.h"

namespace vd {

class TskSkinHint;

class TskSkinHintWindow : public THintWindow {
public:
    explicit TskSkinHintWindow(TComponent* AOwner);
    ~TskSkinHintWindow() override;
    // Shows Text at Rect's top-left for the active form's active TskSkinHint; nothing without one.
    void ActivateHint(TRect Rect, const String& AHint) override;
    void Dispatch(TMessage& Message) override;

    TskSkinHint* HintComponent() const { return FHintComponent; }
    TskSkinData* Skin() const { return FSkin; }
    const TRect& FittedClientRect() const { return FFittedClientRect; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void SelectHintFont(TCanvas& C) const;
    void SetHintComponent(TskSkinHint* Value);

    TRect FFittedClientRect;
    TskSkinCorners FFitted;
    TComponentLink<TskSkinHint> FHintComponent{this};
    TskSkinData* FSkin = nullptr;
    bool FLastAlphaBlend = false;
    Byte FLastAlphaValue = 255;
    bool FHasRegion = false;
};

class TskSkinHint : public TComponent {
public:
    explicit TskSkinHint(TComponent* AOwner);
    ~TskSkinHint() override;

    TApplication::TShowHintEvent OnShowHint;
    bool Active() const { return FActive; }
    // Switching on switches off every other active TskSkinHint of the main form.
    void SetActive(bool Value);
    TskSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TskSkinData* Value);
    bool AlphaBlend = false;
    Byte AlphaBlendValue = 255;
    TFont& DefaultFont() { return FDefaultFont; }
    const TFont& DefaultFont() const { return FDefaultFont; }
    void SetDefaultFont(const TFont& Font) { FDefaultFont.Assign(Font); }
    bool UseSkinFont = true;
    // Form resources: SkinData by component name.
    bool SetComponentProperty(const String& name, TComponent* value) override;

    // Shows Text below the cursor after the application's hint pause, for its hide pause; a
    // second call before then replaces the first.
    void ActivateHint2(const String& Text);
    void HideHint();
    TskSkinHintWindow* HintWindow() const { return FHintWindow; }
    bool HintPending() const { return FHintTimer != nullptr; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void HintTimerTick();
    void DropTimer();

    bool FActive = true;
    TComponentLink<TskSkinData> FSkinData{this};
    TskSkinHintWindow* FHintWindow = nullptr;
    TFont FDefaultFont;
    TTimer* FHintTimer = nullptr;
    bool FHintShown = false;
    String FPendingText;
};

} // namespace vd
