#pragma once
// Messages, notifications and structures of the native controls (edit, list box, tab control,
// tree view, list view, header). The numbers are the ones stored layouts and hosts use.
#include "platform/gfx/GdiTypes.h"
#include "platform/rtl/String.h"
#include "platform/win/Messages.h"

namespace vd {

// Window classes of the native controls (registered by the class library on first use).
inline constexpr const char* WC_EDIT = "Edit";
inline constexpr const char* WC_LISTBOX = "ListBox";
inline constexpr const char* WC_TABCONTROL = "SysTabControl32";
inline constexpr const char* WC_TREEVIEW = "SysTreeView32";
inline constexpr const char* WC_LISTVIEW = "SysListView32";
inline constexpr const char* WC_HEADER = "SysHeader32";

// Notification header of WM_NOTIFY.
struct NMHDR {
    HWND hwndFrom = nullptr;
    std::uintptr_t idFrom = 0;
    UINT code = 0;
};

// Owner drawing.
inline constexpr UINT ODT_LISTBOX = 2;
inline constexpr UINT ODA_DRAWENTIRE = 1;
inline constexpr UINT ODA_SELECT = 2;
inline constexpr UINT ODA_FOCUS = 4;
inline constexpr UINT ODS_SELECTED = 0x0001;
inline constexpr UINT ODS_DISABLED = 0x0004;
inline constexpr UINT ODS_FOCUS = 0x0010;
struct DRAWITEMSTRUCT {
    UINT CtlType = 0;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemAction = 0;
    UINT itemState = 0;
    HWND hwndItem = nullptr;
    HDC hDC = nullptr;
    TRect rcItem;
    std::uintptr_t itemData = 0;
};
struct MEASUREITEMSTRUCT {
    UINT CtlType = 0;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemWidth = 0;
    UINT itemHeight = 0;
    std::uintptr_t itemData = 0;
};

// Edit styles, messages and notifications (WM_COMMAND, code in the high word).
inline constexpr DWord ES_LEFT = 0x0000;
inline constexpr DWord ES_CENTER = 0x0001;
inline constexpr DWord ES_RIGHT = 0x0002;
// Kept by the single-line edit window: it lays its text out in the format rectangle either way.
inline constexpr DWord ES_MULTILINE = 0x0004;
inline constexpr DWord ES_UPPERCASE = 0x0008;
inline constexpr DWord ES_LOWERCASE = 0x0010;
inline constexpr DWord ES_PASSWORD = 0x0020;
inline constexpr DWord ES_AUTOHSCROLL = 0x0080;
inline constexpr DWord ES_NOHIDESEL = 0x0100;
inline constexpr DWord ES_READONLY = 0x0800;
inline constexpr UINT EM_GETSEL = 0x00B0;
inline constexpr UINT EM_SETSEL = 0x00B1;
inline constexpr UINT EM_GETRECT = 0x00B2;
inline constexpr UINT EM_SETRECT = 0x00B3;
inline constexpr UINT EM_SETRECTNP = 0x00B4;
inline constexpr UINT EM_SCROLLCARET = 0x00B7;
inline constexpr UINT EM_GETMODIFY = 0x00B8;
inline constexpr UINT EM_SETMODIFY = 0x00B9;
inline constexpr UINT EM_REPLACESEL = 0x00C2;
inline constexpr UINT EM_LIMITTEXT = 0x00C5;
inline constexpr UINT EM_CANUNDO = 0x00C6;
inline constexpr UINT EM_UNDO = 0x00C7;
inline constexpr UINT EM_SETPASSWORDCHAR = 0x00CC;
inline constexpr UINT EM_EMPTYUNDOBUFFER = 0x00CD;
inline constexpr UINT EM_SETREADONLY = 0x00CF;
inline constexpr UINT EM_GETPASSWORDCHAR = 0x00D2;
inline constexpr UINT EM_SETMARGINS = 0x00D3;
inline constexpr UINT EM_GETMARGINS = 0x00D4;
inline constexpr UINT EM_GETLIMITTEXT = 0x00D5;
inline constexpr UINT EM_POSFROMCHAR = 0x00D6;
inline constexpr UINT EM_CHARFROMPOS = 0x00D7;
inline constexpr WPARAM EC_LEFTMARGIN = 1;
inline constexpr WPARAM EC_RIGHTMARGIN = 2;
inline constexpr WPARAM EC_USEFONTINFO = 0xFFFF;
inline constexpr Word EN_SETFOCUS = 0x0100;
inline constexpr Word EN_KILLFOCUS = 0x0200;
inline constexpr Word EN_CHANGE = 0x0300;
inline constexpr Word EN_UPDATE = 0x0400;
inline constexpr Word EN_MAXTEXT = 0x0501;
// Our own: the host paints the edit's background (transparent mode). wParam HDC, lParam the
// edit's client rectangle (TRect*). Sent to the edit window itself, so a control layer answers.
inline constexpr UINT EM_PAINTHOSTBACKGROUND = WM_USER + 0x3E0;
// Our own settings: wParam text colour, lParam background colour (COLORREF); transparent mode
// (wParam non-zero); CharCase (0 normal, 1 upper, 2 lower); selection shown unfocused (wParam).
inline constexpr UINT EM_SETCOLORS = WM_USER + 0x3E2;
inline constexpr UINT EM_SETTRANSPARENT = WM_USER + 0x3E3;
inline constexpr UINT EM_SETCHARCASE = WM_USER + 0x3E4;
inline constexpr UINT EM_SETNOHIDESEL = WM_USER + 0x3E5;

// List box styles, messages and notifications.
inline constexpr DWord LBS_NOTIFY = 0x0001;
inline constexpr DWord LBS_SORT = 0x0002;
inline constexpr DWord LBS_OWNERDRAWFIXED = 0x0010;
inline constexpr DWord LBS_HASSTRINGS = 0x0040;
inline constexpr DWord LBS_MULTIPLESEL = 0x0008;
inline constexpr DWord LBS_EXTENDEDSEL = 0x0800;
inline constexpr DWord LBS_MULTICOLUMN = 0x0200;
inline constexpr DWord LBS_NOINTEGRALHEIGHT = 0x0100;
inline constexpr UINT LB_ADDSTRING = 0x0180;
inline constexpr UINT LB_INSERTSTRING = 0x0181;
inline constexpr UINT LB_DELETESTRING = 0x0182;
inline constexpr UINT LB_RESETCONTENT = 0x0184;
inline constexpr UINT LB_SETSEL = 0x0185;
inline constexpr UINT LB_SETCURSEL = 0x0186;
inline constexpr UINT LB_GETSEL = 0x0187;
inline constexpr UINT LB_GETCURSEL = 0x0188;
inline constexpr UINT LB_GETTEXT = 0x0189;
inline constexpr UINT LB_GETTEXTLEN = 0x018A;
inline constexpr UINT LB_GETCOUNT = 0x018B;
inline constexpr UINT LB_GETTOPINDEX = 0x018E;
inline constexpr UINT LB_FINDSTRING = 0x018F;
inline constexpr UINT LB_GETSELCOUNT = 0x0190;
inline constexpr UINT LB_SETTOPINDEX = 0x0197;
inline constexpr UINT LB_GETITEMRECT = 0x0198;
inline constexpr UINT LB_GETITEMDATA = 0x0199;
inline constexpr UINT LB_SETITEMDATA = 0x019A;
inline constexpr UINT LB_SETCOLUMNWIDTH = 0x0195;
inline constexpr UINT LB_SETCARETINDEX = 0x019E;
inline constexpr UINT LB_GETCARETINDEX = 0x019F;
inline constexpr UINT LB_SETITEMHEIGHT = 0x01A0;
inline constexpr UINT LB_GETITEMHEIGHT = 0x01A1;
inline constexpr UINT LB_FINDSTRINGEXACT = 0x01A2;
inline constexpr UINT LB_ITEMFROMPOINT = 0x01A9;
// Our own: a per-item state word kept apart from the item data (a check list's check state).
inline constexpr UINT LB_SETITEMSTATE = WM_USER + 0x3E6; // wParam index, lParam state
inline constexpr UINT LB_GETITEMSTATE = WM_USER + 0x3E7;
inline constexpr LRESULT LB_ERR = -1;
inline constexpr Word LBN_SELCHANGE = 1;
inline constexpr Word LBN_DBLCLK = 2;
inline constexpr Word LBN_SETFOCUS = 4;
inline constexpr Word LBN_KILLFOCUS = 5;

// Tab control.
inline constexpr UINT TCM_FIRST = 0x1300;
inline constexpr UINT TCM_GETITEMCOUNT = TCM_FIRST + 4;
inline constexpr UINT TCM_GETITEMRECT = TCM_FIRST + 10;
inline constexpr UINT TCM_GETCURSEL = TCM_FIRST + 11;
inline constexpr UINT TCM_SETCURSEL = TCM_FIRST + 12;
inline constexpr UINT TCM_HITTEST = TCM_FIRST + 13;
inline constexpr UINT TCM_ADJUSTRECT = TCM_FIRST + 40;
inline constexpr UINT TCM_SETITEMSIZE = TCM_FIRST + 41;
inline constexpr UINT TCN_SELCHANGE = static_cast<UINT>(-551);
inline constexpr UINT TCN_SELCHANGING = static_cast<UINT>(-552);

// Header control: items laid out left to right in the order array; WM_NOTIFY to the parent.
inline constexpr UINT HDM_FIRST = 0x1200;
inline constexpr UINT HDM_GETITEMCOUNT = HDM_FIRST + 0;
inline constexpr UINT HDM_INSERTITEM = HDM_FIRST + 1; // wParam index, lParam HDITEM*
inline constexpr UINT HDM_DELETEITEM = HDM_FIRST + 2;
inline constexpr UINT HDM_GETITEM = HDM_FIRST + 3;
inline constexpr UINT HDM_SETITEM = HDM_FIRST + 4;
inline constexpr UINT HDM_HITTEST = HDM_FIRST + 6; // lParam HDHITTESTINFO*
inline constexpr UINT HDM_GETITEMRECT = HDM_FIRST + 7;
inline constexpr UINT HDM_ORDERTOINDEX = HDM_FIRST + 15;
inline constexpr UINT HDM_SETORDERARRAY = HDM_FIRST + 18; // wParam count, lParam int*
inline constexpr UINT HDM_GETORDERARRAY = HDM_FIRST + 17;
inline constexpr UINT HDI_WIDTH = 0x0001;
inline constexpr UINT HDI_TEXT = 0x0002;
inline constexpr UINT HDI_FORMAT = 0x0004;
inline constexpr UINT HDI_IMAGE = 0x0020;
inline constexpr int HDF_LEFT = 0;
inline constexpr int HDF_RIGHT = 1;
inline constexpr int HDF_CENTER = 2;
struct HDITEM {
    UINT mask = 0;
    int cxy = 0;
    String text;
    int fmt = HDF_LEFT;
    int iImage = -1;
};
inline constexpr UINT HHT_NOWHERE = 0x0001;
inline constexpr UINT HHT_ONHEADER = 0x0002;
inline constexpr UINT HHT_ONDIVIDER = 0x0004;
inline constexpr UINT HHT_TOLEFT = 0x0800;
inline constexpr UINT HHT_TORIGHT = 0x0400;
struct HDHITTESTINFO {
    TPoint pt;
    UINT flags = 0;
    int iItem = -1;
};
inline constexpr UINT HDN_ITEMCHANGED = static_cast<UINT>(-321);
inline constexpr UINT HDN_ITEMCLICK = static_cast<UINT>(-322);
inline constexpr UINT HDN_ENDTRACK = static_cast<UINT>(-327);
inline constexpr UINT HDN_ENDDRAG = static_cast<UINT>(-311);
struct NMHEADER {
    NMHDR hdr;
    int iItem = -1;
    int iButton = 0;
};

} // namespace vd
