#pragma once
// A text that one thread writes and another reads: every access takes a short lock.
#include "platform/rtl/String.h"

#include <mutex>

namespace vd {

class TSharedText {
public:
    String Get() const {
        std::lock_guard<std::mutex> lock(FLock);
        return FText;
    }
    void Set(String text) {
        std::lock_guard<std::mutex> lock(FLock);
        FText = std::move(text);
    }
    void Clear() { Set(String()); }
    bool Empty() const {
        std::lock_guard<std::mutex> lock(FLock);
        return FText.empty();
    }

private:
    mutable std::mutex FLock;
    String FText;
};

} // namespace vd
