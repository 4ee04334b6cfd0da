// Paints a sheet of the default skin's windows and controls the way the frame and the controls
// compose them, and keeps it as artefacts/default-skin-preview.bmp beside the tests, so the look
// can be judged by eye. The skinned controls' own gallery joins it when they exist.
#include "platform/rtl/FileUtils.h"
#include "skin/core/SkinCompose.h"
#include "skin/store/SkinObjectRecords.h"
#include "skin/store/SkinWindowRecords.h"
#include "tests/tools/skingen/DefaultSkin.h"
#include "tests/tools/skingen/SkinPreview.h"

namespace vd::test {

namespace {

constexpr TskColor Desk = skRGB(0x7D, 0x8A, 0x95);
constexpr TskColor DeskText = skRGB(0xFF, 0xFF, 0xFF);

class Scene {
public:
    Scene(const TskSkinData& skin) : Skin(skin), P(skin, 980, 860, Desk) {}

    template <class T> const T& Rec(const char* name) const {
        const int i = Skin.IndexOfControlRecord(name);
        EXPECT_NE(i, -1) << name;
        return dynamic_cast<const T&>(*Skin.ControlRecord(i));
    }

    void Button(const char* name, int state, const TRect& where, const char* caption) {
        const auto& r = Rec<TskDataSkinButtonControl>(name);
        const TRect faces[] = {r.skinrect, r.activeskinrect, r.downskinrect, r.disabledskinrect};
        const TskColor colors[] = {r.fontcolor, r.activefontcolor, r.downfontcolor, r.disabledfontcolor};
        TRect client = P.Face(r, faces[state], where);
        if (state == 2) client = {client.Left + 1, client.Top + 1, client.Right + 1, client.Bottom + 1};
        if (caption) P.Text(caption, client, colors[state], false, true);
    }

    void Check(const char* name, bool hot, bool checked, bool enabled, const TRect& where,
               const char* caption) {
        const auto& r = Rec<TskDataSkinCheckRadioControl>(name);
        const TRect face = P.Face(r, hot ? r.activeskinrect : r.skinrect, where);
        const TRect image = !enabled ? (checked ? r.unenabledcheckimagerect : r.unenableduncheckimagerect)
                            : hot    ? (checked ? r.activecheckimagerect : r.activeuncheckimagerect)
                                     : (checked ? r.checkimagerect : r.uncheckimagerect);
        const TRect area{where.Left + r.checkimagearea.Left, where.Top + r.checkimagearea.Top,
                         where.Left + r.checkimagearea.Right, where.Top + r.checkimagearea.Bottom};
        P.Piece(image, area.Left + area.Width() / 2 - image.Width() / 2,
                area.Top + area.Height() / 2 - image.Height() / 2, P.Controls(), true);
        const TRect text{where.Left + r.textarea.Left, where.Top, where.Right, where.Bottom};
        P.Text(caption, text, !enabled ? r.unenabledfontcolor : hot ? r.activefontcolor : r.fontcolor);
        (void)face;
    }

    void Field(const char* name, bool active, const TRect& where, const char* text) {
        const auto& r = Rec<TskDataSkinEditControl>(name);
        const TRect client = P.Face(r, active ? r.activeskinrect : r.skinrect, where);
        P.Text(text, client, active ? r.activefontcolor : r.fontcolor);
    }

    void Gauge(const char* name, const TRect& where, int percent) {
        const auto& r = Rec<TskDataSkinGaugeControl>(name);
        P.Face(r, r.skinrect, where);
        TRect area{where.Left + r.progressarea.Left, where.Top + r.progressarea.Top,
                   where.Right - (r.skinrect.Width() - r.progressarea.Right),
                   where.Top + r.progressarea.Bottom};
        TRect done = area;
        done.Right = area.Left + area.Width() * percent / 100;
        P.Strip(r.progressrect, r.beginoffset, r.endoffset, done, P.Controls());
        P.Text(std::to_string(percent) + "%", area, r.fontcolor, true, true, 12);
    }

    const TskSkinData& Skin;
    TSkinPreview P;
};

void ToolBarAndGroup(Scene& s, const TRect& c) {
    const auto& bar = s.Rec<TskDataSkinPanelControl>("toolpanel");
    s.P.Face(bar, bar.skinrect, {c.Left, c.Top, c.Right, c.Top + 32});
    const char* tools[] = {"+", "-", ">", "x"};
    for (int i = 0; i < 4; ++i)
        s.Button("toolbutton", i, {c.Left + 6 + 28 * i, c.Top + 4, c.Left + 30 + 28 * i, c.Top + 28},
                 tools[i]);
    s.Button("toolmenubutton", 1, {c.Left + 126, c.Top + 4, c.Left + 168, c.Top + 28}, "Ti");
    const auto& group = s.Rec<TskDataSkinPanelControl>("groupbox");
    const TRect g{c.Left + 8, c.Top + 40, c.Left + 262, c.Top + 178};
    s.P.Face(group, group.skinrect, g);
    s.P.Strip(group.framerect, group.frameleftoffset, group.framerightoffset,
              {g.Left + group.captionrect.Left, g.Top, g.Left + group.captionrect.Left + 96, g.Top + 16},
              s.P.Controls());
    s.P.Text("Input device", {g.Left + group.captionrect.Left + 4, g.Top, g.Right, g.Top + 16},
             group.fontcolor, true);
    s.Check("checkbox", false, false, true, {g.Left + 8, g.Top + 22, g.Right - 8, g.Top + 42},
            "Start minimized");
    s.Check("checkbox", true, true, true, {g.Left + 8, g.Top + 44, g.Right - 8, g.Top + 64},
            "Hide in the tray");
    s.Check("radiobox", false, true, true, {g.Left + 8, g.Top + 66, g.Left + 120, g.Top + 86}, "Stereo");
    s.Check("radiobox", false, false, false, {g.Left + 124, g.Top + 66, g.Right - 8, g.Top + 86}, "Mono");
    const auto& combo = s.Rec<TskDataSkinComboBox>("combobox");
    const TRect cc = s.P.Face(combo, combo.skinrect, {g.Left + 8, g.Top + 90, g.Right - 8, g.Top + 112});
    s.P.Text("Line in (capture 0)", {cc.Left + 3, cc.Top, cc.Right, cc.Bottom}, combo.fontcolor);
    s.Gauge("gauge", {g.Left + 8, g.Top + 116, g.Right - 8, g.Top + 132}, 60);
}

void ButtonsAndFields(Scene& s, const TRect& c) {
    const char* captions[] = {"Add", "Edit", "Remove", "Delete"};
    for (int i = 0; i < 4; ++i)
        s.Button("button", i, {c.Left + 272, c.Top + 44 + 32 * i, c.Left + 356, c.Top + 70 + 32 * i},
                 captions[i]);
    s.Field("edit", false, {c.Left + 368, c.Top + 44, c.Right - 8, c.Top + 66}, "Stream 1");
    s.Field("edit", true, {c.Left + 368, c.Top + 72, c.Right - 8, c.Top + 94}, "127.0.0.1:8000/live");
    s.Field("buttonedit", false, {c.Left + 368, c.Top + 100, c.Right - 8, c.Top + 122}, "titles.txt");
    const auto& spin = s.Rec<TskDataSkinSpinEditControl>("spinedit");
    const TRect sc =
        s.P.Face(spin, spin.activeskinrect, {c.Left + 368, c.Top + 128, c.Left + 448, c.Top + 150});
    s.P.Text("128", sc, spin.activefontcolor);
    const TRect up{c.Left + 448 - (spin.skinrect.Width() - spin.upbuttonrect.Left),
                   c.Top + 128 + spin.upbuttonrect.Top, 0, 0};
    s.P.Piece(spin.activeupbuttonrect, up.Left, up.Top, s.P.Controls());
}

void Grid(Scene& s, const TRect& g) {
    const auto& r = s.Rec<TskDataSkinGridControl>("grid");
    s.P.Fill(g, r.bgcolor);
    const int widths[] = {130, 80, 80, 90}, h = r.selectcellrect.Height();
    const char* rows[4][4] = {{"Stream", "State", "Listeners", "Sent"},
                              {"Main (MP3 128)", "Online", "12", "41.2 MB"},
                              {"Mobile (AAC 48)", "Online", "3", "9.7 MB"},
                              {"Archive (Ogg)", "Delay", "0", "0 KB"}};
    for (int row = 0; row < 5; ++row) {
        int x = g.Left;
        for (int col = 0; col < 4; ++col) {
            const TRect cell{x, g.Top + row * (h + 1), x + widths[col], g.Top + row * (h + 1) + h};
            TskColor color = r.fontcolor;
            if (row == 0) {
                s.P.Strip(r.fixedcellrect, r.fixedcellleftoffset, r.fixedcellrightoffset, cell,
                          s.P.Controls());
                color = r.fixedfontcolor;
            } else if (row == 2) {
                s.P.Strip(col == 0 ? r.focuscellrect : r.selectcellrect, r.cellleftoffset, r.cellrightoffset,
                          cell, s.P.Controls());
                color = col == 0 ? r.focusfontcolor : r.selectfontcolor;
            }
            s.P.Fill({cell.Left, cell.Bottom, cell.Right + 1, cell.Bottom + 1}, r.linescolor);
            s.P.Fill({cell.Right, cell.Top, cell.Right + 1, cell.Bottom}, r.linescolor);
            if (row < 4)
                s.P.Text(rows[row][col], {cell.Left + 4, cell.Top, cell.Right - 4, cell.Bottom}, color,
                         row == 0);
            x += widths[col] + 1;
        }
    }
    const auto& bar = s.Rec<TskDataSkinScrollBarControl>("vscrollbar");
    const TRect v{g.Right - bar.skinrect.Width(), g.Top, g.Right, g.Bottom};
    s.P.Face(bar, bar.skinrect, v);
    const TRect thumb{v.Left + 2, v.Top + 40, v.Right - 2, v.Top + 80};
    TskBitmap t;
    ComposeVertSkinPicture(bar.thumboffset1, bar.thumboffset2, t, false, thumb.Height(), bar.activethumbrect,
                           s.P.Controls());
    for (int y = 0; y < t.Height(); ++y)
        for (int x = 0; x < t.Width(); ++x)
            if (t.Pixel(x, y) != bar.thumbtransparentcolor)
                s.P.Fill({thumb.Left + x, thumb.Top + y, thumb.Left + x + 1, thumb.Top + y + 1},
                         t.Pixel(x, y));
}

void TabsAndStatus(Scene& s, const TRect& c) {
    const auto& tab = s.Rec<TskDataSkinTabControl>("tab");
    const int y = c.Bottom - 58;
    s.P.Strip(tab.tabsbgrect, 0, 0, {c.Left, y, c.Right, y + tab.tabsbgrect.Height()}, s.P.Controls());
    const TRect faces[] = {tab.activetabrect, tab.tabrect, tab.mouseintabrect};
    const char* names[] = {"Streams", "Log", "Settings"};
    for (int i = 0; i < 3; ++i) {
        const TRect where{c.Left + 8 + 86 * i, y, c.Left + 90 + 86 * i, y + faces[i].Height()};
        s.P.Strip(faces[i], tab.tableftoffset, tab.tabrightoffset, where, s.P.Controls());
        s.P.Text(names[i], {where.Left, where.Top + 3, where.Right, where.Bottom}, tab.fontcolor, i == 0,
                 true);
    }
    const auto& bar = s.Rec<TskDataSkinPanelControl>("statusbar");
    const TRect sb{c.Left, c.Bottom - 22, c.Right, c.Bottom};
    s.P.Face(bar, bar.skinrect, sb);
    const auto& panel = s.Rec<TskDataSkinLabelControl>("statuspanel");
    const TRect p1 = s.P.Face(panel, panel.skinrect, {sb.Left + 3, sb.Top + 2, sb.Left + 150, sb.Bottom - 1});
    s.P.Text("Online: 2 of 3", p1, panel.fontcolor);
    const TRect p2 =
        s.P.Face(panel, panel.skinrect, {sb.Left + 153, sb.Top + 2, sb.Left + 300, sb.Bottom - 1});
    s.P.Text("Mailer: idle", p2, panel.fontcolor);
    s.Gauge("statusgauge", {sb.Right - 140, sb.Top + 3, sb.Right - 4, sb.Bottom - 3}, 35);
}

void MenuAndHint(Scene& s, int x, int y) {
    const TskDataSkinPopupWindow& w = s.Skin.PopupWindow();
    const TskBitmap& pic = *s.Skin.ActivePicture(w.windowpictureindex);
    const auto& item = dynamic_cast<const TskDataSkinMenuItem&>(
        *s.Skin.ObjectRecord(s.Skin.IndexOfObjectRecord("menuitem")));
    const int width = 180, items = 4 * item.skinrect.Height() + item.dividerrect.Height();
    const int height = items + pic.Height() - w.itemsrect.Height();
    const TskSkinCorners old{w.lefttoppoint, w.righttoppoint, w.leftbottompoint, w.rightbottompoint,
                             w.itemsrect};
    const TskSkinCorners neu = FitSkinCorners(old, {0, 0, pic.Width(), pic.Height()}, width, height);
    TskBitmap level;
    ComposeWindowSkinPicture(old, neu, level, pic, {0, 0, pic.Width(), pic.Height()}, width, height, true,
                             {w.leftstretch, w.topstretch, w.rightstretch, w.bottomstretch});
    s.P.Piece({0, 0, width, height}, x, y, level);
    int top = y + neu.Client.Top;
    const char* captions[] = {"Start", "Stop", "-", "Remove", "Properties..."};
    for (int i = 0; i < 5; ++i) {
        const bool divider = captions[i][0] == '-', hot = i == 1, disabled = i == 3;
        const TRect source = divider ? item.dividerrect : hot ? item.activeskinrect : item.skinrect;
        const TRect where{x + neu.Client.Left, top, x + neu.Client.Right, top + source.Height()};
        s.P.Strip(source, divider ? item.dividerleftoffset : item.itemleftoffset,
                  divider ? item.dividerrightoffset : item.itemrightoffset, where,
                  *s.Skin.ActivePicture(item.activepictureindex));
        if (!divider)
            s.P.Text(captions[i], {where.Left + item.textrect.Left, where.Top, where.Right, where.Bottom},
                     disabled ? item.unenabledfontcolor
                     : hot    ? item.activefontcolor
                              : item.fontcolor);
        top += source.Height();
    }
    const TskDataSkinHintWindow& h = s.Skin.HintWindow();
    const TskBitmap& hp = *s.Skin.ActivePicture(h.windowpictureindex);
    const TskSkinCorners hOld{h.lefttoppoint, h.righttoppoint, h.leftbottompoint, h.rightbottompoint,
                              h.clientrect};
    const TskSkinCorners hNew = FitSkinCorners(hOld, {0, 0, hp.Width(), hp.Height()}, 190, hp.Height());
    TskBitmap hint;
    ComposeWindowSkinPicture(hOld, hNew, hint, hp, {0, 0, hp.Width(), hp.Height()}, 190, hp.Height(), true,
                             {h.leftstretch, h.topstretch, h.rightstretch, h.bottomstretch});
    s.P.Piece({0, 0, 190, hp.Height()}, x + 200, y, hint);
    s.P.Text("12 listeners on Main",
             {x + 200 + hNew.Client.Left, y + hNew.Client.Top, x + 390, y + hNew.Client.Bottom}, h.fontcolor,
             false, false, h.fontheight);
}

void ButtonStates(Scene& s, int x, int y) {
    const char* names[] = {
        "button",      "resizebutton", "toolbutton",     "bigtoolbutton",       "menuitembutton",
        "combobutton", "editbutton",   "toolmenubutton", "toolmenutrackbutton", "bigtoolmenubutton"};
    const char* states[] = {"normal", "hot", "pressed", "disabled"};
    for (int i = 0; i < 4; ++i)
        s.P.Text(states[i], {x + 150 + 96 * i, y, x + 240 + 96 * i, y + 18}, DeskText, true, true);
    for (int row = 0; row < 10; ++row) {
        const auto& r = s.Rec<TskDataSkinButtonControl>(names[row]);
        const int h = std::max(r.skinrect.Height(), 24);
        const int rowTop =
            y + 22 + 30 * row + (row > 3 ? 16 : 0) + (row > 9 ? 16 : 0); // room for the big one
        s.P.Text(names[row], {x, rowTop, x + 146, rowTop + std::min(h, 28)}, DeskText);
        for (int st = 0; st < 4; ++st) {
            const int w = r.skinrect.Width() > 40 ? 84 : r.skinrect.Width();
            const TRect where{x + 154 + 96 * st, rowTop, x + 154 + 96 * st + w, rowTop + std::min(h, 40)};
            s.Button(names[row], st, where, w >= 60 ? "Caption" : nullptr);
        }
    }
}

void ListAndBars(Scene& s, int x, int y) {
    const auto& list = s.Rec<TskDataSkinListBox>("captionlistbox");
    const TRect face{x, y, x + 200, y + 120};
    const TRect c = s.P.Face(list, list.skinrect, face);
    s.P.Text("Plug-ins",
             {face.Left + list.captionrect.Left, face.Top + list.captionrect.Top, face.Right,
              face.Top + list.captionrect.Bottom},
             list.captionfontcolor, true);
    const char* items[] = {"Compressor", "Equalizer", "Limiter", "Noise gate"};
    for (int i = 0; i < 4; ++i) {
        const TRect source = i == 1 ? list.activeitemrect : i == 2 ? list.focusitemrect : list.itemrect;
        const TRect where{c.Left, c.Top + i * source.Height(), c.Right, c.Top + (i + 1) * source.Height()};
        s.P.Strip(source, list.itemleftoffset, list.itemrightoffset, where, s.P.Controls());
        s.P.Text(items[i], {where.Left + list.itemtextrect.Left, where.Top, where.Right, where.Bottom},
                 i == 1   ? list.activefontcolor
                 : i == 2 ? list.focusfontcolor
                          : list.fontcolor);
    }
    const auto& h = s.Rec<TskDataSkinScrollBarControl>("hscrollbar");
    s.P.Face(h, h.skinrect, {x, y + 126, x + 200, y + 126 + h.skinrect.Height()});
    s.P.Piece(h.activeupbuttonrect, x + 200 - h.activeupbuttonrect.Width(), y + 126, s.P.Controls());
    const auto& track = s.Rec<TskDataSkinTrackBarControl>("htrackbar");
    s.P.Face(track, track.skinrect, {x, y + 150, x + 200, y + 150 + track.skinrect.Height()});
    s.P.Piece(track.activebuttonrect, x + 120, y + 150 + 2, s.P.Controls(), true);
    for (const char* name : {"vupdown", "hupdown"}) {
        const auto& u = s.Rec<TskDataSkinUpDownControl>(name);
        s.P.Piece(u.skinrect, x + 212 + (name[0] == 'h' ? 24 : 0), y, s.P.Controls());
    }
    const auto& panel = s.Rec<TskDataSkinPanelControl>("panel");
    const TRect meter = s.P.Face(panel, panel.skinrect, {x + 212, y + 32, x + 372, y + 120});
    s.P.Text("level meter", meter, panel.fontcolor, false, true);
    const auto& split = s.Rec<TskDataSkinSplitterControl>("vsplitter");
    const TRect bar =
        s.P.Face(split, split.skinrect, {x + 380, y, x + 380 + split.skinrect.Width(), y + 120});
    s.P.Piece(split.gripperrect, bar.Left, y + 60 - split.gripperrect.Height() / 2, s.P.Controls(), true);
}

} // namespace

TEST_F(DefaultSkinTest, PreviewSheetIsPaintedAndKept) {
    ASSERT_FALSE(Skin().Empty());
    Scene s(Skin());
    const TRect c = s.P.Window({16, 16, 556, 456}, true, "Tarvolin Vendrill 1.0", "closebutton");
    ToolBarAndGroup(s, c);
    ButtonsAndFields(s, c);
    Grid(s, {c.Left + 8, c.Top + 186, c.Right - 8, c.Top + 186 + 5 * 21});
    TabsAndStatus(s, c);
    s.P.Window({580, 16, 960, 216}, false, "Stream editor (inactive)");
    s.P.Window({580, 232, 840, 352}, true, "Please wait", "maximizebutton");
    MenuAndHint(s, 580, 372);
    ButtonStates(s, 16, 476);
    ListAndBars(s, 580, 500);
    // A window larger than the frame picture keeps the picture's corners and stretches between.
    EXPECT_EQ(s.P.Sheet().Pixel(600, 300), Skin().Picture.Pixel(100, 100)) << "client face";
    EXPECT_NE(s.P.Sheet().Pixel(16, 16), Skin().Picture.Pixel(0, 0))
        << "the rounded corner is cut by the mask";
    ForceDirectories("artefacts");
    EXPECT_TRUE(s.P.Save("artefacts/default-skin-preview.bmp"));
}

} // namespace vd::test
