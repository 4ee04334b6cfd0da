#include "platform/rtl/Object.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"

#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

namespace vd {

String TObject::ClassName() const {
    const char* mangled = typeid(*this).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                     std::free);
    String name = status == 0 && demangled ? String(demangled.get()) : String(mangled);
    const std::size_t colon = name.rfind("::");
    return colon == String::npos ? name : name.substr(colon + 2);
}

void TPersistent::Assign(const TPersistent& source) {
    source.AssignTo(*this);
}

void TPersistent::AssignTo(TPersistent& dest) const {
    throw EConvertError(Format(rtl_msg::AssignError, ClassName(), dest.ClassName()));
}

} // namespace vd
