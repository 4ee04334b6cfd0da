#pragma once
// A picture sheet composed from a loaded skin the way the frame and the controls compose it
// (nine-part and three-part faces, caption objects mapped to the window's size), with texts drawn
// through the graphics layer: a look to judge by eye, kept as an artefact of the test run.
#include "platform/rtl/String.h"
#include "skin/core/SkinData.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinControlRecords.h"

#include <vector>

namespace vd::test {

class TSkinPreview {
public:
    TSkinPreview(const TskSkinData& skin, int width, int height, TskColor desk);

    // A window of Where's size at Where; returns its client area on the sheet. Hot names an
    // object drawn in its hot look.
    TRect Window(const TRect& where, bool active, const String& caption, const char* hot = nullptr);
    // A control record's face in a state (a rectangle of its picture) at Where, composed by the
    // record's resize kind; returns the current client rectangle on the sheet.
    TRect Face(const TskDataSkinCustomControl& r, const TRect& state, const TRect& where);
    // A three-part piece across (Horz) at its own height.
    void Strip(const TRect& source, int leftOffset, int rightOffset, const TRect& where,
               const TskBitmap& picture);
    void Piece(const TRect& source, int x, int y, const TskBitmap& picture, bool keyed = false);
    void Fill(const TRect& r, TskColor c);
    void Text(const String& text, const TRect& r, TskColor color, bool bold = false, bool centre = false,
              int height = 14);

    // Draws the texts and writes a 24-bit BMP; false when it cannot be written.
    bool Save(const String& path);
    const TskBitmap& Sheet() const { return FSheet; }
    const TskBitmap& Controls() const;

private:
    void CaptionObjects(const TRect& where, bool active, const String& caption, const char* hot);
    TRect MapFrameRect(const TRect& r, int dx, int dy) const;

    struct TText {
        String Text;
        TRect Rect;
        TskColor Color;
        bool Bold, Centre;
        int Height;
    };
    const TskSkinData& FSkin;
    TskBitmap FSheet;
    std::vector<TText> FTexts;
};

} // namespace vd::test
