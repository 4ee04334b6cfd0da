#pragma once
// Button edits that choose a path: the directory edit opens the select-folder dialog, the file
// edit the open-file dialog; a confirmed choice becomes the edit's text (and fires OnChange).
#include "skin/boxes/SkinEdit.h"

namespace vd {

class TskSkinSelectDirectoryDialog;
class TskSkinOpenDialog;

// What both edits share: the dialog they own, the skins it is shown with, and its properties
// reached through the edit ("DialogTitle", or any with a "Dialog." prefix).
template <class TDialog> class TskSkinDialogEdit : public TskSkinEdit {
public:
    explicit TskSkinDialogEdit(TComponent* AOwner);
    ~TskSkinDialogEdit() override;

    // The skins of the dialog's frame and of its controls.
    TskSkinData* DlgSkinData() const { return FDlgSkinData; }
    void SetDlgSkinData(TskSkinData* Value);
    TskSkinData* DlgCtrlSkinData() const { return FDlgCtrlSkinData; }
    void SetDlgCtrlSkinData(TskSkinData* Value);
    TDialog* Dialog() const { return FDialog; }

    virtual void ButtonClick() = 0;

    bool SetProperty(const String& name, const TPropValue& value) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

    TComponentLink<TskSkinData> FDlgSkinData{this};
    TComponentLink<TskSkinData> FDlgCtrlSkinData{this};
    TDialog* FDialog = nullptr;
};

extern template class TskSkinDialogEdit<TskSkinSelectDirectoryDialog>;
extern template class TskSkinDialogEdit<TskSkinOpenDialog>;

class TskSkinDirectoryEdit : public TskSkinDialogEdit<TskSkinSelectDirectoryDialog> {
public:
    explicit TskSkinDirectoryEdit(TComponent* AOwner) : TskSkinDialogEdit(AOwner) {}

    // Opens the dialog at the edit's folder.
    void ButtonClick() override;
};

class TskSkinFileEdit : public TskSkinDialogEdit<TskSkinOpenDialog> {
public:
    explicit TskSkinFileEdit(TComponent* AOwner) : TskSkinDialogEdit(AOwner) {}

    // The skin record of the file list's column header.
    String LVHeaderSkinDataName = "resizebutton";
    const String& Filter() const;
    void SetFilter(const String& Value);

    // Opens the dialog at the edit's file.
    void ButtonClick() override;

    bool SetProperty(const String& name, const TPropValue& value) override;
};

} // namespace vd
