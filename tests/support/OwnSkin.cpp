#include "tests/support/OwnSkin.h"

#include "platform/rtl/Resources.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinStoredSkin.h"

#include <gtest/gtest.h>

namespace vd::test {

void ReadOwnSkin(TskCompressedStoredSkin& stored) {
    const std::string_view bytes = FindResource("SKIN", "QUILLMARSH");
    ASSERT_FALSE(bytes.empty());
    stored.ReadCompressedData({reinterpret_cast<const Byte*>(bytes.data()), bytes.size()});
}

void LoadOwnSkin(TskSkinData& skin, TskCompressedStoredSkin& stored) {
    ASSERT_NO_FATAL_FAILURE(ReadOwnSkin(stored));
    skin.LoadStoredSkin(&stored);
    ASSERT_FALSE(skin.Empty()) << skin.LastLoadError();
}

} // namespace vd::test
