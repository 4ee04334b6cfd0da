#pragma once
// The scroll bar's composed track and thumb faces, kept per size and state: a bar repaints on
// every move of its thumb, and composing from the skin picture each time costs more than the
// rest of the paint.
#include "platform/rtl/Types.h"
#include "platform/vcl/Bitmap.h"
#include "skin/core/Forward.h"
#include "skin/store/Forward.h"

#include <functional>
#include <memory>

namespace vd {

// Everything a face depends on: a new skin load, picture, rectangle or size makes another face.
struct TskFaceKey {
    const TskSkinData* Skin = nullptr;
    unsigned Generation = 0;
    int Record = -1;
    const TskBitmap* Source = nullptr;
    TRect Face, Glyph;
    int W = 0, H = 0;
    int Variant = 0; // how the owner composes (kind, stretch)
    friend bool operator==(const TskFaceKey&, const TskFaceKey&) = default;
};

class TskFaceCache {
public:
    // The face for Key, made by Compose (into a bitmap of the face's size) when the kept one
    // was made for another key.
    TBitmap& Get(const TskFaceKey& key, const std::function<void(TBitmap&)>& compose);
    void Clear() { FPicture.reset(); }
    unsigned Compositions() const { return FCompositions; }

private:
    TskFaceKey FKey;
    std::unique_ptr<TBitmap> FPicture;
    unsigned FCompositions = 0;
};

} // namespace vd
