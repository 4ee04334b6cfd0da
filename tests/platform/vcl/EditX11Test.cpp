// The edit on a real X server (Xvfb, started here): keys typed through XTest as a user's would
// be, through the keyboard map, and the caret read back from the screen.
#include "../win/x11/Xvfb.h"

#include "platform/vcl/Forms.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/x11/X11Backend.h"

#include <gtest/gtest.h>

#include <poll.h>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

namespace vd::test {
namespace {

class EditX11Test : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        server = new XvfbServer();
        if (!server->Running()) return;
        // Dead keys compose by the locale's table: a UTF-8 one every Debian system has.
        unsetenv("LC_ALL");
        setenv("LC_CTYPE", "C.UTF-8", 1);
        backend = X11Backend::Open(server->Display()).release();
        observer = XOpenDisplay(server->Display().c_str());
        if (backend) InstallBackend(backend);
    }
    static void TearDownTestSuite() {
        while (Screen->FormCount() > 0)
            Screen->Forms(0)->Free();
        if (observer) XCloseDisplay(observer);
        // The back end stays installed: the application window lives until the process ends.
        delete server;
    }
    void SetUp() override {
        ASSERT_TRUE(backend && observer) << "no X server could be started";
        form = new TForm(Application);
        form->SetBorderStyle(bsNone);
        form->SetBoundsRect({40, 40, 340, 140});
        edit = new TEdit(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 280, 21);
        edit->SetColor(clWhite);
        edit->Font().SetColor(clBlack);
        form->Show();
        edit->SetFocus();
        ASSERT_TRUE(PumpUntil([&] { return backend->XWindowOf(form->Handle()) != 0; }));
        const ::Window xw = backend->XWindowOf(form->Handle());
        ASSERT_TRUE(PumpUntil([&] {
            XWindowAttributes a{};
            return XGetWindowAttributes(observer, xw, &a) && a.map_state == IsViewable;
        }));
        XSetInputFocus(observer, xw, RevertToParent, CurrentTime);
        XSync(observer, False);
    }
    void TearDown() override {
        if (form) form->Free();
        PumpUntil([] { return false; }, 20);
    }
    static bool PumpUntil(const std::function<bool()>& done, int ms = 3000) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (std::chrono::steady_clock::now() < deadline) {
            Application->ProcessMessages();
            if (done()) return true;
            backend->WaitForInput(10);
        }
        Application->ProcessMessages();
        return done();
    }
    // Presses the key that gives keysym, with Shift when the map has it in the shifted column.
    static void TypeKeysym(KeySym ks) {
        const KeyCode code = XKeysymToKeycode(observer, ks);
        ASSERT_NE(code, 0) << "no key for keysym " << ks;
        const bool shift = XkbKeycodeToKeysym(observer, code, 0, 0) != ks;
        const KeyCode shiftCode = XKeysymToKeycode(observer, XK_Shift_L);
        if (shift) XTestFakeKeyEvent(observer, shiftCode, True, CurrentTime);
        XTestFakeKeyEvent(observer, code, True, CurrentTime);
        XTestFakeKeyEvent(observer, code, False, CurrentTime);
        if (shift) XTestFakeKeyEvent(observer, shiftCode, False, CurrentTime);
        XSync(observer, False);
    }
    unsigned long ScreenPixel(int x, int y) {
        XImage* img = XGetImage(observer, DefaultRootWindow(observer), x, y, 1, 1, AllPlanes, ZPixmap);
        if (!img) return 0xFFFFFFFF;
        const unsigned long p = XGetPixel(img, 0, 0) & 0xFFFFFF;
        XDestroyImage(img);
        return p;
    }

    static XvfbServer* server;
    static X11Backend* backend;
    static ::Display* observer;
    TForm* form = nullptr;
    TEdit* edit = nullptr;
};

XvfbServer* EditX11Test::server = nullptr;
X11Backend* EditX11Test::backend = nullptr;
::Display* EditX11Test::observer = nullptr;

TEST_F(EditX11Test, TypesEveryPrintableAsciiCharacterAKeypadOperatorAndALatinLetter) {
    String expected;
    for (char c = 32; c < 127; ++c) {
        TypeKeysym(static_cast<KeySym>(static_cast<unsigned char>(c)));
        expected += c;
    }
    TypeKeysym(XK_KP_Subtract);
    expected += '-';
    // A letter the US map has no key for: put it on a spare key first, as a layout would.
    int minCode = 0, maxCode = 0;
    XDisplayKeycodes(observer, &minCode, &maxCode);
    KeySym eacute[2] = {XK_eacute, XK_Eacute};
    XChangeKeyboardMapping(observer, maxCode - 1, 2, eacute, 1);
    XSync(observer, False);
    PumpUntil([] { return false; }, 100); // the back end hears of the new map
    TypeKeysym(XK_eacute);
    expected += "\xC3\xA9";
    ASSERT_TRUE(PumpUntil([&] { return edit->Text().size() >= expected.size(); }, 5000)) << edit->Text();
    EXPECT_EQ(edit->Text(), expected);
}

// Characters beyond Latin-1 and dead-key compositions come through the input method.
TEST_F(EditX11Test, TypesThroughTheInputMethod) {
    int minCode = 0, maxCode = 0;
    XDisplayKeycodes(observer, &minCode, &maxCode);
    KeySym keys[] = {XK_EuroSign, XK_Cyrillic_zhe, XK_dead_acute};
    XChangeKeyboardMapping(observer, maxCode - 4, 1, keys, 3);
    XSync(observer, False);
    PumpUntil([] { return false; }, 100); // the back end hears of the new map
    TypeKeysym(XK_EuroSign);
    TypeKeysym(XK_Cyrillic_zhe);
    TypeKeysym(XK_dead_acute); // nothing yet: it waits for the letter
    TypeKeysym(XK_e);
    TypeKeysym(XK_x);
    const String expected = "\xE2\x82\xAC\xD0\xB6\xC3\xA9x";
    ASSERT_TRUE(PumpUntil([&] { return edit->Text().size() >= expected.size(); }, 5000)) << edit->Text();
    EXPECT_EQ(edit->Text(), expected);
}

TEST_F(EditX11Test, CaretIsOnTheScreenAndBlinks) {
    const TPoint p = edit->ClientToScreen({1, 5}); // the caret after the left margin, empty text
    ASSERT_TRUE(PumpUntil([&] { return ScreenPixel(p.X + 3, p.Y) == 0xFFFFFF; }))
        << "the edit is on the screen";
    ASSERT_TRUE(PumpUntil([&] { return ScreenPixel(p.X, p.Y) == 0x000000; }))
        << "inverted white under the caret";
    ASSERT_GT(GetCaretBlinkTime(), 0u);
    EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(p.X, p.Y) == 0xFFFFFF; }, 3000)) << "blinks off";
    EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(p.X, p.Y) == 0x000000; }, 3000)) << "and on again";
}

// Another program holding the clipboard: its own connection and thread answer requests for
// the text until stopped.
class ClipboardOwner {
public:
    ClipboardOwner(const std::string& display, std::string text) : FText(std::move(text)) {
        FDpy = XOpenDisplay(display.c_str());
        FWin = XCreateSimpleWindow(FDpy, DefaultRootWindow(FDpy), 0, 0, 1, 1, 0, 0, 0);
        FClipboard = XInternAtom(FDpy, "CLIPBOARD", False);
        FUtf8 = XInternAtom(FDpy, "UTF8_STRING", False);
        XSetSelectionOwner(FDpy, FClipboard, FWin, CurrentTime);
        XSync(FDpy, False);
        FThread = std::thread([this] { Serve(); });
    }
    ~ClipboardOwner() {
        FStop = true;
        FThread.join();
        XDestroyWindow(FDpy, FWin);
        XCloseDisplay(FDpy);
    }
    bool Owns() { return XGetSelectionOwner(FDpy, FClipboard) == FWin; }

private:
    void Serve() {
        while (!FStop) {
            while (XPending(FDpy) > 0) {
                XEvent e;
                XNextEvent(FDpy, &e);
                if (e.type != SelectionRequest) continue;
                const XSelectionRequestEvent& rq = e.xselectionrequest;
                XEvent reply{};
                reply.xselection.type = SelectionNotify;
                reply.xselection.requestor = rq.requestor;
                reply.xselection.selection = rq.selection;
                reply.xselection.target = rq.target;
                reply.xselection.time = rq.time;
                reply.xselection.property = None;
                if (rq.target == FUtf8) {
                    XChangeProperty(FDpy, rq.requestor, rq.property, FUtf8, 8, PropModeReplace,
                                    reinterpret_cast<const unsigned char*>(FText.data()),
                                    static_cast<int>(FText.size()));
                    reply.xselection.property = rq.property;
                }
                XSendEvent(FDpy, rq.requestor, False, 0, &reply);
                XFlush(FDpy);
            }
            pollfd fd{ConnectionNumber(FDpy), POLLIN, 0};
            poll(&fd, 1, 20); // wakes for the next request, or to see the stop flag
        }
    }
    ::Display* FDpy = nullptr;
    ::Window FWin = 0;
    Atom FClipboard = 0, FUtf8 = 0;
    std::string FText;
    std::atomic<bool> FStop{false};
    std::thread FThread;
};

// Reads the CLIPBOARD selection as another program would, with a deadline.
std::string ReadClipboard(::Display* dpy, const std::function<void()>& pump) {
    const ::Window w = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, 1, 1, 0, 0, 0);
    const Atom clip = XInternAtom(dpy, "CLIPBOARD", False), utf8 = XInternAtom(dpy, "UTF8_STRING", False);
    const Atom prop = XInternAtom(dpy, "VD_TEST_SEL", False);
    XConvertSelection(dpy, clip, utf8, prop, w, CurrentTime);
    XFlush(dpy);
    std::string out = "(no answer)";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (std::chrono::steady_clock::now() < deadline) {
        pump(); // the program answers from its own loop
        XEvent e;
        if (!XCheckTypedWindowEvent(dpy, w, SelectionNotify, &e)) continue;
        out.clear();
        Atom type = 0;
        int format = 0;
        unsigned long n = 0, after = 0;
        unsigned char* data = nullptr;
        if (e.xselection.property &&
            XGetWindowProperty(dpy, w, prop, 0, 1 << 16, True, AnyPropertyType, &type, &format, &n, &after,
                               &data) == Success &&
            data)
            out.assign(reinterpret_cast<const char*>(data), n);
        if (data) XFree(data);
        break;
    }
    XDestroyWindow(dpy, w);
    return out;
}

TEST_F(EditX11Test, CopyAndPasteGoThroughTheXClipboard) {
    for (KeySym ks : {XK_h, XK_i})
        TypeKeysym(ks);
    ASSERT_TRUE(PumpUntil([&] { return edit->Text() == "hi"; }));
    edit->SelectAll();
    edit->CopyToClipboard();
    EXPECT_EQ(ReadClipboard(observer, [] { PumpUntil([] { return false; }, 10); }), "hi");
    {
        ClipboardOwner other(server->Display(), "pasted\r\nsecond line");
        ASSERT_TRUE(other.Owns());
        edit->SetText("");
        const KeyCode ctrl = XKeysymToKeycode(observer, XK_Control_L);
        XTestFakeKeyEvent(observer, ctrl, True, CurrentTime);
        TypeKeysym(XK_v);
        XTestFakeKeyEvent(observer, ctrl, False, CurrentTime);
        XSync(observer, False);
        EXPECT_TRUE(PumpUntil([&] { return !edit->Text().empty(); }))
            << "Ctrl+V pastes the other program's text";
        EXPECT_EQ(edit->Text(), "pasted") << "cut at the first line break";
    }
}

} // namespace
} // namespace vd::test
