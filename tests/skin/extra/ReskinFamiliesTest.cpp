// A skin loaded after a window's controls exist reaches every family of skinned control through
// the frame's re-skin walk.
#include "../form/frame/FrameFixture.h"
#include "platform/rtl/Resources.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/boxes/SkinPasswordEdit.h"
#include "skin/boxes/SkinSpinEdit.h"
#include "skin/boxes/SkinTabs.h"
#include "skin/controls/SkinLinkLabel.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinTreeView.h"
#include "skin/extra/grids/SkinDrawGrid.h"

#include <functional>

namespace vd::test {
namespace {

struct Family {
    const char* Name;
    std::function<TControl*(TWinControl* Parent, TskSkinData* Skin)> Make;
    std::function<bool(TControl*)> Skinned;
};

template <class T> T* Place(TWinControl* parent, TskSkinData* skin, TRect r = {10, 10, 160, 90}) {
    TComponent* owner = dynamic_cast<TCustomForm*>(parent) ? parent : parent->Owner();
    auto* c = new T(owner);
    c->SetParent(parent);
    c->SetBoundsRect(r);
    c->SetSkinData(skin);
    return c;
}

// The edit takes the skin's font and height (a 33-pixel edit becomes the skin's 20).
bool EditSkinned(TControl* c) {
    auto* e = static_cast<TskSkinEdit*>(c);
    return e->Skinned() && e->Height() == e->skinrect.Height() && e->Font().Name() == e->fontname;
}

// Page and tab controls read their record lazily when they paint; the re-skin gives them the
// skin's font.
template <class T> bool TabsSkinned(TControl* c) {
    auto* t = static_cast<T*>(c);
    const TskTabSkin& skin = t->TabSkin();
    return skin.Skinned() && t->Font().Color() == skin.fontcolor && t->Font().Height() == skin.fontheight;
}

const Family kFamilies[] = {
    {"edit",
     [](TWinControl* p, TskSkinData* s) {
         return Place<TskSkinEdit>(p, s, {10, 10, 160, 43});
     },
     EditSkinned},
    {"page control",
     [](TWinControl* p, TskSkinData* s) {
         auto* pages = Place<TskSkinPageControl>(p, s);
         auto* sheet = new TskSkinTabSheet(pages);
         sheet->SetPageControl(pages);
         return pages;
     },
     TabsSkinned<TskSkinPageControl>},
    {"tab control", [](TWinControl* p, TskSkinData* s) { return Place<TskSkinTabControl>(p, s); },
     TabsSkinned<TskSkinTabControl>},
    {"tree view", [](TWinControl* p, TskSkinData* s) { return Place<TskSkinTreeView>(p, s); },
     [](TControl* c) { return static_cast<TskSkinTreeView*>(c)->SkinIndex() != -1; }},
    {"list view", [](TWinControl* p, TskSkinData* s) { return Place<TskSkinListView>(p, s); },
     [](TControl* c) { return static_cast<TskSkinListView*>(c)->SkinIndex() != -1; }},
    {"link label", [](TWinControl* p, TskSkinData* s) { return Place<TskSkinLinkLabel>(p, s); },
     [](TControl* c) { return static_cast<TskSkinLinkLabel*>(c)->Skinned(); }},
    {"grid", [](TWinControl* p, TskSkinData* s) { return Place<TskSkinStringGrid>(p, s); },
     [](TControl* c) { return static_cast<TskSkinControl*>(c)->Skinned(); }},
    {"combo box", [](TWinControl* p, TskSkinData* s) { return Place<TskSkinComboBox>(p, s); },
     [](TControl* c) { return static_cast<TskSkinControl*>(c)->Skinned(); }},
    {"spin edit", [](TWinControl* p, TskSkinData* s) { return Place<TskSkinSpinEdit>(p, s); },
     [](TControl* c) { return static_cast<TskSkinControl*>(c)->Skinned(); }},
    {"password edit", [](TWinControl* p, TskSkinData* s) { return Place<TskSkinPasswordEdit>(p, s); },
     [](TControl* c) { return static_cast<TskSkinControl*>(c)->Skinned(); }},
};

class ReskinTest : public FrameTest {
protected:
    void LoadDefaultSkin(TskSkinData* skin) {
        const std::string_view bytes = FindResource("SKIN", "QUILLMARSH");
        ASSERT_FALSE(bytes.empty());
        Default.ReadCompressedData({reinterpret_cast<const Byte*>(bytes.data()), bytes.size()});
        skin->LoadStoredSkin(&Default);
        ASSERT_FALSE(skin->Empty()) << skin->LastLoadError();
    }
    TskCompressedStoredSkin Default;
};

// The windows that load their skin after their controls exist: each family, placed on the form
// and inside a panel, is skinned by the load.
TEST_F(ReskinTest, ASkinLoadedLaterReachesEveryFamily) {
    TForm* f = NewFrameForm(false, {100, 100, 700, 500});
    Skin = new TskSkinData(f);
    Frame->SetSkinData(Skin);
    auto* panel = new TskSkinPanel(f);
    panel->SetParent(f);
    panel->SetBoundsRect({0, 200, 600, 380});
    ShowForm(f);
    struct Placed {
        const Family* Kind;
        TControl *Direct, *Nested;
    };
    std::vector<Placed> placed;
    for (const Family& k : kFamilies)
        placed.push_back({&k, k.Make(f, Skin), k.Make(panel, Skin)});
    for (const Placed& p : placed)
        ASSERT_FALSE(p.Kind->Skinned(p.Direct)) << p.Kind->Name << " is skinned before the load";

    LoadDefaultSkin(Skin);
    Pump();
    for (const Placed& p : placed) {
        EXPECT_TRUE(p.Kind->Skinned(p.Direct)) << p.Kind->Name;
        EXPECT_TRUE(p.Kind->Skinned(p.Nested)) << p.Kind->Name << " inside a panel";
    }
}

} // namespace
} // namespace vd::test
