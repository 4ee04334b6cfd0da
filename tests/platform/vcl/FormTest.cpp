#include "VclFixture.h"

#include "platform/rtl/Exception.h"
#include "platform/vcl/Icon.h"
#include "platform/vcl/Timer.h"

#include <csignal>

#include <string>
#include <vector>

namespace vd::test {
namespace {

using Msgs = std::vector<UINT>;

TEST_F(VclTest, FormsAreListedOnTheScreenUntilFreed) {
    TForm* a = NewForm();
    TForm* b = NewForm();
    EXPECT_EQ(Screen->FormCount(), 2);
    EXPECT_EQ(Screen->Forms(0), a);
    b->Free();
    EXPECT_EQ(Screen->FormCount(), 1);
    EXPECT_GT(Screen->Width(), 0);
}

// Every form window carries the program's icon for the desktop to show.
TEST_F(VclTest, FormsTakeTheProgramsIcon) {
    TForm* before = NewForm();
    EXPECT_EQ(SendMessage(before->Handle(), WM_GETICON, ICON_BIG, 0), 0) << "no program icon yet";
    Application->Icon().SetHandle(LoadIcon(nullptr, IDI_APPLICATION));
    TForm* form = NewForm();
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessage(form->Handle(), WM_GETICON, ICON_BIG, 0)),
              Application->Icon().Handle());
    before->Free();
    form->Free();
    Application->Icon().SetHandle(nullptr);
}

TEST_F(VclTest, ShowingAFormActivatesItAndTellsItFirst) {
    TForm* form = NewForm();
    bool visibleInShow = true;
    form->OnShow = [&](TObject*) { visibleInShow = IsWindowVisible(form->Handle()); };
    MessageSpy spy;
    form->Show();
    const HWND h = form->Handle();
    EXPECT_FALSE(visibleInShow);
    EXPECT_EQ(spy.Messages(h, {WM_SHOWWINDOW, WM_ACTIVATE}), (Msgs{WM_SHOWWINDOW, WM_ACTIVATE}));
    EXPECT_TRUE(form->Active());
    EXPECT_EQ(Screen->ActiveForm(), form);
    EXPECT_EQ(GetParent(h), Application->Handle()) << "the application window owns every form";
}

TEST_F(VclTest, CloseFollowsQueryAndAction) {
    struct Case {
        bool canClose;
        TCloseAction action;
        bool visibleAfter;
        bool freed;
    } cases[] = {{false, caHide, true, false},
                 {true, caNone, true, false},
                 {true, caHide, false, false},
                 {true, caFree, false, true}};
    for (const Case& c : cases) {
        TForm* other = NewForm();
        other->Show();
        TForm* form = NewForm();
        form->Show();
        form->OnCloseQuery = [&](TObject*, bool& can) { can = c.canClose; };
        form->OnClose = [&](TObject*, TCloseAction& a) { a = c.action; };
        form->Close();
        Pump();
        const bool alive = Screen->FormCount() == 2;
        EXPECT_EQ(!alive, c.freed);
        if (alive) {
            EXPECT_EQ(form->Visible(), c.visibleAfter);
        }
        while (Screen->FormCount())
            Screen->Forms(0)->Free();
    }
}

TEST_F(VclTest, ReleaseFromInsideTheFormsOwnHandlerIsDeferred) {
    TForm* form = NewForm({0, 0, 100, 100});
    bool stillThere = false;
    form->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
        form->Release();
        Application->ProcessMessages(); // a nested pump must not free it under our feet
        stillThere = Screen->FormCount() == 1;
        form->SetCaption("used after Release");
    };
    form->Show();
    Pump();
    hb->Click(RawButton::Left, {10, 10});
    Pump();
    EXPECT_TRUE(stillThere);
    EXPECT_EQ(Screen->FormCount(), 0);
}

TEST_F(VclTest, AReleasedFormLeavesItsNameToTheNextWindowOfItsKind) {
    TForm* first = NewForm({0, 0, 100, 100});
    first->SetName("Settings");
    first->Show();
    Pump();
    first->OnClose = [](TObject*, TCloseAction& a) { a = caFree; };
    first->Close(); // released, not yet freed
    ASSERT_EQ(Screen->FormCount(), 1);
    TForm* second = NewForm({0, 0, 100, 100});
    EXPECT_NO_THROW(second->SetName("Settings"));
    Pump();
    EXPECT_EQ(Screen->FormCount(), 1);
    EXPECT_EQ(Application->FindComponent("Settings"), second);
}

TEST_F(VclTest, WindowCloseMessageOnTheMainFormEndsTheProgram) {
    TForm* main = NewForm();
    Application->SetMainForm(main);
    main->Show();
    Pump();
    SendMessage(main->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
    EXPECT_TRUE(Application->Terminated());
}

TEST_F(VclTest, ShowModalRunsUntilAResultAndDisablesOtherForms) {
    TForm* main = NewForm();
    main->Show();
    TForm* dialog = NewForm({10, 10, 110, 110});
    bool mainDisabled = false;
    int step = 0;
    hb->SetIdleHandler([&] {
        ++step;
        if (step == 1) {
            mainDisabled = !IsWindowEnabled(main->Handle());
            dialog->SetModalResult(mrOk);
            return true;
        }
        return false;
    });
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_TRUE(mainDisabled);
    EXPECT_TRUE(IsWindowEnabled(main->Handle()));
    EXPECT_FALSE(dialog->Visible());
    EXPECT_EQ(GetActiveWindow(), main->Handle());
    // Close inside a modal loop only sets the result.
    step = 0;
    hb->SetIdleHandler([&] {
        if (++step == 1) dialog->Close();
        return step == 1;
    });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
}

TEST_F(VclTest, ModalLoopHookRunsOnceTheDialogIsUpAndItsResultEndsTheLoop) {
    TForm* main = NewForm();
    main->Show();
    TForm* dialog = NewForm({10, 10, 110, 110});
    int calls = 0;
    bool upAndModal = false, mainDisabled = false;
    {
        TModalLoopHookScope scope([&](TCustomForm& f) {
            ++calls;
            upAndModal = &f == dialog && f.IsModal() && IsWindowVisible(f.Handle());
            mainDisabled = !IsWindowEnabled(main->Handle());
            f.SetModalResult(mrYes);
        });
        EXPECT_EQ(dialog->ShowModal(), mrYes);
        EXPECT_EQ(calls, 1);
        EXPECT_TRUE(upAndModal);
        EXPECT_TRUE(mainDisabled);
        // Once per loop: a second showing calls it again.
        EXPECT_EQ(dialog->ShowModal(), mrYes);
        EXPECT_EQ(calls, 2);
    }
    // Gone with its scope; a throwing hook ends the loop and leaves the other forms usable.
    {
        TModalLoopHookScope scope([](TCustomForm&) { throw Exception("hook failed"); });
        EXPECT_THROW(dialog->ShowModal(), Exception);
    }
    EXPECT_FALSE(dialog->IsModal());
    EXPECT_FALSE(dialog->Visible());
    EXPECT_TRUE(IsWindowEnabled(main->Handle()));
    hb->SetIdleHandler([&] {
        dialog->SetModalResult(mrNo);
        return true;
    });
    EXPECT_EQ(dialog->ShowModal(), mrNo);
    EXPECT_EQ(calls, 2);
}

TEST_F(VclTest, ApplicationMinimizeHidesFormsAndRestoreBringsThemBack) {
    TForm* main = NewForm();
    Application->SetMainForm(main);
    main->Show();
    Pump();
    int minimized = 0, restored = 0;
    Application->OnMinimize = [&](TObject*) { ++minimized; };
    Application->OnRestore = [&](TObject*) { ++restored; };
    MessageSpy spy;
    Application->Minimize();
    EXPECT_TRUE(IsIconic(Application->Handle()));
    EXPECT_FALSE(IsWindowVisible(main->Handle()));
    EXPECT_TRUE(main->Visible());
    ASSERT_EQ(spy.Of(main->Handle(), WM_SHOWWINDOW).size(), 1u);
    EXPECT_EQ(spy.Of(main->Handle(), WM_SHOWWINDOW)[0].lParam, SW_PARENTCLOSING);
    EXPECT_EQ(spy.Of(Application->Handle(), WM_SIZE).at(0).wParam, static_cast<WPARAM>(SIZE_MINIMIZED));
    Application->Minimize();
    EXPECT_EQ(minimized, 1) << "minimizing twice does nothing";
    Application->Restore();
    EXPECT_FALSE(IsIconic(Application->Handle()));
    EXPECT_TRUE(IsWindowVisible(main->Handle()));
    EXPECT_EQ(restored, 1);
    Application->OnMinimize = nullptr;
    Application->OnRestore = nullptr;
}

TEST_F(VclTest, TimerTicksOnTheVirtualClockAndMayFreeItself) {
    auto* timer = new TTimer(nullptr);
    timer->SetInterval(50);
    int ticks = 0;
    timer->OnTimer = [&](TObject*) {
        if (++ticks == 3) timer->Free();
    };
    for (int i = 0; i < 5; ++i) {
        hb->Advance(50);
        Pump();
    }
    EXPECT_EQ(ticks, 3);
    auto* off = new TTimer(nullptr);
    int offTicks = 0;
    off->OnTimer = [&](TObject*) { ++offTicks; };
    off->SetEnabled(false);
    hb->Advance(5000);
    Pump();
    EXPECT_EQ(offTicks, 0);
    off->Free();
}

} // namespace
} // namespace vd::test

namespace vd::test {
namespace {

TEST_F(VclTest, SessionEndSignalBecomesQueryEndSession) {
    TForm* main = NewForm();
    Application->SetMainForm(main);
    main->Show();
    Pump();
    bool allow = false;
    int queries = 0;
    WPARAM ended = 99;
    TWndMethod saved = main->WindowProc;
    main->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_QUERYENDSESSION) {
            ++queries;
            m.Result = allow ? 1 : 0;
            return;
        }
        if (m.Msg == WM_ENDSESSION) ended = m.WParam;
        saved(m);
    };
    Application->HandleSessionEndSignals();
    std::raise(SIGTERM);
    Pump();
    EXPECT_EQ(queries, 1);
    EXPECT_EQ(ended, 0u);
    EXPECT_FALSE(Application->Terminated()) << "a refused session end keeps running";
    allow = true;
    std::raise(SIGHUP);
    Pump();
    EXPECT_EQ(queries, 2);
    EXPECT_EQ(ended, 1u);
    EXPECT_TRUE(Application->Terminated());
    signal(SIGTERM, SIG_DFL);
    signal(SIGHUP, SIG_DFL);
    main->WindowProc = saved;
}

} // namespace
} // namespace vd::test
