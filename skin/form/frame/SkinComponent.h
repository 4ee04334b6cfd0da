#pragma once
// The non-visual skin components a form holds beside its frame: the frame tells them before
// (BeforeChangeSkinData) and after (ChangeSkinData) a load of the skin.
#include "platform/vcl/Component.h"
#include "platform/vcl/ComponentLink.h"
#include "skin/core/Forward.h"

namespace vd {

class TskSkinComponent : public TComponent {
public:
    explicit TskSkinComponent(TComponent* AOwner) : TComponent(AOwner) {}

    TskSkinData* SkinData() const { return FSkinData; }
    virtual void SetSkinData(TskSkinData* Value);
    virtual void BeforeChangeSkinData() {}
    virtual void ChangeSkinData() {}

private:
    TComponentLink<TskSkinData> FSkinData{this};
};

// The skin component of a frame control: its two properties are kept for form resources.
class TskSkinFrame : public TskSkinComponent {
public:
    explicit TskSkinFrame(TComponent* AOwner) : TskSkinComponent(AOwner) {}

    bool DrawBackground = true;
    TskSkinData* CtrlsSkinData() const { return FCtrlsSkinData; }
    void SetCtrlsSkinData(TskSkinData* Value);

private:
    TComponentLink<TskSkinData> FCtrlsSkinData{this};
};

} // namespace vd
