#pragma once
// The look of the default skin in one place: every colour and every measurement the generator
// paints with. Change the look here; the painters and records only read these names.
#include "skin/store/SkinTypes.h"

namespace vd::skingen {

// Colours are written as 0xRRGGBB and stored the skin's way (0x00BBGGRR).
constexpr TskColor Hex(unsigned rgb) {
    return skRGB(int(rgb >> 16 & 255u), int(rgb >> 8 & 255u), int(rgb & 255u));
}

namespace look {

// Text. Ink reaches 10:1 or more on every face below; Muted (disabled) stays between 3:1 and 4.5:1.
constexpr TskColor Ink = Hex(0x1E252B);
constexpr TskColor InkStrong = Hex(0x102F3C); // pressed faces and headers
constexpr TskColor Muted = Hex(0x6E7780);
constexpr TskColor OnAccent = Hex(0xFFFFFF);
constexpr TskColor Link = Hex(0x1F5F85);
constexpr TskColor LinkHot = Hex(0x0E4A6E);

// Surfaces: the window face, raised faces (top to bottom), fields.
constexpr TskColor Face = Hex(0xE4E8EB);
constexpr TskColor FaceHi = Hex(0xF6F8F9);
constexpr TskColor FaceLo = Hex(0xDCE1E5);
constexpr TskColor HotHi = Hex(0xEAF3F6);
constexpr TskColor HotLo = Hex(0xD2E4EB);
constexpr TskColor DownHi = Hex(0xBFD5DE);
constexpr TskColor DownLo = Hex(0xCFE0E7);
constexpr TskColor DisabledHi = Hex(0xEEF0F2);
constexpr TskColor DisabledLo = Hex(0xE8EBEE);
constexpr TskColor Field = Hex(0xFDFDFD);
constexpr TskColor Sunken = Hex(0xD5DBE0); // troughs of scroll bars, gauges and sliders

// Lines.
constexpr TskColor Border = Hex(0x98A4AE);
constexpr TskColor BorderSoft = Hex(0xC3CBD2);
constexpr TskColor BorderHot = Hex(0x3F7C96);
constexpr TskColor BorderDown = Hex(0x2E5E73);
constexpr TskColor BorderDisabled = Hex(0xCDD3D8);
constexpr TskColor Light = Hex(0xFFFFFF);
constexpr TskColor Shadow = Hex(0x8C98A2);
constexpr TskColor GridLine = Hex(0xD3DAE0);
constexpr TskColor Glyph = Hex(0x3A4752);
constexpr TskColor GlyphDisabled = Hex(0xA9B2BA);

// The accent: caption bar, selection, focus and progress.
constexpr TskColor AccentHi = Hex(0x3A6F86);
constexpr TskColor Accent = Hex(0x2E5E73);
constexpr TskColor AccentDeep = Hex(0x234A5B);
constexpr TskColor Selection = Hex(0x2F6A83);
constexpr TskColor SelectionLight = Hex(0xD3E5EC);
constexpr TskColor ProgressHi = Hex(0xA9D0DF); // light enough for dark text across it
constexpr TskColor ProgressLo = Hex(0x7FB3C8);
constexpr TskColor Thumb = Hex(0xC3CBD2);
constexpr TskColor ThumbHot = Hex(0xA3AFB9);
constexpr TskColor CloseHot = Hex(0xB5483F);
constexpr TskColor CloseDown = Hex(0x8F3730);
constexpr TskColor CaptionGlyph = Hex(0xF2F5F7);
constexpr TskColor CaptionHot = Hex(0x4C8299);
constexpr TskColor CaptionDown = Hex(0x1E4150);
constexpr TskColor CaptionInactiveText = Hex(0xE8ECEE);
constexpr TskColor FrameOutline = Hex(0x1C3A47);

// Grids and tables.
constexpr TskColor FixedHi = Hex(0xEDF0F3);
constexpr TskColor FixedLo = Hex(0xDDE3E8);

// Hints.
constexpr TskColor HintFace = Hex(0xFBF8EC);
constexpr TskColor HintBorder = Hex(0x9C9580);

} // namespace look

namespace measure {

// The window frame picture.
constexpr int FrameWidth = 200;
constexpr int FrameHeight = 150;
constexpr int CaptionHeight = 30; // rows above the client area, outline included
constexpr int FrameBorder = 4;    // left, right and bottom frame thickness
constexpr int TopRadius = 7;
constexpr int BottomRadius = 3;
constexpr int FrameFixedLeft = 40;   // the top band's fixed start (system button, caption start)
constexpr int FrameFixedRight = 120; // the top band's fixed end (caption buttons)
constexpr int FrameFixedTop = 40;    // fixed rows of the side bands
constexpr int CaptionButtonWidth = 22;
constexpr int CaptionButtonHeight = 20;
constexpr int CaptionButtonGap = 2;
constexpr int CaptionButtonTop = 5;
constexpr int CaptionLeft = 30;
constexpr int SysButtonLeft = 6;

// Fonts.
constexpr const char* FontName = "Arial";
constexpr int FontHeight = 14;
constexpr int CaptionFontHeight = 15;

// Controls.
constexpr int Radius = 4;       // rounded corners of buttons and fields
constexpr int ButtonWidth = 64; // every nine-part face is resizable: these are the pictures' sizes
constexpr int ButtonHeight = 24;
constexpr int ToolButtonSize = 24;
constexpr int BigToolButtonSize = 40;
constexpr int FieldHeight = 22;
constexpr int FieldWidth = 64;
constexpr int ScrollBarSize = 16;
constexpr int ItemHeight = 20;
constexpr int MenuItemHeight = 22;
constexpr int TabHeight = 24;
constexpr int CheckSize = 14;
constexpr int GaugeHeight = 16;
constexpr int BarLength = 64;  // scroll bars, gauges and track bars along the bar
constexpr int TrackWidth = 14; // the drop-down part of a menu tool button
constexpr int EditWidth = 84;
constexpr int SideButton = 19; // the button inside an edit or a combo box
constexpr int MenuItemWidth = 100;
constexpr int CellWidth = 40;
constexpr int TabWidth = 48;
constexpr int PopupSize = 60; // the popup menu's window picture, square
constexpr int HintWidth = 40, HintHeight = 30;
constexpr int StatusBarHeight = 22;

// The atlas of control pictures.
constexpr int AtlasWidth = 512;
constexpr int AtlasGap = 2;

} // namespace measure

} // namespace vd::skingen
