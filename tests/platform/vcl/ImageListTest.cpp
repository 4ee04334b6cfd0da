#include "VclFixture.h"

#include "platform/gfx/Gdi.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/ImageList.h"

namespace vd::test {
namespace {

// A 4x4 image of one colour with a magenta bottom-left pixel (the transparent colour).
void Solid(TBitmap& bmp, TColor c) {
    bmp.SetSize(4, 4);
    bmp.Canvas().Brush().Color = c;
    bmp.Canvas().FillRect({0, 0, 4, 4});
    SetPixel(bmp.Canvas().Handle(), 0, 3, RGB(255, 0, 255));
}

COLORREF Middle(TCustomImageList& list, int index) {
    TBitmap out;
    list.GetBitmap(index, out);
    return GetPixel(out.Canvas().Handle(), 2, 1);
}

TEST(ImageListTest, InsertReplaceAndOrder) {
    TImageList list(nullptr);
    list.SetSize(4, 4);
    TBitmap red, green, blue, white;
    Solid(red, clRed);
    Solid(green, clLime);
    Solid(blue, clBlue);
    Solid(white, clWhite);
    list.Add(red);
    list.Add(green);
    EXPECT_EQ(list.Insert(1, blue), 1);
    EXPECT_EQ(list.Insert(0, white), 0);
    EXPECT_EQ(list.Insert(9, white), -1) << "past the end";
    const COLORREF expect[] = {RGB(255, 255, 255), RGB(255, 0, 0), RGB(0, 0, 255), RGB(0, 255, 0)};
    ASSERT_EQ(list.Count(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Middle(list, i), expect[i]) << i;
    list.Replace(2, green);
    EXPECT_EQ(Middle(list, 2), RGB(0, 255, 0));
    EXPECT_EQ(Middle(list, 3), RGB(0, 255, 0));
}

TEST(ImageListTest, IconMaskFollowsTheTransparentColour) {
    TImageList list(nullptr);
    list.SetSize(4, 4);
    TBitmap red;
    Solid(red, clRed);
    list.Add(red);
    TIcon icon;
    ASSERT_TRUE(list.GetIcon(0, icon));
    EXPECT_EQ(icon.Width(), 4);
    TBitmap target(4, 4);
    target.Canvas().Brush().Color = clBlue;
    target.Canvas().FillRect({0, 0, 4, 4});
    DrawIcon(target.Canvas().Handle(), 0, 0, icon.Handle());
    EXPECT_EQ(GetPixel(target.Canvas().Handle(), 2, 1), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(target.Canvas().Handle(), 0, 3), RGB(0, 0, 255))
        << "the transparent pixel shows through";
    EXPECT_FALSE(list.GetIcon(1, icon));
}

TEST_F(VclTest, ImageShowsAnIconWithItsMask) {
    TImageList list(nullptr);
    list.SetSize(4, 4);
    TBitmap red;
    Solid(red, clRed);
    list.Add(red);
    TForm* form = NewForm({100, 100, 200, 200});
    form->SetColor(clBlue);
    auto* image = new TImage(form);
    image->SetParent(form);
    image->SetBounds(10, 10, 20, 20);
    ASSERT_TRUE(list.GetIcon(0, image->Icon()));
    form->Show();
    Pump();
    EXPECT_EQ(GetWindowPixel(form->Handle(), 12, 11), RGB(255, 0, 0));
    EXPECT_EQ(GetWindowPixel(form->Handle(), 10, 13), RGB(0, 0, 255)) << "the mask lets the form show";
}

TEST(ImageListTest, HandleNamesOnlyALiveList) {
    HIMAGELIST h;
    {
        TImageList list(nullptr);
        h = list.Handle();
        EXPECT_EQ(TCustomImageList::FromHandle(h), &list);
    }
    EXPECT_EQ(TCustomImageList::FromHandle(h), nullptr);
}

} // namespace
} // namespace vd::test
