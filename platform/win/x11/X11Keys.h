#pragma once
// Key symbol to virtual-key code.
namespace vd::x11 {

int KeysymToVk(unsigned long keysym);

} // namespace vd::x11
