#pragma once
// The program's own skin, as the tests that show their windows with it load it. Each function
// fails fatally where the test cannot go on: call it under ASSERT_NO_FATAL_FAILURE.
namespace vd {
class TskCompressedStoredSkin;
class TskSkinData;
class TWinControl;
} // namespace vd

namespace vd::test {

// The skin the program carries as a resource (the test links vd_default_skin_resource), into
// Stored.
void ReadOwnSkin(TskCompressedStoredSkin& stored);
// The same, then Skin loaded from it.
void LoadOwnSkin(TskSkinData& skin, TskCompressedStoredSkin& stored);

// Every edit of a window that loads its skin after its controls exist takes the skin's font and
// height; returns how many it checked.
int ExpectSkinnedEdits(TWinControl& parent);

} // namespace vd::test
