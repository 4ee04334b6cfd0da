#pragma once
// The root of the class library's object tree and its notification event.
#include "platform/rtl/String.h"

#include <functional>

namespace vd {

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = default;
    TObject& operator=(const TObject&) = default;
    virtual ~TObject() = default;
    // The class name without namespace, as the library reports it ("TStringList").
    String ClassName() const;
};

using TNotifyEvent = std::function<void(TObject* sender)>;

// An object that can copy itself from another of a compatible class.
class TPersistent : public TObject {
public:
    // Raises EConvertError "Cannot assign a TX to a TY" when neither side knows the other.
    virtual void Assign(const TPersistent& source);

protected:
    virtual void AssignTo(TPersistent& dest) const;
};

} // namespace vd
