#pragma once
// A label that changes colour under the mouse and opens its URL with the desktop's handler when
// clicked.
#include "skin/controls/SkinStdLabel.h"

namespace vd {

class TskSkinLinkLabel : public TskSkinStdLabel {
public:
    explicit TskSkinLinkLabel(TComponent* AOwner);
    bool SetProperty(const String& name, const TPropValue& value) override;

    String URL;
    bool UseUnderLine() const { return FUseUnderLine; }
    void SetUseUnderLine(bool Value);
    TColor DefaultActiveFontColor = clBlue;
    bool MouseIn() const { return FMouseIn; }

    void ChangeSkinData() override {
        GetSkinData();
        Repaint();
    }
    void Dispatch(TMessage& Message) override;

protected:
    void Click() override;
    void DoDrawText(TRect& Rect, UINT Flags) override;

private:
    bool FUseUnderLine = true;
    bool FMouseIn = false;
};

} // namespace vd
