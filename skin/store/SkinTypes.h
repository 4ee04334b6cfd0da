#pragma once
// Small value types of the skin: colours, font styles, alignments, effect kinds, messages.
#include "platform/rtl/Types.h"

#include <cstdint>

namespace vd {

// 0x00BBGGRR; a system colour is 0xFF000000 plus the system colour index.
using TskColor = std::int32_t;

constexpr TskColor skSystemColor(int index) {
    return static_cast<TskColor>(0xFF000000u | static_cast<std::uint32_t>(index));
}
constexpr TskColor clskBtnFace = skSystemColor(15);
constexpr TskColor clskBtnText = skSystemColor(18);
constexpr TskColor clskWindow = skSystemColor(5);
constexpr TskColor clskWindowText = skSystemColor(8);
constexpr TskColor clskHighlight = skSystemColor(13);
constexpr TskColor clskHighlightText = skSystemColor(14);
constexpr TskColor clskBtnHighlight = skSystemColor(20);
constexpr TskColor clskBtnShadow = skSystemColor(16);

constexpr TskColor skRGB(int r, int g, int b) {
    return static_cast<TskColor>((unsigned(b) & 255u) << 16 | (unsigned(g) & 255u) << 8 |
                                 (unsigned(r) & 255u));
}
constexpr int skGetR(TskColor c) {
    return int(unsigned(c) & 255u);
}
constexpr int skGetG(TskColor c) {
    return int(unsigned(c) >> 8 & 255u);
}
constexpr int skGetB(TskColor c) {
    return int(unsigned(c) >> 16 & 255u);
}

// Set of font styles as bits.
using TskFontStyles = Byte;
enum TskFontStyle : Byte { skfsBold = 1, skfsItalic = 2, skfsUnderline = 4, skfsStrikeOut = 8 };

enum class TskAlignment : Byte { LeftJustify, RightJustify, Center };

enum TskMorphKind : Byte {
    mkDefault,
    mkGradient,
    mkLeftGradient,
    mkRightGradient,
    mkLeftSlide,
    mkRightSlide,
    mkPush
};

enum TskImageEffect : Byte { ieBrightness, ieDarkness, ieGrayScale, ieNoise, ieSplitBlur, ieInvert };

// Commands of caption buttons and animations.
enum TskStdCommand : Byte {
    cmClose,
    cmMaximize,
    cmMinimize,
    cmSysMenu,
    cmDefault,
    cmRollUp,
    cmMinimizeToTray
};

// lParam of the skin window messages (WM_SKINLOADING and the others, platform/win/Messages.h).
constexpr int skSkinMessageLParam = 1000;

} // namespace vd
