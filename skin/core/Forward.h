#pragma once
// The skin object and its components, declared for headers that hold only pointers or references.

namespace vd {

class TskCompressedStoredSkin;
class TskRegion;
class TskResourceStrData;
class TskSkinData;

} // namespace vd
