// Multiple-document forms: the client window, child activation order, close, arrangement and
// chaining the client window's procedure.
#include "VclFixture.h"

#include "platform/gfx/Color.h"
#include "platform/rtl/Exception.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Menus.h"

#include <vector>

namespace vd::test {
namespace {

struct Act {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Act&) const = default;
};

// The activation traffic the children saw, in order.
std::vector<Act> Activations(const MessageSpy& spy, const std::vector<HWND>& children) {
    std::vector<Act> out;
    for (const SpyEntry& e : spy.Entries())
        if ((e.msg == WM_NCACTIVATE || e.msg == WM_MDIACTIVATE) &&
            std::find(children.begin(), children.end(), e.hwnd) != children.end())
            out.push_back({e.hwnd, e.msg, e.msg == WM_NCACTIVATE ? e.wParam : e.wParam, e.lParam});
    return out;
}

void PrintTo(const Act& a, std::ostream* os) {
    *os << "{" << a.hwnd << " msg " << a.msg << " w " << a.wParam << " l " << a.lParam << "}";
}

WPARAM W(HWND h) {
    return reinterpret_cast<WPARAM>(h);
}
LPARAM L(HWND h) {
    return reinterpret_cast<LPARAM>(h);
}

class MDITest : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        frame = NewForm({50, 50, 450, 350});
        frame->SetFormStyle(fsMDIForm);
        Application->SetMainForm(frame);
        frame->Show();
    }
    TForm* NewChild(const String& name, bool show = true) {
        auto* c = new TForm(Application);
        c->SetName(name);
        c->SetFormStyle(fsMDIChild);
        c->SetBounds(10, 10, 120, 90);
        if (show) c->Show();
        return c;
    }
    std::vector<TCustomForm*> Children() const {
        std::vector<TCustomForm*> out;
        for (int i = 0; i < frame->MDIChildCount(); ++i)
            out.push_back(frame->MDIChildren(i));
        return out;
    }
    TRect InClient(HWND h) const {
        TRect r = GetWindowRect(h);
        TPoint pts[2] = {{r.Left, r.Top}, {r.Right, r.Bottom}};
        MapWindowPoints(nullptr, frame->ClientHandle(), pts, 2);
        return {pts[0].X, pts[0].Y, pts[1].X, pts[1].Y};
    }
    TForm* frame = nullptr;
};

TEST_F(MDITest, ClientWindowFillsWhatAlignedControlsLeave) {
    struct Case {
        std::vector<std::pair<TAlign, int>> controls; // size 0: hidden
        TRect expected;
    } cases[] = {
        {{}, {0, 0, 400, 300}},
        {{{alTop, 20}}, {0, 20, 400, 300}},
        {{{alTop, 20}, {alBottom, 30}}, {0, 20, 400, 270}},
        {{{alLeft, 40}, {alRight, 50}}, {40, 0, 350, 300}},
        {{{alTop, 10}, {alBottom, 10}, {alLeft, 10}, {alRight, 10}, {alClient, 0}}, {10, 10, 390, 290}},
        {{{alTop, 0}, {alLeft, 25}}, {25, 0, 400, 300}},       // a hidden bar takes no room
        {{{alTop, 200}, {alBottom, 200}}, {0, 200, 400, 200}}, // never negative
    };
    for (const Case& c : cases) {
        std::vector<TBevel*> bevels;
        for (auto [align, size] : c.controls) {
            auto* b = new TBevel(frame);
            b->SetBounds(0, 0, size ? size : 15, size ? size : 15);
            b->SetVisible(size != 0 || align == alClient);
            b->SetParent(frame);
            b->SetAlign(align);
            bevels.push_back(b);
        }
        SCOPED_TRACE(c.controls.size());
        EXPECT_EQ(frame->GetMDIClientArea(), c.expected);
        TRect r = GetWindowRect(frame->ClientHandle());
        TPoint tl{r.Left, r.Top};
        ScreenToClient(frame->Handle(), tl);
        EXPECT_EQ((TRect{tl.X, tl.Y, tl.X + r.Width(), tl.Y + r.Height()}), c.expected);
        for (TBevel* b : bevels)
            b->Free();
    }
    auto* bar = new TBevel(frame);
    bar->SetBounds(0, 0, 10, 24);
    bar->SetParent(frame);
    bar->SetAlign(alTop);
    frame->SetBounds(50, 50, 300, 200);
    EXPECT_EQ(GetClientRect(frame->ClientHandle()), (TRect{0, 0, 300, 176}))
        << "the client follows the form's size";
}

TEST_F(MDITest, ChildrenAreFramedChildWindowsOfTheClientInActivationOrder) {
    ASSERT_NE(frame->ClientHandle(), nullptr);
    EXPECT_EQ(GetParent(frame->ClientHandle()), frame->Handle());
    MessageSpy spy;
    TForm* a = NewChild("A");
    TForm* b = NewChild("B");
    TForm* c = NewChild("C");
    for (TForm* f : {a, b, c}) {
        EXPECT_EQ(GetParent(f->Handle()), frame->ClientHandle());
        EXPECT_TRUE(GetWindowLong(f->Handle(), GWL_STYLE) & WS_CHILD);
        EXPECT_LT(GetClientRect(f->Handle()).Height(), GetWindowRect(f->Handle()).Height()) << "own caption";
        EXPECT_FALSE(spy.Of(f->Handle(), WM_NCCALCSIZE).empty());
    }
    EXPECT_EQ(Children(), (std::vector<TCustomForm*>{c, b, a}));
    EXPECT_EQ(frame->ActiveMDIChild(), c);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessage(frame->ClientHandle(), WM_MDIGETACTIVE)), c->Handle());
    const HWND ha = a->Handle(), hb = b->Handle(), hc = c->Handle();
    EXPECT_EQ(Activations(spy, {ha, hb, hc}), (std::vector<Act>{
                                                  {ha, WM_NCACTIVATE, TRUE, 0},
                                                  {ha, WM_MDIACTIVATE, 0, L(ha)},
                                                  {ha, WM_NCACTIVATE, FALSE, 0},
                                                  {ha, WM_MDIACTIVATE, W(ha), L(hb)},
                                                  {hb, WM_NCACTIVATE, TRUE, 0},
                                                  {hb, WM_MDIACTIVATE, W(ha), L(hb)},
                                                  {hb, WM_NCACTIVATE, FALSE, 0},
                                                  {hb, WM_MDIACTIVATE, W(hb), L(hc)},
                                                  {hc, WM_NCACTIVATE, TRUE, 0},
                                                  {hc, WM_MDIACTIVATE, W(hb), L(hc)},
                                              }));
    EXPECT_TRUE(c->Active());
    EXPECT_FALSE(b->Active());
}

TEST_F(MDITest, ActiveChildCaptionFollowsTheFrame) {
    TForm* a = NewChild("A");
    TForm* b = NewChild("B");
    TForm* other = NewForm({500, 100, 600, 200});
    MessageSpy spy;
    other->Show();
    SetActiveWindow(frame->Handle());
    EXPECT_EQ(
        Activations(spy, {a->Handle(), b->Handle()}),
        (std::vector<Act>{{b->Handle(), WM_NCACTIVATE, FALSE, 0}, {b->Handle(), WM_NCACTIVATE, TRUE, 0}}))
        << "only the active child, off and on with the frame";
    EXPECT_TRUE(IsChild(b->Handle(), GetFocus()) || GetFocus() == b->Handle())
        << "focus goes to the active child";
}

TEST_F(MDITest, FreeingTheFrameTakesTheChildWindowsAlong) {
    TForm* a = NewChild("A");
    TForm* b = NewChild("B");
    const HWND ha = a->Handle();
    frame->Free();
    frame = nullptr;
    EXPECT_FALSE(IsWindow(ha));
    EXPECT_FALSE(a->HandleAllocated());
    b->Free(); // its window went with the frame's
    a->Free();
}

TEST_F(MDITest, WindowMenuIsClearedWhenItsItemIsFreed) {
    auto* item = new TMenuItem(frame);
    frame->SetWindowMenu(item);
    EXPECT_EQ(frame->WindowMenu(), item);
    item->Free();
    EXPECT_EQ(frame->WindowMenu(), nullptr);
}

TEST_F(MDITest, ChildWithoutAMultipleDocumentMainFormIsRefused) {
    frame->SetFormStyle(fsNormal);
    auto* c = new TForm(Application);
    EXPECT_THROW(c->SetFormStyle(fsMDIChild); c->Show(), EInvalidOperation);
    EXPECT_EQ(frame->ClientHandle(), nullptr);
}

TEST_F(MDITest, NextPreviousAndClickSwitchTheActiveChild) {
    TForm* a = NewChild("A");
    TForm* b = NewChild("B");
    TForm* c = NewChild("C");
    struct Step {
        const char* op;
        TForm* active;
    } steps[] = {{"next", b}, {"next", a},    {"next", c}, {"prev", a},
                 {"prev", b}, {"click a", a}, {"next", b}};
    ASSERT_EQ(frame->ActiveMDIChild(), c);
    for (const Step& s : steps) {
        SCOPED_TRACE(s.op);
        MessageSpy spy;
        TCustomForm* before = frame->ActiveMDIChild();
        const std::string op = s.op;
        if (op == "next")
            frame->Next();
        else if (op == "prev")
            frame->Previous();
        else
            SendMessage(a->Handle(), WM_MOUSEACTIVATE, W(frame->Handle()), 0);
        EXPECT_EQ(frame->ActiveMDIChild(), s.active);
        EXPECT_EQ(frame->MDIChildren(0), s.active) << "the active child is in front";
        const HWND hOld = before->Handle(), hNew = s.active->Handle();
        EXPECT_EQ(Activations(spy, {a->Handle(), b->Handle(), c->Handle()}),
                  (std::vector<Act>{{hOld, WM_NCACTIVATE, FALSE, 0},
                                    {hOld, WM_MDIACTIVATE, W(hOld), L(hNew)},
                                    {hNew, WM_NCACTIVATE, TRUE, 0},
                                    {hNew, WM_MDIACTIVATE, W(hOld), L(hNew)}}));
    }
}

TEST_F(MDITest, ClosingTheActiveChildActivatesTheNext) {
    struct Case {
        TCloseAction action;
        bool freed;
    } cases[] = {{caFree, true}, {caHide, false}};
    for (const Case& k : cases) {
        TForm* a = NewChild("A");
        TForm* b = NewChild("B");
        TForm* c = NewChild("C");
        frame->Next(); // order b, a, c
        c->OnClose = [&](TObject*, TCloseAction& act) { act = k.action; };
        b->OnClose = [&](TObject*, TCloseAction& act) { act = k.action; };
        b->Close();
        Pump();
        EXPECT_EQ(frame->ActiveMDIChild(), a);
        EXPECT_TRUE(a->Active());
        EXPECT_EQ(frame->MDIChildCount(), k.freed ? 2 : 3);
        a->Free();
        EXPECT_EQ(frame->ActiveMDIChild(), c) << "freeing the active one hands over too";
        c->Close();
        Pump();
        EXPECT_EQ(frame->ActiveMDIChild(), nullptr);
        while (frame->MDIChildCount())
            frame->MDIChildren(0)->Free();
    }
}

TEST_F(MDITest, ClosingAChildMinimizesItByDefaultOrKeepsIt) {
    TForm* a = NewChild("A");
    a->Close();
    EXPECT_TRUE(IsIconic(a->Handle()));
    TForm* b = NewChild("B");
    b->SetBorderIcons(biSystemMenu);
    b->Close();
    EXPECT_TRUE(b->Visible());
    EXPECT_FALSE(IsIconic(b->Handle()));
}

TEST_F(MDITest, CascadeTileAndArrangeIcons) {
    TForm* a = NewChild("A");
    TForm* b = NewChild("B");
    TForm* c = NewChild("C");
    TForm* d = NewChild("D");
    frame->Tile();
    EXPECT_EQ(InClient(d->Handle()), (TRect{0, 0, 200, 150}));
    EXPECT_EQ(InClient(c->Handle()), (TRect{200, 0, 400, 150}));
    EXPECT_EQ(InClient(b->Handle()), (TRect{0, 150, 200, 300}));
    EXPECT_EQ(InClient(a->Handle()), (TRect{200, 150, 400, 300}));
    frame->Cascade();
    const TRect ra = InClient(a->Handle()), rd = InClient(d->Handle());
    EXPECT_EQ(ra.TopLeft(), (TPoint{0, 0}));
    EXPECT_GT(rd.Left, ra.Left);
    EXPECT_EQ(rd.Left, rd.Top);
    EXPECT_LE(rd.Right, 400);
    EXPECT_LE(rd.Bottom, 300);
    EXPECT_EQ(frame->ActiveMDIChild(), d) << "arranging keeps the active child";
    ShowWindow(a->Handle(), SW_MINIMIZE);
    ShowWindow(b->Handle(), SW_MINIMIZE);
    frame->ArrangeIcons();
    const TRect ia = InClient(a->Handle()), ib = InClient(b->Handle());
    EXPECT_EQ(ia.Bottom, 300);
    EXPECT_EQ(ib.Bottom, 300);
    EXPECT_EQ(std::min(ia.Left, ib.Left), 0);
    EXPECT_EQ(std::max(ia.Left, ib.Left), std::min(ia.Right, ib.Right)) << "side by side";
}

TEST_F(MDITest, CascadeWrapsToTheCornerInsteadOfLeavingTheClient) {
    std::vector<TForm*> kids;
    for (int i = 0; i < 30; ++i)
        kids.push_back(NewChild(String("K") + std::to_string(i)));
    frame->Cascade();
    int atCorner = 0;
    for (TForm* k : kids) {
        const TRect r = InClient(k->Handle());
        EXPECT_GE(r.Left, 0);
        EXPECT_LE(r.Right, 400);
        EXPECT_LE(r.Bottom, 300);
        if (r.TopLeft() == TPoint{0, 0}) ++atCorner;
    }
    EXPECT_GE(atCorner, 2) << "the cascade starts again at the top-left";
}

TEST_F(MDITest, MinimizingTheActiveChildActivatesTheNextOne) {
    TForm* a = NewChild("A");
    TForm* b = NewChild("B");
    TForm* c = NewChild("C");
    ASSERT_EQ(frame->ActiveMDIChild(), c);
    ShowWindow(c->Handle(), SW_MINIMIZE);
    Pump();
    EXPECT_EQ(frame->ActiveMDIChild(), b);
    ShowWindow(b->Handle(), SW_MINIMIZE);
    Pump();
    EXPECT_EQ(frame->ActiveMDIChild(), a);
    // The last child that is not minimized keeps activation when it goes too.
    ShowWindow(a->Handle(), SW_MINIMIZE);
    Pump();
    EXPECT_EQ(frame->ActiveMDIChild(), a);
    // Minimizing a child that is not active moves nothing.
    ShowWindow(a->Handle(), SW_RESTORE);
    ShowWindow(b->Handle(), SW_RESTORE);
    SendMessage(frame->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(b->Handle()), 0);
    ShowWindow(a->Handle(), SW_MINIMIZE);
    Pump();
    EXPECT_EQ(frame->ActiveMDIChild(), b);
}

TEST_F(MDITest, ClientProcedureCanBeHookedAndChained) {
    TForm* a = NewChild("A");
    TForm* b = NewChild("B");
    const HWND client = frame->ClientHandle();
    std::vector<UINT> seen;
    bool ownErase = false;
    WNDPROC old;
    old = SetWindowProc(client, MakeWndProc([&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
                            seen.push_back(m);
                            if (m == WM_ERASEBKGND && ownErase) return 1;
                            if (m == WM_NCCALCSIZE) return 0;
                            return CallWindowProc(old, h, m, w, l);
                        }));
    frame->Next();
    EXPECT_EQ(frame->ActiveMDIChild(), a) << "chained to the saved procedure";
    EXPECT_NE(std::find(seen.begin(), seen.end(), WM_MDINEXT), seen.end());
    seen.clear();
    TForm* c = NewChild("C");
    EXPECT_NE(std::find(seen.begin(), seen.end(), WM_MDIACTIVATE), seen.end())
        << "a new child asks the client";
    EXPECT_EQ(frame->ActiveMDIChild(), c);

    // Erase and invalidate: the saved procedure fills with the workspace colour, the hook can take over.
    const TPoint inClient{300, 250}; // below both children
    TPoint p = inClient;
    MapWindowPoints(client, frame->Handle(), &p, 1);
    const TRect frameWin = GetWindowRect(frame->Handle());
    TPoint scr = inClient;
    ClientToScreen(client, scr);
    for (bool hooked : {false, true}) {
        ownErase = hooked;
        seen.clear();
        RedrawWindow(client, nullptr, RDW_ERASE | RDW_INVALIDATE);
        UpdateWindow(client);
        EXPECT_NE(std::find(seen.begin(), seen.end(), WM_ERASEBKGND), seen.end());
        if (!hooked) {
            EXPECT_EQ(GetWindowPixel(frame->Handle(), scr.X - frameWin.Left, scr.Y - frameWin.Top),
                      static_cast<COLORREF>(ColorToRGB(clAppWorkSpace)));
        }
    }
    SetWindowProc(client, old);
    (void)b;
}

} // namespace
} // namespace vd::test
