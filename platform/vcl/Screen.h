#pragma once
// TScreen: every form of the program, the active form and control, and the screen's size.
#include "platform/vcl/Component.h"
#include "platform/vcl/VclTypes.h"

#include <vector>

namespace vd {

class TScreen : public TComponent {
public:
    explicit TScreen(TComponent* AOwner);

    int FormCount() const { return static_cast<int>(FForms.size()); }
    TCustomForm* Forms(int index) const { return FForms.at(static_cast<std::size_t>(index)); }
    int CustomFormCount() const { return FormCount(); }
    TCustomForm* CustomForms(int index) const { return Forms(index); }
    TCustomForm* ActiveForm() const { return FActiveForm; }
    TCustomForm* ActiveCustomForm() const { return FActiveForm; }
    TWinControl* ActiveControl() const { return FActiveControl; }
    TCustomForm* FocusedForm() const { return FFocusedForm; }
    int Width() const; // the whole virtual screen
    int Height() const;
    TRect DesktopRect() const;
    TRect WorkAreaRect() const; // of the primary monitor
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor v);

    // Kept by the forms themselves.
    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);
    void SetActiveForm(TCustomForm* form);
    void SetActiveControl(TWinControl* control) { FActiveControl = control; }
    void SetFocusedForm(TCustomForm* form) { FFocusedForm = form; }

private:
    std::vector<TCustomForm*> FForms;
    TCustomForm* FActiveForm = nullptr;
    TCustomForm* FFocusedForm = nullptr;
    TWinControl* FActiveControl = nullptr;
    TCursor FCursor = crDefault;
};

extern TScreen* Screen;

} // namespace vd
