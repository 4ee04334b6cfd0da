#pragma once
// The settings-file readers with profile semantics (see IniDocument.h for the line rules).
// TIniFile reads and writes the file on each call, as the profile functions do: it rereads
// the file when it changed on disk and saves after every change. TMemIniFile works on a copy
// in memory until UpdateFile. Saving is atomic and gives the file mode 0600 (it holds scrambled
// passwords); a file that exists but cannot be read is never overwritten.
#include "platform/rtl/Object.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace vd {

class TStrings;
class TIniDocument;

class TCustomIniFile : public TObject {
public:
    explicit TCustomIniFile(String fileName);
    ~TCustomIniFile() override;

    const String& FileName() const { return FFileName; }

    String ReadString(std::string_view section, std::string_view ident, const String& def);
    // A value that is not a whole number in range ("12a", "1.5", empty) reads as def;
    // "$1F" and "0x1F" are hexadecimal.
    int ReadInteger(std::string_view section, std::string_view ident, int def);
    // Read as an integer: non-zero is true, a non-number gives def.
    bool ReadBool(std::string_view section, std::string_view ident, bool def);
    double ReadFloat(std::string_view section, std::string_view ident, double def);
    void WriteString(std::string_view section, std::string_view ident, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view ident, int value);
    // Written as "1" and "0".
    void WriteBool(std::string_view section, std::string_view ident, bool value);
    void WriteFloat(std::string_view section, std::string_view ident, double value);

    // Keys of a section / section names / KEY=VALUE lines, in file order; strings is cleared first.
    void ReadSection(std::string_view section, TStrings& strings);
    void ReadSections(TStrings& strings);
    void ReadSectionValues(std::string_view section, TStrings& strings);
    void EraseSection(std::string_view section);
    void DeleteKey(std::string_view section, std::string_view ident);
    bool SectionExists(std::string_view section);
    bool ValueExists(std::string_view section, std::string_view ident);
    // Puts the sections in the order that less gives (stable); lines before the first section
    // stay first.
    void SortSections(const std::function<bool(const String&, const String&)>& less);
    virtual void UpdateFile() = 0;

protected:
    // Before every read and change: bring the copy in memory up to date.
    virtual void Refresh() {}
    // After every change.
    virtual void Changed() {}
    TIniDocument& Document() { return *FDocument; }
    // Reads the file into the document; a missing file gives an empty one. Returns false when
    // the file exists but could not be read (errno in LoadError).
    bool LoadFromDisk();
    // sync false: the file is replaced at once but not yet flushed to disk.
    void SaveToDisk(bool sync = true);
    int LoadError() const { return FLoadError; }

private:
    String FFileName;
    std::unique_ptr<TIniDocument> FDocument;
    int FLoadError = 0;
};

class TIniFile : public TCustomIniFile {
public:
    explicit TIniFile(String fileName);
    // Flushes to disk what UpdateFile has not.
    ~TIniFile() override;
    // Every change is in the file at once; this makes the changes durable on disk (fsync).
    void UpdateFile() override;

protected:
    void Refresh() override;
    void Changed() override;

private:
    struct TStamp {
        bool Exists = false;
        std::int64_t Size = 0, MTimeNs = 0, Inode = 0, Device = 0;
        bool operator==(const TStamp&) const = default;
    };
    TStamp FStamp;
    bool FLoaded = false;
    bool FUnsynced = false;
    String FSavedText;
    TStamp Stamp() const;
};

class TMemIniFile : public TCustomIniFile {
public:
    explicit TMemIniFile(String fileName);
    ~TMemIniFile() override;
    // Writes the copy in memory to the file (atomically).
    void UpdateFile() override;
    // Drops the copy and reads the file again.
    void Reload();
    // The whole text / replace it.
    String GetText();
    void SetText(std::string_view text);
};

} // namespace vd
