// The file-type box and the plain-directory file list of the file dialogs, and the path helpers
// they share. Nothing here changes the process's current directory: relative paths resolve
// against the folder a control keeps.
#pragma once

#include "platform/vcl/Forward.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/boxes/SkinListBox.h"

#include <cstdint>

namespace vd {

class TskSkinFilterComboBox;

enum TskFileAttr : std::uint8_t {
    skftReadOnly = 0x01,
    skftHidden = 0x02,
    skftSystem = 0x04,
    skftVolumeID = 0x08,
    skftDirectory = 0x10,
    skftArchive = 0x20,
    skftNormal = 0x80, // no attribute bit: every file found is taken
};
using TskFileType = std::uint8_t;

// Path names a directory that exists (symbolic links followed).
bool IsExistingFolder(const String& Path);
// Directory and Name with exactly one "/" between them.
String JoinFileName(const String& Directory, const String& Name);
// Cuts Text (a name, a relative or absolute path, or a "[dir]" entry of the file list) into an
// existing directory and a file name, resolving relative text against Base. A name that is no
// existing file but an existing folder becomes the directory. Raises EInOutError when the
// directory part does not exist.
void SplitFileSpec(const String& Text, const String& Base, String& Directory, String& FileName);
// "*.*" matches every name; other patterns match without regard to case.
bool FileMaskMatches(const String& Pattern, const String& Name);

class TskSkinFileListBox : public TskSkinListBox {
public:
    explicit TskSkinFileListBox(TComponent* AOwner);
    ~TskSkinFileListBox() override;

    const String& Directory() const { return FDirectory; }
    // Resolves Value against the current directory of the box; raises EInOutError when it is no
    // existing folder.
    void SetDirectory(const String& Value);
    const String& Mask() const { return FMask; }
    void SetMask(const String& Value);
    TskFileType FileType() const { return FFileType; }
    void SetFileType(TskFileType Value);
    TCustomEdit* FileEdit() const { return FFileEdit; }
    void SetFileEdit(TCustomEdit* Value);
    TskSkinFilterComboBox* FilterCombo() const { return FFilterCombo; }

    String SelectedName();
    void SelectName(const String& Name);
    virtual String GetFileName();
    virtual void SetFileName(const String& Value);
    virtual void ReadFileNames();

    TNotifyEvent OnChange;
    void ListBoxClick() override;

protected:
    friend class TskSkinFilterComboBox;
    virtual void Change();
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    String FDirectory;
    String FMask = "*.*";
    TskFileType FFileType = skftNormal;
    TComponentLink<TCustomEdit> FFileEdit{this};
    TskSkinFilterComboBox* FFilterCombo = nullptr;
    int FLastSel = -1;
};

class TskSkinFilterComboBox : public TskSkinComboBox {
public:
    explicit TskSkinFilterComboBox(TComponent* AOwner);
    ~TskSkinFilterComboBox() override;

    const String& Filter() const { return FFilter; }
    void SetFilter(const String& Value);
    TskSkinFileListBox* FileList() const { return FFileList; }
    void SetFileList(TskSkinFileListBox* Value);
    // The mask of the chosen description ("*.*" when there is none).
    String Mask();
    const TStringList& Masks() const { return FMasks; }

protected:
    friend class TskSkinFileListBox;
    void Change() override;

private:
    void BuildLists();
    String FFilter;
    TComponentLink<TskSkinFileListBox> FFileList{this};
    TStringList FMasks;
};

} // namespace vd
