#include "platform/rtl/Stream.h"

#include "platform/rtl/Exception.h"

#include <algorithm>
#include <cstring>

namespace vd {

void TStream::ReadBuffer(void* buffer, std::int64_t count) {
    if (count != 0 && Read(buffer, count) != count) RaiseReadError();
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count) {
    if (count != 0 && Write(buffer, count) != count) RaiseWriteError();
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    const std::int64_t total = count;
    std::vector<char> buf(static_cast<std::size_t>(std::min<std::int64_t>(count, 61440)));
    while (count > 0) {
        const std::int64_t n = std::min<std::int64_t>(count, static_cast<std::int64_t>(buf.size()));
        source.ReadBuffer(buf.data(), n);
        WriteBuffer(buf.data(), n);
        count -= n;
    }
    return total;
}

std::int64_t TStream::Size() {
    const std::int64_t pos = Seek(0, soCurrent);
    const std::int64_t size = Seek(0, soEnd);
    Seek(pos, soBeginning);
    return size;
}

void TStream::SetSize(std::int64_t) {}

namespace {

std::int64_t NewPosition(std::int64_t pos, std::int64_t size, std::int64_t offset, TSeekOrigin origin) {
    switch (origin) {
    case soBeginning:
        return offset;
    case soCurrent:
        return pos + offset;
    case soEnd:
        return size + offset;
    }
    return pos;
}

template <class Buf>
std::int64_t ReadFrom(const Buf& data, std::int64_t& pos, void* buffer, std::int64_t count) {
    const auto size = static_cast<std::int64_t>(data.size());
    if (count <= 0 || pos < 0 || pos >= size) return 0;
    const std::int64_t n = std::min(count, size - pos);
    std::memcpy(buffer, data.data() + pos, static_cast<std::size_t>(n));
    pos += n;
    return n;
}

template <class Buf>
std::int64_t WriteTo(Buf& data, std::int64_t& pos, const void* buffer, std::int64_t count) {
    if (count <= 0 || pos < 0) return 0;
    const std::int64_t end = pos + count;
    try {
        if (end > static_cast<std::int64_t>(data.size())) data.resize(static_cast<std::size_t>(end));
    } catch (const std::bad_alloc&) {
        throw EStreamError(rtl_msg::MemoryStreamError);
    }
    std::memcpy(data.data() + pos, buffer, static_cast<std::size_t>(count));
    pos = end;
    return count;
}

} // namespace

std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count) {
    return ReadFrom(FData, FPosition, buffer, count);
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count) {
    return WriteTo(FData, FPosition, buffer, count);
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    FPosition = NewPosition(FPosition, Size(), offset, origin);
    return FPosition;
}

void TMemoryStream::SetSize(std::int64_t size) {
    try {
        FData.resize(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)));
    } catch (const std::bad_alloc&) {
        throw EStreamError(rtl_msg::MemoryStreamError);
    }
    if (FPosition > Size()) FPosition = Size();
}

void TMemoryStream::Clear() {
    FData.clear();
    FData.shrink_to_fit();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
    stream.SetPosition(0);
    const std::int64_t size = stream.Size();
    SetSize(size);
    if (size) stream.ReadBuffer(FData.data(), size);
    FPosition = 0;
}

void TMemoryStream::LoadFromFile(const String& fileName) {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TMemoryStream::SaveToStream(TStream& stream) const {
    if (!FData.empty()) stream.WriteBuffer(FData.data(), static_cast<std::int64_t>(FData.size()));
}

void TMemoryStream::SaveToFile(const String& fileName) const {
    TFileStream stream(fileName, fmCreate);
    SaveToStream(stream);
}

std::int64_t TStringStream::Read(void* buffer, std::int64_t count) {
    return ReadFrom(FData, FPosition, buffer, count);
}

std::int64_t TStringStream::Write(const void* buffer, std::int64_t count) {
    return WriteTo(FData, FPosition, buffer, count);
}

std::int64_t TStringStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    FPosition = NewPosition(FPosition, Size(), offset, origin);
    return FPosition;
}

void TStringStream::SetSize(std::int64_t size) {
    FData.resize(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)));
    if (FPosition > Size()) FPosition = Size();
}

} // namespace vd
