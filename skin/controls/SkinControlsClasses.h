#pragma once
// Makes the skinned controls known to the form reader by their class names.
namespace vd {

void RegisterSkinControlsClasses();

} // namespace vd
