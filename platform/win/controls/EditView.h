#pragma once
// What an edit window shows: font, margins, format rectangle, horizontal scroll, colours, and
// the pixel position of every character boundary of the text it lays out.
#include "platform/gfx/GdiTypes.h"
#include "platform/win/controls/EditModel.h"

#include <utility>
#include <vector>

namespace vd {

class EditView {
public:
    EditView();
    ~EditView();
    EditView(const EditView&) = delete;
    EditView& operator=(const EditView&) = delete;

    void SetFont(HFONT font);
    HFONT Font() const { return FFont; }
    int LineHeight() const { return FLineHeight; }
    // Lays out text (or the mask for a password) again; call after every text or font change.
    void Layout(const EditModel& model, char32_t passwordChar);

    // The format rectangle: explicit (EM_SETRECT) or the client rectangle.
    TRect FormatRect(const TRect& client) const { return FHasRect ? FRect : client; }
    void SetFormatRect(const TRect* r);
    int MarginLeft = 1;
    int MarginRight = 1;
    int Align = 0; // ES_LEFT, ES_CENTER, ES_RIGHT

    // Client x of the boundary at byte pos; nearest boundary of a client x.
    int PosX(std::size_t pos, const TRect& client) const;
    std::size_t PosFromX(int x, const TRect& client) const;
    // Keeps the caret inside the format rectangle, jumping a third of the width when it leaves.
    void ScrollTo(std::size_t caret, const TRect& client);
    void ResetScroll() { FScroll = 0; }
    int Scroll() const { return FScroll; }

    // Paints text and selection (the background is the caller's) into dc.
    void Paint(HDC dc, const TRect& client, const EditModel& model, COLORREF text, bool showSelection) const;

private:
    int TextWidth() const { return FStops.empty() ? 0 : FStops.back().second; }
    int Origin(const TRect& client) const;
    int Avail(const TRect& client) const;
    int StopX(std::size_t pos) const;

    HDC FMeasure = nullptr;
    HFONT FFont = nullptr;
    HFONT FDefaultFont = nullptr;
    int FLineHeight = 0;
    bool FHasRect = false;
    TRect FRect;
    int FScroll = 0;
    String FShown;                                   // what is drawn (mask for passwords)
    std::vector<std::pair<std::size_t, int>> FStops; // byte position in the text -> x
};

} // namespace vd
