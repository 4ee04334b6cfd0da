#pragma once
// Button edits that choose a path: the directory edit opens the select-folder dialog, the file
// edit the open-file dialog; a confirmed choice becomes the edit's text (and fires OnChange).
#include "skin/boxes/SkinEdit.h"

namespace vd {

class TskSkinSelectDirectoryDialog;
class TskSkinOpenDialog;

class TskSkinDirectoryEdit : public TskSkinEdit {
public:
    explicit TskSkinDirectoryEdit(TComponent* AOwner);
    ~TskSkinDirectoryEdit() override;

    // The skins of the dialog's frame and of its controls.
    TskSkinData* DlgSkinData() const { return FDlgSkinData; }
    void SetDlgSkinData(TskSkinData* Value);
    TskSkinData* DlgCtrlSkinData() const { return FDlgCtrlSkinData; }
    void SetDlgCtrlSkinData(TskSkinData* Value);
    TskSkinSelectDirectoryDialog* Dialog() const { return FDialog; }

    // Opens the dialog at the edit's folder.
    virtual void ButtonClick();

    bool SetProperty(const String& name, const TPropValue& value) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TComponentLink<TskSkinData> FDlgSkinData{this};
    TComponentLink<TskSkinData> FDlgCtrlSkinData{this};
    TskSkinSelectDirectoryDialog* FDialog = nullptr;
};

class TskSkinFileEdit : public TskSkinEdit {
public:
    explicit TskSkinFileEdit(TComponent* AOwner);
    ~TskSkinFileEdit() override;

    TskSkinData* DlgSkinData() const { return FDlgSkinData; }
    void SetDlgSkinData(TskSkinData* Value);
    TskSkinData* DlgCtrlSkinData() const { return FDlgCtrlSkinData; }
    void SetDlgCtrlSkinData(TskSkinData* Value);
    // The skin record of the file list's column header.
    String LVHeaderSkinDataName = "resizebutton";
    TskSkinOpenDialog* Dialog() const { return FDialog; }
    const String& Filter() const;
    void SetFilter(const String& Value);

    // Opens the dialog at the edit's file.
    virtual void ButtonClick();

    bool SetProperty(const String& name, const TPropValue& value) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TComponentLink<TskSkinData> FDlgSkinData{this};
    TComponentLink<TskSkinData> FDlgCtrlSkinData{this};
    TskSkinOpenDialog* FDialog = nullptr;
};

} // namespace vd
