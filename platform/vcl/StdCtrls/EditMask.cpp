#include "platform/vcl/StdCtrls/EditMask.h"

#include <cctype>

namespace vd {

namespace {
bool Ascii(char c) {
    return (static_cast<unsigned char>(c) & 0x80) == 0;
}
} // namespace

TEditMask::TEditMask(const String& Mask) {
    Case current = Case::Keep;
    auto input = [&](Kind k, bool required) { FPositions.push_back({k, required, current, 0}); };
    auto literal = [&](char c) { FPositions.push_back({Kind::Literal, false, Case::Keep, c}); };
    std::size_t i = 0;
    for (; i < Mask.size() && Mask[i] != ';'; ++i) {
        const char c = Mask[i];
        const char next = i + 1 < Mask.size() ? Mask[i + 1] : '\0';
        switch (c) {
        case '\\':
            if (next) literal(Mask[++i]);
            break;
        case '!':
            FRightAligned = true;
            break;
        case '>':
            current = Case::Upper;
            break;
        case '<':
            current = next == '>' ? (++i, Case::Keep) : Case::Lower;
            break;
        case 'L':
        case 'l':
            input(Kind::Letter, c == 'L');
            break;
        case 'A':
        case 'a':
            input(Kind::AlphaNum, c == 'A');
            break;
        case 'C':
        case 'c':
            input(Kind::Any, c == 'C');
            break;
        case '0':
        case '9':
            input(Kind::Digit, c == '0');
            break;
        case '#':
            input(Kind::DigitOrSign, false);
            break;
        case '_':
            literal(' ');
            break;
        default:
            literal(c); // ':' and '/' are this system's separators as they stand
            break;
        }
    }
    if (i >= Mask.size()) return;
    // ";save;blank": an empty or missing field keeps its default.
    const String rest = Mask.substr(i + 1);
    const std::size_t split = rest.find(';');
    const String save = rest.substr(0, split);
    if (!save.empty()) FSaveLiterals = save[0] != '0';
    if (split != String::npos && split + 1 < rest.size()) FBlank = rest[split + 1];
}

bool TEditMask::IsLiteral(int Pos) const {
    return Pos >= 0 && Pos < Length() && FPositions[static_cast<std::size_t>(Pos)].K == Kind::Literal;
}

char TEditMask::Literal(int Pos) const {
    return IsLiteral(Pos) ? FPositions[static_cast<std::size_t>(Pos)].Ch : '\0';
}

bool TEditMask::Required(int Pos) const {
    return Pos >= 0 && Pos < Length() && FPositions[static_cast<std::size_t>(Pos)].Required;
}

bool TEditMask::Accepts(int Pos, char& C) const {
    if (Pos < 0 || Pos >= Length() || IsLiteral(Pos) || !Ascii(C) || C < 32 || C == 127) return false;
    const Position& p = FPositions[static_cast<std::size_t>(Pos)];
    const auto u = static_cast<unsigned char>(C);
    if (p.C == Case::Upper) C = static_cast<char>(std::toupper(u));
    if (p.C == Case::Lower) C = static_cast<char>(std::tolower(u));
    switch (p.K) {
    case Kind::Letter:
        return std::isalpha(u) != 0;
    case Kind::AlphaNum:
        return std::isalnum(u) != 0;
    case Kind::Digit:
        return std::isdigit(u) != 0;
    case Kind::DigitOrSign:
        return std::isdigit(u) != 0 || C == '+' || C == '-';
    default:
        return true;
    }
}

int TEditMask::NextInput(int Pos) const {
    if (Pos < 0) Pos = 0;
    while (Pos < Length() && IsLiteral(Pos))
        ++Pos;
    return Pos < Length() ? Pos : Length();
}

int TEditMask::PrevInput(int Pos) const {
    if (Pos >= Length()) Pos = Length() - 1;
    while (Pos >= 0 && IsLiteral(Pos))
        --Pos;
    return Pos;
}

String TEditMask::BlankText() const {
    String out;
    for (const Position& p : FPositions)
        out += p.K == Kind::Literal ? p.Ch : FBlank;
    return out;
}

String TEditMask::EditTextFrom(const String& Value) const {
    String out = BlankText();
    auto place = [&](int pos, char c) {
        if (c != ' ' && Accepts(pos, c)) out[static_cast<std::size_t>(pos)] = c;
    };
    if (FSaveLiterals) {
        String v = Value;
        if (FRightAligned && static_cast<int>(v.size()) < Length()) v.insert(0, Length() - v.size(), ' ');
        for (int p = 0; p < Length() && p < static_cast<int>(v.size()); ++p)
            if (!IsLiteral(p)) place(p, v[static_cast<std::size_t>(p)]);
        return out;
    }
    std::vector<int> inputs;
    for (int p = 0; p < Length(); ++p)
        if (!IsLiteral(p)) inputs.push_back(p);
    String v = Value;
    if (FRightAligned && v.size() < inputs.size()) v.insert(0, inputs.size() - v.size(), ' ');
    for (std::size_t k = 0; k < inputs.size() && k < v.size(); ++k)
        place(inputs[k], v[k]);
    return out;
}

String TEditMask::ValueOf(const String& EditText) const {
    String out;
    for (int p = 0; p < Length(); ++p) {
        if (IsLiteral(p)) {
            if (FSaveLiterals) out += Literal(p);
            continue;
        }
        const char c = p < static_cast<int>(EditText.size()) ? EditText[static_cast<std::size_t>(p)] : FBlank;
        out += c == FBlank ? ' ' : c;
    }
    return out;
}

int TEditMask::FirstInvalid(const String& EditText) const {
    for (int p = 0; p < Length(); ++p) {
        const char c = p < static_cast<int>(EditText.size()) ? EditText[static_cast<std::size_t>(p)] : FBlank;
        if (IsLiteral(p)) {
            if (c != Literal(p)) return p;
            continue;
        }
        if (c == FBlank || c == ' ') {
            if (Required(p)) return p;
            continue;
        }
        char taken = c;
        if (!Accepts(p, taken) || taken != c) return p;
    }
    return -1;
}

String FormatMaskText(const String& Mask, const String& Value) {
    const TEditMask m(Mask);
    if (m.Empty()) return Value;
    String out = m.EditTextFrom(Value);
    for (int p = 0; p < m.Length(); ++p)
        if (!m.IsLiteral(p) && out[static_cast<std::size_t>(p)] == m.Blank())
            out[static_cast<std::size_t>(p)] = ' ';
    return out;
}

} // namespace vd
