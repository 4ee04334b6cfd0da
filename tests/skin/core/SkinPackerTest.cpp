#include "skin/store/SkinPacker.h"
#include "skin/core/SkinData.h"

#include "SkinTestUtil.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace vd {
namespace {

namespace fs = std::filesystem;
using test::CoordBitmap;

class SkinPackerTest : public ::testing::Test {
protected:
    SkinPackerTest() : Dir(Temp.Path()) {}

    void WriteFile(const std::string& name, const std::vector<Byte>& bytes) {
        std::ofstream(Dir / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), long(bytes.size()));
    }
    void WriteText(const std::string& name, const std::string& text) {
        WriteFile(name, std::vector<Byte>(text.begin(), text.end()));
    }
    String Path(const std::string& name) const { return (Dir / name).string(); }

    test::TTempDir Temp;
    fs::path Dir;
};

const std::string kSkinIni =
    "[VERSION]\nskinname=Packed\n"
    "[PICTURES]\npicture=main.bmp\ninactivepicture=\nmask=mask.bmp\nactivepicturescount=1\n0=pic0.bmp\n"
    "[FORMINFO]\nclientrect=1,1,5,5\n"
    "[SKINOBJECTS]\ncount=0\n"
    "[SKINCONTROLS]\ncount=1\n0=button:button\n"
    "[button]\nskinrect=0,0,3,3\n";

TEST_F(SkinPackerTest, PacksAFolderThatLoads) {
    TskBitmap mask(4, 4);
    mask.Fill(skRGB(255, 255, 255));
    WriteFile("main.bmp", WriteBmpImage(CoordBitmap(8, 6)));
    WriteFile("mask.bmp", WriteBmpImage(mask, 1));
    WriteFile("pic0.bmp", WriteBmpImage(CoordBitmap(3, 3, 9)));
    WriteText("skin.ini", kSkinIni);

    TskCompressedStoredSkin stored;
    TskPackResult r = PackSkinFolder(Path("skin.ini"), stored);
    ASSERT_TRUE(r.Ok) << r.Error;
    ASSERT_GE(stored.CompressedStream().size(), 2u);
    EXPECT_EQ(stored.CompressedStream()[0], 0x78);
    EXPECT_EQ(stored.CompressedStream()[1], 0xDA);

    std::vector<Byte> container;
    stored.UnpackToStream(container);
    // Version 3, then the main picture's flag 0; the empty inactive picture is flagged 1.
    EXPECT_EQ(std::vector<Byte>(container.begin(), container.begin() + 5),
              (std::vector<Byte>{3, 0, 0, 0, 0}));
    const size_t mainSize = WriteBmpImage(CoordBitmap(8, 6)).size();
    EXPECT_EQ(container[5 + mainSize], 1);

    TskSkinData skin;
    skin.LoadStoredSkin(&stored);
    ASSERT_FALSE(skin.Empty()) << skin.LastLoadError();
    EXPECT_EQ(skin.Picture, CoordBitmap(8, 6));
    EXPECT_TRUE(skin.InactivePicture.Empty());
    EXPECT_EQ(skin.Mask, mask);
    EXPECT_EQ(*skin.ActivePicture(0), CoordBitmap(3, 3, 9));
    EXPECT_EQ(skin.IndexOfControlRecord("button"), 0);
    EXPECT_EQ(skin.skinname, "Packed");

    // Through a ".skn" file and back.
    ASSERT_TRUE(WriteSknFile(Path("out.skn"), stored).Ok);
    EXPECT_FALSE(fs::exists(Path("out.skn.tmp")));
    TskCompressedStoredSkin again;
    ASSERT_TRUE(ReadSknFile(Path("out.skn"), again).Ok);
    EXPECT_EQ(again.CompressedStream(), stored.CompressedStream());
}

TEST_F(SkinPackerTest, FailuresKeepTheStoredSkin) {
    TskCompressedStoredSkin stored;
    stored.SetCompressedStream({1, 2, 3});
    WriteText("notskin.ini", "[VERSION]\nskinname=x\n");
    EXPECT_FALSE(PackSkinFolder(Path("notskin.ini"), stored).Ok);
    EXPECT_EQ(stored.CompressedStream(), (std::vector<Byte>{1, 2, 3}));

    WriteText("skin.ini", kSkinIni); // its pictures are missing
    TskPackResult r = PackSkinFolder(Path("skin.ini"), stored);
    EXPECT_FALSE(r.Ok);
    EXPECT_NE(r.Error.find("main.bmp"), String::npos);
    EXPECT_EQ(stored.CompressedStream(), (std::vector<Byte>{1, 2, 3}));

    WriteText("main.bmp", "BM but not really a bitmap at all, far too short....");
    EXPECT_FALSE(PackSkinFolder(Path("skin.ini"), stored).Ok);
    EXPECT_FALSE(PackSkinFolder(Path("missing.ini"), stored).Ok);
    EXPECT_EQ(stored.CompressedStream(), (std::vector<Byte>{1, 2, 3}));
}

TEST_F(SkinPackerTest, SknFiles) {
    auto skn = [](int version, int n, std::vector<Byte> body) {
        std::vector<Byte> b;
        test::PutInt32(b, version);
        test::PutInt32(b, n);
        b.insert(b.end(), body.begin(), body.end());
        return b;
    };
    TskCompressedStoredSkin stored;
    WriteFile("v3.skn", skn(3, 3, {7, 8, 9, 10}));
    ASSERT_TRUE(ReadSknFile(Path("v3.skn"), stored).Ok);
    EXPECT_EQ(stored.CompressedStream(), (std::vector<Byte>{7, 8, 9}));

    WriteFile("v4.skn", skn(4, 3, {7, 8, 9}));
    EXPECT_TRUE(ReadSknFile(Path("v4.skn"), stored).Ok);
    EXPECT_TRUE(stored.IsDataEmpty());

    for (auto bad : {skn(3, 10, {1, 2}), skn(3, -1, {}), std::vector<Byte>{3, 0}}) {
        WriteFile("bad.skn", bad);
        TskPackResult r = ReadSknFile(Path("bad.skn"), stored);
        EXPECT_FALSE(r.Ok);
        EXPECT_EQ(r.Error, "Stream read error");
        EXPECT_TRUE(stored.IsDataEmpty());
    }
    EXPECT_FALSE(ReadSknFile(Path("nothere.skn"), stored).Ok);
}

TEST_F(SkinPackerTest, AFailedReadIsAnErrorNotAnEmptyFile) {
    // Reads of this regular file fail with EIO.
    fs::create_symlink("/proc/self/mem", Dir / "failing.bmp");
    std::vector<Byte> bytes{1};
    EXPECT_FALSE(ReadWholeFile(Path("failing.bmp"), bytes));
    WriteText("empty.bmp", "");
    EXPECT_TRUE(ReadWholeFile(Path("empty.bmp"), bytes));
    EXPECT_TRUE(bytes.empty());
}

} // namespace
} // namespace vd
