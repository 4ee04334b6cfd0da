#pragma once
// TPageControl with TTabSheet pages: each page with TabVisible set has a tab; TabIndex counts
// visible tabs only, ActivePageIndex all pages. The active page fills the display rectangle and
// is the only one shown.
#include "platform/vcl/ComCtrls/TabControl.h"
#include "platform/vcl/Forward.h"

#include <vector>

namespace vd {

class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;
    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* v);
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool v);
    int PageIndex() const;
    void SetPageIndex(int v);
    int TabIndex() const; // among visible tabs, -1 when hidden
    int ImageIndex = -1;
    void SetText(const String& v) override;
    bool SetProperty(const String& name, const TPropValue& value) override;

private:
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
    friend class TPageControl;
};

class TPageControl : public TCustomTabControl {
public:
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;
    int PageCount() const { return static_cast<int>(FPages.size()); }
    TTabSheet* Pages(int index) const { return FPages.at(static_cast<std::size_t>(index)); }
    TTabSheet* ActivePage() const { return FActivePage; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int v);
    TTabSheet* FindNextPage(TTabSheet* cur, bool goForward, bool checkTabVisible) const;
    void SelectNextPage(bool goForward);
    void InsertReadChild(TComponent* child) override;
    int GetImageIndex(int TabIndex) override; // the page's ImageIndex, then OnGetImageIndex

protected:
    bool CanChange() override;
    void Change() override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void UpdateTabs();
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void MovePage(TTabSheet* page, int index);
    TTabSheet* PageForTab(int tabIndex) const;
    void ShowOnly(TTabSheet* page);

    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
    friend class TTabSheet;
};

} // namespace vd
