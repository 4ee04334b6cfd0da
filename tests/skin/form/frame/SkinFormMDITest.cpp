// The frame's multiple-document side: the client window's chained procedure and background,
// maximized children (no frame, the main form told through 1231 and 1232), fitting them to the
// client area, the window menu and the tabs bar.
#include "FrameFixture.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/StdCtrls/Edit.h"
#include "skin/core/SkinParentBackground.h"
#include "skin/form/frame/SkinMDITabsBar.h"
#include "skin/form/menubar/SkinMainMenuBar.h"
#include "skin/form/menus/SkinMenu.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace vd::test {
namespace {

class MDIFrameTest : public FrameTest {
protected:
    // A multiple-document main form with a frame, skinned from the frame skin when Skinned.
    void MakeMain(bool Skinned, const std::string& extraForm = "") {
        Main = new TForm(Application);
        Main->SetName("MainForm");
        Main->SetCaption("Main");
        Main->SetFormStyle(fsMDIForm);
        Main->SetBoundsRect({50, 50, 650, 500});
        Application->SetMainForm(Main);
        MainFrame = new TskSkinForm(Main);
        Skin = nullptr;
        if (Skinned) {
            Skin = new TskSkinData(Main);
            Stored = FrameStoredSkin(FrameSkinIni(extraForm));
            Skin->LoadStoredSkin(Stored.get());
            EXPECT_FALSE(Skin->Empty()) << Skin->LastLoadError();
            MainFrame->SetSkinData(Skin);
        }
        Main->Show();
        Pump();
    }
    void FreeMain() {
        for (TForm* c : Children)
            c->Free();
        Children.clear();
        Main->Free();
        Main = nullptr;
        Pump();
    }
    TForm* NewChild(const String& name, const String& caption, bool show = true) {
        auto* c = new TForm(Application);
        c->SetName(name);
        c->SetCaption(caption);
        c->SetFormStyle(fsMDIChild);
        c->SetBounds(10 + 20 * int(Children.size()), 10, 240, 170);
        auto* f = new TskSkinForm(c);
        if (Skin) f->SetSkinData(Skin);
        Children.push_back(c);
        if (show) {
            c->Show();
            Pump();
        }
        return c;
    }
    TForm* Active() const { return dynamic_cast<TForm*>(Main->ActiveMDIChild()); }
    void Activate(TForm* c) {
        SendMessage(Main->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(c->Handle()), 0);
        Pump();
    }
    // A pixel of the client window, by its own client coordinates.
    COLORREF ClientPixel(int x, int y) {
        Pump();
        TPoint p{x, y};
        ClientToScreen(Main->ClientHandle(), p);
        const TRect w = GetWindowRect(Main->Handle());
        return GetWindowPixel(Main->Handle(), p.X - w.Left, p.Y - w.Top);
    }
    void Free(TForm* c) {
        Children.erase(std::find(Children.begin(), Children.end(), c));
        c->Free();
        Pump();
    }
    std::vector<String> ItemNames(TMenuItem* menu) const {
        std::vector<String> out;
        for (int i = 0; i < menu->Count(); ++i)
            out.push_back(menu->Items(i)->Name());
        return out;
    }

    TForm* Main = nullptr;
    TskSkinForm* MainFrame = nullptr;
    std::vector<TForm*> Children;
};

COLORREF Rgb(TColor c) {
    return COLORREF(ColorToRGB(c)) & 0xFFFFFF;
}

// A child shows its system menu through the main form's frame; with no such frame, none at all.
TEST_F(MDIFrameTest, AChildWithoutAMainFrameShowsNoSystemMenu) {
    MakeMain(false);
    TForm* c = NewChild("Child1", "One");
    TskSkinForm* childFrame = GetSkinForm(c);
    childFrame->PopupSystemMenu(c->Left() + 30, c->Top() + 30);
    Pump();
    EXPECT_TRUE(MainFrame->SkinMenu()->MenuVisible());
    EXPECT_FALSE(childFrame->SkinMenu()->MenuVisible());
    MainFrame->SkinMenu()->CloseMenu();
    Pump();
    MainFrame->Free();
    MainFrame = nullptr;
    childFrame->PopupSystemMenu(c->Left() + 30, c->Top() + 30);
    Pump();
    EXPECT_FALSE(childFrame->SkinMenu()->MenuVisible());
    EXPECT_FALSE(childFrame->SkinMenuIsOpen());
    FreeMain();
}

TEST_F(MDIFrameTest, ClientWindowBackgroundFollowsTheWallpaperIndex) {
    struct Case {
        const char* name;
        bool skinned;
        std::string extra;
        COLORREF at5, at69;
    } cases[] = {
        {"no skin", false, "", Rgb(clAppWorkSpace), Rgb(clAppWorkSpace)},
        {"index -1: the form's client piece", true, "", Rgb(kClientPiece), Rgb(kClientPiece)},
        {"index 0: the picture tiled from the corner", true, "mdibgpictureindex=0\r\n", Rgb(kBtnNormal),
         Rgb(kBtnNormal)},
        {"index past the pictures: plain", true, "mdibgpictureindex=7\r\n", Rgb(clAppWorkSpace),
         Rgb(clAppWorkSpace)},
        {"negative index: plain", true, "mdibgpictureindex=-3\r\n", Rgb(clAppWorkSpace), Rgb(clAppWorkSpace)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MakeMain(c.skinned, c.extra);
        ASSERT_NE(Main->ClientHandle(), nullptr);
        EXPECT_EQ(ClientPixel(5, 5), c.at5);
        EXPECT_EQ(ClientPixel(69, 5), c.at69) << "the next tile starts at the picture's width";
        EXPECT_EQ(ClientPixel(20, 5), c.extra == "mdibgpictureindex=0\r\n" ? Rgb(kBtnHot) : c.at5);
        FreeMain();
    }
}

TEST_F(MDIFrameTest, ClientProcedureAnswersTheFrameMessagesAndChainsTheRest) {
    MakeMain(true);
    const HWND client = Main->ClientHandle();
    TForm* a = NewChild("ChildA", "Alpha");
    TForm* b = NewChild("ChildB", "Beta");
    ASSERT_EQ(Active(), b);
    // No border of its own: the whole window stays client, activation is answered at once.
    TRect r{0, 0, 100, 80};
    EXPECT_EQ(SendMessage(client, WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&r)), 0);
    EXPECT_EQ(r, (TRect{0, 0, 100, 80}));
    EXPECT_EQ(SendMessage(client, WM_NCACTIVATE, 0, 0), 1);
    EXPECT_EQ(SendMessage(client, WM_NCPAINT, 1, 0), 0);
    // Activation is still the class library's.
    Main->Next();
    EXPECT_EQ(Active(), a);
    // A frame that goes gives the client its procedure back: the plain workspace again.
    EXPECT_EQ(ClientPixel(400, 300), Rgb(kClientPiece));
    MainFrame->Free();
    MainFrame = nullptr;
    RedrawWindow(client, nullptr, RDW_ERASE | RDW_INVALIDATE);
    EXPECT_EQ(ClientPixel(400, 300), Rgb(clAppWorkSpace));
    Main->Next();
    EXPECT_EQ(Active(), b);
}

TEST_F(MDIFrameTest, AMaximizedChildLosesItsFrameAndTheMainFormShowsItsCaption) {
    for (bool skinned : {false, true}) {
        SCOPED_TRACE(skinned ? "skinned" : "plain");
        MakeMain(skinned);
        TForm* a = NewChild("ChildA", "Alpha");
        TForm* b = NewChild("ChildB", "Beta");
        TskSkinForm* fa = GetSkinForm(a);
        const TRect area = GetClientRect(Main->ClientHandle());
        auto captionText = [&]() -> String {
            for (auto& o : MainFrame->Objects())
                if (auto* c = dynamic_cast<TskSkinCaptionObject*>(o.get())) return c->CaptionText();
            return "-";
        };
        struct Step {
            const char* what;
            std::function<void()> act;
            bool childMaximized; // the main form's flag
            bool framed;         // the child has its own frame
        } steps[] = {
            {"maximize", [&] { fa->SetWindowState(skwsMaximized); }, true, false},
            {"restore", [&] { fa->SetWindowState(skwsNormal); }, false, true},
            {"maximize again", [&] { fa->SetWindowState(skwsMaximized); }, true, false},
            {"minimize", [&] { fa->SetWindowState(skwsMinimized); }, false, true},
            {"maximize from minimized", [&] { fa->SetWindowState(skwsMaximized); }, true, false},
            {"hide", [&] { a->Hide(); }, false, false},
            {"show again", [&] { a->Show(); }, true, false},
        };
        for (const Step& s : steps) {
            SCOPED_TRACE(s.what);
            s.act();
            Pump();
            EXPECT_EQ(MainFrame->ChildMaximized(), s.childMaximized);
            EXPECT_EQ(GetMaximizedChildSkinForm() != nullptr, s.childMaximized);
            if (!a->Visible()) continue;
            const TRect client = GetClientRect(a->Handle());
            EXPECT_EQ(client.Width() < a->Width(), s.framed);
            if (!s.framed) {
                EXPECT_EQ(a->BoundsRect(), (TRect{0, 0, area.Width(), area.Height()}));
                EXPECT_EQ(SendMessage(a->Handle(), WM_NCHITTEST, 0,
                                      MakeLParam(a->ClientOrigin().X + 1, a->ClientOrigin().Y + 1)),
                          HTCLIENT);
            }
            if (skinned) {
                EXPECT_EQ(captionText(), s.childMaximized ? "Main - [Alpha]" : "Main");
            }
        }
        // A maximized child that goes takes the caption with it.
        Free(a);
        EXPECT_FALSE(MainFrame->ChildMaximized());
        if (skinned) {
            EXPECT_EQ(captionText(), "Main");
        }
        (void)b;
        FreeMain();
    }
}

TEST_F(MDIFrameTest, AMaximizedChildFollowsTheClientArea) {
    MakeMain(true);
    TForm* a = NewChild("ChildA", "Alpha");
    GetSkinForm(a)->SetWindowState(skwsMaximized);
    Pump();
    for (TRect bounds : {TRect{50, 50, 750, 560}, TRect{40, 40, 500, 400}}) {
        Main->SetBoundsRect(bounds);
        Pump();
        const TRect area = GetClientRect(Main->ClientHandle());
        EXPECT_EQ(a->BoundsRect(), (TRect{0, 0, area.Width(), area.Height()}));
    }
    // A tabs bar on top makes the client area lower: the child follows.
    auto* bar = new TskSkinMDITabsBar(Main);
    bar->SetParent(Main);
    bar->SetAlign(alTop);
    Pump();
    const TRect area = GetClientRect(Main->ClientHandle());
    EXPECT_EQ(area.Height(), Main->ClientHeight() - bar->Height());
    EXPECT_EQ(a->BoundsRect(), (TRect{0, 0, area.Width(), area.Height()}));
}

TEST_F(MDIFrameTest, MinimizedChildrenAreParkedAgainWhenTheClientAreaChanges) {
    MakeMain(false);
    TForm* a = NewChild("ChildA", "Alpha");
    TForm* b = NewChild("ChildB", "Beta");
    GetSkinForm(a)->SetWindowState(skwsMinimized);
    GetSkinForm(b)->SetWindowState(skwsMinimized);
    Pump();
    auto bottom = [&] { return GetClientRect(Main->ClientHandle()).Height(); };
    EXPECT_EQ(a->Top() + a->Height(), bottom());
    EXPECT_EQ(b->Top() + b->Height(), bottom());
    EXPECT_NE(a->Left(), b->Left());
    Main->SetHeight(Main->Height() + 60);
    Pump();
    EXPECT_EQ(a->Top() + a->Height(), bottom());
    EXPECT_EQ(b->Top() + b->Height(), bottom());
    EXPECT_NE(a->Left(), b->Left());
}

TEST_F(MDIFrameTest, WindowMenuListsChildrenAndDeletesOnlyItsOwnItems) {
    MakeMain(false);
    auto* menu = new TMainMenu(Main);
    auto* window = new TMenuItem(Main);
    window->SetName("WindowItem");
    window->SetCaption("&Window");
    menu->Items()->Add(window);
    auto* cascade = new TMenuItem(Main);
    cascade->SetName("CascadeItem");
    window->Add(cascade);
    // The user's own item that happens to carry the suffix, checked: never touched.
    auto* own = new TMenuItem(Main);
    own->SetName("Own_SKFCHILDITEM");
    own->Checked = true;
    window->Add(own);
    Main->SetWindowMenu(window);

    TForm* a = NewChild("ChildA", "Alpha");
    TForm* b = NewChild("ChildB", "Beta");
    const std::vector<String> both{"CascadeItem", "Own_SKFCHILDITEM", "ChildA_SKFCHILDITEM",
                                   "ChildB_SKFCHILDITEM"};
    EXPECT_EQ(ItemNames(window), both);
    TMenuItem* ia = window->Items(2);
    TMenuItem* ib = window->Items(3);
    EXPECT_EQ(ia->Caption(), "Alpha");
    EXPECT_EQ(GetSkinForm(a)->WindowMenuItem(), ia);
    struct Check {
        TForm* activate;
        bool a, b;
    } checks[] = {{nullptr, false, true}, {a, true, false}, {b, false, true}};
    for (const Check& c : checks) {
        if (c.activate) Activate(c.activate);
        EXPECT_EQ(ia->Checked, c.a);
        EXPECT_EQ(ib->Checked, c.b);
        EXPECT_TRUE(own->Checked);
    }
    a->SetCaption("Alpha 2");
    EXPECT_EQ(ia->Caption(), "Alpha 2");

    // The item of a minimized child restores it and makes it the active child.
    GetSkinForm(a)->SetWindowState(skwsMinimized);
    Activate(b);
    ia->Click();
    Pump();
    EXPECT_EQ(GetSkinForm(a)->WindowState(), skwsNormal);
    EXPECT_EQ(Active(), a);

    // Hidden and shown again: the item goes and comes back.
    a->Hide();
    Pump();
    EXPECT_EQ(ItemNames(window),
              (std::vector<String>{"CascadeItem", "Own_SKFCHILDITEM", "ChildB_SKFCHILDITEM"}));
    a->Show();
    Pump();
    EXPECT_EQ(ItemNames(window), (std::vector<String>{"CascadeItem", "Own_SKFCHILDITEM",
                                                      "ChildB_SKFCHILDITEM", "ChildA_SKFCHILDITEM"}));
    // The last child gone: the user's items stay, the suffixed one too.
    Free(a);
    Free(b);
    EXPECT_EQ(ItemNames(window), (std::vector<String>{"CascadeItem", "Own_SKFCHILDITEM"}));
    EXPECT_TRUE(own->Checked);
}

TEST_F(MDIFrameTest, ChildrenWithoutNamesEachKeepTheirOwnItem) {
    MakeMain(false);
    auto* window = new TMenuItem(Main);
    Main->SetWindowMenu(window);
    TForm* a = NewChild("", "First");
    TForm* b = NewChild("", "Second");
    ASSERT_EQ(window->Count(), 2);
    Activate(a);
    window->Items(1)->Click();
    Pump();
    EXPECT_EQ(Active(), b) << "the item shows its own child, whatever the names";
}

TEST_F(MDIFrameTest, TabsBarFollowsTheChildren) {
    MakeMain(false);
    auto* bar = new TskSkinMDITabsBar(Main);
    bar->SetParent(Main);
    bar->SetAlign(alTop);
    MainFrame->SetMDITabsBar(bar);
    auto tabs = [&] {
        std::vector<TCustomForm*> out;
        for (int i = 0; i < bar->TabCount(); ++i)
            out.push_back(bar->Tab(i)->ChildForm);
        return out;
    };
    auto activeTab = [&]() -> TCustomForm* {
        for (int i = 0; i < bar->TabCount(); ++i)
            if (bar->Tab(i)->IsActiveChild) return bar->Tab(i)->ChildForm;
        return nullptr;
    };
    TForm* a = NewChild("ChildA", "Alpha");
    TForm* b = NewChild("ChildB", "Beta");
    EXPECT_EQ(tabs(), (std::vector<TCustomForm*>{a, b}));
    EXPECT_EQ(activeTab(), b);
    Activate(a);
    EXPECT_EQ(activeTab(), a);
    a->Hide();
    Pump();
    EXPECT_EQ(tabs(), (std::vector<TCustomForm*>{b}));
    EXPECT_EQ(activeTab(), b);
    a->Show();
    Pump();
    EXPECT_EQ(tabs(), (std::vector<TCustomForm*>{b, a}));
    Free(b);
    EXPECT_EQ(tabs(), (std::vector<TCustomForm*>{a}));
    EXPECT_EQ(activeTab(), a);
    // A bar given later gets the tabs of the children on the screen.
    TForm* c = NewChild("ChildC", "Gamma", false);
    auto* later = new TskSkinMDITabsBar(Main);
    later->SetParent(Main);
    later->SetAlign(alBottom);
    MainFrame->SetMDITabsBar(later);
    ASSERT_EQ(later->TabCount(), 1);
    EXPECT_EQ(later->Tab(0)->ChildForm, a);
    c->Show();
    Pump();
    EXPECT_EQ(later->TabCount(), 2);
    // The bar that goes is forgotten.
    later->Free();
    Free(c);
    EXPECT_EQ(MainFrame->MDITabsBar(), nullptr);
}

TEST_F(MDIFrameTest, TransparentControlsOnAMultipleDocumentFormSeeTheClientBackground) {
    MakeMain(true, "mdibgpictureindex=0\r\n");
    // Any control on the form: its parent background is the client window's.
    auto* panel = new TskSkinMDITabsBar(Main);
    panel->SetParent(Main);
    panel->SetBounds(0, 0, 40, 20);
    UniqueDC dc(CreateCompatibleDC(nullptr));
    UniqueBitmap bmp(new GdiBitmap(20, 10, 24));
    SelectObject(dc.Get(), bmp.Get());
    PaintParentBackground(panel, dc.Get());
    EXPECT_EQ(GetPixel(dc.Get(), 5, 5) & 0xFFFFFF, Rgb(kBtnNormal));
}

TEST_F(MDIFrameTest, ChildFramesFollowActivation) {
    MakeMain(true);
    TForm* a = NewChild("ChildA", "Alpha");
    TForm* b = NewChild("ChildB", "Beta");
    TskSkinForm* fa = GetSkinForm(a);
    TskSkinForm* fb = GetSkinForm(b);
    struct Step {
        const char* what;
        std::function<void()> act;
        bool aActive, bActive;
    } steps[] = {
        {"the last shown child is active", [] {}, false, true},
        {"another child activated", [&] { Activate(a); }, true, false},
        // The main form's caption going inactive takes the active child's with it.
        {"main form inactive", [&] { SendMessage(Main->Handle(), WM_NCACTIVATE, FALSE, 0); }, false, false},
        {"a click on the active child", [&] { SendMessage(a->Handle(), WM_MOUSEACTIVATE, 0, 0); }, true,
         false},
        {"main form inactive again", [&] { SendMessage(Main->Handle(), WM_NCACTIVATE, FALSE, 0); }, false,
         false},
        {"main form active", [&] { SendMessage(Main->Handle(), WM_NCACTIVATE, TRUE, 0); }, true, false},
        {"the active child closed", [&] { Free(a); }, false, true},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        s.act();
        Pump();
        if (std::find(Children.begin(), Children.end(), a) != Children.end()) {
            EXPECT_EQ(fa->IsFormActive(), s.aActive);
        }
        EXPECT_EQ(fb->IsFormActive(), s.bActive);
    }
}

TEST_F(MDIFrameTest, TheMainFormsSkinMessagesFitAMaximizedChildAgain) {
    MakeMain(true);
    TskSkinData* other = new TskSkinData(Main);
    TForm* a = NewChild("ChildA", "Alpha");
    GetSkinForm(a)->SetWindowState(skwsMaximized);
    Pump();
    const TRect area = GetClientRect(Main->ClientHandle());
    const TRect fitted{0, 0, area.Width(), area.Height()};
    struct Case {
        const char* what;
        UINT msg;
        TskSkinData* skin;
        bool refits;
    } cases[] = {
        {"its own skin settled", WM_SKINSETTLED, Skin, true},
        {"another skin settled", WM_SKINSETTLED, other, false},
        {"fit asked of the child", WM_SKINMDIFIT, nullptr, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        a->SetBounds(5, 5, 300, 200);
        Pump();
        const HWND to = c.msg == WM_SKINMDIFIT ? a->Handle() : Main->Handle();
        SendMessage(to, c.msg, reinterpret_cast<WPARAM>(c.skin), 1000);
        Pump();
        EXPECT_EQ(a->BoundsRect() == fitted, c.refits);
    }
    // A child that is not maximized stays where it is.
    GetSkinForm(a)->SetWindowState(skwsNormal);
    a->SetBounds(5, 5, 300, 200);
    SendMessage(a->Handle(), WM_SKINMDIFIT, 0, 0);
    EXPECT_EQ(a->BoundsRect(), (TRect{5, 5, 305, 205}));
}

// Counts the cancel-mode requests its form sends, with the sender.
class TCancelRecorder : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;
    void WndProc(TMessage& Message) override {
        if (Message.Msg == CM_CANCELMODE) Senders.push_back(reinterpret_cast<TObject*>(Message.LParam));
        TCustomEdit::WndProc(Message);
    }
    std::vector<TObject*> Senders;
};

TEST_F(MDIFrameTest, ClicksOnTheMainFormCloseItsControlsDropDowns) {
    for (bool mdi : {true, false}) {
        SCOPED_TRACE(mdi ? "multiple-document main form" : "plain form");
        TForm* f = nullptr;
        if (mdi) {
            MakeMain(false);
            f = Main;
        } else {
            f = NewFrameForm(false);
            ShowForm(f);
        }
        auto edit = [&](int x, bool visible, bool enabled) {
            auto* e = new TCancelRecorder(f);
            e->SetParent(f);
            e->SetBounds(x, 4, 40, 20);
            e->SetVisible(visible);
            e->SetEnabled(enabled);
            return e;
        };
        TCancelRecorder* shown = edit(0, true, true);
        TCancelRecorder* hidden = edit(50, false, true);
        TCancelRecorder* disabled = edit(100, true, false);
        Pump();
        for (TCancelRecorder* e : {shown, hidden, disabled})
            e->Senders.clear();
        for (UINT msg : {UINT(WM_CANCELMODE), UINT(WM_MOUSEACTIVATE), UINT(WM_SETTEXT)})
            SendMessage(f->Handle(), msg, 0, msg == WM_SETTEXT ? reinterpret_cast<LPARAM>("x") : 0);
        // Closing messages only: the cancel and the activation, not the text.
        const std::vector<TObject*> expected = mdi ? std::vector<TObject*>{f, f} : std::vector<TObject*>{};
        EXPECT_EQ(shown->Senders, expected);
        EXPECT_TRUE(hidden->Senders.empty());
        EXPECT_TRUE(disabled->Senders.empty());
        if (mdi) FreeMain();
    }
}

TEST_F(MDIFrameTest, TheMenuBarMergesTheActiveChildsMenuAndTakesAMaximizedChildsButtons) {
    MakeMain(false);
    auto* menu = new TMainMenu(Main);
    auto item = [](TMenu* m, const char* name, int group) {
        auto* i = new TMenuItem(m);
        i->SetName(name);
        i->SetCaption(name);
        i->GroupIndex = group;
        m->Items()->Add(i);
    };
    item(menu, "File", 0);
    item(menu, "Window", 9);
    auto* bar = new TskSkinMainMenuBar(Main);
    bar->SetParent(Main);
    bar->SetAlign(alTop);
    bar->SetSkinForm(MainFrame);
    bar->SetMainMenu(menu);
    MainFrame->SetMainMenuBar(bar);
    TForm* plain = NewChild("Plain", "No menu");
    TForm* withMenu = NewChild("WithMenu", "Own menu", false);
    auto* childMenu = new TMainMenu(withMenu);
    item(childMenu, "Edit", 1);
    withMenu->Show();
    Pump();
    auto captions = [&] {
        std::vector<String> out;
        for (int i = 0; i < bar->ItemCount(); ++i)
            out.push_back(bar->Item(i)->MenuItem->Caption());
        return out;
    };
    struct Step {
        const char* what;
        std::function<void()> act;
        std::vector<String> items;
        bool buttons;
    } steps[] = {
        {"a child with a menu shown last", [] {}, {"File", "Edit", "Window"}, false},
        {"a child without one activated", [&] { Activate(plain); }, {"File", "Window"}, false},
        {"the one with a menu again", [&] { Activate(withMenu); }, {"File", "Edit", "Window"}, false},
        {"maximized",
         [&] { GetSkinForm(withMenu)->SetWindowState(skwsMaximized); },
         {"File", "Edit", "Window"},
         true},
        {"restored",
         [&] { GetSkinForm(withMenu)->SetWindowState(skwsNormal); },
         {"File", "Edit", "Window"},
         false},
        {"maximized and closed",
         [&] {
             GetSkinForm(withMenu)->SetWindowState(skwsMaximized);
             Free(withMenu);
         },
         {"File", "Window"},
         false},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        s.act();
        Pump();
        EXPECT_EQ(captions(), s.items);
        EXPECT_EQ(bar->ChildButtonsVisible(), s.buttons);
    }
}

} // namespace
} // namespace vd::test
