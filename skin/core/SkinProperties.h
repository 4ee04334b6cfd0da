#pragma once
// Makes the skin components known to the form reader by class name. Call once at start-up,
// before the first form resource that holds them is read.
namespace vd {

void RegisterSkinCoreClasses();

} // namespace vd
