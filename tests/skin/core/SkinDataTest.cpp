#include "skin/core/SkinData.h"
#include "skin/core/SkinStoredSkin.h"
#include "skin/core/SkinStrings.h"
#include "skin/store/SkinControlRecords.h"
#include "skin/store/SkinObjectRecords.h"
#include "skin/store/SkinWindowRecords.h"
#include "skin/store/SkinZStream.h"

#include "SkinTestUtil.h"

#include <gtest/gtest.h>

#include <functional>

namespace vd {
namespace {

using test::CoordBitmap;
using test::H;
using Recorder = test::SkinMessageRecorder;
using test::PutInt32;
using test::Stored;

const std::string kIni =
    "[VERSION]\r\nskinname=Test skin\r\nskinauthor=Us\r\n"
    "[PICTURES]\r\npicture=main.bmp\r\nmask=mask.bmp\r\nactivepicturescount=2\r\n0=a.bmp\r\n1=b.bmp\r\n"
    "[FORMINFO]\r\nlefttoppoint=8,29\r\nrightbottompoint=180,158\r\nclientrect=5,24,193,165\r\n"
    "hittestlefttoppoint=0,5\r\nbuttonsrect=1,2,3,4\r\ninactiveeffect=ieinvert\r\nformminwidth=120\r\n"
    "[SKINCOLORS]\r\ncbtnface=255\r\n"
    "[HINTWINDOW]\r\nwindowpictureindex=1\r\n"
    "[SKINOBJECTS]\r\ncount=2\r\n0=close:stdbutton\r\n1=menu:appmenu\r\n"
    "[SKINCONTROLS]\r\ncount=5\r\n0=toolbutton:button\r\n1=button:button\r\n2=appmenu:appmenu\r\n"
    "3=nocolon\r\n4=panel:panel\r\n"
    "[button]\r\nskinrect=1,1,20,20\r\n[close]\r\ncommand=cmclose\r\n";

struct ContainerSpec {
    int Version = 3;
    int Flags[5] = {0, 1, 0, 0, 0};
    int Count = 2;
    std::string Ini = kIni;
};

std::vector<Byte> MakeContainer(const ContainerSpec& c) {
    std::vector<Byte> out;
    PutInt32(out, c.Version);
    const int flagged = c.Version == 2 ? 5 : 3;
    for (int i = 0; i < flagged; ++i) {
        out.push_back(Byte(c.Flags[i]));
        if (c.Flags[i] == 0) {
            auto img = WriteBmpImage(CoordBitmap(6 + i, 4, i));
            out.insert(out.end(), img.begin(), img.end());
        }
    }
    PutInt32(out, c.Count);
    for (int i = 0; i < c.Count; ++i) {
        auto img = WriteBmpImage(CoordBitmap(3, 3 + i, 50 + i));
        out.insert(out.end(), img.begin(), img.end());
    }
    out.insert(out.end(), c.Ini.begin(), c.Ini.end());
    return out;
}

class SkinDataTest : public ::testing::Test {
protected:
    SkinDataTest() {
        Spy.Forms = {H(101), H(102), H(103)};
        Spy.Owners[&OwnerForm] = H(102);
    }
    TComponent OwnerForm{nullptr};
    Recorder Spy;
    TskSkinData& Skin = *new TskSkinData(&OwnerForm); // freed by its owner
};

TEST_F(SkinDataTest, LoadsContainerIniAndRecordsAndBroadcastsInOrder) {
    std::vector<std::pair<bool, bool>> seen; // (Empty, Changing) as each receiver saw it
    Spy.OnMessage = [&](HWND, unsigned) { seen.emplace_back(Skin.Empty(), Skin.Changing()); };
    auto stored = Stored(MakeContainer({}));
    Skin.SetCompressedStoredSkin(stored.get());

    ASSERT_FALSE(Skin.Empty()) << Skin.LastLoadError();
    EXPECT_FALSE(Skin.Changing());
    EXPECT_EQ(Skin.Picture, CoordBitmap(6, 4, 0));
    EXPECT_TRUE(Skin.InactivePicture.Empty());
    EXPECT_EQ(Skin.Mask, CoordBitmap(8, 4, 2));
    ASSERT_EQ(Skin.ActivePictures().size(), 2u);
    EXPECT_EQ(*Skin.ActivePicture(1), CoordBitmap(3, 4, 51));
    EXPECT_EQ(Skin.ActivePicture(2), nullptr);
    EXPECT_EQ(Skin.ActivePicture(-1), nullptr);
    EXPECT_EQ(Skin.skinname, "Test skin");
    EXPECT_EQ(Skin.MaskName, "mask.bmp");
    EXPECT_EQ(Skin.ActivePictureNames, (std::vector<String>{"a.bmp", "b.bmp"}));
    EXPECT_EQ(Skin.inactiveeffect, ieInvert);
    EXPECT_EQ(Skin.formminwidth, 120);
    EXPECT_EQ(Skin.bgpictureindex, -1);
    EXPECT_EQ(Skin.SkinColors().cbtnface, 255);
    EXPECT_EQ(Skin.SkinColors().cbtntext, clskBtnText);
    EXPECT_EQ(Skin.HintWindow().windowpictureindex, 1);
    EXPECT_EQ(Skin.HintWindow().fontheight, 14);

    ASSERT_EQ(Skin.ControlRecords().size(), 3u);
    EXPECT_EQ(Skin.IndexOfControlRecord("toolbutton"), 0);
    EXPECT_EQ(Skin.IndexOfControlRecord("button"), 1);
    EXPECT_EQ(Skin.IndexOfControlRecord("Button"), -1);
    EXPECT_EQ(Skin.IndexOfControlRecord("panel"), 2);
    EXPECT_EQ(Skin.IndexOfControlRecord("appmenu"), -1);
    EXPECT_EQ(Skin.ControlRecord(1)->skinrect, (TRect{1, 1, 20, 20}));
    ASSERT_EQ(Skin.ObjectRecords().size(), 1u);
    EXPECT_EQ(Skin.IndexOfObjectRecord("close"), 0);
    EXPECT_EQ(dynamic_cast<TskDataSkinStdButton*>(Skin.ObjectRecord(0))->command, cmClose);

    using S = Recorder::Sent;
    TskSkinData* me = &Skin;
    EXPECT_EQ(Spy.Log, (std::vector<S>{{H(102), 1225, me, 1000},
                                       {H(101), 1225, me, 1000},
                                       {H(103), 1225, me, 1000},
                                       {H(102), 1226, me, 1000},
                                       {H(101), 1226, me, 1000},
                                       {H(103), 1226, me, 1000},
                                       {H(102), 1227, me, 1000},
                                       {H(101), 1227, me, 1000},
                                       {H(103), 1227, me, 1000}}));
    const std::pair<bool, bool> loading{true, true}, loaded{false, true}, settled{false, false};
    EXPECT_EQ(seen, (std::vector<std::pair<bool, bool>>{loading, loading, loading, loaded, loaded, loaded,
                                                        settled, settled, settled}));
}

TEST_F(SkinDataTest, FormInfoFitting) {
    auto stored = Stored(MakeContainer({}));
    Skin.LoadStoredSkin(stored.get());
    EXPECT_EQ(Skin.maskrectarea, (TRect{5, 24, 193, 165}));
    EXPECT_EQ(Skin.lefttoppoint, (TPoint{8, 29}));
    EXPECT_EQ(Skin.hittestlefttoppoint, (TPoint{8, 29}));
    // Corner points pulled towards the client rectangle, each coordinate one way only.
    EXPECT_EQ(Skin.righttoppoint, (TPoint{0, 24}));
    EXPECT_EQ(Skin.leftbottompoint, (TPoint{5, 0}));

    ContainerSpec noMask;
    noMask.Ini.replace(noMask.Ini.find("mask=mask.bmp"), 13, "mask=");
    noMask.Ini.replace(noMask.Ini.find("rightbottompoint=180,158"), 24, "rightbottompoint=8,158");
    auto stored2 = Stored(MakeContainer(noMask));
    Skin.LoadStoredSkin(stored2.get());
    ASSERT_FALSE(Skin.Empty());
    EXPECT_EQ(Skin.maskrectarea, TRect{});
    EXPECT_EQ(Skin.hittestlefttoppoint, (TPoint{0, 5}));
    EXPECT_EQ(Skin.righttoppoint, TPoint{}); // same X: the points stay as read
}

TEST_F(SkinDataTest, ContainerVariants) {
    ContainerSpec v2;
    v2.Version = 2;
    v2.Flags[1] = 0;
    auto s2 = Stored(MakeContainer(v2));
    Skin.LoadStoredSkin(s2.get());
    ASSERT_FALSE(Skin.Empty()) << Skin.LastLoadError();
    EXPECT_EQ(Skin.InactivePicture, CoordBitmap(7, 4, 1));
    EXPECT_EQ(Skin.ActivePictures().size(), 2u);
    EXPECT_EQ(Skin.IndexOfControlRecord("panel"), 2);

    ContainerSpec none;
    none.Count = 0;
    none.Flags[0] = none.Flags[2] = 5;
    auto s0 = Stored(MakeContainer(none));
    Skin.LoadStoredSkin(s0.get());
    ASSERT_FALSE(Skin.Empty()) << Skin.LastLoadError();
    EXPECT_TRUE(Skin.Picture.Empty());
    EXPECT_TRUE(Skin.Mask.Empty());
    EXPECT_TRUE(Skin.ActivePictures().empty());
    EXPECT_EQ(Skin.IndexOfControlRecord("button"), 1);
}

TEST_F(SkinDataTest, EveryFailureEndsEmptyWithTheMessagesSent) {
    std::vector<Byte> good = MakeContainer({});
    ContainerSpec v4;
    v4.Version = 4;
    std::vector<Byte> lyingBmp = good;
    lyingBmp[4 + 1 + 22] = 0xFF; // main picture height byte: far more rows than bytes
    std::vector<Byte> lyingCount = MakeContainer({});
    ContainerSpec manyPictures;
    manyPictures.Count = 0;
    manyPictures.Ini = "";
    std::vector<Byte> countOnly = MakeContainer(manyPictures);
    countOnly[countOnly.size() - 4] = 0xFF; // count 255 with no images behind it

    struct Case {
        const char* Name;
        std::unique_ptr<TskCompressedStoredSkin> Stored;
    } cases[] = {
        {"version 4", Stored(MakeContainer(v4))},
        {"truncated container", Stored(std::vector<Byte>(good.begin(), good.begin() + 40))},
        {"lying bitmap", Stored(lyingBmp)},
        {"lying picture count", Stored(countOnly)},
        {"too short for a version", Stored({1, 0})},
    };
    TskCompressedStoredSkin garbage;
    garbage.SetCompressedStream({0x78, 0xDA, 0x01, 0x02, 0x03});

    auto check = [&](const char* name, const TskCompressedStoredSkin& stored) {
        auto goodStored = Stored(good);
        Skin.LoadStoredSkin(goodStored.get());
        ASSERT_FALSE(Skin.Empty());
        Spy.Log.clear();
        Skin.LoadStoredSkin(&stored);
        EXPECT_TRUE(Skin.Empty()) << name;
        EXPECT_FALSE(Skin.Changing()) << name;
        EXPECT_FALSE(Skin.LastLoadError().empty()) << name;
        EXPECT_TRUE(Skin.ControlRecords().empty()) << name;
        EXPECT_TRUE(Skin.Picture.Empty()) << name;
        EXPECT_EQ(Skin.skinname, "") << name;
        EXPECT_EQ(Skin.IndexOfControlRecord("button"), -1) << name;
        EXPECT_EQ(Spy.Messages(),
                  (std::vector<unsigned>{1225, 1225, 1225, 1226, 1226, 1226, 1227, 1227, 1227}))
            << name;
    };
    for (const Case& c : cases)
        check(c.Name, *c.Stored);
    check("zlib error", garbage);
}

TEST_F(SkinDataTest, ARectOrPointWithoutDigitsEndsTheLoad) {
    struct Case {
        const char* From;
        const char* To;
    } cases[] = {
        {"clientrect=5,24,193,165", "clientrect=5,24"}, // the frame's own section
        {"lefttoppoint=8,29", "lefttoppoint=8,"},
        {"skinrect=1,1,20,20", "skinrect=1,1,20,twenty"}, // a control record
    };
    for (const Case& c : cases) {
        auto good = Stored(MakeContainer({}));
        Skin.LoadStoredSkin(good.get());
        ASSERT_FALSE(Skin.Empty());
        ContainerSpec bad;
        bad.Ini.replace(bad.Ini.find(c.From), std::string(c.From).size(), c.To);
        auto stored = Stored(MakeContainer(bad));
        Skin.LoadStoredSkin(stored.get());
        EXPECT_TRUE(Skin.Empty()) << c.To;
        EXPECT_EQ(Skin.LastLoadError(), "'' is not a valid integer value") << c.To;
        EXPECT_EQ(Skin.IndexOfControlRecord("button"), -1) << c.To;
    }
}

TEST_F(SkinDataTest, EmptyStoredDataChangesNothing) {
    auto good = Stored(MakeContainer({}));
    Skin.LoadStoredSkin(good.get());
    Spy.Log.clear();
    TskCompressedStoredSkin empty;
    EXPECT_TRUE(empty.IsDataEmpty());
    Skin.SetCompressedStoredSkin(&empty);
    Skin.LoadStoredSkin(nullptr);
    EXPECT_TRUE(Spy.Log.empty());
    EXPECT_FALSE(Skin.Empty());
    EXPECT_EQ(Skin.IndexOfControlRecord("panel"), 2);
}

TEST_F(SkinDataTest, OwnerThatIsNoFormAndFreedReferences) {
    TskSkinData loose(nullptr);
    auto* strings = new TskResourceStrData(nullptr);
    loose.SetResourceStrData(strings);
    EXPECT_EQ(loose.ResourceStrData(), strings);
    using S = Recorder::Sent;
    EXPECT_EQ(Spy.Log,
              (std::vector<S>{
                  {H(101), 1274, &loose, 1000}, {H(102), 1274, &loose, 1000}, {H(103), 1274, &loose, 1000}}));
    strings->Free();
    EXPECT_EQ(loose.ResourceStrData(), nullptr);

    auto stored = Stored(MakeContainer({}));
    Skin.SetCompressedStoredSkin(stored.get());
    stored.reset(); // freed: the skin object forgets it and keeps what it loaded
    EXPECT_EQ(Skin.CompressedStoredSkin(), nullptr);
    EXPECT_FALSE(Skin.Empty());
}

TEST_F(SkinDataTest, LyingRecordCountsFinishQuickly) {
    ContainerSpec huge;
    huge.Ini = "[SKINCONTROLS]\r\ncount=2000000000\r\n0=button:button\r\n"
               "[SKINOBJECTS]\r\ncount=2147483647\r\n"
               "[PICTURES]\r\nactivepicturescount=2000000000\r\n";
    huge.Count = 0;
    auto stored = Stored(MakeContainer(huge));
    Skin.LoadStoredSkin(stored.get());
    ASSERT_FALSE(Skin.Empty());
    EXPECT_EQ(Skin.ControlRecords().size(), 1u);
    EXPECT_LE(Skin.ActivePictureNames.size(), 65536u);
}

TEST_F(SkinDataTest, NumberedEntriesWithGapsAreAllFound) {
    ContainerSpec gaps;
    gaps.Count = 0;
    // Keys 0 and 3 of a count of 4; 1999 of 2000; keys at or beyond the count are not entries.
    gaps.Ini = "[SKINCONTROLS]\r\ncount=4\r\n3=panel:panel\r\n0=button:button\r\n"
               "[SKINOBJECTS]\r\ncount=2000\r\n1999=close:stdbutton\r\n2000=beyond:stdbutton\r\n"
               "03=padded:stdbutton\r\n"
               "[panel]\r\nskinrect=1,2,3,4\r\n";
    auto stored = Stored(MakeContainer(gaps));
    Skin.LoadStoredSkin(stored.get());
    ASSERT_FALSE(Skin.Empty()) << Skin.LastLoadError();
    ASSERT_EQ(Skin.ControlRecords().size(), 2u);
    EXPECT_EQ(Skin.IndexOfControlRecord("button"), 0); // list order follows the numbers, not the lines
    EXPECT_EQ(Skin.IndexOfControlRecord("panel"), 1);
    EXPECT_EQ(Skin.ControlRecord(1)->skinrect, (TRect{1, 2, 3, 4}));
    ASSERT_EQ(Skin.ObjectRecords().size(), 1u);
    EXPECT_EQ(Skin.IndexOfObjectRecord("close"), 0);
}

// The stored skin decodes its pictures once; each skin object gets its own copies, and new
// data is decoded anew.
TEST_F(SkinDataTest, SkinObjectsOfOneStoredSkinOwnTheirPictures) {
    auto stored = Stored(MakeContainer({}));
    Skin.LoadStoredSkin(stored.get());
    ASSERT_FALSE(Skin.Empty()) << Skin.LastLoadError();
    Skin.Picture.Fill(0x123456);
    const_cast<TskBitmap*>(Skin.ActivePicture(0))->Fill(0x654321);
    TskSkinData& other = *new TskSkinData(&OwnerForm);
    other.LoadStoredSkin(stored.get());
    EXPECT_EQ(other.Picture, CoordBitmap(6, 4, 0));
    EXPECT_EQ(*other.ActivePicture(0), CoordBitmap(3, 3, 50));
    Skin.LoadStoredSkin(stored.get());
    EXPECT_EQ(Skin.Picture, CoordBitmap(6, 4, 0)) << "a second load of the same object";

    ContainerSpec one;
    one.Count = 1;
    stored->SetCompressedStream(Stored(MakeContainer(one))->CompressedStream());
    other.LoadStoredSkin(stored.get());
    EXPECT_EQ(other.ActivePictures().size(), 1u) << "new data";
    stored->SetCompressedStream(Stored(std::vector<Byte>(40, 0))->CompressedStream());
    for (int i = 0; i < 2; ++i) {
        other.LoadStoredSkin(stored.get());
        EXPECT_TRUE(other.Empty()) << "a bad container, load " << i;
        EXPECT_FALSE(other.LastLoadError().empty()) << "load " << i;
    }
}

TEST(StoredSkin, CompressedDataRoundTripIsByteIdentical) {
    auto a = Stored(MakeContainer({}));
    const std::vector<Byte> written = a->WriteCompressedData();
    TskCompressedStoredSkin b;
    b.ReadCompressedData(written);
    EXPECT_EQ(b.WriteCompressedData(), written);
    EXPECT_EQ(written[0], 0x78);
    EXPECT_EQ(written[1], 0xDA);
    std::vector<Byte> first, second;
    b.UnpackToStream(first);
    b.UnpackToStream(second);
    EXPECT_EQ(first, second);
    EXPECT_EQ(first, MakeContainer({}));
    TskCompressedStoredSkin empty;
    EXPECT_TRUE(empty.WriteCompressedData().empty());
}

// The inflated container is kept for the next window's load, and never outlives the data it
// came from: new data inflates anew, and a bad stream raises on every call.
TEST(StoredSkin, KeptUnpackedBytesFollowTheData) {
    TskCompressedStoredSkin stored;
    const std::vector<Byte> one = MakeContainer({}), two = MakeContainer({.Count = 1});
    stored.ReadCompressedData(Stored(one)->WriteCompressedData());
    std::vector<Byte> out{9};
    stored.UnpackToStream(out);
    stored.UnpackToStream(out);
    std::vector<Byte> want{9};
    want.insert(want.end(), one.begin(), one.end());
    want.insert(want.end(), one.begin(), one.end());
    EXPECT_EQ(out, want) << "appended, twice";

    struct Case {
        const char* What;
        std::function<void()> Replace;
        std::vector<Byte> Want;
    };
    const Case cases[] = {
        {"ReadCompressedData", [&] { stored.ReadCompressedData(Stored(two)->WriteCompressedData()); }, two},
        {"SetCompressedStream", [&] { stored.SetCompressedStream(Stored(one)->WriteCompressedData()); }, one},
        {"the property",
         [&] {
             TPropValue v;
             v.Kind = TPropValue::vkBinary;
             v.Binary = Stored(two)->WriteCompressedData();
             stored.SetProperty("CompressedData", v);
         },
         two},
    };
    for (const Case& c : cases) {
        c.Replace();
        std::vector<Byte> got;
        stored.UnpackToStream(got);
        EXPECT_EQ(got, c.Want) << c.What;
    }
    std::vector<Byte> bad = Stored(one)->WriteCompressedData();
    bad.resize(bad.size() / 2);
    stored.SetCompressedStream(bad);
    for (int i = 0; i < 2; ++i) {
        std::vector<Byte> got;
        EXPECT_THROW(stored.UnpackToStream(got), EZDecompressionError) << "call " << i;
    }
}

TEST(SplitNameKind, SplitsAtTheFirstColon) {
    String name, kind;
    TskSkinData::SplitNameKind("toolbutton:button", name, kind);
    EXPECT_EQ(name, "toolbutton");
    EXPECT_EQ(kind, "button");
    TskSkinData::SplitNameKind("a:b:c", name, kind);
    EXPECT_EQ(name, "a");
    EXPECT_EQ(kind, "b:c");
    TskSkinData::SplitNameKind("plain", name, kind);
    EXPECT_EQ(name, "");
    EXPECT_EQ(kind, "");
}

} // namespace
} // namespace vd
