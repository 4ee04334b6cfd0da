#pragma once
// The multiple-document window of the demonstration program (vd_demo --mdi).
#include "platform/vcl/Forward.h"
#include "skin/core/Forward.h"
#include "skin/core/SkinStoredSkin.h"

#include <memory>

namespace vd {

class TMDIDemo {
public:
    TMDIDemo();
    ~TMDIDemo();
    // The skinned main window with its menu bar, tabs bar and two child windows.
    TForm* CreateWindow();

private:
    TForm* NewChild(const char* name, const char* caption, const char* text);

    std::unique_ptr<TskCompressedStoredSkin> FStored;
    TForm* FMain = nullptr;
    TskSkinData* FSkin = nullptr;
    int FChildren = 0;
};

} // namespace vd
