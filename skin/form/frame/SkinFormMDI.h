#pragma once
// Multiple-document helpers of the skinned frame.
namespace vd {

// Transparent controls on a multiple-document main form see the client window's background (its
// skinned wallpaper) rather than the form's. Every frame registers it; only the first call does.
void RegisterMDIParentBackground();

} // namespace vd
