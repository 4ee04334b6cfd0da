#include "skin/store/SkinRecordIo.h"

#include "skin/store/SkinCodecs.h"
#include "skin/store/SkinIni.h"

namespace vd {

void TskIniReader::Int(const char* key, int& v, int def) {
    v = FIni.ReadInteger(FSection, key, def);
}
void TskIniReader::Bool(const char* key, bool& v) {
    v = ReadSkinBool(FIni, FSection, key);
}
void TskIniReader::Rect(const char* key, TRect& v) {
    v = ReadSkinRect(FIni, FSection, key);
}
void TskIniReader::Point(const char* key, TPoint& v) {
    v = ReadSkinPoint(FIni, FSection, key);
}
void TskIniReader::Str(const char* key, String& v, const char* def) {
    v = FIni.ReadString(FSection, key, def);
}
void TskIniReader::Style(const char* key, TskFontStyles& v) {
    v = ReadFontStyle(FIni, FSection, key);
}
void TskIniReader::Align(const char* key, TskAlignment& v) {
    v = ReadAlignment(FIni, FSection, key);
}
void TskIniReader::Morph(const char* key, TskMorphKind& v) {
    v = ReadMorphKind(FIni, FSection, key);
}
void TskIniReader::Command(const char* key, TskStdCommand& v) {
    v = ReadStdCommand(FIni, FSection, key);
}

TskIniWriter::TskIniWriter(TskMemIniFile& ini, std::string_view section)
    : TskIniExchange(section), FIni(ini) {
    FIni.EraseSection(section);
}

void TskIniWriter::Int(const char* key, int& v, int) {
    FIni.WriteInteger(FSection, key, v);
}
void TskIniWriter::Bool(const char* key, bool& v) {
    WriteSkinBool(FIni, FSection, key, v);
}
void TskIniWriter::Rect(const char* key, TRect& v) {
    WriteSkinRect(FIni, FSection, key, v);
}
void TskIniWriter::Point(const char* key, TPoint& v) {
    WriteSkinPoint(FIni, FSection, key, v);
}
void TskIniWriter::Str(const char* key, String& v, const char*) {
    FIni.WriteString(FSection, key, v);
}
void TskIniWriter::Style(const char* key, TskFontStyles& v) {
    WriteFontStyle(FIni, FSection, key, v);
}
void TskIniWriter::Align(const char* key, TskAlignment& v) {
    WriteAlignment(FIni, FSection, key, v);
}
void TskIniWriter::Morph(const char* key, TskMorphKind& v) {
    WriteMorphKind(FIni, FSection, key, v);
}
void TskIniWriter::Command(const char* key, TskStdCommand& v) {
    WriteStdCommand(FIni, FSection, key, v);
}

} // namespace vd
