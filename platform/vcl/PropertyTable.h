#pragma once
// A class's published properties, declared once: the form reader sets them by name and the
// writer lists, in table order, the values that differ from their defaults. A class asks its
// own table first and its base class for any name the table lacks; the base writes first.
#include "platform/rtl/String.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Component.h"
#include "platform/vcl/PropValue.h"

#include <functional>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

namespace vd {

// How a table matches the names a resource gives; a few classes take any case.
enum class TNameMatch { Exact, IgnoreCase };

template <class T> class TPropertyTable {
public:
    using Setter = std::function<void(T&, const TPropValue&)>;
    // The value to write, or nothing when it is the default.
    using Getter = std::function<std::optional<TPropValue>(const T&)>;
    // Names under a prefix ("DefaultFont.Name", ...): false for a name the family lacks.
    using FieldSetter = std::function<bool(T&, const String& name, const TPropValue&)>;
    // A property naming another component: false when it is of another class.
    using LinkSetter = std::function<bool(T&, TComponent*)>;

    struct Entry {
        Entry(const char* name, Setter set, Getter get = {})
            : Name(name), Set(std::move(set)), Get(std::move(get)) {}
        Entry(const char* prefix, FieldSetter set) : Name(prefix), SetField(std::move(set)) {}
        Entry(const char* name, LinkSetter set, Getter get = {})
            : Name(name), Get(std::move(get)), SetLink(std::move(set)) {}
        String Name; // the prefix, for a field setter
        Setter Set;
        Getter Get;
        FieldSetter SetField;
        LinkSetter SetLink;
    };

    TPropertyTable(std::initializer_list<Entry> entries) : FEntries(entries) {}
    TPropertyTable(TNameMatch match, std::initializer_list<Entry> entries)
        : FEntries(entries), FMatch(match) {}
    // The entries several classes share, then the class's own.
    TPropertyTable(const TPropertyTable& shared, std::initializer_list<Entry> own)
        : FEntries(shared.FEntries), FMatch(shared.FMatch) {
        FEntries.insert(FEntries.end(), own);
    }

    // False for a name the table does not hold.
    bool Set(T& object, const String& name, const TPropValue& value) const {
        for (const Entry& e : FEntries) {
            if (e.SetField) {
                if (Matches(name.substr(0, e.Name.size()), e.Name) && e.SetField(object, name, value))
                    return true;
            } else if (e.Set && Matches(name, e.Name)) {
                e.Set(object, value);
                return true;
            }
        }
        return false;
    }

    // False for a name the table does not hold or a component of another class.
    bool SetComponent(T& object, const String& name, TComponent* value) const {
        for (const Entry& e : FEntries)
            if (e.SetLink && Matches(name, e.Name)) return e.SetLink(object, value);
        return false;
    }

    void Get(const T& object, TPropList& out) const {
        for (const Entry& e : FEntries)
            if (e.Get)
                if (std::optional<TPropValue> value = e.Get(object))
                    out.emplace_back(e.Name, std::move(*value));
    }

private:
    bool Matches(const String& name, const String& entry) const {
        return FMatch == TNameMatch::Exact ? name == entry : SameText(name, entry);
    }

    std::vector<Entry> FEntries;
    TNameMatch FMatch = TNameMatch::Exact;
};

// Building blocks for the entries: a reader turns the resource's value into the setter's
// argument; an access is a getter method, a data member or any callable on the object.
namespace props {

inline int AsInt(const TPropValue& v) {
    return static_cast<int>(v.AsInt());
}
inline Byte AsByte(const TPropValue& v) {
    return static_cast<Byte>(v.AsInt());
}
inline bool AsBool(const TPropValue& v) {
    return v.AsBool();
}
inline const String& AsText(const TPropValue& v) {
    return v.AsString();
}

// For a name the resources carry that has no effect here.
inline constexpr auto Ignored = [](auto&, const TPropValue&) {};

// Calls a setter method with the value read.
template <class Method, class Read> auto Call(Method method, Read read) {
    return [=](auto& object, const TPropValue& v) { std::invoke(method, object, std::invoke(read, v)); };
}

// Stores the value read in a data member.
template <class Member, class Read> auto Store(Member member, Read read) {
    return [=](auto& object, const TPropValue& v) { std::invoke(member, object) = std::invoke(read, v); };
}

// Always written.
template <class Access, class Make> auto Always(Access access, Make make) {
    return [=](const auto& object) -> std::optional<TPropValue> {
        return std::invoke(make, std::invoke(access, object));
    };
}

// Written when it differs from the default.
template <class Access, class V, class Make> auto Unless(Access access, V def, Make make) {
    return [=](const auto& object) -> std::optional<TPropValue> {
        const auto& value = std::invoke(access, object);
        if (value == def) return std::nullopt;
        return std::invoke(make, value);
    };
}

// Hands a component of class L to a setter method; false for any other component.
template <class L, class Method> auto Link(Method method) {
    return [=](auto& object, TComponent* value) {
        auto* link = dynamic_cast<L*>(value);
        if (!link) return false;
        std::invoke(method, object, link);
        return true;
    };
}

// A linked component is written by name; an unnamed one cannot be.
inline std::optional<TPropValue> LinkName(const TComponent* linked) {
    if (!linked || linked->Name().empty()) return std::nullopt;
    return TPropValue::FromIdent(linked->Name());
}

// Hands over the component as L, or nothing when it is of another class.
template <class L, class Method> auto LinkAny(Method method) {
    return [=](auto& object, TComponent* value) {
        std::invoke(method, object, dynamic_cast<L*>(value));
        return true;
    };
}

// The same, where no component at all empties the link.
template <class L, class Method> auto LinkOrNone(Method method) {
    return [=](auto& object, TComponent* value) {
        auto* link = dynamic_cast<L*>(value);
        if (value && !link) return false;
        std::invoke(method, object, link);
        return true;
    };
}

} // namespace props

} // namespace vd
