#include "platform/rtl/IniFile.h"

#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/FloatText.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/IniDocument.h"
#include "platform/rtl/SmallFile.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/SysUtils.h"

#include <cerrno>
#include <sys/stat.h>

namespace vd {
namespace {

constexpr std::size_t MaxIniSize = 64 << 20;

// The whole file; false with err set when it exists but cannot be read (a folder, a pipe, a
// file of insane size or a failed read).
bool ReadWholeFile(const String& fileName, String& text, int& err) {
    err = ReadSmallFile(fileName, text, MaxIniSize);
    if (err == ENOENT || err == ENOTDIR) err = 0; // no such file: empty settings
    return err == 0;
}

void FillStrings(TStrings& strings, const std::vector<String>& items) {
    strings.BeginUpdate();
    try {
        strings.Clear();
        for (const String& s : items)
            strings.Add(s);
    } catch (...) {
        strings.EndUpdate();
        throw;
    }
    strings.EndUpdate();
}

} // namespace

TCustomIniFile::TCustomIniFile(String fileName)
    : FFileName(std::move(fileName)), FDocument(std::make_unique<TIniDocument>()) {}

TCustomIniFile::~TCustomIniFile() = default;

bool TCustomIniFile::LoadFromDisk() {
    String text;
    const bool ok = ReadWholeFile(FFileName, text, FLoadError);
    FDocument->Parse(ok ? text : String());
    return ok;
}

void TCustomIniFile::SaveToDisk(bool sync) {
    if (FLoadError != 0) {
        // Writing now would replace settings we could not read.
        throw EFOpenError(Format(rtl_msg::FOpenError, FFileName, SysErrorMessage(FLoadError)));
    }
    AtomicWriteFile(FFileName, FDocument->Serialize(), 0600, sync);
}

String TCustomIniFile::ReadString(std::string_view section, std::string_view ident, const String& def) {
    Refresh();
    String value;
    return FDocument->ReadValue(section, ident, value) ? value : def;
}

int TCustomIniFile::ReadInteger(std::string_view section, std::string_view ident, int def) {
    return StrToIntDef(ReadString(section, ident, String()), def);
}

bool TCustomIniFile::ReadBool(std::string_view section, std::string_view ident, bool def) {
    return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

double TCustomIniFile::ReadFloat(std::string_view section, std::string_view ident, double def) {
    return StrToFloatDef(ReadString(section, ident, String()), def);
}

void TCustomIniFile::WriteString(std::string_view section, std::string_view ident, std::string_view value) {
    Refresh();
    FDocument->WriteValue(section, ident, value);
    Changed();
}

void TCustomIniFile::WriteInteger(std::string_view section, std::string_view ident, int value) {
    WriteString(section, ident, IntToStr(value));
}

void TCustomIniFile::WriteBool(std::string_view section, std::string_view ident, bool value) {
    WriteString(section, ident, value ? "1" : "0");
}

void TCustomIniFile::WriteFloat(std::string_view section, std::string_view ident, double value) {
    WriteString(section, ident, FloatToStr(value));
}

void TCustomIniFile::ReadSection(std::string_view section, TStrings& strings) {
    Refresh();
    FillStrings(strings, FDocument->Keys(section));
}

void TCustomIniFile::ReadSections(TStrings& strings) {
    Refresh();
    FillStrings(strings, FDocument->Sections());
}

void TCustomIniFile::ReadSectionValues(std::string_view section, TStrings& strings) {
    Refresh();
    std::vector<String> lines;
    for (const auto& [key, value] : FDocument->Values(section))
        lines.push_back(key + "=" + value);
    FillStrings(strings, lines);
}

void TCustomIniFile::EraseSection(std::string_view section) {
    Refresh();
    FDocument->EraseSection(section);
    Changed();
}

void TCustomIniFile::DeleteKey(std::string_view section, std::string_view ident) {
    Refresh();
    FDocument->DeleteKey(section, ident);
    Changed();
}

bool TCustomIniFile::SectionExists(std::string_view section) {
    Refresh();
    return FDocument->SectionExists(section);
}

bool TCustomIniFile::ValueExists(std::string_view section, std::string_view ident) {
    Refresh();
    String value;
    return FDocument->ReadValue(section, ident, value);
}

void TCustomIniFile::SortSections(const std::function<bool(const String&, const String&)>& less) {
    Refresh();
    FDocument->SortSections(less);
    Changed();
}

TIniFile::TIniFile(String fileName) : TCustomIniFile(std::move(fileName)) {}

TIniFile::~TIniFile() {
    try {
        UpdateFile();
    } catch (...) {
        // The contents are in the file already; only the flush failed.
    }
}

void TIniFile::UpdateFile() {
    if (!FUnsynced) return;
    FUnsynced = false;
    if (!SyncFile(FileName())) throw EWriteError(rtl_msg::WriteError);
}

TIniFile::TStamp TIniFile::Stamp() const {
    TStamp s;
    struct stat st {};
    if (::stat(FileName().c_str(), &st) != 0) return s;
    s.Exists = true;
    s.Size = st.st_size;
    s.MTimeNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    s.Inode = static_cast<std::int64_t>(st.st_ino);
    s.Device = static_cast<std::int64_t>(st.st_dev);
    return s;
}

void TIniFile::Refresh() {
    const TStamp now = Stamp();
    if (FLoaded && now == FStamp && LoadError() == 0) return;
    LoadFromDisk();
    FSavedText = Document().Serialize();
    FStamp = now;
    FLoaded = true;
}

void TIniFile::Changed() {
    String text = Document().Serialize();
    if (text == FSavedText) return; // nothing changed: no write, no empty file created
    // One flush per batch of writes (UpdateFile or the destructor) instead of one per key.
    try {
        SaveToDisk(false);
    } catch (...) {
        FLoaded = false; // the change is not in the file: the next call reads the file again
        throw;
    }
    FUnsynced = true;
    FSavedText = std::move(text);
    FStamp = Stamp();
}

TMemIniFile::TMemIniFile(String fileName) : TCustomIniFile(std::move(fileName)) {
    LoadFromDisk();
}

TMemIniFile::~TMemIniFile() = default;

void TMemIniFile::UpdateFile() {
    SaveToDisk();
}

void TMemIniFile::Reload() {
    LoadFromDisk();
}

String TMemIniFile::GetText() {
    return Document().Serialize();
}

void TMemIniFile::SetText(std::string_view text) {
    Document().Parse(text);
}

} // namespace vd
