#include "platform/rtl/Exception.h"

#include "platform/rtl/Format.h"

namespace vd {

void RaiseListError(int index) {
    throw EListError(Format(rtl_msg::ListIndexError, index));
}

void RaiseStringListError(int index) {
    throw EStringListError(Format(rtl_msg::ListIndexError, index));
}

void RaiseIntOverflow() {
    throw EIntOverflow(rtl_msg::IntOverflow);
}

void RaiseReadError() {
    throw EReadError(rtl_msg::ReadError);
}

void RaiseWriteError() {
    throw EWriteError(rtl_msg::WriteError);
}

} // namespace vd
