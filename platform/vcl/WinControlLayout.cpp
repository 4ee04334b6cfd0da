// Tab order, focus navigation, broadcasting and the alignment of children.
#include "platform/vcl/Form.h"
#include "platform/vcl/WinControl.h"

#include <algorithm>

namespace vd {

int TWinControl::TabOrder() const {
    if (!FParent) return -1;
    int i = 0;
    for (TControl* c : FParent->FControls) {
        if (c == this) return i;
        if (c->HasWindow()) ++i;
    }
    return -1;
}

void TWinControl::SetTabOrder(int v) {
    if (!FParent) return;
    auto& list = FParent->FControls;
    list.erase(std::find(list.begin(), list.end(), this));
    int i = 0;
    auto pos = list.begin();
    for (; pos != list.end(); ++pos) {
        if (!(*pos)->HasWindow()) continue;
        if (i == v) break;
        ++i;
    }
    list.insert(pos, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) {
    for (TControl* c : FControls) {
        auto* w = dynamic_cast<TWinControl*>(c);
        if (!w) continue;
        list.push_back(w);
        w->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* cur, bool goForward, bool checkTabStop,
                                          bool checkParent) {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    const int n = static_cast<int>(list.size());
    int start = -1;
    for (int i = 0; i < n; ++i)
        if (list[i] == cur) start = i;
    if (start < 0) start = goForward ? n - 1 : 0;
    int i = start;
    for (int k = 0; k < n; ++k) {
        i = goForward ? (i + 1) % n : (i - 1 + n) % n;
        TWinControl* c = list[i];
        if (c == cur) break;
        if (c->CanFocus() && (!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this))
            return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* cur, bool goForward, bool checkTabStop) {
    if (TWinControl* next = FindNextControl(cur, goForward, checkTabStop, !checkTabStop)) next->SetFocus();
}

bool TWinControl::CanFocus() const {
    TCustomForm* form = GetParentForm(const_cast<TWinControl*>(this));
    if (!form) return FVisible && FEnabled;
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

bool TWinControl::Focused() const {
    return FHandle && GetFocus() == FHandle;
}

void TWinControl::SetFocus() {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this)
        form->FocusControl(this);
    else if (form)
        form->FocusControl(nullptr), ::vd::SetFocus(Handle());
    else
        ::vd::SetFocus(Handle());
}

void TWinControl::Broadcast(TMessage& Message) {
    for (TControl* c : std::vector<TControl*>(FControls)) {
        if (std::find(FControls.begin(), FControls.end(), c) == FControls.end()) continue;
        c->WindowProc(Message);
        if (Message.Result != 0) return;
    }
}

void TWinControl::DisableAlign() {
    ++FAlignLevel;
}

void TWinControl::EnableAlign() {
    if (--FAlignLevel == 0) Realign();
}

void TWinControl::Realign() {
    if (FAlignLevel > 0 || FInAlign || (ComponentState() & csDestroying)) return;
    FInAlign = true;
    TRect r = GetClientRect();
    AdjustClientRect(r);
    try {
        AlignControls(nullptr, r);
    } catch (...) {
        FInAlign = false;
        throw;
    }
    FInAlign = false;
}

void TWinControl::AdjustClientRect(TRect& Rect) {
    (void)Rect;
}

namespace {

bool Before(const TControl* a, const TControl* b, TAlign align) {
    switch (align) {
    case alTop:
        return a->Top() < b->Top();
    case alBottom:
        return a->Top() + a->Height() > b->Top() + b->Height();
    case alLeft:
        return a->Left() < b->Left();
    case alRight:
        return a->Left() + a->Width() > b->Left() + b->Width();
    default:
        return false;
    }
}

} // namespace

void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
    (void)AControl;
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> list;
        for (TControl* c : FControls)
            if (c->Align() == align && c->Visible()) list.push_back(c);
        std::stable_sort(list.begin(), list.end(),
                         [align](TControl* a, TControl* b) { return Before(a, b, align); });
        for (TControl* c : list) {
            const int w = std::max(0, Rect.Width()), h = std::max(0, Rect.Height());
            c->FAnchorMove = true;
            switch (align) {
            case alTop:
                c->SetBounds(Rect.Left, Rect.Top, w, c->Height());
                Rect.Top += c->Height();
                break;
            case alBottom:
                c->SetBounds(Rect.Left, Rect.Bottom - c->Height(), w, c->Height());
                Rect.Bottom -= c->Height();
                break;
            case alLeft:
                c->SetBounds(Rect.Left, Rect.Top, c->Width(), h);
                Rect.Left += c->Width();
                break;
            case alRight:
                c->SetBounds(Rect.Right - c->Width(), Rect.Top, c->Width(), h);
                Rect.Right -= c->Width();
                break;
            default:
                c->SetBounds(Rect.Left, Rect.Top, w, h);
                break;
            }
            c->FAnchorMove = false;
        }
    }
    // Anchored controls follow the parent's size.
    const TRect client = GetClientRect();
    for (TControl* c : FControls) {
        if (c->Align() != alNone || c->FAnchorParentSize == TSize{}) continue;
        const int dw = client.Width() - c->FAnchorParentSize.cx,
                  dh = client.Height() - c->FAnchorParentSize.cy;
        const TRect o = c->FAnchorRect;
        const TAnchors a = c->Anchors();
        int l = o.Left, t = o.Top, wd = o.Width(), ht = o.Height();
        if ((a & akRight) && (a & akLeft))
            wd += dw;
        else if (a & akRight)
            l += dw;
        if ((a & akBottom) && (a & akTop))
            ht += dh;
        else if (a & akBottom)
            t += dh;
        c->FAnchorMove = true;
        c->SetBounds(l, t, wd, ht);
        c->FAnchorMove = false;
    }
}

} // namespace vd
