#pragma once
// A log: time-stamped texts, newest first, at most 255 items of at most 128 characters.
// Only the GUI thread writes and reads logs.
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/String.h"

#include <cstdint>
#include <deque>

namespace vd {

struct TLogItem {
    TDateTime Time = 0; // local date and time
    String Text;
};

class TLog {
public:
    static constexpr int MaxItems = 255;
    static constexpr int MaxTextLength = 128;

    // Puts the text (cut to 128 characters) first; the oldest item drops out beyond 255.
    void Add(TDateTime time, const String& text);
    // Stamps the text with the current local time.
    void Add(const String& text);
    void Clear() {
        FItems.clear();
        ++FChanges;
    }
    // Goes up with every change, so a view can tell that it shows an old state.
    std::uint64_t Changes() const { return FChanges; }

    int Count() const { return static_cast<int>(FItems.size()); }
    const TLogItem& Items(int index) const { return FItems[static_cast<std::size_t>(index)]; }

private:
    std::deque<TLogItem> FItems;
    std::uint64_t FChanges = 0;
};

} // namespace vd
