#pragma once
// Helpers of the skin core tests: coordinate-encoded pictures, containers, a message spy.
#include "skin/core/SkinStoredSkin.h"
#include "skin/core/SkinWindowSystem.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinBmpFile.h"
#include "skin/store/SkinContainer.h"
#include "skin/store/SkinZStream.h"

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace vd::test {

// Pixel (x, y) = RGB(x, y, tag): every composed pixel names its source pixel.
inline TskBitmap CoordBitmap(int w, int h, int tag = 7) {
    TskBitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y, skRGB(x, y, tag));
    return b;
}

inline std::unique_ptr<TskCompressedStoredSkin> Stored(const std::vector<Byte>& container) {
    auto s = std::make_unique<TskCompressedStoredSkin>();
    std::vector<Byte> packed;
    CompressMemoryStream(container, packed);
    s->SetCompressedStream(std::move(packed));
    return s;
}

inline void PutInt32(std::vector<Byte>& out, int v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(Byte(unsigned(v) >> (8 * i)));
}

inline HWND H(std::uintptr_t n) {
    return reinterpret_cast<HWND>(n);
}

// Records the skin messages each form would receive, in order, without windows: for the unit
// tests of the broadcast order (SkinWinTest drives real headless windows).
class SkinMessageRecorder : public TskSkinWindowSystem {
public:
    struct Sent {
        HWND Window;
        unsigned Msg;
        TskSkinData* Skin;
        int LParam;
        bool operator==(const Sent&) const = default;
    };

    SkinMessageRecorder() { SetSkinWindowSystem(this); }
    ~SkinMessageRecorder() override { SetSkinWindowSystem(nullptr); }

    HWND FormWindowOf(const TComponent* owner) const override {
        auto it = Owners.find(owner);
        return it == Owners.end() ? nullptr : it->second;
    }
    std::vector<HWND> FormWindows() const override { return Forms; }
    void SendSkinMessage(HWND w, unsigned msg, TskSkinData* skin, int lParam) override {
        Log.push_back({w, msg, skin, lParam});
        if (OnMessage) OnMessage(w, msg);
    }

    std::vector<unsigned> Messages() const {
        std::vector<unsigned> m;
        for (const Sent& s : Log)
            m.push_back(s.Msg);
        return m;
    }

    std::map<const TComponent*, HWND> Owners;
    std::vector<HWND> Forms;
    std::vector<Sent> Log;
    std::function<void(HWND, unsigned)> OnMessage;
};

} // namespace vd::test
