#pragma once
// The columns and items of a list view. In owner-data mode the items hold nothing: the view
// asks OnData for the caption, image and sub-items of the one it needs.
#include "platform/rtl/StringList.h"
#include "platform/vcl/Forward.h"
#include "platform/vcl/StdCtrls.h" // TAlignment

#include <memory>
#include <vector>

namespace vd {

class TListColumn {
public:
    explicit TListColumn(TCustomListView* owner) : FOwner(owner) {}
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& v);
    int Width() const { return FWidth; }
    void SetWidth(int v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    int Index() const;

private:
    friend class TCustomListView;
    TCustomListView* FOwner;
    String FCaption;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
    int FImageIndex = -1;
};

class TListColumns {
public:
    explicit TListColumns(TCustomListView* owner) : FOwner(owner) {}
    TListColumn* Add();
    void Delete(int index);
    void Clear();
    int Count() const { return static_cast<int>(FItems.size()); }
    TListColumn* Items(int index) const { return FItems.at(static_cast<std::size_t>(index)).get(); }

private:
    friend class TListColumn;
    TCustomListView* FOwner;
    std::vector<std::unique_ptr<TListColumn>> FItems;
};

class TListItem {
public:
    explicit TListItem(TCustomListView* owner) : FOwner(owner) {}
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    TStrings& SubItems() { return FSubItems; }
    void* Data = nullptr;
    int Index() const { return FIndex; }
    bool Selected() const;
    void SetSelected(bool v);
    bool Focused() const;
    void SetFocused(bool v);
    TRect DisplayRect() const;
    bool EditCaption();
    void MakeVisible();
    TCustomListView* ListView() const { return FOwner; }

private:
    friend class TListItems;
    friend class TCustomListView;
    TCustomListView* FOwner;
    String FCaption;
    int FImageIndex = -1;
    TStringList FSubItems;
    int FIndex = 0;
    bool FSelected = false;
};

class TListItems {
public:
    explicit TListItems(TCustomListView* owner) : FOwner(owner) {}
    TListItem* Add();
    TListItem* Insert(int index);
    void Delete(int index);
    void Clear();
    int Count() const;
    // Owner data: the number of items the view shows.
    void SetCount(int v);
    // The item at index; in owner-data mode a scratch item filled by OnData.
    TListItem* Item(int index);
    // Redraw is off from the first BeginUpdate to the last EndUpdate, which repaints once.
    void BeginUpdate();
    void EndUpdate();

private:
    friend class TCustomListView;
    void Renumber(int from);
    void SetUpdateState(bool updating);
    TCustomListView* FOwner;
    std::vector<std::unique_ptr<TListItem>> FItems;
    int FVirtualCount = 0;
    std::unique_ptr<TListItem> FScratch;
    int FUpdateCount = 0;
};

} // namespace vd
