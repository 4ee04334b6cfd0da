#pragma once
// TCustomEdit / TCustomMaskEdit / TEdit / TMaskEdit: the class-library layer over the native
// single-line edit window. Text, selection, clipboard and undo live in the window; the control
// keeps Text in step after every edit and raises OnChange for every change of the text (typing
// and Text set from code alike), while the parent sees EN_CHANGE for user edits only.
#include "platform/vcl/StdCtrls.h" // TAlignment
#include "platform/vcl/StdCtrls/EditMask.h"
#include "platform/vcl/WinControl.h"
#include "platform/win/CommCtrl.h"

#include <functional>

namespace vd {

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

// Paints the host's background under a transparent edit (client coordinates of the edit).
using TEditBackgroundEvent = std::function<void(TObject* Sender, HDC DC, const TRect& Rect)>;

class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* AOwner);

    void SetText(const String& v) override;
    int SelStart();
    void SetSelStart(int v);
    int SelLength();
    void SetSelLength(int v);
    String SelText();
    void SetSelText(const String& v); // EM_REPLACESEL: a user edit
    void SelectAll();
    void ClearSelection();
    void CutToClipboard();
    void CopyToClipboard();
    void PasteFromClipboard();
    bool CanUndo();
    void Undo();
    void ClearUndo();
    bool Modified();
    void SetModified(bool v);

    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool v) { FAutoSelect = v; }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v) { FAutoSize = v; }
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool v);
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase v);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int v); // 0 or -1: no limit
    char32_t PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(char32_t v);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    // Transparent: the edit paints no background; OnPaintBackground paints the host's.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    bool OEMConvert = false;

    TNotifyEvent OnChange;
    TEditBackgroundEvent OnPaintBackground;

    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    bool SetProperty(const String& name, const TPropValue& value) override;
    void GetProperties(TPropList& out) const override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    virtual void Change();
    virtual void SyncText();
    // The length limit the window gets (0: none).
    virtual int WindowLimit() const { return FMaxLength; }
    void SendLook();

    bool FAutoSelect = true;
    bool FAutoSize = false;
    bool FHideSelection = true;
    TEditCharCase FCharCase = ecNormal;
    int FMaxLength = 0;
    char32_t FPasswordChar = 0;
    bool FReadOnly = false;
    bool FTransparent = false;
    TAlignment FAlignment = taLeftJustify;
};

// The masked edit (EditMask.h has the rules). With an empty mask it is a plain edit. With a
// mask the window shows the edit text (literals, entered characters, blanks) and Text is the
// value the mask makes of it; typing overwrites one position at a time and skips literals,
// a character a position refuses is refused with a beep, deleting blanks positions and never
// moves literals, paste types its characters one by one. Escape brings back the text the edit
// had when it was entered or last set. Leaving a changed edit whose text the mask refuses keeps
// the focus in it, with the caret on the first bad position, and reports EDBEditError.
class TCustomMaskEdit : public TCustomEdit {
public:
    explicit TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
    const String& EditMask() const { return FEditMask; }
    // The value stays: it is shown through the new mask.
    void SetEditMask(const String& v);
    bool IsMasked() const { return !FMask.Empty(); }
    String EditText() const;
    void SetEditText(const String& v);
    void SetText(const String& v) override;
    // Raises EDBEditError (caret on the first bad position) when the text was changed and the
    // mask refuses it.
    virtual void ValidateEdit();
    // Back to the text the edit had when it was entered or last set.
    void Reset();
    void DefaultHandler(TMessage& Message) override;
    bool SetProperty(const String& name, const TPropValue& value) override;

protected:
    void CreateWnd() override;
    void SyncText() override;
    int WindowLimit() const override { return IsMasked() ? FMask.Length() : FMaxLength; }
    void DoEnter() override;
    void DoExit() override;
    void Dispatch(TMessage& Message) override;

private:
    bool MaskedInput(TMessage& Message);
    bool CharInput(char32_t Ch);
    void TypeChar(char c);
    void Blank(int From, int To, int Caret);
    void Paste();
    // Replaces [From, To) of the edit text as a user edit and puts the caret at Caret.
    void Replace(int From, int To, const String& Text, int Caret);
    void Selection(int& From, int& To);

    String FEditMask;
    TEditMask FMask;
    String FOriginal; // the edit text Escape goes back to
};

class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

class TMaskEdit : public TCustomMaskEdit {
public:
    explicit TMaskEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {}
};

} // namespace vd
