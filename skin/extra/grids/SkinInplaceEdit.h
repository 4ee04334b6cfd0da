#pragma once
// The grid's in-place editor: a borderless edit laid over the current cell, loaded with the
// cell's text, coloured from the skin, handing every change back to the grid at once. Navigation
// keys go to the grid; a right click opens the editing menu.
#include "platform/vcl/Forward.h"
#include "platform/vcl/StdCtrls.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace vd {

class TskSkinCustomGrid;

// Makes the popup menu the editor fills and opens (Popup at a screen point); tests put their own
// here. By default the skinned popup menu, which opens through the form frame's menu engine.
using TskEditMenuFactory = std::function<TPopupMenu*(TComponent* Owner)>;
void SetInplaceEditMenuFactory(TskEditMenuFactory Factory);

class TskSkinInplaceEdit : public TCustomMaskEdit {
public:
    explicit TskSkinInplaceEdit(TComponent* AOwner);
    ~TskSkinInplaceEdit() override;

    TskSkinCustomGrid* Grid() const { return FGrid; }
    void SetGrid(TskSkinCustomGrid* g) { FGrid = g; }

    void CaretToEnd();
    void InvalidateArea();
    void HideBox();
    void MoveTo(const TRect& R, bool ForceRedraw);
    virtual void FitTextArea();
    virtual void LoadContents();
    // The grid's press on a cell; a press on the editor within the double-click time of it is a
    // double click. Nothing counts until the first press.
    void NoteGridClick(std::uint32_t Time) { FLastClick = Time; }
    bool HasPendingClick() const { return FLastClick.has_value(); }
    // The context menu built on the last right click (null when none).
    TPopupMenu* ContextMenu() const { return FMenu; }
    void BuildContextMenu();
    void FreeContextMenu();

    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void KeyPress(TKeyChar& Key) override;
    void DblClick() override;

private:
    bool MayModify();
    void ShowContextMenu(TMessage& Message);

    TskSkinCustomGrid* FGrid = nullptr;
    std::optional<std::uint32_t> FLastClick;
    TComponentLink<TPopupMenu> FMenu{this};
};

} // namespace vd
