#include "platform/vcl/StdCtrls/Edit.h"

#include "platform/rtl/SysUtils.h"
#include "platform/vcl/PropValue.h"
#include "platform/vcl/PropertyTable.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/controls/EditModel.h"
#include "platform/win/controls/EditWindow.h"

namespace vd {

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
    FTabStop = true;
    FWidth = 121;
    FHeight = 21;
    FColor = clWindow;
    FCursor = crIBeam;
    FControlStyle = csClickEvents | csSetCaption | csDoubleClicks;
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
    RegisterEditClass();
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, WC_EDIT);
    Params.Style |= ES_AUTOHSCROLL;
    if (FAlignment == taRightJustify) Params.Style |= ES_RIGHT;
    if (FAlignment == taCenter) Params.Style |= ES_CENTER;
    if (!FHideSelection) Params.Style |= ES_NOHIDESEL;
    if (FCharCase == ecUpperCase) Params.Style |= ES_UPPERCASE;
    if (FCharCase == ecLowerCase) Params.Style |= ES_LOWERCASE;
    if (FReadOnly) Params.Style |= ES_READONLY;
}

void TCustomEdit::CreateWnd() {
    TWinControl::CreateWnd();
    SendLook();
    SendMessage(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(WindowLimit()), 0);
    if (FPasswordChar) SendMessage(FHandle, EM_SETPASSWORDCHAR, FPasswordChar, 0);
    if (FTransparent) SendMessage(FHandle, EM_SETTRANSPARENT, 1, 0);
    SyncText();
}

void TCustomEdit::SendLook() {
    if (!FHandle) return;
    SendMessage(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Handle()), 0);
    SendMessage(FHandle, EM_SETCOLORS, static_cast<WPARAM>(ColorToRGB(FFont.Color())),
                static_cast<LPARAM>(ColorToRGB(FColor)));
}

// The window owns the text; the control's copy follows it after every message it handled.
void TCustomEdit::SyncText() {
    if (const EditModel* m = FHandle ? EditWindowModel(FHandle) : nullptr) FText = m->Text();
}

void TCustomEdit::DefaultHandler(TMessage& Message) {
    TWinControl::DefaultHandler(Message);
    SyncText();
}

void TCustomEdit::SetText(const String& v) {
    if (v == FText) return;
    if (FHandle) {
        SetWindowText(FHandle, v);
        SyncText();
    } else {
        FText = FCharCase == ecUpperCase ? AnsiUpperCase(v) : FCharCase == ecLowerCase ? AnsiLowerCase(v) : v;
    }
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TCustomEdit::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CN_COMMAND:
        if (HiWord(Message.WParam) == EN_CHANGE) {
            SyncText();
            Perform(CM_TEXTCHANGED, 0, 0);
        }
        return;
    case CM_TEXTCHANGED:
        TWinControl::Dispatch(Message);
        Change();
        return;
    case EM_PAINTHOSTBACKGROUND:
        if (OnPaintBackground && Message.LParam)
            OnPaintBackground(this, reinterpret_cast<HDC>(Message.WParam),
                              *reinterpret_cast<const TRect*>(Message.LParam));
        return;
    case CM_FONTCHANGED:
    case CM_COLORCHANGED:
    case CM_PARENTFONTCHANGED:
    case CM_PARENTCOLORCHANGED:
        TWinControl::Dispatch(Message);
        SendLook();
        return;
    default:
        TWinControl::Dispatch(Message);
    }
}

void TCustomEdit::Change() {
    if (OnChange) OnChange(this);
}

int TCustomEdit::SelStart() {
    if (!FHandle) return 0;
    std::uint32_t lo = 0, hi = 0;
    SendMessage(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&lo), reinterpret_cast<LPARAM>(&hi));
    return static_cast<int>(lo);
}

int TCustomEdit::SelLength() {
    if (!FHandle) return 0;
    std::uint32_t lo = 0, hi = 0;
    SendMessage(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&lo), reinterpret_cast<LPARAM>(&hi));
    return static_cast<int>(hi - lo);
}

void TCustomEdit::SetSelStart(int v) {
    SendMessage(Handle(), EM_SETSEL, static_cast<WPARAM>(v), v);
}

void TCustomEdit::SetSelLength(int v) {
    const int start = SelStart();
    SendMessage(Handle(), EM_SETSEL, static_cast<WPARAM>(start), start + v);
}

String TCustomEdit::SelText() {
    const EditModel* m = FHandle ? EditWindowModel(FHandle) : nullptr;
    return m ? m->SelText() : String();
}

void TCustomEdit::SetSelText(const String& v) {
    SendMessage(Handle(), EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(v.c_str()));
}

void TCustomEdit::SelectAll() {
    if (FHandle) SendMessage(FHandle, EM_SETSEL, 0, -1);
}

void TCustomEdit::ClearSelection() {
    SendMessage(Handle(), WM_CLEAR, 0, 0);
}
void TCustomEdit::CutToClipboard() {
    SendMessage(Handle(), WM_CUT, 0, 0);
}
void TCustomEdit::CopyToClipboard() {
    SendMessage(Handle(), WM_COPY, 0, 0);
}
void TCustomEdit::PasteFromClipboard() {
    SendMessage(Handle(), WM_PASTE, 0, 0);
}
bool TCustomEdit::CanUndo() {
    return FHandle && SendMessage(FHandle, EM_CANUNDO, 0, 0) != 0;
}
void TCustomEdit::Undo() {
    if (FHandle) SendMessage(FHandle, WM_UNDO, 0, 0);
}
void TCustomEdit::ClearUndo() {
    if (FHandle) SendMessage(FHandle, EM_EMPTYUNDOBUFFER, 0, 0);
}
bool TCustomEdit::Modified() {
    return FHandle && SendMessage(FHandle, EM_GETMODIFY, 0, 0) != 0;
}
void TCustomEdit::SetModified(bool v) {
    if (FHandle) SendMessage(FHandle, EM_SETMODIFY, v ? 1 : 0, 0);
}

void TCustomEdit::SetHideSelection(bool v) {
    FHideSelection = v;
    if (FHandle) SendMessage(FHandle, EM_SETNOHIDESEL, v ? 0 : 1, 0);
}

void TCustomEdit::SetCharCase(TEditCharCase v) {
    FCharCase = v;
    if (FHandle) SendMessage(FHandle, EM_SETCHARCASE, static_cast<WPARAM>(v), 0);
    // The class library applies the case to the text already there.
    if (v == ecUpperCase) SetText(AnsiUpperCase(FText));
    if (v == ecLowerCase) SetText(AnsiLowerCase(FText));
}

void TCustomEdit::SetMaxLength(int v) {
    FMaxLength = v < 0 ? 0 : v;
    if (FHandle) SendMessage(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(WindowLimit()), 0);
}

void TCustomEdit::SetPasswordChar(char32_t v) {
    FPasswordChar = v;
    if (FHandle) SendMessage(FHandle, EM_SETPASSWORDCHAR, v, 0);
}

void TCustomEdit::SetReadOnly(bool v) {
    FReadOnly = v;
    if (FHandle) SendMessage(FHandle, EM_SETREADONLY, v ? 1 : 0, 0);
}

void TCustomEdit::SetAlignment(TAlignment v) {
    if (v == FAlignment) return;
    FAlignment = v;
    RecreateWnd();
}

void TCustomEdit::SetTransparent(bool v) {
    FTransparent = v;
    if (FHandle) SendMessage(FHandle, EM_SETTRANSPARENT, v ? 1 : 0, 0);
}

namespace {

const TPropertyTable<TCustomEdit>& EditProperties() {
    using namespace props;
    using C = TCustomEdit;
    static const TPropertyTable<C> table{
        {"MaxLength", Call(&C::SetMaxLength, AsInt), Unless(&C::MaxLength, 0, &TPropValue::FromInt)},
        {"ReadOnly", Call(&C::SetReadOnly, AsBool), Unless(&C::ReadOnly, false, &TPropValue::FromBool)},
        {"AutoSelect", Call(&C::SetAutoSelect, AsBool)},
        {"AutoSize", Call(&C::SetAutoSize, AsBool)},
        {"HideSelection", Call(&C::SetHideSelection, AsBool)},
        {"CharCase",
         [](C& c, const TPropValue& v) {
             const String& s = v.AsIdent();
             c.SetCharCase(s == "ecUpperCase" ? ecUpperCase : s == "ecLowerCase" ? ecLowerCase : ecNormal);
         }},
        {"PasswordChar",
         [](C& c, const TPropValue& v) {
             const String& s = v.AsString();
             c.SetPasswordChar(s.empty() ? 0 : static_cast<unsigned char>(s[0]));
         }},
        {"Text", Call(&C::SetText, AsText)},
        {"OEMConvert", Ignored},
        {"ImeMode", Ignored},
        {"ImeName", Ignored},
        {"BiDiMode", Ignored},
    };
    return table;
}

} // namespace

bool TCustomEdit::SetProperty(const String& name, const TPropValue& v) {
    return EditProperties().Set(*this, name, v) || TWinControl::SetProperty(name, v);
}

void TCustomEdit::GetProperties(TPropList& out) const {
    TWinControl::GetProperties(out);
    EditProperties().Get(*this, out);
}

} // namespace vd
