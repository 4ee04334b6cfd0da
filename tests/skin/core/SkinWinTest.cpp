// The skin broadcast to the class library's forms on the headless window system, seen by the
// window system's spy.
#include "platform/gfx/Gdi.h"
#include "platform/rtl/Exception.h"
#include "platform/vcl/FormReader.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinParentBackground.h"
#include "skin/core/SkinProperties.h"
#include "skin/core/SkinStrings.h"
#include "skin/core/SkinWindowSystem.h"

#include "SkinTestUtil.h"
#include "tests/platform/vcl/VclFixture.h"

namespace vd {
namespace {

class SkinWinTest : public test::VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        SetSkinWindowSystem(nullptr);
        for (int i = 0; i < 3; ++i)
            Forms.push_back(NewForm());
    }
    std::vector<TForm*> Forms;
};

std::vector<Byte> SmallContainer() {
    std::vector<Byte> c;
    test::PutInt32(c, 3);
    c.push_back(1);
    c.push_back(1);
    c.push_back(1);
    test::PutInt32(c, 0);
    const std::string ini = "[SKINCONTROLS]\r\ncount=1\r\n0=button:button\r\n";
    c.insert(c.end(), ini.begin(), ini.end());
    return c;
}

std::vector<std::pair<HWND, UINT>> SkinMessages(const MessageSpy& spy, const TskSkinData* skin) {
    std::vector<std::pair<HWND, UINT>> order;
    for (const SpyEntry& e : spy.Entries())
        if ((e.msg >= WM_SKINLOADING && e.msg <= WM_SKINSETTLED) || e.msg == WM_SKINSTRINGSCHANGED) {
            EXPECT_EQ(e.wParam, reinterpret_cast<WPARAM>(skin));
            EXPECT_EQ(e.lParam, 1000);
            order.emplace_back(e.hwnd, e.msg);
        }
    return order;
}

TEST_F(SkinWinTest, OwnerFormFirstThenEveryOtherFormInListOrder) {
    auto* skin = new TskSkinData(Forms[1]); // freed with its form
    MessageSpy spy;
    auto stored = test::Stored(SmallContainer());
    skin->SetCompressedStoredSkin(stored.get());
    ASSERT_FALSE(skin->Empty()) << skin->LastLoadError();
    EXPECT_FALSE(skin->Changing());

    const HWND a = Forms[0]->Handle(), owner = Forms[1]->Handle(), c = Forms[2]->Handle();
    EXPECT_EQ(SkinMessages(spy, skin), (std::vector<std::pair<HWND, UINT>>{{owner, WM_SKINLOADING},
                                                                           {a, WM_SKINLOADING},
                                                                           {c, WM_SKINLOADING},
                                                                           {owner, WM_SKINLOADED},
                                                                           {a, WM_SKINLOADED},
                                                                           {c, WM_SKINLOADED},
                                                                           {owner, WM_SKINSETTLED},
                                                                           {a, WM_SKINSETTLED},
                                                                           {c, WM_SKINSETTLED}}));

    spy.Clear();
    TskResourceStrData strings;
    skin->SetResourceStrData(&strings);
    EXPECT_EQ(SkinMessages(spy, skin).size(), 3u);
    skin->SetResourceStrData(nullptr);
}

TEST_F(SkinWinTest, SkinOwnedByNoFormReachesEveryFormOnce) {
    TskSkinData skin(nullptr);
    MessageSpy spy;
    auto stored = test::Stored(SmallContainer());
    skin.LoadStoredSkin(stored.get());
    const auto order = SkinMessages(spy, &skin);
    ASSERT_EQ(order.size(), 9u);
    EXPECT_EQ(order[0].first, Forms[0]->Handle());
    EXPECT_EQ(order[2].first, Forms[2]->Handle());
}

} // namespace
} // namespace vd

namespace vd {
namespace {

class Transparent : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
};

TEST_F(SkinWinTest, ParentBackgroundAtTheControlsPlace) {
    TForm* form = Forms[0];
    form->SetColor(skRGB(10, 200, 30));
    auto* control = new Transparent(form);
    control->SetParent(form);
    control->SetBounds(10, 20, 30, 30);

    UniqueDC dc(CreateCompatibleDC(nullptr));
    UniqueBitmap bmp(new GdiBitmap(30, 30, 24));
    SelectObject(dc.Get(), bmp.Get());
    PaintParentBackground(control, dc.Get());
    EXPECT_EQ(GetPixel(dc.Get(), 0, 0), COLORREF(skRGB(10, 200, 30)));
    EXPECT_EQ(GetPixel(dc.Get(), 29, 29), COLORREF(skRGB(10, 200, 30)));
    EXPECT_FALSE(form->ControlState() & csPaintCopy);

    // A parent with its own background painter; the origin is the control's place plus R.
    TPoint seenOrigin{-1, -1};
    bool copying = false;
    AddParentBackgroundPainter([&](TWinControl* parent, HDC d) {
        if (parent != form) return false;
        GetViewportOrgEx(d, &seenOrigin);
        copying = parent->ControlState() & csPaintCopy;
        return true;
    });
    PaintParentBackgroundRect(control, {5, 6, 10, 10}, dc.Get());
    EXPECT_EQ(seenOrigin, (TPoint{-15, -26}));
    EXPECT_TRUE(copying);
    EXPECT_FALSE(form->ControlState() & csPaintCopy);
    TPoint after;
    GetViewportOrgEx(dc.Get(), &after);
    EXPECT_EQ(after, (TPoint{0, 0}));

    Transparent orphan(nullptr);
    PaintParentBackground(&orphan, dc.Get()); // no parent: nothing
}

} // namespace
} // namespace vd

namespace vd {
namespace {

String Hex(const std::vector<Byte>& bytes) {
    static const char* digits = "0123456789ABCDEF";
    String s;
    for (Byte b : bytes) {
        s += digits[b >> 4];
        s += digits[b & 15];
    }
    return s;
}

TEST_F(SkinWinTest, FormResourceLoadsTheStoredSkinAndWritesItBackUnchanged) {
    RegisterSkinCoreClasses();
    const std::vector<Byte> packed = test::Stored(SmallContainer())->CompressedStream();
    const String text = "object SkinForm: TForm\n"
                        "  Caption = 'skin'\n"
                        "  object skCompressedStoredSkin1: TskCompressedStoredSkin\n"
                        "    CompressedFileName = 'Test.skn'\n"
                        "    CompressedData = {" +
                        Hex(packed) +
                        "}\n"
                        "  end\n"
                        "  object skResourceStrData1: TskResourceStrData\n"
                        "    ResStrings = 'MI_CLOSECAPTION=Zu'#13#10'OTHER=a=b'#13#10\n"
                        "  end\n"
                        "  object skSkinData1: TskSkinData\n"
                        "    CompressedStoredSkin = skCompressedStoredSkin1\n"
                        "    ResourceStrData = skResourceStrData1\n"
                        "  end\n"
                        "end\n";
    MessageSpy spy;
    TComponent* root = TFormReader::ReadComponent(text, Application);
    ASSERT_NE(root, nullptr);
    auto* skin = dynamic_cast<TskSkinData*>(root->FindComponent("skSkinData1"));
    ASSERT_NE(skin, nullptr);
    EXPECT_FALSE(skin->Empty()) << skin->LastLoadError();
    EXPECT_EQ(skin->IndexOfControlRecord("button"), 0);
    ASSERT_NE(skin->ResourceStrData(), nullptr);
    EXPECT_EQ(skin->ResourceStrData()->LookupResString("mi_closecaption"), "Zu");
    EXPECT_EQ(skin->CompressedStoredSkin()->CompressedFileName(), "Test.skn");
    EXPECT_FALSE(spy.Messages(nullptr, {WM_SKINLOADED}).empty());

    const String written = WriteComponentText(root);
    EXPECT_NE(written.find(Hex(packed)), String::npos);
    EXPECT_NE(written.find("CompressedStoredSkin = skCompressedStoredSkin1"), String::npos);
    EXPECT_EQ(skin->ResourceStrData()->LookupResString("other"), "a=b");
    EXPECT_EQ(skin->ResourceStrData()->ResStrings().size(), 2u);
    TComponent* copy = TFormReader::ReadComponent(
        [&] {
            String t = written;
            t.replace(t.find("object SkinForm"), 15, "object SkinCopy");
            return t;
        }(),
        Application);
    auto* copiedStrings = dynamic_cast<TskResourceStrData*>(copy->FindComponent("skResourceStrData1"));
    ASSERT_NE(copiedStrings, nullptr);
    EXPECT_EQ(copiedStrings->ResStrings(), skin->ResourceStrData()->ResStrings());
    auto* copiedStored =
        dynamic_cast<TskCompressedStoredSkin*>(copy->FindComponent("skCompressedStoredSkin1"));
    ASSERT_NE(copiedStored, nullptr);
    EXPECT_EQ(copiedStored->CompressedStream(), packed);

    const String empty = "object EmptyForm: TForm\n  object Stored: TskCompressedStoredSkin\n  end\nend\n";
    TComponent* second = TFormReader::ReadComponent(empty, Application);
    EXPECT_NE(WriteComponentText(second).find("CompressedData = {}"), String::npos);
}

TEST_F(SkinWinTest, FormResourceWithAMissingReferenceFails) {
    RegisterSkinCoreClasses();
    const String text = "object BadForm: TForm\n"
                        "  object skSkinData1: TskSkinData\n"
                        "    CompressedStoredSkin = nothere\n"
                        "  end\n"
                        "end\n";
    EXPECT_THROW(TFormReader::ReadComponent(text, Application), EReadError);
}

} // namespace
} // namespace vd
