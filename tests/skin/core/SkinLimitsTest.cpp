// Hostile skins and window sizes must fail cheaply: a few kilobytes of deflate data may describe
// a picture of gigabytes, and a window size may ask for a region of any number of rows. This
// binary runs with a modest allocation limit under AddressSanitizer, so a bound that is missing
// ends the run instead of swapping.
#include "skin/core/SkinCompose.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinMaskRegion.h"

#include "SkinTestUtil.h"

#include <gtest/gtest.h>

extern "C" const char* __asan_default_options() {
    return "max_allocation_size_mb=256:hard_rss_limit_mb=768";
}

namespace vd {
namespace {

using test::PutInt32;

// A 1-bit BMP of W x H with every pixel row present and zero (black): a picture that costs
// little to store and to deflate, however many pixels it has. A negative H is a top-down image.
std::vector<Byte> BlackBmp(int w, int h) {
    const std::uint32_t stride = ((std::uint32_t(w) + 31) / 32) * 4;
    const std::uint32_t rows = std::uint32_t(h < 0 ? -h : h);
    const std::uint32_t offset = 14 + 40 + 8;
    std::vector<Byte> b;
    b.reserve(offset + size_t(stride) * rows);
    b.push_back('B');
    b.push_back('M');
    PutInt32(b, int(offset + stride * rows));
    PutInt32(b, 0);
    PutInt32(b, int(offset));
    PutInt32(b, 40);
    PutInt32(b, w);
    PutInt32(b, h);
    b.push_back(1); // planes
    b.push_back(0);
    b.push_back(1); // bits a pixel
    b.push_back(0);
    for (int i = 0; i < 6; ++i)
        PutInt32(b, 0);
    PutInt32(b, 0); // palette: black, white
    PutInt32(b, 0x00FFFFFF);
    b.resize(offset + size_t(stride) * rows, 0);
    return b;
}

// A version-3 container: a main picture, no inactive picture or mask, the given active pictures.
std::vector<Byte> Container(const std::vector<Byte>& main,
                            const std::vector<std::vector<Byte>>& active = {}) {
    return BuildSkinContainer(main, {}, {}, active, "[SKINCONTROLS]\r\ncount=1\r\n0=button:button\r\n");
}

TEST(SkinLimits, AHugePictureInATinyStreamFailsLikeOtherBadInput) {
    const std::vector<Byte> container = Container(BlackBmp(16384, 16384));
    auto stored = test::Stored(container);
    ASSERT_LT(stored->CompressedStream().size(), 64u * 1024); // about 32 KB for 1 GB of pixels

    test::SkinMessageRecorder spy;
    spy.Forms = {test::H(1)};
    TskSkinData skin(nullptr);
    skin.LoadStoredSkin(stored.get());
    EXPECT_TRUE(skin.Empty());
    EXPECT_FALSE(skin.Changing());
    EXPECT_NE(skin.LastLoadError().find("pixels"), std::string::npos) << skin.LastLoadError();
    EXPECT_TRUE(skin.Picture.Empty());
    EXPECT_EQ(skin.IndexOfControlRecord("button"), -1);
    EXPECT_EQ(spy.Messages(), (std::vector<unsigned>{1225, 1226, 1227}));

    // Top-down rows (a negative height) are counted the same way.
    TskBitmap out;
    const TskBmpReadResult r = ReadBmpImage(BlackBmp(16384, -16384), out);
    EXPECT_FALSE(r.Ok);
    EXPECT_NE(r.Error.find("pixels"), std::string::npos) << r.Error;
}

TEST(SkinLimits, ThePixelBoundCountsEveryPictureOfTheSkin) {
    // Three pictures of 10 x 10: a budget of 300 pixels holds them, one of 299 does not, and
    // the picture that overdraws is named.
    const std::vector<Byte> data = Container(BlackBmp(10, 10), {BlackBmp(10, 10), BlackBmp(10, 10)});
    TskSkinContainer out;
    String error;
    EXPECT_TRUE(ReadSkinContainer(data, out, error, 300)) << error;
    EXPECT_EQ(out.ActivePictures.size(), 2u);
    TskSkinContainer over;
    EXPECT_FALSE(ReadSkinContainer(data, over, error, 299));
    EXPECT_NE(error.find("picture 1"), std::string::npos) << error;
    EXPECT_NE(error.find("pixels"), std::string::npos) << error;
    // The default bound is far above any real skin: the test skins of the other tests load.
    EXPECT_GE(skMaxSkinPixels, std::uint64_t(16) << 20);
}

TEST(SkinLimits, RegionsOfHugeWindowsAreNotBuilt) {
    // A 12 x 12 mask with 2-pixel borders, all black (inside).
    TskBitmap mask(12, 12);
    const TskSkinCorners old{{2, 2}, {10, 2}, {2, 10}, {10, 10}, {2, 2, 10, 10}};
    auto grown = [&](int w, int h) { return FitSkinCorners(old, {0, 0, 12, 12}, w, h); };

    // A window of ordinary size gets its region.
    const auto normal = BuildSkinRegion(old, grown(400, 300), 400, mask);
    ASSERT_TRUE(normal);
    EXPECT_EQ(normal->Bounds(), (TRect{0, 0, 400, 300}));

    // Rows beyond any window: no region, and no row of it is stored.
    EXPECT_FALSE(BuildSkinRegion(old, grown(400, 2000000000), 400, mask));
    EXPECT_FALSE(BuildSkinRegion(old, grown(2000000000, 300), 2000000000, mask));

    // Border pieces of a gigabyte: a mask whose left border is 16000 columns wide, stretched
    // down a window 16000 rows high.
    TskBitmap wide(16004, 12);
    const TskSkinCorners wideOld{{16000, 2}, {16002, 2}, {16000, 10}, {16002, 10}, {16000, 2, 16002, 10}};
    const TskSkinCorners wideNew = FitSkinCorners(wideOld, {0, 0, 16004, 12}, 16004, 16000);
    EXPECT_FALSE(BuildSkinRegion(wideOld, wideNew, 16004, wide));
}

} // namespace
} // namespace vd
