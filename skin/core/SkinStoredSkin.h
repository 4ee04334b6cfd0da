#pragma once
// The stored skin as a component: the main window's resource carries its stream as the binary
// property "CompressedData".
#include "platform/rtl/String.h"
#include "platform/rtl/Types.h"
#include "platform/vcl/Component.h"
#include "platform/vcl/Forward.h"
#include "skin/store/SkinStoredStream.h"

#include <span>
#include <vector>

namespace vd {

class TskCompressedStoredSkin : public TComponent, public TskStoredSkinStream {
public:
    explicit TskCompressedStoredSkin(TComponent* AOwner = nullptr) : TComponent(AOwner) {}

    const String& FileName() const { return FFileName; }
    void SetFileName(const String& value) { FFileName = value; }
    const String& CompressedFileName() const { return FCompressedFileName; }
    void SetCompressedFileName(const String& value) { FCompressedFileName = value; }
    const String& Description() const { return FDescription; }
    void SetDescription(const String& value) { FDescription = value; }

    // The "CompressedData" property: read whole, written whole (also when empty).
    void ReadCompressedData(std::span<const Byte> bytes) {
        SetCompressedStream(std::vector<Byte>(bytes.begin(), bytes.end()));
    }
    std::vector<Byte> WriteCompressedData() const { return CompressedStream(); }

    // Form resources: FileName, CompressedFileName, Description and the binary CompressedData,
    // which is always written.
    bool SetProperty(const String& name, const TPropValue& value) override;
    void GetProperties(TPropList& out) const override;

private:
    static const TPropertyTable<TskCompressedStoredSkin>& Properties();
    String FFileName;
    String FCompressedFileName;
    String FDescription;
};

} // namespace vd
