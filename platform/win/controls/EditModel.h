#pragma once
// The text, selection and undo of a single-line edit, apart from any window. Positions are
// byte offsets into UTF-8 text, always on a character boundary. Every mutation goes through
// one gate that checks ReadOnly, so no path (typing, deleting, cut, paste, undo, input
// method) can change a read-only edit.
#include "platform/rtl/String.h"

#include <cstddef>

namespace vd {

enum class EditCase { Normal, Upper, Lower };

// How a change merges into the undo step before it: a run of typed characters and a run of
// deletions each undo as one step.
enum class EditOp { Other, Typing, Deleting };

class EditModel {
public:
    const String& Text() const { return FText; }
    // Text from code: not limited, case applied, selection (0,0), undo emptied, unmodified.
    // False when the text stayed the same.
    bool SetText(std::string_view text);

    std::size_t Anchor() const { return FAnchor; }
    std::size_t Caret() const { return FCaret; }
    std::size_t SelMin() const { return FAnchor < FCaret ? FAnchor : FCaret; }
    std::size_t SelMax() const { return FAnchor < FCaret ? FCaret : FAnchor; }
    bool HasSelection() const { return FAnchor != FCaret; }
    String SelText() const { return FText.substr(SelMin(), SelMax() - SelMin()); }
    // start -1: keep the caret and drop the selection; otherwise both are taken unsigned and
    // clamped to the length (so (0, -1) selects all).
    void SetSel(long long start, long long end);
    // Moves the caret; extend keeps the anchor.
    void MoveTo(std::size_t pos, bool extend);

    // User edits: true when the text changed.
    bool ReplaceSel(std::string_view text, EditOp op = EditOp::Other);
    bool TypeChar(char32_t ch);
    bool DeleteBack();    // selection or the character before the caret
    bool DeleteForward(); // selection or the character after the caret
    bool DeleteWordBack();
    bool DeleteToEnd();
    bool Undo(); // swaps with the text before the last edit: a second undo redoes
    bool CanUndo() const { return FCanUndo; }
    void EmptyUndo() { FCanUndo = false; }

    std::size_t NextChar(std::size_t pos) const;
    std::size_t PrevChar(std::size_t pos) const;
    // Space-delimited words: the start of the next word after trailing spaces / the start of
    // the current or previous word.
    std::size_t WordRight(std::size_t pos) const;
    std::size_t WordLeft(std::size_t pos) const;
    // The word around pos plus its trailing spaces.
    void WordAt(std::size_t pos, std::size_t& start, std::size_t& end) const;

    // Typed or pasted text as the edit takes it: cut at the first line break, other codes
    // below 32 dropped, case applied.
    String Filter(std::string_view text) const;

    std::size_t Limit = 0; // bytes; 0: none
    EditCase Case = EditCase::Normal;
    bool ReadOnly = false;
    bool Modified = false;

private:
    bool Commit(String text, std::size_t caret, EditOp op);
    String ApplyCase(std::string_view text) const;
    std::size_t Snap(std::size_t pos) const;

    String FText;
    std::size_t FAnchor = 0;
    std::size_t FCaret = 0;
    String FUndoText;
    std::size_t FUndoCaret = 0;
    bool FCanUndo = false;
    EditOp FLastOp = EditOp::Other;
    std::size_t FLastCaret = 0;
};

} // namespace vd
