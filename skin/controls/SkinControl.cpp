#include "skin/controls/SkinControl.h"

namespace vd {

void TskSkinControl::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_PAINT: {
        struct Mark {
            bool& Flag;
            explicit Mark(bool& f) : Flag(f) { Flag = true; }
            ~Mark() { Flag = false; }
        } mark(FInsidePaint);
        TCustomControl::WndProc(Message);
        return;
    }
    case WM_ERASEBKGND:
        // The off-screen paint covers everything; erasing first would only flicker.
        if (PaintsOnErase() && !FInsidePaint && Message.WParam) PaintWindow(Message.WParam);
        Message.Result = 1;
        return;
    default:
        TCustomControl::WndProc(Message);
    }
}

} // namespace vd
