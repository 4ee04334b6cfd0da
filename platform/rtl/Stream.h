#pragma once
// Streams as in the class library: TStream with ReadBuffer/WriteBuffer raising "Stream read
// error"/"Stream write error", a growable TMemoryStream, a TFileStream over a file descriptor
// and a TStringStream over a String.
#include "platform/rtl/Object.h"

#include <cstdint>
#include <vector>

namespace vd {

enum TSeekOrigin { soBeginning = 0, soCurrent = 1, soEnd = 2 };

// File modes: one access mode or fmCreate, or-ed with a share flag (accepted and ignored).
inline constexpr unsigned fmOpenRead = 0x0000;
inline constexpr unsigned fmOpenWrite = 0x0001;
inline constexpr unsigned fmOpenReadWrite = 0x0002;
inline constexpr unsigned fmShareCompat = 0x0000;
inline constexpr unsigned fmShareExclusive = 0x0010;
inline constexpr unsigned fmShareDenyWrite = 0x0020;
inline constexpr unsigned fmShareDenyRead = 0x0030;
inline constexpr unsigned fmShareDenyNone = 0x0040;
inline constexpr unsigned fmCreate = 0xFF00;

class TStream : public TObject {
public:
    // Up to count bytes; returns the number moved.
    virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
    virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

    void ReadBuffer(void* buffer, std::int64_t count);
    void WriteBuffer(const void* buffer, std::int64_t count);
    // Copies count bytes from source's position; count 0 copies the whole source from its start.
    std::int64_t CopyFrom(TStream& source, std::int64_t count);

    std::int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(std::int64_t pos) { Seek(pos, soBeginning); }
    virtual std::int64_t Size();
    virtual void SetSize(std::int64_t size);
};

class TMemoryStream : public TStream {
public:
    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override { return static_cast<std::int64_t>(FData.size()); }
    void SetSize(std::int64_t size) override;

    void Clear();
    const std::uint8_t* Memory() const { return FData.data(); }
    std::uint8_t* Memory() { return FData.data(); }
    std::string_view View() const { return {reinterpret_cast<const char*>(FData.data()), FData.size()}; }
    void LoadFromStream(TStream& stream);
    void LoadFromFile(const String& fileName);
    void SaveToStream(TStream& stream) const;
    void SaveToFile(const String& fileName) const;

private:
    std::vector<std::uint8_t> FData;
    std::int64_t FPosition = 0;
};

class TStringStream : public TStream {
public:
    explicit TStringStream(String data = {}) : FData(std::move(data)) {}
    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override { return static_cast<std::int64_t>(FData.size()); }
    void SetSize(std::int64_t size) override;
    const String& DataString() const { return FData; }

private:
    String FData;
    std::int64_t FPosition = 0;
};

// Opening fails with EFOpenError, creating with EFCreateError, both naming the file and the
// system's reason. fmCreate truncates or creates the file (mode 0666 less the umask).
class TFileStream : public TStream {
public:
    TFileStream(const String& fileName, unsigned mode);
    // With fmCreate: the permission bits of a newly created file.
    TFileStream(const String& fileName, unsigned mode, unsigned rights);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    void SetSize(std::int64_t size) override;
    const String& FileName() const { return FFileName; }
    int Handle() const { return FHandle; }

private:
    String FFileName;
    int FHandle = -1;
};

} // namespace vd
