#include "app/ui/AppSkin.h"

#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinGraphicControl.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/form/frame/SkinForm.h"

namespace vd {

namespace {
const TskCompressedStoredSkin* StoredSkin = nullptr;
TskSkinData* SkinData = nullptr;
} // namespace

const TskCompressedStoredSkin* MainStoredSkin() {
    return StoredSkin;
}

void SetMainStoredSkin(const TskCompressedStoredSkin* skin) {
    StoredSkin = skin;
}

TskSkinData* MainSkinData() {
    return SkinData;
}

void SetMainSkinData(TskSkinData* skin) {
    SkinData = skin;
}

void AssignSkinData(TComponent* owner, TskSkinData* skin) {
    for (int i = 0; i < owner->ComponentCount(); ++i) {
        TComponent* c = owner->Components(i);
        if (auto* control = dynamic_cast<TskSkinControl*>(c))
            control->SetSkinData(skin);
        else if (auto* graphic = dynamic_cast<TskGraphicSkinControl*>(c))
            graphic->SetSkinData(skin);
        else if (auto* edit = dynamic_cast<TskSkinCustomEdit*>(c))
            edit->SetSkinData(skin);
        else if (auto* label = dynamic_cast<TskSkinStdLabel*>(c))
            label->SetSkinData(skin);
        else if (auto* bevel = dynamic_cast<TskSkinBevel*>(c))
            bevel->SetSkinData(skin);
        else if (auto* frame = dynamic_cast<TskSkinForm*>(c))
            frame->SetSkinData(skin);
    }
}

} // namespace vd
