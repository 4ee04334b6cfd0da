#pragma once
// Builds the default skin in memory: its pictures and the INI text that names every part of
// them. The record adders (Add... below) each own one family of records.
#include "platform/rtl/String.h"
#include "skin/store/SkinControlRecords.h"
#include "skin/store/SkinIni.h"
#include "skin/store/SkinObjectRecords.h"
#include "tools/skingen/Atlas.h"
#include "tools/skingen/SkinLook.h"

#include <memory>
#include <vector>

namespace vd::skingen {

// Picture indexes of the active pictures, in the order PICTURES lists them.
enum TPictureIndex { piControls = 0, piPopup = 1, piHint = 2 };

class TSkinBuilder {
public:
    TSkinBuilder();

    // Paints every picture and fills every record.
    void Build();
    // The skin folder: the INI file SkinIniName and the pictures it names.
    void WriteFolder(const String& folder) const;
    String IniText() const;

    static constexpr const char* SkinName = "Quillmarsh";
    static constexpr const char* SkinIniName = "Quillmarsh.ini";

    TAtlas& Atlas() { return FAtlas; }
    TskMemIniFile& Ini() { return FIni; }
    TskBitmap Frame, Mask, Popup, Hint;

    // A new control record of Kind named Name, written when the skin is finished.
    template <class T> T& Control(const char* name, const char* kind) {
        auto record = CreateControlRecord(kind, name);
        T& typed = dynamic_cast<T&>(*record);
        typed.pictureindex = piControls;
        FControls.push_back({std::move(record), kind});
        return typed;
    }
    template <class T> T& Object(const char* name, const char* kind) {
        auto record = CreateObjectRecord(kind, name);
        T& typed = dynamic_cast<T&>(*record);
        typed.activepictureindex = piControls;
        FObjects.push_back({std::move(record), kind});
        return typed;
    }

private:
    void WriteLists();

    struct TControlEntry {
        std::unique_ptr<TskDataSkinControl> Record;
        String Kind;
    };
    struct TObjectEntry {
        std::unique_ptr<TskDataSkinObject> Record;
        String Kind;
    };

    TAtlas FAtlas;
    TskMemIniFile FIni;
    TskBitmap FControlsPicture;
    std::vector<TControlEntry> FControls;
    std::vector<TObjectEntry> FObjects;
};

// The families of records; each paints its own faces into the builder's pictures.
void AddFrame(TSkinBuilder& b);        // frame picture, mask, FORMINFO, caption objects
void AddFrameObjects(TSkinBuilder& b); // caption and caption buttons
void AddMenus(TSkinBuilder& b);        // menu items, menu bar, popup and hint windows
void AddButtons(TSkinBuilder& b);      // every record of kind button and menubutton
void AddFields(TSkinBuilder& b);       // edits, spin edits, up-downs, combo and list boxes
void AddPanels(TSkinBuilder& b);       // panels, labels, bevels, splitters, check and radio boxes
void AddBars(TSkinBuilder& b);         // scroll bars, gauges, track bars, slider
void AddViews(TSkinBuilder& b);        // grid, tabs, tree, list and rich views

// Geometry helpers shared by the families.
// Nine parts: the client rectangle insets L, T, R, B; the corner points at its corners.
void SetNine(TskDataSkinCustomControl& r, const TRect& face, int l, int t, int rt, int bt);
// Three parts across: fixed Left and Right columns; the client rectangle as given (relative).
void SetHorz(TskDataSkinCustomControl& r, const TRect& face, int left, int right, const TRect& client);
// Three parts down: fixed Top and Bottom rows.
void SetVert(TskDataSkinCustomControl& r, const TRect& face, int top, int bottom, const TRect& client);

template <class T> void UseFont(T& r, TskColor color, TskFontStyles style = 0) {
    r.fontname = measure::FontName;
    r.fontheight = measure::FontHeight;
    r.fontstyle = style;
    r.fontcolor = color;
}

} // namespace vd::skingen
