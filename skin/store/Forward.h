#pragma once
// Skin records and pictures, declared for headers that hold only pointers or references.

namespace vd {

class TskBitmap;
class TskDataSkinAnimate;
class TskDataSkinButton;
class TskDataSkinButtonControl;
class TskDataSkinCaption;
class TskDataSkinControl;
class TskDataSkinHintWindow;
class TskDataSkinListView;
class TskDataSkinMainMenuItem;
class TskDataSkinMenuItem;
class TskDataSkinObject;
class TskDataSkinPopupWindow;
class TskDataSkinStdButton;
class TskDataSkinTextViewBase;
class TskDataSkinTreeView;
class TskEffectBmp;
class TskIniExchange;
class TskMemIniFile;
class TskSkinColors;
class TskStoredSkinStream;

} // namespace vd
