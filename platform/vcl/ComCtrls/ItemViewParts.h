#pragma once
// What the list and tree views share: the background under their items, the colours of a label,
// their two image lists (by property name and by message) and the edit over a label.
#include "platform/vcl/ImageList.h"
#include "platform/vcl/StdCtrls/Edit.h"
#include "platform/vcl/WinControl.h"

namespace vd {

// Fills the client area with the view's colour; dc then draws transparent text in the font.
void PaintViewBackground(HDC dc, const TRect& client, TColor color, TFont& font);
// A selected label stands on the highlight in its text colour, any other in the font's colour.
void SetLabelColors(HDC dc, const TRect& label, bool selected, TColor fontColor);

// One of a view's two image lists: its property name and accessors.
template <class TView> struct TViewImageList {
    const char* Name;
    TCustomImageList* (TView::*Get)() const;
    void (TView::*Set)(TCustomImageList*);
};

// Sets the list whose handle a set-image-list message brings; answers the replaced one's handle.
template <class TView>
LRESULT ReplaceImageList(TView& view, const TViewImageList<TView>& slot, LPARAM handle) {
    TCustomImageList* list = TCustomImageList::FromHandle(reinterpret_cast<HIMAGELIST>(handle));
    TCustomImageList* old = (view.*slot.Get)();
    (view.*slot.Set)(list);
    return old ? reinterpret_cast<LRESULT>(old->Handle()) : 0;
}

// A form's link to one of the lists; false when the name is neither or the value no image list.
template <class TView>
bool SetImageListProperty(TView& view, const TViewImageList<TView> (&slots)[2], const String& name,
                          TComponent* value) {
    auto* list = dynamic_cast<TCustomImageList*>(value);
    for (const auto& slot : slots)
        if (name == slot.Name && list) {
            (view.*slot.Set)(list);
            return true;
        }
    return false;
}

// Label editing may start on item unless the view is read-only, already editing, or its
// OnEditing says no.
template <class TView, class TItem> bool MayEditLabel(TView* view, TItem* item) {
    if (!item || view->ReadOnly || view->IsEditing()) return false;
    bool allow = true;
    if (view->OnEditing) view->OnEditing(view, item, allow);
    return allow;
}

// Opens the edit over a label in editor; place gives it its bounds and text once it is the view's
// child. Enter or leaving it commits, Esc cancels, both through the view's EndEdit.
template <class TView, class TPlace> void OpenLabelEditor(TView* view, TCustomEdit*& editor, TPlace place) {
    editor = new TEdit(view);
    editor->SetParent(view);
    place(editor);
    editor->OnKeyDown = [view](TObject*, Word& key, TShiftState) {
        if (key == VK_RETURN || key == VK_ESCAPE) {
            const bool cancel = key == VK_ESCAPE;
            key = 0;
            view->EndEdit(cancel);
        }
    };
    editor->OnKeyPress = [](TObject*, TKeyChar& key) {
        if (key == 13 || key == 27) key = 0;
    };
    editor->OnExit = [view](TObject*) { view->EndEdit(false); };
    editor->SetFocus();
    editor->SelectAll();
}

// Takes the edit away (editor is null after) and gives the focus back to the view when the edit
// had it; the edit's text.
String CloseLabelEditor(TWinControl* view, TCustomEdit*& editor);

} // namespace vd
