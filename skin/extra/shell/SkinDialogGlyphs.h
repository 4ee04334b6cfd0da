#pragma once
// The file dialogs' button pictures, drawn for the program: "SK_NEWFOLDER", "SK_BACK", "SK_UP"
// and "SK_LVSTYLE", 16 by 16 on a transparent colour in the bottom-left pixel.
#include "platform/vcl/Bitmap.h"

namespace vd {

// The picture named Name into Bitmap; false (Bitmap untouched) for a name that is none of them.
bool LoadDialogGlyph(const String& Name, TBitmap& Bitmap);

} // namespace vd
