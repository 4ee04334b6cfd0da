#pragma once
// The program's embedded default skin, loaded once for the tests that judge it.
#include "platform/rtl/Resources.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinStoredSkin.h"
#include "skin/core/SkinWindowSystem.h"
#include "skin/store/SkinContainer.h"

#include <gtest/gtest.h>

namespace vd::test {

// No window exists in these tests: the skin's messages go nowhere.
class NoWindows : public TskSkinWindowSystem {
public:
    HWND FormWindowOf(const TComponent*) const override { return nullptr; }
    std::vector<HWND> FormWindows() const override { return {}; }
    void SendSkinMessage(HWND, unsigned, TskSkinData*, int) override {}
};

class DefaultSkinTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        SetSkinWindowSystem(&Windows());
        const std::string_view bytes = FindResource("SKIN", "QUILLMARSH");
        Stored().ReadCompressedData({reinterpret_cast<const Byte*>(bytes.data()), bytes.size()});
        Skin().LoadStoredSkin(&Stored());
        std::vector<Byte> raw;
        Stored().UnpackToStream(raw);
        String error;
        ReadSkinContainer(raw, Container(), error);
    }
    static void TearDownTestSuite() { SetSkinWindowSystem(nullptr); }

    static NoWindows& Windows() {
        static NoWindows w;
        return w;
    }
    static TskCompressedStoredSkin& Stored() {
        static TskCompressedStoredSkin s;
        return s;
    }
    static TskSkinData& Skin() {
        static TskSkinData s;
        return s;
    }
    static TskSkinContainer& Container() {
        static TskSkinContainer c;
        return c;
    }
};

} // namespace vd::test
