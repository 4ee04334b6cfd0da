#pragma once
// Makes the skinned dialog components known to the form reader by their class names.
namespace vd {

void RegisterSkinDialogClasses();

} // namespace vd
