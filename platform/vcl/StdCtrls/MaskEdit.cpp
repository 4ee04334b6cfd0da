#include "platform/vcl/Application.h"
#include "platform/vcl/PropValue.h"
#include "platform/vcl/PropertyTable.h"
#include "platform/vcl/StdCtrls/Edit.h"
#include "platform/win/controls/EditModel.h"
#include "platform/win/controls/EditWindow.h"

#include <algorithm>

namespace vd {

namespace {
// Posted to itself when leaving was refused: the focus comes back once the focus change that
// was under way has finished.
constexpr UINT kRefocus = WM_APP + 0x4D45;

bool ShiftDown() {
    return GetKeyState(VK_SHIFT) < 0;
}
bool CtrlDown() {
    return GetKeyState(VK_CONTROL) < 0;
}
} // namespace

void TCustomMaskEdit::SetEditMask(const String& v) {
    if (v == FEditMask) return;
    const String value = Text();
    FEditMask = v;
    FMask = TEditMask(v);
    if (HandleAllocated()) {
        const String shown = IsMasked() ? FMask.EditTextFrom(value) : value;
        SendMessage(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(WindowLimit()), 0);
        SetWindowText(FHandle, shown);
        FOriginal = shown;
    }
    SyncText();
    if (!HandleAllocated() && IsMasked()) FText = FMask.ValueOf(FMask.EditTextFrom(value));
}

String TCustomMaskEdit::EditText() const {
    if (const EditModel* m = FHandle ? EditWindowModel(FHandle) : nullptr) return m->Text();
    return IsMasked() ? FMask.EditTextFrom(FText) : FText;
}

void TCustomMaskEdit::SetEditText(const String& v) {
    if (!IsMasked()) {
        SetText(v);
        return;
    }
    SetText(FMask.ValueOf(v.size() == static_cast<std::size_t>(FMask.Length()) ? v : FMask.BlankText()));
}

void TCustomMaskEdit::SetText(const String& v) {
    if (!IsMasked()) {
        TCustomEdit::SetText(v);
        return;
    }
    const String shown = FMask.EditTextFrom(v);
    const String value = FMask.ValueOf(shown);
    if (HandleAllocated()) {
        if (EditText() == shown && FText == value) return;
        SetWindowText(FHandle, shown);
        SyncText();
        FOriginal = shown;
    } else {
        if (value == FText) return;
        FText = value;
    }
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TCustomMaskEdit::CreateWnd() {
    const String value = FText; // the window is first made with it as its caption
    TCustomEdit::CreateWnd();
    if (!IsMasked()) return;
    FOriginal = FMask.EditTextFrom(value);
    SetWindowText(FHandle, FOriginal);
    SyncText();
}

void TCustomMaskEdit::SyncText() {
    if (!IsMasked()) {
        TCustomEdit::SyncText();
        return;
    }
    if (const EditModel* m = FHandle ? EditWindowModel(FHandle) : nullptr) FText = FMask.ValueOf(m->Text());
}

void TCustomMaskEdit::Selection(int& From, int& To) {
    From = SelStart();
    To = From + SelLength();
}

void TCustomMaskEdit::Replace(int From, int To, const String& Text, int Caret) {
    SendMessage(FHandle, EM_SETSEL, static_cast<WPARAM>(From), To);
    if (Text != EditText().substr(static_cast<std::size_t>(From), static_cast<std::size_t>(To - From)))
        SendMessage(FHandle, EM_REPLACESEL, 1, reinterpret_cast<LPARAM>(Text.c_str()));
    SendMessage(FHandle, EM_SETSEL, static_cast<WPARAM>(Caret), Caret);
    SyncText();
}

// The input positions of [From, To) become blank; literals stay where they are.
void TCustomMaskEdit::Blank(int From, int To, int Caret) {
    From = std::max(0, From);
    To = std::min(FMask.Length(), To);
    if (From >= To) return;
    String part = EditText().substr(static_cast<std::size_t>(From), static_cast<std::size_t>(To - From));
    for (int p = From; p < To; ++p)
        if (!FMask.IsLiteral(p)) part[static_cast<std::size_t>(p - From)] = FMask.Blank();
    Replace(From, To, part, Caret);
}

void TCustomMaskEdit::TypeChar(char c) {
    int from, to;
    Selection(from, to);
    // Typing a literal where it stands steps over it; typing the one just stepped over is
    // taken as done (a pasted "12/34" fills "00/00").
    if (from == to && FMask.IsLiteral(from) && FMask.Literal(from) == c) {
        SendMessage(FHandle, EM_SETSEL, static_cast<WPARAM>(from + 1), from + 1);
        return;
    }
    if (from == to && FMask.IsLiteral(from - 1) && FMask.Literal(from - 1) == c) return;
    const int pos = FMask.NextInput(from);
    char taken = c;
    if (pos >= FMask.Length() || !FMask.Accepts(pos, taken)) {
        MessageBeep(0);
        return;
    }
    if (to > from) Blank(from, to, from);
    Replace(pos, pos + 1, String(1, taken), FMask.NextInput(pos + 1));
}

void TCustomMaskEdit::Paste() {
    if (!ClipboardHasText()) return;
    for (char c : ClipboardGetText()) {
        if (static_cast<unsigned char>(c) < 32) break; // one line only
        const String before = EditText();
        const int from = SelStart();
        char taken = c;
        const bool literal = FMask.Literal(from) == c || FMask.Literal(from - 1) == c;
        if (!literal && !FMask.Accepts(FMask.NextInput(from), taken)) {
            MessageBeep(0);
            break; // refused: the rest would land in the wrong places
        }
        TypeChar(c);
        if (EditText() == before && SelStart() == from && !literal) break;
    }
}

// A typed character on a masked edit; false for the control codes the window keeps (select
// all, copy, undo).
bool TCustomMaskEdit::CharInput(char32_t Ch) {
    int from, to;
    Selection(from, to);
    if (Ch == 8 || Ch == 127) { // Backspace, Ctrl+Backspace
        if (to > from)
            Blank(from, to, from);
        else if (const int p = FMask.PrevInput(from - 1); p >= 0)
            Blank(p, p + 1, p);
    } else if (Ch == 22) {
        Paste();
    } else if (Ch == 24) {
        SendMessage(FHandle, WM_CUT, 0, 0);
    } else if (Ch < 32) {
        return false;
    } else if (Ch > 127) {
        MessageBeep(0); // one byte a position
    } else {
        TypeChar(static_cast<char>(Ch));
    }
    return true;
}

// The editing keys and messages of a masked edit; true when taken here.
bool TCustomMaskEdit::MaskedInput(TMessage& Message) {
    const UINT msg = Message.Msg;
    if (msg != WM_CHAR && msg != WM_KEYDOWN && msg != WM_PASTE && msg != WM_CUT && msg != WM_CLEAR)
        return false; // the selection is asked for with messages too
    int from, to;
    Selection(from, to);
    switch (msg) {
    case WM_CHAR:
        return CharInput(static_cast<char32_t>(Message.WParam));
    case WM_KEYDOWN:
        if (Message.WParam == VK_DELETE) {
            if (ShiftDown() && to > from)
                SendMessage(FHandle, WM_CUT, 0, 0);
            else
                Blank(from, CtrlDown() ? FMask.Length() : std::max(to, from + 1), from);
            return true;
        }
        if (Message.WParam == VK_INSERT && ShiftDown() && !CtrlDown()) {
            Paste();
            return true;
        }
        if (Message.WParam == VK_ESCAPE && EditText() != FOriginal) {
            Reset();
            return true;
        }
        return false;
    case WM_PASTE:
        Paste();
        return true;
    case WM_CUT:
    case WM_CLEAR:
        if (to <= from) return true;
        if (msg == WM_CUT) SendMessage(FHandle, WM_COPY, 0, 0);
        Blank(from, to, from);
        return true;
    default:
        return false;
    }
}

void TCustomMaskEdit::DefaultHandler(TMessage& Message) {
    if (IsMasked() && HandleAllocated() && !ReadOnly() && MaskedInput(Message)) {
        Message.Result = 0;
        return;
    }
    TCustomEdit::DefaultHandler(Message);
}

void TCustomMaskEdit::Dispatch(TMessage& Message) {
    if (Message.Msg == kRefocus) {
        if (HandleAllocated() && CanFocus()) SetFocus();
        return;
    }
    TCustomEdit::Dispatch(Message);
}

void TCustomMaskEdit::Reset() {
    if (!HandleAllocated() || EditText() == FOriginal) return;
    Replace(0, FMask.Length(), FOriginal, 0);
    SelectAll();
}

void TCustomMaskEdit::ValidateEdit() {
    if (!IsMasked() || !Modified()) return;
    const int bad = FMask.FirstInvalid(EditText());
    if (bad < 0) return;
    if (HandleAllocated()) SendMessage(FHandle, EM_SETSEL, static_cast<WPARAM>(bad), bad + 1);
    MessageBeep(0);
    throw EDBEditError(mask_msg::MaskEditErr);
}

void TCustomMaskEdit::DoEnter() {
    if (IsMasked()) FOriginal = EditText();
    TCustomEdit::DoEnter();
}

// The focus is already on its way elsewhere: an exception here would leave the form's focus
// bookkeeping half changed. The error goes to the application and the focus comes back.
void TCustomMaskEdit::DoExit() {
    try {
        ValidateEdit();
    } catch (const EDBEditError& e) {
        PostMessage(FHandle, kRefocus, 0, 0);
        if (Application) Application->HandleException(e);
        return;
    }
    TCustomEdit::DoExit();
}

namespace {

const TPropertyTable<TCustomMaskEdit>& MaskEditProperties() {
    static const TPropertyTable<TCustomMaskEdit> table{
        {"EditMask", props::Call(&TCustomMaskEdit::SetEditMask, props::AsText)},
    };
    return table;
}

} // namespace

bool TCustomMaskEdit::SetProperty(const String& name, const TPropValue& value) {
    return MaskEditProperties().Set(*this, name, value) || TCustomEdit::SetProperty(name, value);
}

} // namespace vd
