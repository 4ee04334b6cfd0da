// Apart from the skin's loading, so that a test that never looks at edits does not link them.
#include "skin/boxes/SkinEdit.h"
#include "tests/support/OwnSkin.h"

#include <gtest/gtest.h>

namespace vd::test {

int ExpectSkinnedEdits(TWinControl& parent) {
    int checked = 0;
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* c = parent.Controls(i);
        if (auto* e = dynamic_cast<TskSkinCustomEdit*>(c); e && e->SkinData()) {
            EXPECT_TRUE(e->Skinned()) << e->Name();
            EXPECT_EQ(e->Height(), e->skinrect.Height()) << e->Name();
            ++checked;
        }
        if (auto* w = dynamic_cast<TWinControl*>(c)) checked += ExpectSkinnedEdits(*w);
    }
    return checked;
}

} // namespace vd::test
