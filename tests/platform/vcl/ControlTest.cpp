#include "VclFixture.h"

#include "platform/gfx/Gdi.h"
#include "platform/rtl/Format.h"
#include "platform/vcl/Menus.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace vd::test {
namespace {

using Log = std::vector<std::string>;

// A windowless control that records what reaches it.
class Spot : public TGraphicControl {
public:
    explicit Spot(TComponent* owner, Log* log, TColor color = clRed)
        : TGraphicControl(owner), FLog(log), FColor2(color) {
        SetBounds(0, 0, 20, 20);
        OnClick = [this](TObject*) { FLog->push_back(Name() + " click"); };
    }
    void Dispatch(TMessage& m) override {
        if (m.Msg == CM_MOUSEENTER) FLog->push_back(Name() + " enter");
        if (m.Msg == CM_MOUSELEAVE) FLog->push_back(Name() + " leave");
        if (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK)
            FLog->push_back(Name() + (m.Msg == WM_LBUTTONDOWN ? " down " : " dbl ") +
                            std::to_string(GetXLParam(m.LParam)) + "," +
                            std::to_string(GetYLParam(m.LParam)));
        if (m.Msg == CM_DIALOGKEY && Answer) {
            FLog->push_back(Name() + " dialogkey");
            m.Result = 1;
            return;
        }
        TGraphicControl::Dispatch(m);
    }
    bool Answer = false;

protected:
    void Paint() override {
        Canvas().Brush().Color = FColor2;
        Canvas().FillRect({0, 0, Width(), Height()});
    }

private:
    Log* FLog;
    TColor FColor2;
};

class Box : public TCustomControl {
public:
    Box(TComponent* owner, Log* log) : TCustomControl(owner), FLog(log) {
        SetTabStop(true);
        OnEnter = [this](TObject*) { FLog->push_back(Name() + " enter"); };
        OnExit = [this](TObject*) { FLog->push_back(Name() + " exit"); };
    }
    void Dispatch(TMessage& m) override {
        if (m.Msg == WM_SETFOCUS) FLog->push_back(Name() + " setfocus");
        if (m.Msg == WM_KILLFOCUS) FLog->push_back(Name() + " killfocus");
        if (m.Msg == CM_FOCUSCHANGED) FLog->push_back(Name() + " focuschanged");
        if (m.Msg == WM_CHAR)
            FLog->push_back(Name() + " char " + std::string(1, static_cast<char>(m.WParam)));
        if (m.Msg == WM_KEYDOWN) FLog->push_back(Name() + " keydown " + std::to_string(m.WParam));
        TCustomControl::Dispatch(m);
    }
    TColor Fill = clBlue;

protected:
    void Paint() override {
        Canvas().Brush().Color = Fill;
        Canvas().FillRect(ClientRect());
    }

private:
    Log* FLog;
};

TEST_F(VclTest, WindowProcReplacementSeesMessagesFirstAndCanBeRestored) {
    TForm* form = NewForm();
    Log log;
    TWndMethod saved = form->WindowProc;
    form->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_USER + 1) log.push_back("hook");
        saved(m);
    };
    form->Handle();
    SendMessage(form->Handle(), WM_USER + 1);
    form->Perform(WM_USER + 1);
    EXPECT_EQ(log, (Log{"hook", "hook"}));
    form->WindowProc = saved;
    SendMessage(form->Handle(), WM_USER + 1);
    EXPECT_EQ(log.size(), 2u);
}

// An exception thrown by a window procedure stops at the window system's boundary, but it is
// reported with the control's class and the message, and the window keeps working.
TEST_F(VclTest, AWindowProceduresExceptionIsReportedNotHidden) {
    TForm* form = NewForm();
    Log log;
    TWndMethod saved = form->WindowProc;
    form->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_USER + 1) throw std::out_of_range("basic_string::erase");
        if (m.Msg == WM_USER + 2) throw 42;
        if (m.Msg == WM_USER + 3) log.push_back("still working");
        saved(m);
    };
    std::vector<std::string> reports;
    Application->OnException = [&](TObject*, const std::exception& e) { reports.push_back(e.what()); };
    SendMessage(form->Handle(), WM_USER + 1);
    SendMessage(form->Handle(), WM_USER + 2);
    SendMessage(form->Handle(), WM_USER + 3);
    Application->OnException = nullptr;
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0], Format("TForm: message 0x%.4X failed: basic_string::erase", WM_USER + 1));
    EXPECT_EQ(reports[1], Format("TForm: message 0x%.4X failed: unknown exception", WM_USER + 2));
    EXPECT_EQ(log, (Log{"still working"}));
    // Without a handler of its own the application writes the report to the standard error.
    testing::internal::CaptureStderr();
    SendMessage(form->Handle(), WM_USER + 1);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("TForm: message"), std::string::npos) << err;
    form->WindowProc = saved;
}

TEST_F(VclTest, MouseGoesToTheWindowlessChildWithCaptureAndClick) {
    TForm* form = NewForm({0, 0, 200, 200});
    Log log;
    auto* a = new Spot(form, &log);
    a->SetName("A");
    a->SetParent(form);
    a->SetBounds(10, 10, 40, 40);
    form->Show();
    Pump();
    hb->ButtonDown(RawButton::Left, {20, 25});
    hb->MouseMove({150, 150}); // dragged off: the capture keeps it
    hb->MouseMove({30, 30});
    hb->ButtonUp(RawButton::Left, {30, 30});
    Pump();
    EXPECT_EQ(log, (Log{"A enter", "A down 10,15", "A leave", "A enter", "A click"}));
    log.clear();
    hb->Advance(1000);
    hb->ButtonDown(RawButton::Left, {20, 25});
    hb->ButtonUp(RawButton::Left, {150, 150}); // released outside: no click
    Pump();
    EXPECT_EQ(log, (Log{"A down 10,15", "A leave"}));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(VclTest, DoubleClickWithoutTheStyleIsAPlainPress) {
    TForm* form = NewForm({0, 0, 200, 200});
    Log log;
    auto* a = new Spot(form, &log);
    a->SetName("A");
    a->SetParent(form);
    form->Show();
    Pump();
    for (bool dbl : {true, false}) {
        log.clear();
        a->SetControlStyle(dbl ? (a->ControlStyle() | csDoubleClicks)
                               : (a->ControlStyle() & ~csDoubleClicks));
        hb->Advance(1000);
        hb->Click(RawButton::Left, {5, 5});
        hb->Advance(50);
        hb->Click(RawButton::Left, {5, 5});
        Pump();
        ASSERT_GE(log.size(), 2u);
        const std::string second = log[log.size() - (dbl ? 1 : 2)];
        EXPECT_EQ(second, dbl ? "A dbl 5,5" : "A down 5,5") << dbl;
    }
}

TEST_F(VclTest, AlignmentFillsBandsInOrder) {
    TForm* form = NewForm({0, 0, 300, 200});
    Log log;
    struct Case {
        TAlign align;
        TRect start;
        TRect expected;
    } cases[] = {
        {alTop, {0, 50, 10, 70}, {0, 30, 300, 50}}, // the lower of two tops comes second
        {alTop, {0, 0, 10, 30}, {0, 0, 300, 30}},     {alBottom, {0, 0, 10, 25}, {0, 175, 300, 200}},
        {alLeft, {0, 0, 40, 10}, {0, 50, 40, 175}},   {alRight, {0, 0, 60, 10}, {240, 50, 300, 175}},
        {alClient, {0, 0, 1, 1}, {40, 50, 240, 175}},
    };
    std::vector<TControl*> controls;
    form->DisableAlign();
    for (const Case& c : cases) {
        auto* s = new Spot(form, &log);
        s->SetBoundsRect(c.start);
        s->SetAlign(c.align);
        s->SetParent(form);
        controls.push_back(s);
    }
    form->EnableAlign();
    for (std::size_t i = 0; i < controls.size(); ++i)
        EXPECT_EQ(controls[i]->BoundsRect(), cases[i].expected) << i;
    form->SetBounds(0, 0, 400, 300);
    EXPECT_EQ(controls[5]->BoundsRect(), (TRect{40, 50, 340, 275}));
    controls[2]->SetVisible(false);
    EXPECT_EQ(controls[5]->BoundsRect(), (TRect{40, 50, 340, 300}));
}

TEST_F(VclTest, AnchorsFollowTheParentSize) {
    TForm* form = NewForm({0, 0, 300, 200});
    Log log;
    struct Case {
        TAnchors anchors;
        TRect expected;
    } cases[] = {
        {akLeft | akTop, {10, 10, 50, 30}},
        {akRight | akTop, {60, 10, 100, 30}},
        {akLeft | akRight | akTop, {10, 10, 100, 30}},
        {akLeft | akTop | akBottom, {10, 10, 50, 80}},
    };
    std::vector<TControl*> controls;
    for (const Case& c : cases) {
        auto* s = new Spot(form, &log);
        s->SetParent(form);
        s->SetBounds(10, 10, 40, 20);
        s->SetAnchors(c.anchors);
        controls.push_back(s);
    }
    form->SetBounds(0, 0, 350, 250);
    for (std::size_t i = 0; i < controls.size(); ++i)
        EXPECT_EQ(controls[i]->BoundsRect(), cases[i].expected) << i;
}

TEST_F(VclTest, BroadcastStopsAtTheFirstAnswer) {
    TForm* form = NewForm();
    Log log;
    Spot* spots[3];
    for (int i = 0; i < 3; ++i) {
        spots[i] = new Spot(form, &log);
        spots[i]->SetName("S" + std::to_string(i));
        spots[i]->SetParent(form);
    }
    spots[1]->Answer = spots[2]->Answer = true;
    TMessage m{CM_DIALOGKEY, VK_RETURN, 0, 0};
    form->Broadcast(m);
    EXPECT_EQ(m.Result, 1);
    EXPECT_EQ(log, (Log{"S1 dialogkey"}));
}

TEST_F(VclTest, FocusMovesInOrderAndTheFormRecordsIt) {
    TForm* form = NewForm();
    Log log;
    auto* a = new Box(form, &log);
    a->SetName("A");
    auto* b = new Box(form, &log);
    b->SetName("B");
    a->SetParent(form);
    b->SetParent(form);
    b->SetLeft(100);
    form->Show();
    Pump();
    a->SetFocus();
    log.clear();
    b->SetFocus();
    EXPECT_EQ(log,
              (Log{"A killfocus", "B setfocus", "A exit", "B enter", "A focuschanged", "B focuschanged"}));
    EXPECT_EQ(form->ActiveControl(), b);
    EXPECT_EQ(Screen->ActiveControl(), b);
    EXPECT_TRUE(b->Focused());
    log.clear();
    hb->KeyPress(VK_TAB, '\t');
    Pump();
    EXPECT_TRUE(a->Focused()) << "Tab moves to the next control in tab order";
    for (const auto& e : log)
        EXPECT_EQ(e.find("char"), std::string::npos) << "a handled dialog key is not translated";
}

TEST_F(VclTest, ShortcutsAndDialogKeysConsumeTheKeyOnce) {
    TForm* form = NewForm();
    Log log;
    auto* box = new Box(form, &log);
    box->SetName("Box");
    box->SetParent(form);
    auto* ok = new Spot(form, &log);
    ok->SetName("Ok");
    ok->SetParent(form);
    ok->Answer = true;
    int shortcuts = 0;
    form->OnShortCut = [&](TMessage& m, bool& handled) {
        if (m.WParam == 'S' && GetKeyState(VK_CONTROL) < 0) {
            ++shortcuts;
            handled = true;
        }
    };
    form->Show();
    Pump();
    box->SetFocus();
    log.clear();
    hb->KeyPress(VK_RETURN, '\r');
    hb->KeyDown(VK_CONTROL);
    hb->KeyPress('S', 19);
    hb->KeyUp(VK_CONTROL);
    hb->KeyPress('X', 'x');
    Pump();
    EXPECT_EQ(shortcuts, 1);
    EXPECT_EQ(log, (Log{"Ok dialogkey", "Box keydown 17", "Box keydown 88", "Box char x"}));
}

TEST_F(VclTest, OnMessageSeesQueuedInputAndMayEatIt) {
    TForm* form = NewForm();
    Log log;
    auto* box = new Box(form, &log);
    box->SetName("Box");
    box->SetParent(form);
    form->Show();
    Pump();
    box->SetFocus();
    log.clear();
    int seen = 0;
    Application->OnMessage = [&](MSG& m, bool& handled) {
        if (m.message == WM_KEYDOWN) {
            ++seen;
            handled = m.wParam == 'Q';
        }
    };
    hb->KeyPress('Q', 'q');
    hb->KeyPress('W', 'w');
    Pump();
    EXPECT_EQ(seen, 2);
    EXPECT_EQ(log, (Log{"Box keydown 87", "Box char w"}));
}

// Hooks: newest first, before OnMessage; one per owner; a handled message stops the walk;
// a hook that removes itself or another while it runs leaves the rest of the walk sound.
TEST_F(VclTest, MessageHooksRunNewestFirstBeforeOnMessage) {
    TForm* form = NewForm();
    form->Show();
    Pump();
    std::vector<std::string> order;
    const int a = 0, b = 0, c = 0;
    auto record = [&](const char* name) {
        return [&order, name](MSG& m, bool&) {
            if (m.message == WM_USER + 7) order.push_back(name);
        };
    };
    Application->OnMessage = [&](MSG& m, bool&) {
        if (m.message == WM_USER + 7) order.push_back("OnMessage");
    };
    Application->AddMessageHook(&a, record("a"));
    Application->AddMessageHook(&b, record("b"));
    Application->AddMessageHook(&c, record("c"));
    Application->AddMessageHook(&a, record("a2")); // replaces a's hook, now the newest
    PostMessage(form->Handle(), WM_USER + 7, 0, 0);
    Pump();
    EXPECT_EQ(order, (std::vector<std::string>{"a2", "c", "b", "OnMessage"}));

    // c removes b and itself during the walk; b must not run, a2 still does.
    order.clear();
    Application->AddMessageHook(&c, [&](MSG& m, bool&) {
        if (m.message != WM_USER + 7) return;
        order.push_back("c-removes");
        Application->RemoveMessageHook(&b);
        Application->RemoveMessageHook(&c);
    });
    PostMessage(form->Handle(), WM_USER + 7, 0, 0);
    Pump();
    EXPECT_EQ(order, (std::vector<std::string>{"c-removes", "a2", "OnMessage"}));
    EXPECT_FALSE(Application->HasMessageHook(&c));
    EXPECT_TRUE(Application->HasMessageHook(&a));

    // A handled message reaches neither older hooks nor OnMessage nor the window.
    order.clear();
    int dispatched = 0;
    Application->AddMessageHook(&b, [&](MSG& m, bool& handled) {
        if (m.message != WM_USER + 7) return;
        order.push_back("b-eats");
        handled = true;
    });
    form->WindowProc = [&, old = form->WindowProc](TMessage& m) {
        if (m.Msg == WM_USER + 7) ++dispatched;
        old(m);
    };
    PostMessage(form->Handle(), WM_USER + 7, 0, 0);
    Pump();
    EXPECT_EQ(order, (std::vector<std::string>{"b-eats"}));
    EXPECT_EQ(dispatched, 0);
    Application->RemoveMessageHook(&a);
    Application->RemoveMessageHook(&b);
    PostMessage(form->Handle(), WM_USER + 7, 0, 0);
    Pump();
    EXPECT_EQ(dispatched, 1);
}

TEST_F(VclTest, ChildrenPaintThroughTheirCanvasesInZOrder) {
    TForm* form = NewForm({0, 0, 100, 100});
    form->SetColor(clWhite);
    Log log;
    auto* box = new Box(form, &log);
    box->SetParent(form);
    box->SetBounds(50, 50, 40, 40);
    auto* under = new Spot(form, &log, clRed);
    under->SetParent(form);
    under->SetBounds(10, 10, 30, 30);
    auto* over = new Spot(form, &log, clLime);
    over->SetParent(form);
    over->SetBounds(20, 20, 30, 30);
    form->Show();
    Pump();
    HWND h = form->Handle();
    EXPECT_EQ(GetWindowPixel(h, 5, 5), RGB(255, 255, 255));
    EXPECT_EQ(GetWindowPixel(h, 12, 12), RGB(255, 0, 0));
    EXPECT_EQ(GetWindowPixel(h, 25, 25), RGB(0, 255, 0));
    EXPECT_EQ(GetWindowPixel(h, 60, 60), RGB(0, 0, 255));
    box->Fill = clYellow;
    box->Repaint(); // synchronous
    EXPECT_EQ(GetWindowPixel(h, 60, 60), RGB(255, 255, 0));
    over->SetVisible(false);
    Pump();
    EXPECT_EQ(GetWindowPixel(h, 25, 25), RGB(255, 0, 0));
    EXPECT_EQ(GetWindowPixel(h, 45, 45), RGB(255, 255, 255));
}

TEST_F(VclTest, RightClickOpensThePopupMenu) {
    TForm* form = NewForm({0, 0, 100, 100});
    Log log;
    auto* spot = new Spot(form, &log);
    spot->SetParent(form);
    auto* menu = new TPopupMenu(form);
    int popups = 0;
    menu->OnPopup = [&](TObject*) { ++popups; };
    spot->SetPopupMenu(menu);
    form->Show();
    Pump();
    hb->Click(RawButton::Right, {5, 6});
    Pump();
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(menu->PopupPoint(), (TPoint{5, 6}));
    EXPECT_EQ(menu->PopupComponent(), spot);
    menu->Free();
    EXPECT_EQ(spot->PopupMenu(), nullptr);
}

} // namespace
} // namespace vd::test

namespace vd::test {
namespace {

TEST_F(VclTest, AChildsHandleMadeFirstMakesTheParentsOnce) {
    TForm* form = NewForm();
    Log log;
    auto* box = new Box(form, &log);
    box->SetParent(form);
    HWND h = box->Handle();
    ASSERT_TRUE(form->HandleAllocated());
    EXPECT_EQ(GetParent(h), form->WindowHandle());
    EXPECT_EQ(GetWindow(form->WindowHandle(), GW_CHILD), h);
    EXPECT_EQ(GetWindow(h, GW_HWNDNEXT), nullptr) << "exactly one window for the child";
}

} // namespace
} // namespace vd::test

namespace vd::test {
namespace {

TEST_F(VclTest, FontAndColorFollowTheParentUntilSetOwn) {
    TForm* form = NewForm();
    Log log;
    auto* box = new Box(form, &log);
    box->SetParent(form);
    auto* spot = new Spot(box, &log);
    spot->SetParent(box);
    spot->SetParentColor(true);
    form->Font().SetHeight(20);
    EXPECT_EQ(box->Font().Height(), 20);
    EXPECT_EQ(spot->Font().Height(), 20) << "grandchildren follow too";
    EXPECT_TRUE(spot->ParentFont());
    spot->Font().SetName("DejaVu Sans");
    EXPECT_FALSE(spot->ParentFont());
    form->Font().SetHeight(9);
    EXPECT_EQ(spot->Font().Height(), 20) << "an own font no longer follows";
    EXPECT_EQ(box->Font().Height(), 9);
    box->SetColor(clYellow);
    EXPECT_EQ(spot->Color(), clYellow);
    spot->SetColor(clRed);
    EXPECT_FALSE(spot->ParentColor());
    box->SetColor(clLime);
    EXPECT_EQ(spot->Color(), clRed);
}

} // namespace
} // namespace vd::test

namespace vd::test {
namespace {

// The size limits and the OnCanResize veto hold on every path a size takes: a windowless
// control, a windowed one before its window exists, and one whose window exists (where the
// size reaches the window).
TEST_F(VclTest, SizeConstraintsAndTheResizeVetoHoldWithAndWithoutAWindow) {
    TForm* form = NewForm({0, 0, 400, 300});
    Log log;
    auto* spot = new Spot(form, &log);
    auto* early = new Box(form, &log);
    auto* windowed = new Box(form, &log);
    for (TControl* c :
         {static_cast<TControl*>(spot), static_cast<TControl*>(early), static_cast<TControl*>(windowed)}) {
        if (c != early) c->SetParent(form); // without a parent it cannot get a window
        c->SetBounds(0, 0, 50, 40);
        c->Constraints() = TSizeConstraints{30, 20, 100, 60};
    }
    windowed->HandleNeeded();
    ASSERT_FALSE(early->HandleAllocated());
    struct Case {
        int w, h;
        TSize expected;
    } cases[] = {
        {10, 10, {30, 20}}, {200, 200, {100, 60}}, {70, 50, {70, 50}}, {10, 200, {30, 60}}, {0, -5, {30, 20}},
    };
    for (TControl* c :
         {static_cast<TControl*>(spot), static_cast<TControl*>(early), static_cast<TControl*>(windowed)}) {
        const char* kind = c == spot ? "windowless" : c == early ? "no window yet" : "windowed";
        for (const Case& k : cases) {
            c->SetBounds(5, 6, k.w, k.h);
            EXPECT_EQ((TSize{c->Width(), c->Height()}), k.expected) << kind << " " << k.w << "x" << k.h;
            EXPECT_EQ(c->Left(), 5) << kind;
        }
        bool asked = false;
        c->OnCanResize = [&](TObject*, int& w, int& h, bool& ok) {
            asked = true;
            ok = !(w == 90 && h == 55); // refuses one size only
        };
        c->SetBounds(7, 8, 90, 55);
        EXPECT_TRUE(asked) << kind;
        EXPECT_EQ(c->BoundsRect(), (TRect{7, 8, 37, 28})) << kind << ": moved, size kept";
        c->SetBounds(7, 8, 500, 55);
        EXPECT_EQ(c->BoundsRect(), (TRect{7, 8, 107, 63})) << kind << ": the veto sees the limited size";
        c->OnCanResize = nullptr;
    }
    const TRect r = GetWindowRect(windowed->WindowHandle());
    EXPECT_EQ((TSize{r.Width(), r.Height()}), (TSize{100, 55})) << "the window has the limited size";
}

// A sizeable form's limits also bind the sizes the window system makes: an edge dragged by the
// user goes through the same min/max query as this direct resize.
TEST_F(VclTest, SizeConstraintsBindASizeableFormsWindow) {
    TForm* form = NewForm({0, 0, 300, 200});
    form->SetBorderStyle(bsSizeable);
    form->Constraints() = TSizeConstraints{200, 150, 500, 400};
    HWND h = form->Handle();
    for (TSize asked : {TSize{50, 60}, TSize{900, 800}, TSize{250, 300}}) {
        SetWindowPos(h, nullptr, 0, 0, asked.cx, asked.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        const TSize want{std::clamp(asked.cx, 200, 500), std::clamp(asked.cy, 150, 400)};
        const TRect r = GetWindowRect(h);
        EXPECT_EQ((TSize{r.Width(), r.Height()}), want) << asked.cx << "x" << asked.cy;
        EXPECT_EQ((TSize{form->Width(), form->Height()}), want);
    }
}

} // namespace
} // namespace vd::test
