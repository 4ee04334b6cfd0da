#include "app/streams/TitleSession.h"

#include "app/core/Engine.h"

namespace vd {

TTitleSession::TResult TTitleSession::Finish(const String& raw) {
    FTitle = CutText(raw, kMaxTitle);
    FState = TState::Finished;
    return TResult::Done;
}

TTitleSession::TResult TTitleSession::Feed(const char* data, std::size_t size, String& reply) {
    for (std::size_t i = 0; i < size; ++i) {
        char c = data[i];
        switch (FState) {
        case TState::Password:
        case TState::TitleLine:
            if (c != '\n') {
                if (FBuffer.size() >= kMaxLine) return TResult::Close;
                FBuffer += c;
                break;
            }
            if (!FBuffer.empty() && FBuffer.back() == '\r') FBuffer.pop_back();
            if (FState == TState::TitleLine) return Finish(FBuffer);
            if (FBuffer != FPassword) {
                reply += "-";
                return TResult::Close;
            }
            FBuffer.clear();
            reply += FAsString ? ">" : ":";
            FState = FAsString ? TState::TitleLine : TState::Length;
            break;
        case TState::Length:
            FBuffer += c;
            if (FBuffer.size() < 2) break;
            FLength = static_cast<unsigned char>(FBuffer[0]) |
                      static_cast<std::size_t>(static_cast<unsigned char>(FBuffer[1])) << 8;
            FBuffer.clear();
            if (FLength == 0) return Finish(String());
            FState = TState::Bytes;
            break;
        case TState::Bytes:
            FBuffer += c;
            if (FBuffer.size() == FLength) return Finish(FBuffer.substr(0, FBuffer.find('\0')));
            break;
        case TState::Finished:
            return TResult::Done;
        }
    }
    return FState == TState::Finished ? TResult::Done : TResult::More;
}

} // namespace vd
