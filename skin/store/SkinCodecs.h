#pragma once
// Codecs between skin INI values and rectangles, points, flags, styles, alignments and effects.
#include "platform/rtl/String.h"
#include "skin/store/Forward.h"
#include "skin/store/SkinTypes.h"

#include <string_view>
#include <vector>

namespace vd {

// Digits only: a "-" or any other character is dropped; parts beyond four (rectangles) or two
// (points) are ignored. A part with no digits raises EConvertError "'' is not a valid integer value".
TRect ParseRectText(std::string_view text);
TPoint ParsePointText(std::string_view text);

TRect ReadSkinRect(const TskMemIniFile& ini, std::string_view section, std::string_view key);
TPoint ReadSkinPoint(const TskMemIniFile& ini, std::string_view section, std::string_view key);
bool ReadSkinBool(const TskMemIniFile& ini, std::string_view section, std::string_view key);
TskFontStyles ReadFontStyle(const TskMemIniFile& ini, std::string_view section, std::string_view key);
TskAlignment ReadAlignment(const TskMemIniFile& ini, std::string_view section, std::string_view key);
TskImageEffect ReadImageEffect(const TskMemIniFile& ini, std::string_view section, std::string_view key);
TskMorphKind ReadMorphKind(const TskMemIniFile& ini, std::string_view section, std::string_view key);
TskStdCommand ReadStdCommand(const TskMemIniFile& ini, std::string_view section, std::string_view key);
// Appends the counted list ListName (count under ListName + "count", items under "0".."n-1").
void ReadStringList(const TskMemIniFile& ini, std::string_view section, std::string_view listName,
                    std::vector<String>& target);

void WriteSkinRect(TskMemIniFile& ini, std::string_view section, std::string_view key, const TRect& r);
void WriteSkinPoint(TskMemIniFile& ini, std::string_view section, std::string_view key, const TPoint& p);
void WriteSkinBool(TskMemIniFile& ini, std::string_view section, std::string_view key, bool value);
void WriteFontStyle(TskMemIniFile& ini, std::string_view section, std::string_view key, TskFontStyles s);
void WriteAlignment(TskMemIniFile& ini, std::string_view section, std::string_view key, TskAlignment a);
void WriteMorphKind(TskMemIniFile& ini, std::string_view section, std::string_view key, int kind);
void WriteStdCommand(TskMemIniFile& ini, std::string_view section, std::string_view key, TskStdCommand c);

String FontStyleToText(TskFontStyles s);
TskFontStyles TextToFontStyle(std::string_view text);
TskMorphKind TextToMorphKind(std::string_view text);
TskImageEffect TextToImageEffect(std::string_view text);
TskStdCommand TextToStdCommand(std::string_view text);

// True when VERSION, PICTURES, FORMINFO, SKINOBJECTS and SKINCONTROLS are all present.
bool IsSkinIni(const TskMemIniFile& ini);

} // namespace vd
