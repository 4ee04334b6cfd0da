#include "skin/extra/shell/SkinFileCtrl.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/FileSearch.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"
#include "platform/shell/FileSystem.h"
#include "platform/vcl/StdCtrls/Edit.h"

#include <cerrno>
#include <vector>

namespace vd {

namespace {

// Lexical normalisation of an absolute path: no "//", ".", ".." or trailing "/".
String NormalisePath(const String& Path) {
    std::vector<String> parts;
    std::size_t i = 0;
    while (i <= Path.size()) {
        std::size_t e = Path.find('/', i);
        if (e == String::npos) e = Path.size();
        const String seg = Path.substr(i, e - i);
        i = e + 1;
        if (seg.empty() || seg == ".") continue;
        if (seg == "..") {
            if (!parts.empty()) parts.pop_back();
            continue;
        }
        parts.push_back(seg);
    }
    String out;
    for (const String& p : parts)
        out += "/" + p;
    return out.empty() ? String("/") : out;
}

String Resolve(const String& Text, const String& Base) {
    if (!Text.empty() && Text[0] == '/') return NormalisePath(Text);
    return NormalisePath(JoinFileName(Base.empty() ? CurrentFolder() : Base, Text));
}

[[noreturn]] void RaiseDirectoryError(int err) {
    throw EInOutError(SysErrorMessage(err));
}

bool HasWildcards(const String& Name) {
    return Name.find_first_of("*?") != String::npos;
}

// The list's attribute bits of a found entry: the run time's find attributes carry the same
// numbers (read-only, hidden, system, directory, archive); a link has its target's.
std::uint8_t EntryAttributes(const TSearchRec& Found) {
    return static_cast<std::uint8_t>(Found.Attr &
                                     (skftReadOnly | skftHidden | skftSystem | skftDirectory | skftArchive));
}

std::vector<String> SplitMask(const String& Mask) {
    std::vector<String> patterns;
    std::size_t i = 0;
    while (i <= Mask.size()) {
        std::size_t e = Mask.find(';', i);
        if (e == String::npos) e = Mask.size();
        const String p = Trim(Mask.substr(i, e - i));
        if (!p.empty()) patterns.push_back(p);
        i = e + 1;
    }
    return patterns;
}

bool AnyMaskMatches(const std::vector<String>& Patterns, const String& Name) {
    for (const String& p : Patterns)
        if (FileMaskMatches(p, Name)) return true;
    return false;
}

} // namespace

bool IsExistingFolder(const String& Path) {
    return !Path.empty() && DirectoryExists(Path);
}

String JoinFileName(const String& Directory, const String& Name) {
    if (!Directory.empty() && Directory.back() == '/') return Directory + Name;
    return Directory + "/" + Name;
}

bool FileMaskMatches(const String& Pattern, const String& Name) {
    if (Pattern == "*.*" || Pattern == "*") return true;
    return MatchesMask(Name, Pattern, false);
}

void SplitFileSpec(const String& Text, const String& Base, String& Directory, String& FileName) {
    String text = Text;
    if (text.size() >= 2 && text.front() == '[' && text.back() == ']') text = text.substr(1, text.size() - 2);
    const String base = Base.empty() ? CurrentFolder() : Base;
    const std::size_t slash = text.rfind('/');
    if (slash == String::npos) {
        Directory = NormalisePath(base);
        FileName = text;
    } else {
        Directory = Resolve(slash == 0 ? String("/") : text.substr(0, slash), base);
        FileName = text.substr(slash + 1);
    }
    if (FileName == "." || FileName == "..") {
        Directory = Resolve(FileName, Directory);
        FileName.clear();
    }
    if (!IsExistingFolder(Directory)) RaiseDirectoryError(ENOENT);
    if (!FileName.empty() && !HasWildcards(FileName) && !FileExists(JoinFileName(Directory, FileName))) {
        const String sub = JoinFileName(Directory, FileName);
        if (!IsExistingFolder(sub)) RaiseDirectoryError(ENOENT);
        Directory = sub;
        FileName.clear();
    }
}

// ---- TskSkinFileListBox ----

TskSkinFileListBox::TskSkinFileListBox(TComponent* AOwner) : TskSkinListBox(AOwner) {
    FDirectory = CurrentFolder();
    SetWidth(145);
    SetMultiSelect(false);
    SetSorted(true);
}

TskSkinFileListBox::~TskSkinFileListBox() {
    if (FFilterCombo) FFilterCombo->FFileList = nullptr;
}

void TskSkinFileListBox::SetDirectory(const String& Value) {
    const String dir = Resolve(Value, FDirectory);
    if (dir == FDirectory) return;
    if (!IsExistingFolder(dir)) RaiseDirectoryError(ENOENT);
    FDirectory = dir;
    ReadFileNames();
}

void TskSkinFileListBox::SetMask(const String& Value) {
    if (Value == FMask) return;
    FMask = Value;
    ReadFileNames();
}

void TskSkinFileListBox::SetFileType(TskFileType Value) {
    if (Value == FFileType) return;
    FFileType = Value;
    ReadFileNames();
}

void TskSkinFileListBox::SetFileEdit(TCustomEdit* Value) {
    FFileEdit = Value;
    if (!FFileEdit) return;
    const String name = SelectedName();
    FFileEdit->SetText(name.empty() ? FMask : name);
}

String TskSkinFileListBox::SelectedName() {
    const int i = ItemIndex();
    if (i < 0 || i >= Items().Count() || !Selected(i)) return String();
    return Items().Strings(i);
}

void TskSkinFileListBox::SelectName(const String& Name) {
    if (Name == SelectedName()) return;
    // Exact match: the file system tells "a.txt" from "A.TXT" (IndexOf would not).
    int found = -1;
    for (int i = 0; i < Items().Count() && found < 0; ++i)
        if (Items().Strings(i) == Name) found = i;
    SetItemIndex(found);
    Change();
}

String TskSkinFileListBox::GetFileName() {
    const String name = SelectedName();
    return name.empty() ? String() : JoinFileName(FDirectory, name);
}

void TskSkinFileListBox::SetFileName(const String& Value) {
    if (Value.empty() || Value == GetFileName()) return;
    String dir, name;
    SplitFileSpec(Value, FDirectory, dir, name);
    SetDirectory(dir);
    if (name.empty()) return;
    if (HasWildcards(name)) {
        SetMask(name);
        return;
    }
    SelectName(name);
    // A file the mask hides is shown by making its name the mask.
    if (SelectedName() != name && FileExists(JoinFileName(FDirectory, name))) {
        SetMask(name);
        SelectName(name);
    }
}

void TskSkinFileListBox::ReadFileNames() {
    if (ComponentState() & (csLoading | csDestroying)) return;
    const std::uint8_t attr = FFileType & 0x3F;
    // As a find with an attribute mask: hidden, system and directory entries only when asked.
    const std::uint8_t excluded =
        static_cast<std::uint8_t>(~attr & (skftHidden | skftSystem | skftDirectory));
    Items().BeginUpdate();
    Clear();
    const std::vector<String> patterns = SplitMask(FMask);
    TSearchRec found;
    for (int r = FindFirst(JoinFileName(FDirectory, "*"), faAnyFile, found); r == 0; r = FindNext(found)) {
        const String& name = found.Name;
        if (name == "." || name == "..") continue;
        const std::uint8_t a = EntryAttributes(found);
        if (a & excluded) continue;
        if (!(FFileType & skftNormal) && !(a & attr)) continue;
        if (!AnyMaskMatches(patterns, name)) continue;
        Items().Add((a & skftDirectory) ? "[" + name + "]" : name);
    }
    FindClose(found);
    Items().EndUpdate();
    Change();
}

void TskSkinFileListBox::ListBoxClick() {
    TskSkinListBox::ListBoxClick();
    if (ItemIndex() != FLastSel) Change();
}

void TskSkinFileListBox::Change() {
    FLastSel = ItemIndex();
    if (FFileEdit) {
        const String name = SelectedName();
        FFileEdit->SetText(name.empty() ? FMask : name);
        FFileEdit->SelectAll();
    }
    if (OnChange) OnChange(this);
}

void TskSkinFileListBox::Notification(TComponent* AComponent, TOperation Operation) {
    TskSkinListBox::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    // Not a link: the combo sets it and keeps the pair's notification.
    if (AComponent == FFilterCombo) FFilterCombo = nullptr;
}

// ---- TskSkinFilterComboBox ----

TskSkinFilterComboBox::TskSkinFilterComboBox(TComponent* AOwner) : TskSkinComboBox(AOwner) {
    FFilter = "All files (*.*)|*.*";
    BuildLists();
}

TskSkinFilterComboBox::~TskSkinFilterComboBox() {
    if (FFileList) FFileList->FFilterCombo = nullptr;
}

void TskSkinFilterComboBox::SetFilter(const String& Value) {
    if (Value == FFilter) return;
    FFilter = Value;
    BuildLists();
    Change();
}

void TskSkinFilterComboBox::SetFileList(TskSkinFileListBox* Value) {
    if (FFileList) FFileList->FFilterCombo = nullptr;
    FFileList = Value;
    if (FFileList) FFileList->FFilterCombo = this;
}

String TskSkinFilterComboBox::Mask() {
    if (ItemIndex() < 0 && Items().Count() > 0) SetItemIndex(Items().Count() - 1);
    const int i = ItemIndex();
    if (i < 0 || i >= FMasks.Count()) return "*.*";
    return FMasks.Strings(i);
}

void TskSkinFilterComboBox::Change() {
    if (FFileList) FFileList->SetMask(Mask());
    TskSkinComboBox::Change();
}

void TskSkinFilterComboBox::BuildLists() {
    Items().Clear();
    FMasks.Clear();
    String rest = FFilter;
    std::size_t bar;
    while ((bar = rest.find('|')) != String::npos) {
        const String description = rest.substr(0, bar);
        rest = rest.substr(bar + 1);
        const std::size_t next = rest.find('|');
        const String mask = next == String::npos ? rest : rest.substr(0, next);
        rest = next == String::npos ? String() : rest.substr(next + 1);
        Items().Add(description);
        FMasks.Add(mask);
    }
    if (Items().Count() > 0) SetItemIndex(0);
}

} // namespace vd
