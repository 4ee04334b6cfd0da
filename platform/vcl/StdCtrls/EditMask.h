#pragma once
// The class library's edit masks, apart from any window. A mask has up to three fields split by
// ';': the body, whether literals are saved in Text ('0': not saved, anything else or no field:
// saved) and the character shown for an empty position (default '_'). Body characters:
//   L required letter   l optional letter    A required letter or digit   a optional one
//   C required any      c optional any       0 required digit             9 optional digit
//   # optional digit or sign                 > upper case from here       < lower case from here
//   <> no case change   ! optional positions blank at the left (right aligned)
//   \x literal x        _ a literal space    : and / the time and date separators
// anything else is a literal. The edit text has one byte per position; the masked edit takes
// ASCII input only, so that a position is always one character.
#include "platform/rtl/Exception.h"
#include "platform/rtl/String.h"

#include <vector>

namespace vd {

class EDBEditError : public Exception {
public:
    using Exception::Exception;
};

namespace mask_msg {
inline constexpr const char* MaskEditErr = "Invalid input value.  Use escape key to abandon changes";
} // namespace mask_msg

class TEditMask {
public:
    TEditMask() = default;
    explicit TEditMask(const String& Mask);

    bool Empty() const { return FPositions.empty(); }
    int Length() const { return static_cast<int>(FPositions.size()); }
    bool SaveLiterals() const { return FSaveLiterals; }
    char Blank() const { return FBlank; }

    bool IsLiteral(int Pos) const;
    char Literal(int Pos) const;
    bool Required(int Pos) const;
    // Whether C may stand at Pos (an input position); C takes the position's case.
    bool Accepts(int Pos, char& C) const;
    // The first input position at or after Pos (Length() when none); at or before Pos (-1).
    int NextInput(int Pos) const;
    int PrevInput(int Pos) const;

    // The edit text with nothing entered: literals and blanks.
    String BlankText() const;
    // Text -> edit text: with saved literals the value holds them, position by position;
    // without, its characters fill the input positions in order. A character a position
    // refuses, and a space, leave the position blank. '!' right-aligns a short value.
    String EditTextFrom(const String& Value) const;
    // Edit text -> Text: blanks become spaces; literals only when saved.
    String ValueOf(const String& EditText) const;
    // The first position that spoils the text (a required position blank, a character its
    // position refuses); -1 when the text is valid.
    int FirstInvalid(const String& EditText) const;

private:
    enum class Kind : unsigned char { Literal, Letter, AlphaNum, Any, Digit, DigitOrSign };
    enum class Case : unsigned char { Keep, Upper, Lower };
    struct Position {
        Kind K = Kind::Literal;
        bool Required = false;
        Case C = Case::Keep;
        char Ch = 0; // the literal
    };
    std::vector<Position> FPositions;
    bool FSaveLiterals = true;
    bool FRightAligned = false;
    char FBlank = '_';
};

// Value formatted by Mask (an empty mask gives Value as it is).
String FormatMaskText(const String& Mask, const String& Value);

} // namespace vd
