#pragma once
// Sends the painted parts of a top-level window's surface to its X window. Where the server
// offers MIT-SHM and a probe shows that it can read our shared memory (not so across machines
// or IPC namespaces), each window keeps one shared image and only the parts are converted and
// put; otherwise each part goes through XPutImage. Either way, pixels outside the parts are not
// touched, converted or sent.
#include "platform/rtl/Types.h"
#include "platform/win/x11/X11Connection.h"

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace vd {

class GdiBitmap;

class X11Upload {
public:
    enum class Mode { Auto, Plain };
    explicit X11Upload(X11Connection& conn, Mode mode = Mode::Auto);
    ~X11Upload();
    X11Upload(const X11Upload&) = delete;
    X11Upload& operator=(const X11Upload&) = delete;

    // The parts (clipped to the surface) of a 24-bit surface to the window. Not flushed.
    void Put(XId window, const GdiBitmap& surface, const std::vector<TRect>& parts);
    // The window is gone: its shared image is given back.
    void Forget(XId window);
    // Whether the shared-memory path is in use (probed at the first call).
    bool SharedMemory();
    std::uint64_t PixelsSent() const { return FPixelsSent; }

private:
    struct TShared;
    bool Probe();
    TShared* SharedFor(XId window, int w, int h);
    void PutShared(XId window, TShared& image, const GdiBitmap& surface, const TRect& part);
    void PutPlain(XId window, const GdiBitmap& surface, const TRect& part);
    void WaitServerDone();

    X11Connection& FConn;
    Mode FMode;
    int FShm = -1; // -1 not probed yet, 0 no, 1 yes
    bool FPutPending = false;
    void* FGc = nullptr;
    std::unordered_map<XId, std::unique_ptr<TShared>> FShared;
    std::vector<std::uint32_t> FScratch;
    std::uint64_t FPixelsSent = 0;
};

// Adds R to a short list of damaged rectangles: merged into one it overlaps or touches, and
// the whole list folded into its bounding box past Limit entries.
void AddDamage(std::vector<TRect>& damage, const TRect& r, std::size_t limit = 8);

} // namespace vd
