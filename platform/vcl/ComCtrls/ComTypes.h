#pragma once
// Small types of the common controls that several of them share.
namespace vd {

enum TUDOrientation { udHorizontal, udVertical };
using TMultiSelectStyle = unsigned;
inline constexpr TMultiSelectStyle msControlSelect = 1;
inline constexpr TMultiSelectStyle msShiftSelect = 2;
inline constexpr TMultiSelectStyle msVisibleOnly = 4;
inline constexpr TMultiSelectStyle msSiblingOnly = 8;

} // namespace vd
