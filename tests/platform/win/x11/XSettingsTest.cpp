// The double-click time from an XSETTINGS manager, which the test plays on a private Xvfb, and
// the settings parser against well-formed and broken property bytes.
#include "Xvfb.h"

#include "platform/win/x11/X11Backend.h"
#include "platform/win/x11/XSettings.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vd::test {
namespace {

// Builds settings bytes the way a manager writes them.
class SettingsBytes {
public:
    explicit SettingsBytes(bool msb) : FMsb(msb) {
        FBytes = {static_cast<unsigned char>(msb ? 1 : 0), 0, 0, 0};
        U32(7); // serial
        FCountAt = FBytes.size();
        U32(0);
    }
    SettingsBytes& Int(const std::string& name, std::int32_t v) {
        Head(0, name);
        U32(static_cast<std::uint32_t>(v));
        return Count();
    }
    SettingsBytes& Str(const std::string& name, const std::string& v) {
        Head(1, name);
        U32(static_cast<std::uint32_t>(v.size()));
        FBytes.insert(FBytes.end(), v.begin(), v.end());
        Pad();
        return Count();
    }
    SettingsBytes& Color(const std::string& name) {
        Head(2, name);
        FBytes.insert(FBytes.end(), 8, 0xEE);
        return Count();
    }
    std::vector<unsigned char> bytes() const { return FBytes; }

private:
    void Head(unsigned char type, const std::string& name) {
        FBytes.push_back(type);
        FBytes.push_back(0);
        U16(static_cast<std::uint16_t>(name.size()));
        FBytes.insert(FBytes.end(), name.begin(), name.end());
        Pad();
        U32(3); // last change serial
    }
    SettingsBytes& Count() {
        ++FCount;
        auto save = std::move(FBytes);
        FBytes.clear();
        U32(FCount);
        std::copy(FBytes.begin(), FBytes.end(), save.begin() + static_cast<long>(FCountAt));
        FBytes = std::move(save);
        return *this;
    }
    void Pad() {
        while (FBytes.size() % 4)
            FBytes.push_back(0);
    }
    void U16(std::uint16_t v) { Put(v, 2); }
    void U32(std::uint32_t v) { Put(v, 4); }
    void Put(std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i) {
            const int shift = FMsb ? 8 * (n - 1 - i) : 8 * i;
            FBytes.push_back(static_cast<unsigned char>(v >> shift));
        }
    }
    bool FMsb;
    std::vector<unsigned char> FBytes;
    std::size_t FCountAt = 0;
    std::uint32_t FCount = 0;
};

std::vector<unsigned char> Typical(bool msb, std::int32_t ms) {
    return SettingsBytes(msb)
        .Str("Net/ThemeName", "Plain")
        .Color("Gtk/Color")
        .Int("Net/DoubleClickDistance", 9)
        .Int("Net/DoubleClickTime", ms)
        .bytes();
}

TEST(XSettingsParser, FindsTheIntegerInEitherByteOrderPastOtherKinds) {
    for (bool msb : {false, true}) {
        const auto b = Typical(msb, 321);
        auto v = x11::FindXSettingsInt(b.data(), b.size(), "Net/DoubleClickTime");
        ASSERT_TRUE(v) << msb;
        EXPECT_EQ(*v, 321);
        EXPECT_EQ(x11::FindXSettingsInt(b.data(), b.size(), "Net/DoubleClickDistance"), 9);
        EXPECT_FALSE(x11::FindXSettingsInt(b.data(), b.size(), "Net/ThemeName")); // a string, not an int
        EXPECT_FALSE(x11::FindXSettingsInt(b.data(), b.size(), "Net/Missing"));
    }
}

TEST(XSettingsParser, BrokenBytesGiveNothing) {
    const auto good = Typical(false, 321);
    // Every cut of a good property before the wanted value ends gives nothing, never a read past it.
    for (std::size_t n = 0; n < good.size(); ++n) {
        std::vector<unsigned char> cut(good.begin(), good.begin() + static_cast<long>(n));
        EXPECT_FALSE(x11::FindXSettingsInt(cut.data(), cut.size(), "Net/DoubleClickTime")) << n;
    }
    struct Case {
        const char* what;
        std::size_t at;
        unsigned char value;
    } cases[] = {
        {"unknown byte order", 0, 7},
        {"no settings", 8, 0},
        {"huge name length", 15, 0xFF},
        {"unknown type", 12, 9},
        {"huge string length", 12 + 4 + 16 + 4 + 3, 0xFF},
    };
    for (const Case& c : cases) {
        auto b = good;
        b[c.at] = c.value;
        EXPECT_FALSE(x11::FindXSettingsInt(b.data(), b.size(), "Net/DoubleClickTime")) << c.what;
    }
    EXPECT_FALSE(x11::FindXSettingsInt(nullptr, 0, "Net/DoubleClickTime"));
}

// The test is the settings manager: it owns the selection and holds the property.
TEST(XSettingsManager, DoubleClickTimeComesFromTheManagerElse500) {
    XvfbServer server;
    ASSERT_TRUE(server.Running()) << "no X server could be started (Xvfb missing?)";
    auto backend = X11Backend::Open(server.Display());
    ::Display* mgr = XOpenDisplay(server.Display().c_str());
    ASSERT_TRUE(backend && mgr);
    EXPECT_EQ(backend->DoubleClickTime(), 500u); // no manager

    const ::Window w = XCreateSimpleWindow(mgr, DefaultRootWindow(mgr), 0, 0, 1, 1, 0, 0, 0);
    const Atom sel = XInternAtom(mgr, ("_XSETTINGS_S" + std::to_string(DefaultScreen(mgr))).c_str(), False);
    const Atom prop = XInternAtom(mgr, "_XSETTINGS_SETTINGS", False);
    auto put = [&](const std::vector<unsigned char>& b) {
        XChangeProperty(mgr, w, prop, prop, 8, PropModeReplace, b.data(), static_cast<int>(b.size()));
        XSync(mgr, False);
    };
    put(Typical(false, 321));
    XSetSelectionOwner(mgr, sel, w, CurrentTime);
    XSync(mgr, False);
    EXPECT_EQ(backend->DoubleClickTime(), 321u);

    put(Typical(true, 250));
    EXPECT_EQ(backend->DoubleClickTime(), 250u);

    auto broken = Typical(false, 321);
    broken.resize(broken.size() - 2);
    put(broken);
    EXPECT_EQ(backend->DoubleClickTime(), 500u);

    put(Typical(false, -5)); // nonsense values fall back too
    EXPECT_EQ(backend->DoubleClickTime(), 500u);

    // The manager leaves: back to the default, and its vanished window is no error for us.
    put(Typical(false, 321));
    XDestroyWindow(mgr, w);
    XSync(mgr, False);
    EXPECT_EQ(backend->DoubleClickTime(), 500u);
    XCloseDisplay(mgr);
}

// The caret blinks as the desktop says: half of its whole on-and-off cycle, or not at all.
TEST(XSettingsManager, CaretBlinkTimeFollowsTheDesktop) {
    XvfbServer server;
    ASSERT_TRUE(server.Running()) << "no X server could be started (Xvfb missing?)";
    auto backend = X11Backend::Open(server.Display());
    ::Display* mgr = XOpenDisplay(server.Display().c_str());
    ASSERT_TRUE(backend && mgr);
    EXPECT_EQ(backend->CaretBlinkTime(), 530u) << "no manager";
    const ::Window w = XCreateSimpleWindow(mgr, DefaultRootWindow(mgr), 0, 0, 1, 1, 0, 0, 0);
    const Atom sel = XInternAtom(mgr, ("_XSETTINGS_S" + std::to_string(DefaultScreen(mgr))).c_str(), False);
    const Atom prop = XInternAtom(mgr, "_XSETTINGS_SETTINGS", False);
    XSetSelectionOwner(mgr, sel, w, CurrentTime);
    const struct {
        int Blink, Cycle;
        unsigned Expected;
    } cases[] = {{1, 1000, 500u}, {1, 1600, 800u}, {0, 1000, 0u}, {1, 5, 530u}, {1, 999999, 530u}};
    for (const auto& c : cases) {
        const auto b =
            SettingsBytes(false).Int("Net/CursorBlink", c.Blink).Int("Net/CursorBlinkTime", c.Cycle).bytes();
        XChangeProperty(mgr, w, prop, prop, 8, PropModeReplace, b.data(), static_cast<int>(b.size()));
        XSync(mgr, False);
        EXPECT_EQ(backend->CaretBlinkTime(), c.Expected) << c.Blink << " " << c.Cycle;
    }
    XDestroyWindow(mgr, w);
    XCloseDisplay(mgr);
}

} // namespace
} // namespace vd::test
