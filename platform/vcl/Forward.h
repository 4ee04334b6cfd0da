#pragma once
// The class library's classes, declared for headers that hold only pointers or references.

namespace vd {

class TActionLink;
class TActionList;
class TBasicAction;
class TBitmap;
class TCanvas;
class TComponent;
class TControl;
class TCustomEdit;
class TCustomForm;
class TCustomImageList;
class TCustomListBox;
class TCustomListView;
class TCustomTreeView;
class TFont;
class TForm;
class TGraphic;
class THintWindow;
class TIcon;
class TImage;
class TMainMenu;
class TMenu;
class TMenuItem;
class TPageControl;
class TPopupMenu;
template <class T> class TPropertyTable;
class TTimer;
class TTreeNodes;
class TWinControl;

} // namespace vd
