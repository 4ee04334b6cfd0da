#pragma once
// Helpers of the skin core tests: coordinate-encoded pictures, containers, a message spy.
#include "skin/core/SkinBitmap.h"
#include "skin/core/SkinBmpFile.h"
#include "skin/core/SkinContainer.h"
#include "skin/core/SkinStoredSkin.h"
#include "skin/core/SkinWindowSystem.h"
#include "skin/core/SkinZStream.h"

#include <functional>
#include <map>
#include <vector>

namespace vd::test {

// Pixel (x, y) = RGB(x, y, tag): every composed pixel names its source pixel.
inline TskBitmap CoordBitmap(int w, int h, int tag = 7) {
    TskBitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.SetPixel(x, y, skRGB(x, y, tag));
    return b;
}

inline TskCompressedStoredSkin Stored(const std::vector<Byte>& container) {
    TskCompressedStoredSkin s;
    std::vector<Byte> packed;
    CompressMemoryStream(container, packed);
    s.SetCompressedStream(std::move(packed));
    return s;
}

inline void PutInt32(std::vector<Byte>& out, int v) {
    for (int i = 0; i < 4; ++i) out.push_back(Byte(unsigned(v) >> (8 * i)));
}

// The window system as the skin core sees it. There is no real window system yet on this
// branch, so this records what each window would receive.
class MessageSpy : public TskSkinWindowSystem {
public:
    struct Sent {
        TskWindowHandle Window;
        unsigned Msg;
        TskSkinData* Skin;
        int LParam;
        bool operator==(const Sent&) const = default;
    };

    MessageSpy() { SetSkinWindowSystem(this); }
    ~MessageSpy() override { SetSkinWindowSystem(nullptr); }

    TskWindowHandle FormWindowOf(const void* owner) const override {
        auto it = Owners.find(owner);
        return it == Owners.end() ? 0 : it->second;
    }
    std::vector<TskWindowHandle> FormWindows() const override { return Forms; }
    void SendSkinMessage(TskWindowHandle w, unsigned msg, TskSkinData* skin, int lParam) override {
        Log.push_back({w, msg, skin, lParam});
        if (OnMessage) OnMessage(w, msg);
    }
    bool CompositorRunning() const override { return Compositor; }
    void SetWindowAlpha(TskWindowHandle w, Byte a) override { Alphas[w] = a; }
    int MonitorCount() const override { return Monitors; }
    bool MonitorRectOf(TskWindowHandle, bool workArea, TRect& r) const override {
        if (!MonitorKnown) return false;
        r = workArea ? TRect{1920, 0, 3840, 1040} : TRect{1920, 0, 3840, 1080};
        return true;
    }
    TRect DesktopRect(bool workArea) const override {
        return workArea ? TRect{0, 0, 1920, 1040} : TRect{0, 0, 1920, 1080};
    }

    std::vector<unsigned> Messages() const {
        std::vector<unsigned> m;
        for (const Sent& s : Log) m.push_back(s.Msg);
        return m;
    }

    std::map<const void*, TskWindowHandle> Owners;
    std::vector<TskWindowHandle> Forms;
    std::vector<Sent> Log;
    std::map<TskWindowHandle, int> Alphas;
    std::function<void(TskWindowHandle, unsigned)> OnMessage;
    bool Compositor = false;
    int Monitors = 1;
    bool MonitorKnown = true;
};

} // namespace vd::test
