// Published properties of the class library's classes, by name, for form resources.
#include "platform/rtl/Exception.h"
#include "platform/vcl/ActnList.h"
#include "platform/vcl/ComCtrls.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/vcl/Timer.h"

#include <algorithm>

namespace vd {
namespace {

struct EnumName {
    int value;
    const char* name;
};

int EnumValue(const TPropValue& v, const EnumName* names, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        if (v.AsIdent() == names[i].name) return names[i].value;
    throw EReadError("Invalid property value " + v.Str);
}

const char* EnumText(int value, const EnumName* names, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        if (names[i].value == value) return names[i].name;
    return names[0].name;
}

unsigned SetValue(const TPropValue& v, const EnumName* names, std::size_t count) {
    if (v.Kind != TPropValue::vkSet) throw EReadError("Invalid property value");
    unsigned bits = 0;
    for (const String& m : v.Set) {
        const auto* it = std::find_if(names, names + count, [&](const EnumName& e) { return m == e.name; });
        if (it == names + count) throw EReadError("Invalid property value " + m);
        bits |= static_cast<unsigned>(it->value);
    }
    return bits;
}

TPropValue SetToValue(unsigned bits, const EnumName* names, std::size_t count) {
    std::vector<String> members;
    for (std::size_t i = 0; i < count; ++i)
        if (bits & static_cast<unsigned>(names[i].value)) members.push_back(names[i].name);
    return TPropValue::FromSet(members);
}

const EnumName kAligns[] = {{alNone, "alNone"},    {alTop, "alTop"},     {alBottom, "alBottom"},
                            {alLeft, "alLeft"},    {alRight, "alRight"}, {alClient, "alClient"},
                            {alCustom, "alCustom"}};
const EnumName kAnchors[] = {
    {akLeft, "akLeft"}, {akTop, "akTop"}, {akRight, "akRight"}, {akBottom, "akBottom"}};
const EnumName kBorderStyles[] = {
    {bsNone, "bsNone"},     {bsSingle, "bsSingle"},         {bsSizeable, "bsSizeable"},
    {bsDialog, "bsDialog"}, {bsToolWindow, "bsToolWindow"}, {bsSizeToolWin, "bsSizeToolWin"}};
const EnumName kBorderIcons[] = {{biSystemMenu, "biSystemMenu"},
                                 {biMinimize, "biMinimize"},
                                 {biMaximize, "biMaximize"},
                                 {biHelp, "biHelp"}};
const EnumName kPositions[] = {{poDesigned, "poDesigned"},
                               {poDefault, "poDefault"},
                               {poScreenCenter, "poScreenCenter"},
                               {poDesktopCenter, "poDesktopCenter"},
                               {poMainFormCenter, "poMainFormCenter"},
                               {poOwnerFormCenter, "poOwnerFormCenter"}};
const EnumName kFontStyles[] = {
    {fsBold, "fsBold"}, {fsItalic, "fsItalic"}, {fsUnderline, "fsUnderline"}, {fsStrikeOut, "fsStrikeOut"}};
const EnumName kFormStyles[] = {{fsNormal, "fsNormal"},
                                {fsMDIChild, "fsMDIChild"},
                                {fsMDIForm, "fsMDIForm"},
                                {fsStayOnTop, "fsStayOnTop"}};

template <std::size_t N> int Enum(const TPropValue& v, const EnumName (&names)[N]) {
    return EnumValue(v, names, N);
}
template <std::size_t N> const char* EnumStr(int value, const EnumName (&names)[N]) {
    return EnumText(value, names, N);
}

TColor ColorValue(const TPropValue& v) {
    if (v.Kind == TPropValue::vkInt) return static_cast<TColor>(v.Int);
    static const struct {
        const char* name;
        TColor color;
    } colors[] = {{"clBlack", clBlack},
                  {"clWhite", clWhite},
                  {"clRed", clRed},
                  {"clNavy", clNavy},
                  {"clBtnFace", clBtnFace},
                  {"clWindow", clWindow},
                  {"clWindowText", clWindowText},
                  {"clBtnText", clBtnText},
                  {"clGrayText", clGrayText},
                  {"clBtnShadow", clBtnShadow},
                  {"clBtnHighlight", clBtnHighlight},
                  {"clInfoBk", clInfoBk},
                  {"clNone", clNone}};
    for (const auto& c : colors)
        if (v.AsIdent() == c.name) return c.color;
    throw EReadError("Invalid property value " + v.Str);
}

void EnsureStandardClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    TFormReader::RegisterClass("TForm", [](TComponent* o) { return new TForm(o); });
    TFormReader::RegisterClass("TMainMenu", [](TComponent* o) { return new TMainMenu(o); });
    TFormReader::RegisterClass("TPopupMenu", [](TComponent* o) { return new TPopupMenu(o); });
    TFormReader::RegisterClass("TMenuItem", [](TComponent* o) { return new TMenuItem(o); });
    TFormReader::RegisterClass("TTimer", [](TComponent* o) { return new TTimer(o); });
    TFormReader::RegisterClass("TLabel", [](TComponent* o) { return new TLabel(o); });
    TFormReader::RegisterClass("TBevel", [](TComponent* o) { return new TBevel(o); });
    TFormReader::RegisterClass("TImage", [](TComponent* o) { return new TImage(o); });
    TFormReader::RegisterClass("TSplitter", [](TComponent* o) { return new TSplitter(o); });
    TFormReader::RegisterClass("TEdit", [](TComponent* o) { return new TEdit(o); });
    TFormReader::RegisterClass("TMaskEdit", [](TComponent* o) { return new TMaskEdit(o); });
    TFormReader::RegisterClass("TListBox", [](TComponent* o) { return new TListBox(o); });
    TFormReader::RegisterClass("TTabControl", [](TComponent* o) { return new TTabControl(o); });
    TFormReader::RegisterClass("TPageControl", [](TComponent* o) { return new TPageControl(o); });
    TFormReader::RegisterClass("TTabSheet", [](TComponent* o) { return new TTabSheet(o); });
    TFormReader::RegisterClass("TTreeView", [](TComponent* o) { return new TTreeView(o); });
    TFormReader::RegisterClass("TListView", [](TComponent* o) { return new TListView(o); });
    TFormReader::RegisterClass("TImageList", [](TComponent* o) { return new TImageList(o); });
    TFormReader::RegisterClass("TActionList", [](TComponent* o) { return new TActionList(o); });
    TFormReader::RegisterClass("TAction", [](TComponent* o) { return new TAction(o); });
}

struct Registrar {
    Registrar() { EnsureStandardClasses(); }
} gRegistrar;

} // namespace

bool TControl::SetComponentProperty(const String& name, TComponent* value) {
    if (name == "PopupMenu") {
        auto* menu = dynamic_cast<TPopupMenu*>(value);
        if (!menu) return false;
        SetPopupMenu(menu);
        return true;
    }
    if (name == "Action") {
        auto* action = dynamic_cast<TBasicAction*>(value);
        if (!action) return false;
        SetAction(action);
        return true;
    }
    return TComponent::SetComponentProperty(name, value);
}

bool TCustomForm::SetComponentProperty(const String& name, TComponent* value) {
    if (name == "ActiveControl") {
        auto* control = dynamic_cast<TWinControl*>(value);
        if (!control) return false;
        SetActiveControl(control);
        return true;
    }
    return TWinControl::SetComponentProperty(name, value);
}

bool TControl::SetProperty(const String& name, const TPropValue& v) {
    if (name.rfind("Constraints.", 0) == 0) {
        const String field = name.substr(12);
        int* target = field == "MinWidth"    ? &FConstraints.MinWidth
                      : field == "MinHeight" ? &FConstraints.MinHeight
                      : field == "MaxWidth"  ? &FConstraints.MaxWidth
                      : field == "MaxHeight" ? &FConstraints.MaxHeight
                                             : nullptr;
        if (!target) return false;
        *target = static_cast<int>(v.AsInt());
        return true;
    }
    if (name == "Left")
        SetLeft(static_cast<int>(v.AsInt()));
    else if (name == "Top")
        SetTop(static_cast<int>(v.AsInt()));
    else if (name == "Width")
        SetWidth(static_cast<int>(v.AsInt()));
    else if (name == "Height")
        SetHeight(static_cast<int>(v.AsInt()));
    else if (name == "ClientWidth")
        SetClientWidth(static_cast<int>(v.AsInt()));
    else if (name == "ClientHeight")
        SetClientHeight(static_cast<int>(v.AsInt()));
    else if (name == "Caption" || name == "Text")
        SetText(v.AsString());
    else if (name == "Visible")
        SetVisible(v.AsBool());
    else if (name == "Enabled")
        SetEnabled(v.AsBool());
    else if (name == "Align")
        SetAlign(static_cast<TAlign>(Enum(v, kAligns)));
    else if (name == "Anchors")
        SetAnchors(SetValue(v, kAnchors, std::size(kAnchors)));
    else if (name == "Color")
        SetColor(ColorValue(v));
    else if (name == "Hint")
        SetHint(v.AsString());
    else if (name == "ShowHint")
        SetShowHint(v.AsBool());
    else if (name == "ParentShowHint")
        SetParentShowHint(v.AsBool());
    else if (name == "Cursor")
        SetCursor(static_cast<TCursor>(v.AsInt()));
    else if (name == "Font.Name")
        FFont.SetName(v.AsString());
    else if (name == "Font.Height")
        FFont.SetHeight(static_cast<int>(v.AsInt()));
    else if (name == "Font.Color")
        FFont.SetColor(ColorValue(v));
    else if (name == "Font.Style")
        FFont.SetStyle(SetValue(v, kFontStyles, std::size(kFontStyles)));
    else if (name == "ParentFont")
        SetParentFont(v.AsBool());
    else if (name == "ParentColor")
        SetParentColor(v.AsBool());
    else
        return TComponent::SetProperty(name, v);
    return true;
}

void TControl::GetProperties(TPropList& out) const {
    TComponent::GetProperties(out);
    out.emplace_back("Left", TPropValue::FromInt(FLeft));
    out.emplace_back("Top", TPropValue::FromInt(FTop));
    out.emplace_back("Width", TPropValue::FromInt(FWidth));
    out.emplace_back("Height", TPropValue::FromInt(FHeight));
    if (!FText.empty()) out.emplace_back("Caption", TPropValue::FromString(FText));
    if (FAlign != alNone) out.emplace_back("Align", TPropValue::FromIdent(EnumStr(FAlign, kAligns)));
    if (FAnchors != (akLeft | akTop))
        out.emplace_back("Anchors", SetToValue(FAnchors, kAnchors, std::size(kAnchors)));
    if (!FVisible) out.emplace_back("Visible", TPropValue::FromBool(false));
    if (!FEnabled) out.emplace_back("Enabled", TPropValue::FromBool(false));
    if (!FHint.empty()) out.emplace_back("Hint", TPropValue::FromString(FHint));
    if (FShowHint) out.emplace_back("ShowHint", TPropValue::FromBool(true));
    if (FCursor != crDefault) out.emplace_back("Cursor", TPropValue::FromInt(FCursor));
    if (!FParentFont) {
        out.emplace_back("Font.Name", TPropValue::FromString(FFont.Name()));
        out.emplace_back("Font.Height", TPropValue::FromInt(FFont.Height()));
        out.emplace_back("Font.Color", TPropValue::FromInt(FFont.Color()));
        if (FFont.Style())
            out.emplace_back("Font.Style", SetToValue(FFont.Style(), kFontStyles, std::size(kFontStyles)));
    }
}

bool TWinControl::SetProperty(const String& name, const TPropValue& v) {
    if (name == "TabStop")
        SetTabStop(v.AsBool());
    else if (name == "TabOrder")
        SetTabOrder(static_cast<int>(v.AsInt()));
    else
        return TControl::SetProperty(name, v);
    return true;
}

void TWinControl::GetProperties(TPropList& out) const {
    TControl::GetProperties(out);
    if (FTabStop) out.emplace_back("TabStop", TPropValue::FromBool(true));
}

void TWinControl::InsertReadChild(TComponent* child) {
    if (auto* c = dynamic_cast<TControl*>(child)) c->SetParent(this);
}

void TWinControl::GetReadChildren(std::vector<TComponent*>& out, const TComponent* root) const {
    TComponent::GetReadChildren(out, root);
    for (TControl* c : FControls)
        if (c->Owner() == root) out.push_back(c);
}

bool TCustomForm::SetProperty(const String& name, const TPropValue& v) {
    if (name == "BorderStyle")
        SetBorderStyle(static_cast<TFormBorderStyle>(Enum(v, kBorderStyles)));
    else if (name == "BorderIcons")
        SetBorderIcons(SetValue(v, kBorderIcons, std::size(kBorderIcons)));
    else if (name == "Position")
        SetPosition(static_cast<TPosition>(Enum(v, kPositions)));
    else if (name == "FormStyle")
        SetFormStyle(static_cast<TFormStyle>(Enum(v, kFormStyles)));
    else if (name == "KeyPreview")
        SetKeyPreview(v.AsBool());
    else if (name == "AutoScroll")
        SetAutoScroll(v.AsBool());
    else
        return TWinControl::SetProperty(name, v);
    return true;
}

void TCustomForm::GetProperties(TPropList& out) const {
    TWinControl::GetProperties(out);
    // A form is hidden until shown: its Visible is not stored.
    out.erase(std::remove_if(out.begin(), out.end(), [](const auto& p) { return p.first == "Visible"; }),
              out.end());
    if (FBorderStyle != bsSizeable)
        out.emplace_back("BorderStyle", TPropValue::FromIdent(EnumStr(FBorderStyle, kBorderStyles)));
    if (FBorderIcons != (biSystemMenu | biMinimize | biMaximize))
        out.emplace_back("BorderIcons", SetToValue(FBorderIcons, kBorderIcons, std::size(kBorderIcons)));
    if (FPosition != poDesigned)
        out.emplace_back("Position", TPropValue::FromIdent(EnumStr(FPosition, kPositions)));
    if (FFormStyle != fsNormal)
        out.emplace_back("FormStyle", TPropValue::FromIdent(EnumStr(FFormStyle, kFormStyles)));
    if (FKeyPreview) out.emplace_back("KeyPreview", TPropValue::FromBool(true));
}

bool TMenuItem::SetProperty(const String& name, const TPropValue& v) {
    if (name == "Caption")
        SetCaption(v.AsString());
    else if (name == "Checked")
        Checked = v.AsBool();
    else if (name == "Enabled")
        Enabled = v.AsBool();
    else if (name == "Visible")
        Visible = v.AsBool();
    else if (name == "RadioItem")
        RadioItem = v.AsBool();
    else if (name == "Default")
        Default = v.AsBool();
    else if (name == "GroupIndex")
        GroupIndex = static_cast<int>(v.AsInt());
    else if (name == "ImageIndex")
        ImageIndex = static_cast<int>(v.AsInt());
    else if (name == "Hint")
        Hint = v.AsString();
    else if (name == "ShortCut")
        ShortCut = static_cast<TShortCut>(v.Kind == TPropValue::vkString ? TextToShortCut(v.Str) : v.AsInt());
    else
        return TComponent::SetProperty(name, v);
    return true;
}

void TMenuItem::GetProperties(TPropList& out) const {
    TComponent::GetProperties(out);
    if (!FCaption.empty()) out.emplace_back("Caption", TPropValue::FromString(FCaption));
    if (Checked) out.emplace_back("Checked", TPropValue::FromBool(true));
    if (!Enabled) out.emplace_back("Enabled", TPropValue::FromBool(false));
    if (!Visible) out.emplace_back("Visible", TPropValue::FromBool(false));
    if (RadioItem) out.emplace_back("RadioItem", TPropValue::FromBool(true));
    if (Default) out.emplace_back("Default", TPropValue::FromBool(true));
    if (GroupIndex) out.emplace_back("GroupIndex", TPropValue::FromInt(GroupIndex));
    if (ImageIndex != -1) out.emplace_back("ImageIndex", TPropValue::FromInt(ImageIndex));
    if (!Hint.empty()) out.emplace_back("Hint", TPropValue::FromString(Hint));
    if (ShortCut) out.emplace_back("ShortCut", TPropValue::FromInt(ShortCut));
}

void TMenuItem::InsertReadChild(TComponent* child) {
    if (auto* i = dynamic_cast<TMenuItem*>(child)) Add(i);
}

void TMenuItem::GetReadChildren(std::vector<TComponent*>& out, const TComponent* root) const {
    for (TMenuItem* i : FItems)
        if (i->Owner() == root) out.push_back(i);
}

bool TMenu::SetProperty(const String& name, const TPropValue& v) {
    if (name == "AutoLineReduction")
        AutoLineReduction = v.AsBool();
    else if (name == "AutoPopup" && dynamic_cast<TPopupMenu*>(this))
        static_cast<TPopupMenu*>(this)->SetAutoPopup(v.AsBool());
    else
        return TComponent::SetProperty(name, v);
    return true;
}

void TMenu::GetProperties(TPropList& out) const {
    TComponent::GetProperties(out);
    if (!AutoLineReduction) out.emplace_back("AutoLineReduction", TPropValue::FromBool(false));
    if (auto* p = dynamic_cast<const TPopupMenu*>(this); p && !p->AutoPopup())
        out.emplace_back("AutoPopup", TPropValue::FromBool(false));
}

void TMenu::InsertReadChild(TComponent* child) {
    if (auto* i = dynamic_cast<TMenuItem*>(child)) FItems->Add(i);
}

void TMenu::GetReadChildren(std::vector<TComponent*>& out, const TComponent* root) const {
    FItems->GetReadChildren(out, root);
}

bool TTimer::SetProperty(const String& name, const TPropValue& v) {
    if (name == "Interval")
        SetInterval(static_cast<unsigned>(std::max<long long>(0, v.AsInt())));
    else if (name == "Enabled")
        SetEnabled(v.AsBool());
    else
        return TComponent::SetProperty(name, v);
    return true;
}

void TTimer::GetProperties(TPropList& out) const {
    TComponent::GetProperties(out);
    if (FInterval != 1000) out.emplace_back("Interval", TPropValue::FromInt(FInterval));
    if (!FEnabled) out.emplace_back("Enabled", TPropValue::FromBool(false));
}

} // namespace vd
