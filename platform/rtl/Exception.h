#pragma once
// The class library's exception tree: every error the program raises carries a message text,
// and the texts are the library's own so that callers and tests can rely on them.
#include "platform/rtl/String.h"

#include <exception>

namespace vd {

class Exception : public std::exception {
public:
    explicit Exception(String message) : FMessage(std::move(message)) {}
    const String& Message() const { return FMessage; }
    void SetMessage(String message) { FMessage = std::move(message); }
    const char* what() const noexcept override { return FMessage.c_str(); }

private:
    String FMessage;
};

#define VD_EXCEPTION_CLASS(Name, Parent)                                                                     \
    class Name : public Parent {                                                                             \
    public:                                                                                                  \
        using Parent::Parent;                                                                                \
    }

VD_EXCEPTION_CLASS(EConvertError, Exception);
// "Invalid class typecast": a checked downcast that found another class.
VD_EXCEPTION_CLASS(EInvalidCast, Exception);
VD_EXCEPTION_CLASS(EStreamError, Exception);
VD_EXCEPTION_CLASS(EFilerError, EStreamError);
VD_EXCEPTION_CLASS(EReadError, EFilerError);
VD_EXCEPTION_CLASS(EWriteError, EFilerError);
VD_EXCEPTION_CLASS(EFOpenError, EStreamError);
VD_EXCEPTION_CLASS(EFCreateError, EStreamError);
VD_EXCEPTION_CLASS(EInOutError, Exception);
VD_EXCEPTION_CLASS(EListError, Exception);
VD_EXCEPTION_CLASS(EStringListError, Exception);
VD_EXCEPTION_CLASS(EOutOfMemory, Exception);
VD_EXCEPTION_CLASS(EIntError, Exception);
VD_EXCEPTION_CLASS(EIntOverflow, EIntError);
VD_EXCEPTION_CLASS(EDivByZero, EIntError);
VD_EXCEPTION_CLASS(ERangeError, EIntError);
VD_EXCEPTION_CLASS(EInvalidOperation, Exception);
VD_EXCEPTION_CLASS(EInvalidPointer, Exception);
VD_EXCEPTION_CLASS(EThread, Exception);
VD_EXCEPTION_CLASS(EIniFileException, Exception);

#undef VD_EXCEPTION_CLASS

// The library's message texts; a "%d" or "%s" is filled by the raiser.
namespace rtl_msg {
inline constexpr const char* InvalidInteger = "'%s' is not a valid integer value";
inline constexpr const char* InvalidFloat = "'%s' is not a valid floating point value";
inline constexpr const char* InvalidFormat = "Format '%s' invalid or incompatible with argument";
inline constexpr const char* ArgumentMissing = "No argument for format '%s'";
inline constexpr const char* DateEncodeError = "Invalid argument to date encode";
inline constexpr const char* TimeEncodeError = "Invalid argument to time encode";
inline constexpr const char* ListIndexError = "List index out of bounds (%d)";
inline constexpr const char* ListCapacityError = "List capacity out of bounds (%d)";
inline constexpr const char* DuplicateString = "String list does not allow duplicates";
inline constexpr const char* SortedListError = "Operation not allowed on sorted list";
inline constexpr const char* ReadError = "Stream read error";
inline constexpr const char* WriteError = "Stream write error";
inline constexpr const char* FOpenError = "Cannot open file \"%s\". %s";
inline constexpr const char* FCreateError = "Cannot create file \"%s\". %s";
inline constexpr const char* MemoryStreamError = "Out of memory while expanding memory stream";
inline constexpr const char* OutOfMemory = "Out of memory";
inline constexpr const char* IntOverflow = "Arithmetic overflow";
inline constexpr const char* DivByZero = "Division by zero";
inline constexpr const char* RangeError = "Range check error";
inline constexpr const char* AssignError = "Cannot assign a %s to a %s";
inline constexpr const char* ThreadError = "Thread Error: %s (%d)";
} // namespace rtl_msg

// Raisers for the texts with one placeholder, kept out of line so headers stay light.
[[noreturn]] void RaiseListError(int index);
[[noreturn]] void RaiseStringListError(int index);
[[noreturn]] void RaiseIntOverflow();
[[noreturn]] void RaiseReadError();
[[noreturn]] void RaiseWriteError();

} // namespace vd
