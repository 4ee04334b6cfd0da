#include "platform/win/controls/EditModel.h"

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Utf8.h"

#include <algorithm>

namespace vd {

std::size_t EditModel::Snap(std::size_t pos) const {
    pos = std::min(pos, FText.size());
    // Back up over continuation bytes so a position never splits a character.
    while (pos > 0 && pos < FText.size() && (static_cast<unsigned char>(FText[pos]) & 0xC0) == 0x80 &&
           Utf8NextChar(FText, Utf8PrevChar(FText, pos)) != pos)
        --pos;
    return pos;
}

String EditModel::ApplyCase(std::string_view text) const {
    switch (Case) {
    case EditCase::Upper:
        return AnsiUpperCase(text);
    case EditCase::Lower:
        return AnsiLowerCase(text);
    default:
        return String(text);
    }
}

String EditModel::Filter(std::string_view text) const {
    String out;
    for (char c : text) {
        if (c == '\r' || c == '\n') break;
        if (static_cast<unsigned char>(c) < 32) continue;
        out += c;
    }
    return ApplyCase(out);
}

bool EditModel::SetText(std::string_view text) {
    String t = ApplyCase(text);
    FAnchor = FCaret = 0;
    FCanUndo = false;
    FLastOp = EditOp::Other;
    Modified = false;
    if (t == FText) return false;
    FText = std::move(t);
    return true;
}

void EditModel::SetSel(long long start, long long end) {
    if (start == -1) {
        FAnchor = FCaret;
        return;
    }
    const auto clamp = [this](long long v) {
        const auto u = static_cast<unsigned long long>(v) & 0xFFFFFFFFull;
        return Snap(static_cast<std::size_t>(std::min<unsigned long long>(u, FText.size())));
    };
    FAnchor = clamp(start);
    FCaret = clamp(end);
    FLastOp = EditOp::Other;
}

void EditModel::MoveTo(std::size_t pos, bool extend) {
    FCaret = Snap(pos);
    if (!extend) FAnchor = FCaret;
    FLastOp = EditOp::Other;
}

// The single gate for every change of the text.
bool EditModel::Commit(String text, std::size_t caret, EditOp op) {
    if (ReadOnly) return false;
    if (text == FText) {
        FAnchor = FCaret = caret;
        return false;
    }
    const bool merge = op != EditOp::Other && op == FLastOp && FCaret == FLastCaret && FCanUndo;
    if (!merge) {
        FUndoText = FText;
        FUndoCaret = SelMin();
        FCanUndo = true;
    }
    FText = std::move(text);
    FAnchor = FCaret = caret;
    FLastOp = op;
    FLastCaret = caret;
    Modified = true;
    return true;
}

bool EditModel::ReplaceSel(std::string_view text, EditOp op) {
    if (ReadOnly) return false;
    String ins = Filter(text);
    const std::size_t lo = SelMin(), hi = SelMax();
    if (Limit > 0) {
        const std::size_t rest = FText.size() - (hi - lo);
        const std::size_t room = Limit > rest ? Limit - rest : 0;
        if (ins.size() > room) ins = Utf8CutBytes(ins, room);
    }
    if (ins.empty() && lo == hi) return false;
    String t = FText.substr(0, lo) + ins + FText.substr(hi);
    return Commit(std::move(t), lo + ins.size(), op);
}

bool EditModel::TypeChar(char32_t ch) {
    if (ch < 32 || ch == 127 || ch > 0x10FFFF) return false;
    return ReplaceSel(Utf8Encode(ch), EditOp::Typing);
}

bool EditModel::DeleteBack() {
    if (HasSelection()) return ReplaceSel("", EditOp::Deleting);
    if (FCaret == 0) return false;
    const std::size_t p = PrevChar(FCaret);
    return Commit(FText.substr(0, p) + FText.substr(FCaret), p, EditOp::Deleting);
}

bool EditModel::DeleteForward() {
    if (HasSelection()) return ReplaceSel("", EditOp::Deleting);
    if (FCaret >= FText.size()) return false;
    const std::size_t n = NextChar(FCaret);
    return Commit(FText.substr(0, FCaret) + FText.substr(n), FCaret, EditOp::Deleting);
}

bool EditModel::DeleteWordBack() {
    if (HasSelection()) return ReplaceSel("", EditOp::Deleting);
    const std::size_t p = WordLeft(FCaret);
    if (p == FCaret) return false;
    return Commit(FText.substr(0, p) + FText.substr(FCaret), p, EditOp::Other);
}

bool EditModel::DeleteToEnd() {
    if (HasSelection()) return ReplaceSel("", EditOp::Deleting);
    if (FCaret >= FText.size()) return false;
    return Commit(FText.substr(0, FCaret), FCaret, EditOp::Other);
}

bool EditModel::Undo() {
    if (!FCanUndo || ReadOnly) return false;
    String before = FText;
    const std::size_t caret = std::min(FUndoCaret, FUndoText.size());
    FText = FUndoText;
    FUndoText = std::move(before);
    FUndoCaret = SelMin();
    FAnchor = FCaret = Snap(caret);
    FLastOp = EditOp::Other;
    Modified = true;
    return FText != FUndoText;
}

std::size_t EditModel::NextChar(std::size_t pos) const {
    return pos >= FText.size() ? FText.size() : Utf8NextChar(FText, pos);
}

std::size_t EditModel::PrevChar(std::size_t pos) const {
    return pos == 0 ? 0 : Utf8PrevChar(FText, pos);
}

std::size_t EditModel::WordRight(std::size_t pos) const {
    const std::size_t n = FText.size();
    while (pos < n && FText[pos] != ' ')
        ++pos;
    while (pos < n && FText[pos] == ' ')
        ++pos;
    return pos;
}

std::size_t EditModel::WordLeft(std::size_t pos) const {
    pos = std::min(pos, FText.size());
    while (pos > 0 && FText[pos - 1] == ' ')
        --pos;
    while (pos > 0 && FText[pos - 1] != ' ')
        --pos;
    return pos;
}

void EditModel::WordAt(std::size_t pos, std::size_t& start, std::size_t& end) const {
    pos = std::min(pos, FText.size());
    const std::size_t n = FText.size();
    if (pos < n && FText[pos] == ' ') {
        // On blanks: the blanks and the word before them.
        start = pos;
        while (start > 0 && FText[start - 1] == ' ')
            --start;
        while (start > 0 && FText[start - 1] != ' ')
            --start;
    } else {
        start = pos;
        while (start > 0 && FText[start - 1] != ' ')
            --start;
    }
    end = start;
    while (end < n && FText[end] != ' ')
        ++end;
    while (end < n && FText[end] == ' ')
        ++end;
}

} // namespace vd
