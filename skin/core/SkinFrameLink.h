#pragma once
// The skin object of a window's form frame, for controls below the frame layer that show the
// frame's skin strings. The frame installs the lookup when one is created.
namespace vd {

class TComponent;
class TskSkinData;

using TskFrameSkinLookup = TskSkinData* (*)(TComponent* Form);
void SetFrameSkinLookup(TskFrameSkinLookup Lookup);
// The SkinData of Form's first frame; null without a frame, without a skin or before any frame
// was created.
TskSkinData* FrameSkinData(TComponent* Form);

} // namespace vd
