#pragma once
// A message spy: records every message that reaches a window procedure (sent or dispatched),
// with its result and nesting depth. Used by tests to check message sequences.
#include "platform/win/WinTypes.h"

#include <initializer_list>
#include <vector>

namespace vd {

struct SpyEntry {
    HWND hwnd = nullptr;
    UINT msg = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT result = 0;
    int depth = 0;       // 0 for a message that no other message is inside
    bool posted = false; // came from the queue through DispatchMessage
};

class MessageSpy {
public:
    MessageSpy(); // records every window until Watch() narrows it
    ~MessageSpy();
    MessageSpy(const MessageSpy&) = delete;
    MessageSpy& operator=(const MessageSpy&) = delete;

    void Watch(HWND hwnd);
    void Clear() { FEntries.clear(); }
    const std::vector<SpyEntry>& Entries() const { return FEntries; }
    // The message numbers, in order, of one window (null: all), keeping only those listed
    // (empty list: all).
    std::vector<UINT> Messages(HWND hwnd = nullptr, std::initializer_list<UINT> only = {}) const;
    // Entries of one message number for one window.
    std::vector<SpyEntry> Of(HWND hwnd, UINT msg) const;

    // Called by the core.
    static bool Active();
    static int Enter(HWND hwnd, UINT msg, WPARAM w, LPARAM l, bool posted);
    static void Leave(int token, LRESULT result);

private:
    bool Wants(HWND hwnd) const;
    std::vector<HWND> FWatched;
    std::vector<SpyEntry> FEntries;
};

} // namespace vd
