// Published properties of the class library's classes, by name, for form resources.
#include "platform/rtl/Exception.h"
#include "platform/vcl/ActnList.h"
#include "platform/vcl/ComCtrls.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/PropertyTable.h"
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

using namespace props;

constexpr auto FromInt = &TPropValue::FromInt;
constexpr auto FromBool = &TPropValue::FromBool;
constexpr auto FromString = &TPropValue::FromString;

template <class E, std::size_t N> auto EnumReader(const EnumName (&names)[N]) {
    return [&names](const TPropValue& v) { return static_cast<E>(Enum(v, names)); };
}
template <class E, std::size_t N> auto EnumWriter(const EnumName (&names)[N]) {
    return [&names](E value) { return TPropValue::FromIdent(EnumStr(value, names)); };
}
template <std::size_t N> auto SetReader(const EnumName (&names)[N]) {
    return [&names](const TPropValue& v) { return SetValue(v, names, N); };
}
template <std::size_t N> auto SetWriter(const EnumName (&names)[N]) {
    return [&names](unsigned bits) { return SetToValue(bits, names, N); };
}

// The font is written whole unless it comes from the parent.
template <class Make> auto OwnFont(Make make) {
    return [=](const TControl& c) -> std::optional<TPropValue> {
        if (c.ParentFont()) return std::nullopt;
        return make(c.Font());
    };
}

bool SetConstraint(TControl& c, const String& name, const TPropValue& v) {
    const String field = name.substr(12);
    TSizeConstraints& limits = c.Constraints();
    int* target = field == "MinWidth"    ? &limits.MinWidth
                  : field == "MinHeight" ? &limits.MinHeight
                  : field == "MaxWidth"  ? &limits.MaxWidth
                  : field == "MaxHeight" ? &limits.MaxHeight
                                         : nullptr;
    if (!target) return false;
    *target = AsInt(v);
    return true;
}

const TPropertyTable<TControl>& ControlProperties() {
    using C = TControl;
    static const TPropertyTable<C> table{
        {"Left", Call(&C::SetLeft, AsInt), Always(&C::Left, FromInt)},
        {"Top", Call(&C::SetTop, AsInt), Always(&C::Top, FromInt)},
        {"Width", Call(&C::SetWidth, AsInt), Always(&C::Width, FromInt)},
        {"Height", Call(&C::SetHeight, AsInt), Always(&C::Height, FromInt)},
        {"Caption", Call(&C::SetText, AsText), Unless(&C::Text, String(), FromString)},
        {"Text", Call(&C::SetText, AsText)},
        {"Align", Call(&C::SetAlign, EnumReader<TAlign>(kAligns)),
         Unless(&C::Align, alNone, EnumWriter<TAlign>(kAligns))},
        {"Anchors", Call(&C::SetAnchors, SetReader(kAnchors)),
         Unless(&C::Anchors, TAnchors(akLeft | akTop), SetWriter(kAnchors))},
        {"Visible", Call(&C::SetVisible, AsBool), Unless(&C::Visible, true, FromBool)},
        {"Enabled", Call(&C::SetEnabled, AsBool), Unless(&C::Enabled, true, FromBool)},
        {"Hint", Call(&C::SetHint, AsText), Unless(&C::Hint, String(), FromString)},
        {"ShowHint", Call(&C::SetShowHint, AsBool), Unless(&C::ShowHint, false, FromBool)},
        {"Cursor", Call(&C::SetCursor, AsInt), Unless(&C::Cursor, crDefault, FromInt)},
        {"Font.Name", [](C& c, const TPropValue& v) { c.Font().SetName(v.AsString()); },
         OwnFont([](const TFont& f) { return TPropValue::FromString(f.Name()); })},
        {"Font.Height", [](C& c, const TPropValue& v) { c.Font().SetHeight(AsInt(v)); },
         OwnFont([](const TFont& f) { return TPropValue::FromInt(f.Height()); })},
        {"Font.Color", [](C& c, const TPropValue& v) { c.Font().SetColor(ColorValue(v)); },
         OwnFont([](const TFont& f) { return TPropValue::FromInt(f.Color()); })},
        {"Font.Style",
         [](C& c, const TPropValue& v) {
             c.Font().SetStyle(SetValue(v, kFontStyles, std::size(kFontStyles)));
         },
         OwnFont([](const TFont& f) -> std::optional<TPropValue> {
             if (!f.Style()) return std::nullopt;
             return SetToValue(f.Style(), kFontStyles, std::size(kFontStyles));
         })},
        {"Constraints.", SetConstraint},
        {"ClientWidth", Call(&C::SetClientWidth, AsInt)},
        {"ClientHeight", Call(&C::SetClientHeight, AsInt)},
        {"Color", Call(&C::SetColor, ColorValue)},
        {"ParentShowHint", Call(&C::SetParentShowHint, AsBool)},
        {"ParentFont", Call(&C::SetParentFont, AsBool)},
        {"ParentColor", Call(&C::SetParentColor, AsBool)},
    };
    return table;
}

const TPropertyTable<TWinControl>& WinControlProperties() {
    using C = TWinControl;
    static const TPropertyTable<C> table{
        {"TabStop", Call(&C::SetTabStop, AsBool), Unless(&C::TabStop, false, FromBool)},
        {"TabOrder", Call(&C::SetTabOrder, AsInt)},
    };
    return table;
}

const TPropertyTable<TCustomForm>& FormProperties() {
    using C = TCustomForm;
    static const TPropertyTable<C> table{
        {"BorderStyle", Call(&C::SetBorderStyle, EnumReader<TFormBorderStyle>(kBorderStyles)),
         Unless(&C::BorderStyle, bsSizeable, EnumWriter<TFormBorderStyle>(kBorderStyles))},
        {"BorderIcons", Call(&C::SetBorderIcons, SetReader(kBorderIcons)),
         Unless(&C::BorderIcons, TBorderIcons(biSystemMenu | biMinimize | biMaximize),
                SetWriter(kBorderIcons))},
        {"Position", Call(&C::SetPosition, EnumReader<TPosition>(kPositions)),
         Unless(&C::Position, poDesigned, EnumWriter<TPosition>(kPositions))},
        {"FormStyle", Call(&C::SetFormStyle, EnumReader<TFormStyle>(kFormStyles)),
         Unless(&C::FormStyle, fsNormal, EnumWriter<TFormStyle>(kFormStyles))},
        {"KeyPreview", Call(&C::SetKeyPreview, AsBool), Unless(&C::KeyPreview, false, FromBool)},
        {"AutoScroll", Call(&C::SetAutoScroll, AsBool)},
    };
    return table;
}

TShortCut ReadShortCut(const TPropValue& v) {
    return static_cast<TShortCut>(v.Kind == TPropValue::vkString ? TextToShortCut(v.Str) : v.AsInt());
}

const TPropertyTable<TMenuItem>& MenuItemProperties() {
    using C = TMenuItem;
    static const TPropertyTable<C> table{
        {"Caption", Call(&C::SetCaption, AsText), Unless(&C::Caption, String(), FromString)},
        {"Checked", Store(&C::Checked, AsBool), Unless(&C::Checked, false, FromBool)},
        {"Enabled", Store(&C::Enabled, AsBool), Unless(&C::Enabled, true, FromBool)},
        {"Visible", Store(&C::Visible, AsBool), Unless(&C::Visible, true, FromBool)},
        {"RadioItem", Store(&C::RadioItem, AsBool), Unless(&C::RadioItem, false, FromBool)},
        {"Default", Store(&C::Default, AsBool), Unless(&C::Default, false, FromBool)},
        {"GroupIndex", Store(&C::GroupIndex, AsInt), Unless(&C::GroupIndex, 0, FromInt)},
        {"ImageIndex", Store(&C::ImageIndex, AsInt), Unless(&C::ImageIndex, -1, FromInt)},
        {"Hint", Store(&C::Hint, AsText), Unless(&C::Hint, String(), FromString)},
        {"ShortCut", Store(&C::ShortCut, ReadShortCut), Unless(&C::ShortCut, TShortCut(0), FromInt)},
    };
    return table;
}

const TPropertyTable<TMenu>& MenuProperties() {
    static const TPropertyTable<TMenu> table{
        {"AutoLineReduction", Store(&TMenu::AutoLineReduction, AsBool),
         Unless(&TMenu::AutoLineReduction, true, FromBool)},
    };
    return table;
}

const TPropertyTable<TPopupMenu>& PopupMenuProperties() {
    static const TPropertyTable<TPopupMenu> table{
        {"AutoPopup", Call(&TPopupMenu::SetAutoPopup, AsBool),
         Unless(&TPopupMenu::AutoPopup, true, FromBool)},
    };
    return table;
}

const TPropertyTable<TTimer>& TimerProperties() {
    static const TPropertyTable<TTimer> table{
        {"Interval",
         [](TTimer& t, const TPropValue& v) {
             t.SetInterval(static_cast<unsigned>(std::max<long long>(0, v.AsInt())));
         },
         Unless(&TTimer::Interval, 1000u, FromInt)},
        {"Enabled", Call(&TTimer::SetEnabled, AsBool), Unless(&TTimer::Enabled, true, FromBool)},
    };
    return table;
}

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
    return ControlProperties().Set(*this, name, v) || TComponent::SetProperty(name, v);
}

void TControl::GetProperties(TPropList& out) const {
    TComponent::GetProperties(out);
    ControlProperties().Get(*this, out);
}

bool TWinControl::SetProperty(const String& name, const TPropValue& v) {
    return WinControlProperties().Set(*this, name, v) || TControl::SetProperty(name, v);
}

void TWinControl::GetProperties(TPropList& out) const {
    TControl::GetProperties(out);
    WinControlProperties().Get(*this, out);
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
    return FormProperties().Set(*this, name, v) || TWinControl::SetProperty(name, v);
}

void TCustomForm::GetProperties(TPropList& out) const {
    TWinControl::GetProperties(out);
    // A form is hidden until shown: its Visible is not stored.
    out.erase(std::remove_if(out.begin(), out.end(), [](const auto& p) { return p.first == "Visible"; }),
              out.end());
    FormProperties().Get(*this, out);
}

bool TMenuItem::SetProperty(const String& name, const TPropValue& v) {
    return MenuItemProperties().Set(*this, name, v) || TComponent::SetProperty(name, v);
}

void TMenuItem::GetProperties(TPropList& out) const {
    TComponent::GetProperties(out);
    MenuItemProperties().Get(*this, out);
}

void TMenuItem::InsertReadChild(TComponent* child) {
    if (auto* i = dynamic_cast<TMenuItem*>(child)) Add(i);
}

void TMenuItem::GetReadChildren(std::vector<TComponent*>& out, const TComponent* root) const {
    for (TMenuItem* i : FItems)
        if (i->Owner() == root) out.push_back(i);
}

bool TMenu::SetProperty(const String& name, const TPropValue& v) {
    return MenuProperties().Set(*this, name, v) || TComponent::SetProperty(name, v);
}

void TMenu::GetProperties(TPropList& out) const {
    TComponent::GetProperties(out);
    MenuProperties().Get(*this, out);
}

bool TPopupMenu::SetProperty(const String& name, const TPropValue& v) {
    return PopupMenuProperties().Set(*this, name, v) || TMenu::SetProperty(name, v);
}

void TPopupMenu::GetProperties(TPropList& out) const {
    TMenu::GetProperties(out);
    PopupMenuProperties().Get(*this, out);
}

void TMenu::InsertReadChild(TComponent* child) {
    if (auto* i = dynamic_cast<TMenuItem*>(child)) FItems->Add(i);
}

void TMenu::GetReadChildren(std::vector<TComponent*>& out, const TComponent* root) const {
    FItems->GetReadChildren(out, root);
}

bool TTimer::SetProperty(const String& name, const TPropValue& v) {
    return TimerProperties().Set(*this, name, v) || TComponent::SetProperty(name, v);
}

void TTimer::GetProperties(TPropList& out) const {
    TComponent::GetProperties(out);
    TimerProperties().Get(*this, out);
}

} // namespace vd
