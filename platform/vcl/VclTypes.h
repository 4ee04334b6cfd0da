#pragma once
// Small types of the class library shared by controls and forms.
#include "platform/gfx/Color.h"
#include "platform/rtl/Types.h"
#include "platform/vcl/Forward.h"
#include "platform/win/Messages.h"

#include <cstdint>
#include <functional>

namespace vd {

class TObject;

using TWndMethod = std::function<void(TMessage&)>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
using TShiftState = unsigned;
inline constexpr TShiftState ssShift = 0x01;
inline constexpr TShiftState ssAlt = 0x02;
inline constexpr TShiftState ssCtrl = 0x04;
inline constexpr TShiftState ssLeft = 0x08;
inline constexpr TShiftState ssRight = 0x10;
inline constexpr TShiftState ssMiddle = 0x20;
inline constexpr TShiftState ssDouble = 0x40;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum TScrollBarKind { sbHorizontal, sbVertical };
enum TTextLayout { tlTop, tlCenter, tlBottom };
using TAnchors = unsigned;
inline constexpr TAnchors akLeft = 1;
inline constexpr TAnchors akTop = 2;
inline constexpr TAnchors akRight = 4;
inline constexpr TAnchors akBottom = 8;

// ControlStyle.
inline constexpr unsigned csAcceptsControls = 0x0001;
inline constexpr unsigned csCaptureMouse = 0x0002;
inline constexpr unsigned csClickEvents = 0x0008;
inline constexpr unsigned csFramed = 0x0010;
inline constexpr unsigned csSetCaption = 0x0020;
inline constexpr unsigned csOpaque = 0x0040;
inline constexpr unsigned csDoubleClicks = 0x0080;
inline constexpr unsigned csFixedWidth = 0x0100;
inline constexpr unsigned csFixedHeight = 0x0200;
inline constexpr unsigned csNoStdEvents = 0x0400;
inline constexpr unsigned csReplicatable = 0x2000;
inline constexpr unsigned csParentBackground = 0x8000;

// ControlState.
inline constexpr unsigned csLButtonDown = 0x0001;
inline constexpr unsigned csClicked = 0x0002;
inline constexpr unsigned csPalette = 0x0004;
inline constexpr unsigned csReadingState = 0x0008;
inline constexpr unsigned csAlignmentNeeded = 0x0010;
inline constexpr unsigned csFocusing = 0x0020;
inline constexpr unsigned csCreating = 0x0040;
inline constexpr unsigned csPaintCopy = 0x0080;
inline constexpr unsigned csCustomPaint = 0x0100;
inline constexpr unsigned csDestroyingHandle = 0x0200;

using TCursor = int;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crNo = -12;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crHandPoint = -21;
CursorShape CursorToShape(TCursor cursor);

struct TSizeConstraints {
    int MinWidth = 0;
    int MinHeight = 0;
    int MaxWidth = 0;
    int MaxHeight = 0;
};

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
// A typed character as a full code point; 0 stops it.
using TKeyChar = char32_t;
using TKeyPressEvent = std::function<void(TObject* Sender, TKeyChar& Key)>;
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent =
    std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
// MousePos in client coordinates, (-1, -1) when the keyboard asked.
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;
using TConstrainedResizeEvent =
    std::function<void(TObject* Sender, int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight)>;
using TCanResizeEvent = std::function<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;

TShiftState KeysToShiftState(WPARAM keys);
TShiftState KeyDataToShiftState(LPARAM keyData);

} // namespace vd
