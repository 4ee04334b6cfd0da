#pragma once
// How skinned controls that are not TskSkinControl descendants (edits, page and tab controls)
// join the form frame's re-skin walk. Their libraries do not link the frame's, so they
// register here and the frame reads the list.
#include "platform/vcl/Forward.h"
#include "skin/core/Forward.h"
#include <functional>
#include <vector>

namespace vd {

// Reset runs before a load (1225), Change after it (1226); each returns whether it took the
// control (a control is handled by the first that does). Skin is the loading skin object, or
// null for every skin. Either may be empty.
struct TskReskinHandler {
    std::function<bool(TControl* Control, TskSkinData* Skin)> Reset;
    std::function<bool(TControl* Control, TskSkinData* Skin)> Change;
};
void RegisterReskinHandler(TskReskinHandler handler);
const std::vector<TskReskinHandler>& ReskinHandlers();

// The usual handler: a T whose SkinData is Skin (or any T when Skin is null) runs its own
// ChangeSkinData. A class registers it once, from its constructor, so no control of it exists
// before the frame knows it.
template <class T> TskReskinHandler ChangeSkinDataHandler() {
    return {nullptr, [](TControl* Control, TskSkinData* Skin) {
                auto* t = dynamic_cast<T*>(Control);
                if (!t) return false;
                if (!Skin || t->SkinData() == Skin) t->ChangeSkinData();
                return true;
            }};
}

} // namespace vd
