#include "VclFixture.h"

#include "platform/win/CommCtrl.h"

namespace vd::test {
namespace {

constexpr UINT kAsk = WM_USER + 1;
constexpr UINT kNotifyParent = WM_USER + 2;

// A native class: answers kAsk itself and reports to its parent on request.
void RegisterNative(std::vector<UINT>& seen) {
    WNDCLASS wc;
    wc.lpszClassName = "TestNative";
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = MakeWndProc([&seen](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        seen.push_back(m);
        if (m == kAsk) return 42;
        if (m == kNotifyParent) {
            SendMessage(GetParent(h), WM_COMMAND, MakeWParam(7, 0x300), reinterpret_cast<LPARAM>(h));
            NMHDR nm;
            nm.hwndFrom = h;
            nm.code = 99;
            return SendMessage(GetParent(h), WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&nm));
        }
        return DefWindowProc(h, m, w, l);
    });
    RegisterClass(wc);
}

class Wrapped : public TWinControl {
public:
    explicit Wrapped(TComponent* o) : TWinControl(o) {}
    std::vector<UINT> reflected;
    int askedFirst = 0;
    void Dispatch(TMessage& m) override {
        if (m.Msg == kAsk) ++askedFirst;
        if (m.Msg == CN_COMMAND || m.Msg == CN_NOTIFY) {
            reflected.push_back(m.Msg);
            m.Result = m.Msg == CN_NOTIFY ? 5 : 0;
            return;
        }
        TWinControl::Dispatch(m);
    }

protected:
    void CreateParams(TCreateParams& p) override {
        TWinControl::CreateParams(p);
        CreateSubClass(p, "TestNative");
    }
};

TEST_F(VclTest, SubClassedNativeWindowRunsTheControlFirstAndTheClassProcedureForTheRest) {
    std::vector<UINT> seen;
    RegisterNative(seen);
    TForm* form = NewForm();
    auto* w = new Wrapped(form);
    w->SetParent(form);
    w->SetBounds(0, 0, 50, 20);
    HWND h = w->Handle();
    EXPECT_EQ(GetClassName(h), "VclTestNative");
    EXPECT_TRUE(GetClassStyle(h) & CS_DBLCLKS) << "the native class style is kept";
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), WM_NCCREATE) << "creation messages reach the class procedure";
    EXPECT_EQ(SendMessage(h, kAsk, 0, 0), 42);
    EXPECT_EQ(w->askedFirst, 1);
    EXPECT_EQ(SendMessage(h, kNotifyParent, 0, 0), 5) << "WM_NOTIFY comes back as CN_NOTIFY with its result";
    EXPECT_EQ(w->reflected, (std::vector<UINT>{CN_COMMAND, CN_NOTIFY}));
}

} // namespace
} // namespace vd::test
