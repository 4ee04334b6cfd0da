#pragma once
// What the skinned tree and list views share: no border and no native bars of their own, colour
// and font from the skin's record for the view, and two external skinned scroll bars that follow
// the view's visibility and hand their moves back to it.
#include "platform/vcl/ComCtrls.h"
#include "platform/vcl/ComponentLink.h"
#include "platform/vcl/Font.h"
#include "skin/controls/Forward.h"
#include "skin/core/Forward.h"
#include "skin/store/Forward.h"

namespace vd {

template <class TBase, class TRecord> class TskSkinViewBase : public TBase {
public:
    TskSkinViewBase(TComponent* AOwner, const char* ARecordName);
    ~TskSkinViewBase() override;

    TskSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TskSkinData* Value);
    String SkinDataName;
    int SkinIndex() const { return FSkinIndex; }
    TFont& DefaultFont() { return FDefaultFont; }
    void SetDefaultFont(const TFont& Value);
    TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor Value);
    bool UseSkinFont = true;
    TskSkinScrollBar* VScrollBar() const { return FVScrollBar; }
    void SetVScrollBar(TskSkinScrollBar* Value) { AttachBar(FVScrollBar, Value, true); }
    TskSkinScrollBar* HScrollBar() const { return FHScrollBar; }
    void SetHScrollBar(TskSkinScrollBar* Value) { AttachBar(FHScrollBar, Value, false); }

    virtual void ChangeSkinData() = 0;
    // Shows, hides and ranges the attached bars from the view's scroll state.
    virtual void UpdateScrollBars() = 0;

    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;

protected:
    void Loaded() override;
    void CreateParams(TCreateParams& Params) override;
    bool Designing() const { return (this->ComponentState() & csDesigning) != 0; }

    // Scrolls the view to where the bar was moved.
    virtual void BarChange(bool Vertical) = 0;
    // Looks the record up and takes its font and colour, or the defaults without one.
    void ApplySkinRecord();
    // After a skin change: the bars take the new scroll state and their places again.
    void RealignBars();
    bool SetBarVisible(TskSkinScrollBar* Bar, bool Visible);
    // Shows the corner box when both bars show; the parent lays out again when one came or went.
    void FinishBars(bool Changed);

    TComponentLink<TskSkinData> FSkinData{this};
    int FSkinIndex = -1;
    TFont FDefaultFont;
    TColor FDefaultColor = clWindow;
    TComponentLink<TskSkinScrollBar> FVScrollBar{this};
    TComponentLink<TskSkinScrollBar> FHScrollBar{this};
    bool FUpdating = false;

private:
    void AttachBar(TComponentLink<TskSkinScrollBar>& Field, TskSkinScrollBar* Value, bool Vertical);
};

extern template class TskSkinViewBase<TCustomListView, TskDataSkinListView>;
extern template class TskSkinViewBase<TCustomTreeView, TskDataSkinTreeView>;

} // namespace vd
