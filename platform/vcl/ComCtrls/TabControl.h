#pragma once
// TCustomTabControl / TTabControl: one row of tabs along the edge TabPosition names (top and
// bottom: left to right; left and right: top to bottom), scrolled by a first-visible index.
// Tab rectangles are in client coordinates (tabs before the first visible one end at or before
// the row's start), the display rectangle is the client area minus the row. Descendants that
// draw their own tabs override TabRect/DisplayRect or paint over them.
#include "platform/rtl/StringList.h"
#include "platform/vcl/ImageList.h"
#include "platform/vcl/WinControl.h"
#include "platform/win/CommCtrl.h"

#include <functional>
#include <memory>

namespace vd {

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;
using TTabGetImageEvent = std::function<void(TObject* Sender, int TabIndex, int& ImageIndex)>;

class TCustomTabControl : public TWinControl {
public:
    explicit TCustomTabControl(TComponent* AOwner);
    ~TCustomTabControl() override;

    TStrings& Tabs() { return *FTabs; }
    int TabIndex() const { return FTabIndex; }
    void SetTabIndex(int v); // from code: no OnChanging/OnChange
    TTabPosition TabPosition() const { return FTabPosition; }
    void SetTabPosition(TTabPosition v);
    int TabHeight() const { return FTabHeight; }
    void SetTabHeight(int v);
    int TabWidth() const { return FTabWidth; }
    void SetTabWidth(int v);
    TTabStyle Style() const { return FStyle; }
    void SetStyle(TTabStyle v) { FStyle = v; }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* v);
    int FirstVisible() const { return FFirstVisible; }
    void SetFirstVisible(int v);
    bool MultiLine() const { return false; }

    // Extent of a tab along the row and the row's thickness.
    virtual TSize TabSize(int index);
    virtual TRect TabRect(int index);
    virtual TRect DisplayRect();
    int IndexOfTabAt(int X, int Y);
    // Selects as a user would: OnChanging may veto; the tab is scrolled into view.
    bool SelectTab(int index);
    int TabCount() { return FTabs->Count(); }
    virtual int GetImageIndex(int TabIndex);

    TTabChangingEvent OnChanging;
    TNotifyEvent OnChange;
    TTabGetImageEvent OnGetImageIndex;

    void Dispatch(TMessage& Message) override;
    bool SetProperty(const String& name, const TPropValue& value) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;

protected:
    virtual bool CanChange();
    virtual void Change();
    virtual void TabsChanged();
    void AdjustClientRect(TRect& Rect) override;
    void PaintWindow(std::uintptr_t DC) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    bool Vertical() const { return FTabPosition == tpLeft || FTabPosition == tpRight; }
    int RowThickness();
    bool FocusInside() const;
    void ScrollIntoView(int index);

    std::unique_ptr<TStringList> FTabs;
    int FTabIndex = -1;
    TTabPosition FTabPosition = tpTop;
    int FTabHeight = 0;
    int FTabWidth = 0;
    TTabStyle FStyle = tsTabs;
    TComponentLink<TCustomImageList> FImages{this};
    int FFirstVisible = 0;
};

class TTabControl : public TCustomTabControl {
public:
    explicit TTabControl(TComponent* AOwner) : TCustomTabControl(AOwner) {}
};

} // namespace vd
