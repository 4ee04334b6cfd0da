#pragma once
// TCustomListView / TListView: items in four layouts (icons, small icons, list columns, report
// rows under a header), scroll state kept in the window (no bar drawn), selection, owner data,
// label editing. In the report view the header is a child window of class "SysHeader32" whose
// procedure hosts may replace; column widths and the order array live in it.
#include "platform/vcl/ComCtrls/ListItems.h"
#include "platform/vcl/ImageList.h"
#include "platform/vcl/StdCtrls/Edit.h"
#include "platform/vcl/WinControl.h"

#include <functional>

namespace vd {

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

using TLVNotifyEvent = std::function<void(TObject* Sender, TListItem* Item)>;
using TLVSelectItemEvent = std::function<void(TObject* Sender, TListItem* Item, bool Selected)>;
using TLVEditingEvent = std::function<void(TObject* Sender, TListItem* Item, bool& AllowEdit)>;
using TLVEditedEvent = std::function<void(TObject* Sender, TListItem* Item, String& S)>;
using TLVOwnerDataFindEvent =
    std::function<void(TObject* Sender, const String& Find, int StartIndex, int& Index)>;
using TLVColumnClickEvent = std::function<void(TObject* Sender, TListColumn* Column)>;

inline constexpr UINT LVM_FIRST = 0x1000;
inline constexpr UINT LVM_SETIMAGELIST = LVM_FIRST + 3; // wParam LVSIL_*, lParam HIMAGELIST
inline constexpr UINT LVM_GETITEMCOUNT = LVM_FIRST + 4;
inline constexpr UINT LVM_GETITEMRECT = LVM_FIRST + 14; // lParam TRect* in, its Left = LVIR_*
inline constexpr UINT LVM_SCROLL = LVM_FIRST + 20;      // wParam dx, lParam dy (pixels; rows in report)
inline constexpr UINT LVM_GETCOUNTPERPAGE = LVM_FIRST + 40;
inline constexpr UINT LVM_GETHEADER = LVM_FIRST + 31;
inline constexpr WPARAM LVSIL_NORMAL = 0;
inline constexpr WPARAM LVSIL_SMALL = 1;
inline constexpr WPARAM LVSIL_STATE = 2;

class TCustomListView : public TWinControl {
public:
    explicit TCustomListView(TComponent* AOwner);
    ~TCustomListView() override;

    TListColumns& Columns() { return FColumns; }
    TListItems& Items() { return FItems; }
    TViewStyle ViewStyle() const { return FViewStyle; }
    void SetViewStyle(TViewStyle v);
    bool ShowColumnHeaders() const { return FShowColumnHeaders; }
    void SetShowColumnHeaders(bool v);
    bool OwnerData() const { return FOwnerData; }
    void SetOwnerData(bool v);
    bool MultiSelect = false;
    bool ReadOnly = false;
    bool FullDrag = true;
    bool HideSelection = true;
    TCustomImageList* LargeImages() const { return FLargeImages; }
    void SetLargeImages(TCustomImageList* v);
    TCustomImageList* SmallImages() const { return FSmallImages; }
    void SetSmallImages(TCustomImageList* v);
    HWND HeaderHandle() const { return FHeader; }

    TListItem* Selected();
    void SetSelected(TListItem* item);
    TListItem* ItemFocused();
    void SetItemFocused(TListItem* item);
    int SelCount() const;
    TListItem* TopItem();
    TListItem* GetItemAt(int X, int Y);
    TRect ItemRect(int index); // client coordinates
    int RowHeight();
    int HeaderHeight();
    int CountPerPage();
    void Scroll(int dx, int dy);
    // The column order as displayed (indexes of Columns), from the header in the report view.
    std::vector<int> ColumnOrder();
    void SetColumnOrder(const std::vector<int>& order);
    int FindCaption(int start, const String& text, bool partial);
    bool StartEdit(TListItem* item);
    void EndEdit(bool cancel);
    bool IsEditing() const { return FEditor != nullptr; }
    TCustomEdit* EditControl() const { return FEditor; }

    TLVNotifyEvent OnData;
    TLVOwnerDataFindEvent OnDataFind;
    TLVSelectItemEvent OnSelectItem;
    TLVEditingEvent OnEditing;
    TLVEditedEvent OnEdited;
    TLVColumnClickEvent OnColumnClick;
    TLVNotifyEvent OnDeletion;

    // Called by columns and items.
    void ColumnsChanged();
    void ItemsChanged();
    void ItemDeleting(TListItem* item);
    void SelectItem(TListItem* item, bool selected);
    void FetchItem(TListItem& item);
    bool ItemSelected(int index) const;

    void Dispatch(TMessage& Message) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;

protected:
    // The events' places: an item going away, a finished label edit, an owner-data item asked
    // for and a type-ahead search (the index found, -1 for none). Descendants that keep their own
    // data override these, so that the events stay the user's.
    virtual void Delete(TListItem* item);
    virtual void Edit(TListItem* item, String& text);
    virtual void OwnerDataFetch(TListItem& item);
    virtual int OwnerDataFind(const String& text, int start);
    void CreateWnd() override;
    void DestroyWnd() override;
    void PaintWindow(std::uintptr_t DC) override;
    virtual void DrawItem(HDC dc, int index, const TRect& r);
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void UpdateHeader();
    void LayoutHeader();
    void UpdateScrollState();
    void OnScroll(int bar, WPARAM wParam);
    void HeaderNotify(TMessage& Message);
    TSize CellSize();
    int PerLine();
    int ContentWidth();
    int ContentHeight();
    void ClampOffsets();

    TListColumns FColumns;
    TListItems FItems;
    TViewStyle FViewStyle = vsIcon;
    bool FShowColumnHeaders = true;
    bool FOwnerData = false;
    TComponentLink<TCustomImageList> FLargeImages{this};
    TComponentLink<TCustomImageList> FSmallImages{this};
    HWND FHeader = nullptr;
    int FTop = 0;     // report: first row; list: first column
    int FOffsetX = 0; // pixels (report, icons)
    int FOffsetY = 0; // pixels (icons)
    int FFocused = -1;
    std::vector<bool> FVirtualSelected;
    TCustomEdit* FEditor = nullptr;
    int FEditIndex = -1;
    bool FEnding = false;
    bool FSyncingHeader = false;
};

class TListView : public TCustomListView {
public:
    explicit TListView(TComponent* AOwner) : TCustomListView(AOwner) {}
};

} // namespace vd
