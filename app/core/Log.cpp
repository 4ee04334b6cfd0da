#include "app/core/Log.h"

#include "app/core/Engine.h"

namespace vd {

void TLog::Add(TDateTime time, const String& text) {
    FItems.push_front(TLogItem{time, CutText(text, MaxTextLength)});
    while (static_cast<int>(FItems.size()) > MaxItems)
        FItems.pop_back();
    ++FChanges;
}

void TLog::Add(const String& text) {
    Add(Now(), text);
}

} // namespace vd
