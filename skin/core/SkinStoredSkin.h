#pragma once
// A whole skin kept as one zlib stream; the main window's resource carries it as the binary
// property "CompressedData".
#include "platform/rtl/String.h"
#include "platform/rtl/Types.h"
#include "platform/vcl/Component.h"

#include <memory>
#include <span>
#include <vector>

namespace vd {

class TskCompressedStoredSkin : public TComponent {
public:
    explicit TskCompressedStoredSkin(TComponent* AOwner = nullptr) : TComponent(AOwner) {}

    const String& FileName() const { return FFileName; }
    void SetFileName(const String& value) { FFileName = value; }
    const String& CompressedFileName() const { return FCompressedFileName; }
    void SetCompressedFileName(const String& value) { FCompressedFileName = value; }
    const String& Description() const { return FDescription; }
    void SetDescription(const String& value) { FDescription = value; }

    // The zlib stream exactly as stored; empty means no skin.
    const std::vector<Byte>& CompressedStream() const { return FCompressedStream; }
    void SetCompressedStream(std::vector<Byte> data) {
        FCompressedStream = std::move(data);
        FUnpacked.reset();
    }

    // The "CompressedData" property: read whole, written whole (also when empty).
    void ReadCompressedData(std::span<const Byte> bytes) {
        FCompressedStream.assign(bytes.begin(), bytes.end());
        FUnpacked.reset();
    }
    std::vector<Byte> WriteCompressedData() const { return FCompressedStream; }

    // Form resources: FileName, CompressedFileName, Description and the binary CompressedData,
    // which is always written.
    bool SetProperty(const String& name, const TPropValue& value) override;
    void GetProperties(TPropList& out) const override;

    bool IsDataEmpty() const { return FCompressedStream.empty(); }
    // Appends the inflated container to Dest; raises EZDecompressionError for a bad stream.
    // Every window's skin object loads this one stored skin: it is inflated once and kept.
    void UnpackToStream(std::vector<Byte>& dest) const;

private:
    String FFileName;
    String FCompressedFileName;
    String FDescription;
    std::vector<Byte> FCompressedStream;
    mutable std::shared_ptr<const std::vector<Byte>> FUnpacked; // null until a good inflate
};

} // namespace vd
