#pragma once
// The class library's exception root: every error the program raises carries a message text.
#include "platform/rtl/String.h"

#include <exception>

namespace vd {

class Exception : public std::exception {
public:
    explicit Exception(String message) : FMessage(std::move(message)) {}
    const String& Message() const { return FMessage; }
    const char* what() const noexcept override { return FMessage.c_str(); }

private:
    String FMessage;
};

} // namespace vd
