#pragma once
// The skinned controls, declared for headers that hold only pointers or references.

namespace vd {

class TskImagesMenuLink;
class TskSkinBevel;
class TskSkinButton;
class TskSkinButtonGroup;
class TskSkinCheckRadioBox;
class TskSkinGauge;
class TskSkinGroupBox;
class TskSkinLabel;
class TskSkinMenuSpeedButton;
class TskSkinPanel;
class TskSkinPopupMenu;
class TskSkinRadioGroup;
class TskSkinScrollBar;
class TskSkinSpeedButton;
class TskSkinSplitter;
class TskSkinStatusBar;
class TskSkinStatusPanel;
class TskSkinStdLabel;
class TskSkinToolBar;

} // namespace vd
