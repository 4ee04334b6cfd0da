#pragma once
// Errors of the drawing layer, with the class library's texts.
#include "platform/rtl/Exception.h"

namespace vd {

class EOutOfResources : public Exception {
public:
    EOutOfResources() : Exception("Out of system resources") {}
    using Exception::Exception;
};

class EInvalidGraphic : public Exception {
public:
    EInvalidGraphic() : Exception("Bitmap image is not valid") {}
    using Exception::Exception;
};

} // namespace vd
