#pragma once
// The stored skin of the main window, which the program's other windows load into their own
// skin objects. Set by the main window; nullptr until then (windows stay unskinned).
namespace vd {

class TskCompressedStoredSkin;

const TskCompressedStoredSkin* MainStoredSkin();
void SetMainStoredSkin(const TskCompressedStoredSkin* skin);

} // namespace vd
