#pragma once
// The program's version information, read from the resource the build embeds ("VERSION", "1"):
// a Translation line (language and code page in hex) and one string table section per
// translation with the ten KEY=VALUE fields.
#include "platform/rtl/String.h"

#include <array>

namespace vd {

enum TVersionType {
    vtCompanyName,
    vtFileDescription,
    vtFileVersion,
    vtInternalName,
    vtLegalCopyright,
    vtLegalTradeMark,
    vtOriginalFileName,
    vtProductName,
    vtProductVersion,
    vtComments
};

class TrpVersionInfo {
public:
    // Reads the program's own version resource.
    TrpVersionInfo();
    virtual ~TrpVersionInfo() = default;

    virtual String GetInfo(TVersionType kind) const;
    // Empty name: the program's own resource. Otherwise a version text file (KEY=VALUE lines).
    virtual void LoadFromFile(const String& fileName);
    // Reads KEY=VALUE lines; keys not among the ten kinds are ignored.
    void LoadFromText(const String& text);

    String CompanyName() const { return GetInfo(vtCompanyName); }
    String FileDescription() const { return GetInfo(vtFileDescription); }
    String FileVersion() const { return GetInfo(vtFileVersion); }
    String InternalName() const { return GetInfo(vtInternalName); }
    String LegalCopyright() const { return GetInfo(vtLegalCopyright); }
    String LegalTradeMark() const { return GetInfo(vtLegalTradeMark); }
    String OriginalFileName() const { return GetInfo(vtOriginalFileName); }
    String ProductName() const { return GetInfo(vtProductName); }
    String ProductVersion() const { return GetInfo(vtProductVersion); }
    String Comments() const { return GetInfo(vtComments); }
    int Major() const { return FMajor; }
    int Minor() const { return FMinor; }
    int Release() const { return FRelease; }
    int Build() const { return FBuild; }

private:
    void ParseFileVersion();

    std::array<String, 10> FInfo;
    int FMajor = 0;
    int FMinor = 0;
    int FRelease = 0;
    int FBuild = 0;
};

// The main window's caption: the product name and " major.minor.release".
String VersionCaption(const String& productName, const TrpVersionInfo& info);

} // namespace vd
