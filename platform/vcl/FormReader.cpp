#include "platform/vcl/FormReader.h"

#include "platform/rtl/Exception.h"

#include <cctype>
#include <map>
#include <memory>

namespace vd {
namespace {

std::map<String, TFormReader::Factory>& Classes() {
    static std::map<String, TFormReader::Factory> map;
    return map;
}

constexpr int kMaxDepth = 64;
constexpr std::size_t kMaxText = 16 * 1024 * 1024;

class Parser {
public:
    Parser(const String& text, const TFormReader::EventBinder& binder) : FText(text), FBinder(binder) {}

    // object Name: Class ... end
    void ReadObject(TComponent* root, TComponent* existing, TComponent* container, int depth,
                    std::vector<TComponent*>& created, TComponent** out) {
        if (depth > kMaxDepth) Fail("Objects nested too deeply");
        ExpectWord("object");
        String name = Ident();
        String cls;
        if (Peek() == ':') {
            ++FPos;
            cls = Ident();
        } else {
            cls = name;
            name.clear();
        }
        TComponent* comp = existing;
        if (comp) {
            if (comp->ClassName() != cls) Fail("Root class " + cls + " does not match " + comp->ClassName());
        } else {
            comp = root && !name.empty() ? root->FindComponent(name) : nullptr;
            if (comp && comp->ClassName() != cls) Fail("Component " + name + " is not a " + cls);
            if (!comp) {
                auto it = Classes().find(cls);
                if (it == Classes().end()) Fail("Class " + cls + " not found");
                comp = it->second(root);
                if (!comp) Fail("Class " + cls + " could not be created");
                created.push_back(comp);
                comp->BeginLoading();
                if (!name.empty()) comp->SetName(name);
            }
            if (container) container->InsertReadChild(comp);
        }
        if (out) *out = comp;
        TComponent* childRoot = root ? root : comp;
        for (;;) {
            SkipSpace();
            if (AtWord("end")) {
                ExpectWord("end");
                return;
            }
            if (AtWord("object")) {
                ReadObject(childRoot, nullptr, comp, depth + 1, created, nullptr);
                continue;
            }
            if (FPos >= FText.size()) Fail("Unexpected end of text");
            const String prop = Ident();
            Expect('=');
            const TPropValue value = Value(depth);
            if (prop.size() > 2 && prop.compare(0, 2, "On") == 0 && value.Kind == TPropValue::vkIdent) {
                if (FBinder && !FBinder(comp, prop, value.Str)) Fail("Handler " + value.Str + " not found");
                comp->EventBindings.emplace_back(prop, value);
                continue;
            }
            bool known = false;
            try {
                known = comp->SetProperty(prop, value);
            } catch (const EReadError& e) {
                Fail(prop + ": " + e.Message());
            }
            // An identifier no setter took may name a component defined later: kept for the end.
            if (!known && value.Kind == TPropValue::vkIdent) {
                FFixups.push_back({comp, prop, value.Str, Line()});
                continue;
            }
            if (!known) Fail("Property " + prop + " does not exist");
        }
    }

    void End() {
        SkipSpace();
        if (FPos < FText.size()) Fail("Text after the last end");
    }

    // Component references, by name among the root's components (or the root itself).
    void ResolveFixups(TComponent* root) {
        for (const Fixup& f : FFixups) {
            TComponent* target = nullptr;
            if (root && f.name == root->Name())
                target = root;
            else if (root)
                target = root->FindComponent(f.name);
            const String where = "Form resource line " + std::to_string(f.line) + ": ";
            if (!target) throw EReadError(where + "Component " + f.name + " not found for " + f.prop);
            if (!f.comp->SetComponentProperty(f.prop, target))
                throw EReadError(where + "Property " + f.prop + " does not exist");
        }
        FFixups.clear();
    }

    [[noreturn]] void Fail(const String& what) {
        throw EReadError("Form resource line " + std::to_string(Line()) + ": " + what);
    }

private:
    struct Fixup {
        TComponent* comp;
        String prop;
        String name;
        int line;
    };
    std::vector<Fixup> FFixups;

    int Line() const {
        int line = 1;
        for (std::size_t i = 0; i < FPos && i < FText.size(); ++i)
            if (FText[i] == '\n') ++line;
        return line;
    }

    void SkipSpace() {
        while (FPos < FText.size()) {
            const char c = FText[FPos];
            if (c == '/' && FPos + 1 < FText.size() && FText[FPos + 1] == '/') {
                while (FPos < FText.size() && FText[FPos] != '\n')
                    ++FPos;
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                ++FPos;
            } else {
                break;
            }
        }
    }

    int Peek() {
        SkipSpace();
        return FPos < FText.size() ? static_cast<unsigned char>(FText[FPos]) : -1;
    }

    void Expect(char c) {
        if (Peek() != static_cast<unsigned char>(c)) Fail(String("'") + c + "' expected");
        ++FPos;
    }

    static bool IdentChar(char c, bool first) {
        return std::isalpha(static_cast<unsigned char>(c)) || c == '_' ||
               (!first && (std::isdigit(static_cast<unsigned char>(c)) || c == '.'));
    }

    String Ident() {
        SkipSpace();
        const std::size_t start = FPos;
        if (FPos >= FText.size() || !IdentChar(FText[FPos], true)) Fail("Identifier expected");
        while (FPos < FText.size() && IdentChar(FText[FPos], false))
            ++FPos;
        return FText.substr(start, FPos - start);
    }

    bool AtWord(const char* w) {
        SkipSpace();
        const String word(w);
        if (FText.compare(FPos, word.size(), word) != 0) return false;
        const std::size_t after = FPos + word.size();
        return after >= FText.size() || !IdentChar(FText[after], false);
    }

    void ExpectWord(const char* w) {
        if (!AtWord(w)) Fail(String("'") + w + "' expected");
        FPos += String(w).size();
    }

    // Quoted parts and #codes join when they touch or when '+' stands between them; parts
    // separated by blanks alone are separate values (items of a list).
    String StringPart() {
        String out;
        SkipSpace();
        for (;;) {
            if (FPos < FText.size() && FText[FPos] == '\'') {
                ++FPos;
                for (;;) {
                    if (FPos >= FText.size() || FText[FPos] == '\n') Fail("Unterminated string");
                    if (FText[FPos] == '\'') {
                        if (FPos + 1 < FText.size() && FText[FPos + 1] == '\'') {
                            out += '\'';
                            FPos += 2;
                            continue;
                        }
                        ++FPos;
                        break;
                    }
                    out += FText[FPos++];
                }
            } else if (FPos < FText.size() && FText[FPos] == '#') {
                ++FPos;
                long code = 0;
                int digits = 0;
                while (FPos < FText.size() && std::isdigit(static_cast<unsigned char>(FText[FPos])) &&
                       digits < 4) {
                    code = code * 10 + (FText[FPos++] - '0');
                    ++digits;
                }
                if (digits == 0 || code > 255) Fail("Invalid character code");
                out += static_cast<char>(code);
            } else {
                return out;
            }
            if (FPos < FText.size() && (FText[FPos] == '\'' || FText[FPos] == '#')) continue;
            const std::size_t afterPart = FPos;
            SkipSpace();
            if (FPos < FText.size() && FText[FPos] == '+') {
                ++FPos;
                SkipSpace();
                if (FPos >= FText.size() || (FText[FPos] != '\'' && FText[FPos] != '#'))
                    Fail("String expected");
            } else {
                FPos = afterPart;
                return out;
            }
        }
    }

    TPropValue Number() {
        const std::size_t start = FPos;
        if (FText[FPos] == '-' || FText[FPos] == '+') ++FPos;
        bool isFloat = false;
        while (FPos < FText.size() && (std::isdigit(static_cast<unsigned char>(FText[FPos])) ||
                                       FText[FPos] == '.' || FText[FPos] == 'e' || FText[FPos] == 'E')) {
            if (!std::isdigit(static_cast<unsigned char>(FText[FPos]))) isFloat = true;
            ++FPos;
        }
        const String t = FText.substr(start, FPos - start);
        TPropValue v;
        try {
            std::size_t used = 0;
            if (isFloat) {
                v.Kind = TPropValue::vkFloat;
                v.Float = std::stod(t, &used);
            } else {
                v.Int = std::stoll(t, &used);
            }
            if (used != t.size()) Fail("Invalid number " + t);
        } catch (const std::logic_error&) {
            Fail("Invalid number " + t);
        }
        return v;
    }

    TPropValue Value(int depth) {
        if (depth > kMaxDepth) Fail("Values nested too deeply");
        const int c = Peek();
        if (c == '\'' || c == '#') return TPropValue::FromString(StringPart());
        if (c == '-' || c == '+' || (c >= '0' && c <= '9')) return Number();
        if (c == '[') {
            ++FPos;
            TPropValue v;
            v.Kind = TPropValue::vkSet;
            if (Peek() == ']') {
                ++FPos;
                return v;
            }
            for (;;) {
                v.Set.push_back(Ident());
                if (Peek() == ',') {
                    ++FPos;
                    continue;
                }
                Expect(']');
                return v;
            }
        }
        if (c == '(') {
            ++FPos;
            TPropValue v;
            v.Kind = TPropValue::vkList;
            while (Peek() != ')') {
                if (Peek() < 0) Fail("')' expected");
                v.List.push_back(Value(depth + 1));
            }
            ++FPos;
            return v;
        }
        if (c == '{') {
            ++FPos;
            TPropValue v;
            v.Kind = TPropValue::vkBinary;
            int half = -1;
            for (;;) {
                SkipSpace();
                if (FPos >= FText.size()) Fail("'}' expected");
                const char h = FText[FPos++];
                if (h == '}') break;
                if (!std::isxdigit(static_cast<unsigned char>(h))) Fail("Invalid binary value");
                const int d =
                    std::isdigit(static_cast<unsigned char>(h)) ? h - '0' : (std::toupper(h) - 'A' + 10);
                if (half < 0) {
                    half = d;
                } else {
                    v.Binary.push_back(static_cast<Byte>(half * 16 + d));
                    half = -1;
                }
            }
            if (half >= 0) Fail("Odd number of hex digits");
            return v;
        }
        if (c >= 0 && IdentChar(static_cast<char>(c), true)) return TPropValue::FromIdent(Ident());
        Fail("Property value expected");
    }

    const String& FText;
    const TFormReader::EventBinder& FBinder;
    std::size_t FPos = 0;
};

void FinishLoading(TComponent* root, std::vector<TComponent*>& created) {
    for (TComponent* c : created)
        c->BeginLoading();
    root->EndLoading();
}

} // namespace

void TFormReader::RegisterClass(const String& className, Factory factory) {
    Classes()[className] = std::move(factory);
}

bool TFormReader::IsRegistered(const String& className) {
    return Classes().count(className) != 0;
}

void TFormReader::ReadRoot(const String& text, TComponent* root, const EventBinder& binder) {
    if (text.size() > kMaxText) throw EReadError("Form resource too large");
    Parser p(text, binder);
    std::vector<TComponent*> created;
    root->BeginLoading();
    try {
        p.ReadObject(root, root, nullptr, 0, created, nullptr);
        p.End();
        p.ResolveFixups(root);
    } catch (...) {
        for (auto it = created.rbegin(); it != created.rend(); ++it)
            (*it)->Free();
        root->EndLoading();
        throw;
    }
    FinishLoading(root, created);
}

TComponent* TFormReader::ReadComponent(const String& text, TComponent* owner, const EventBinder& binder) {
    if (text.size() > kMaxText) throw EReadError("Form resource too large");
    Parser p(text, binder);
    std::vector<TComponent*> created;
    TComponent* root = nullptr;
    try {
        p.ReadObject(nullptr, nullptr, nullptr, 0, created, &root);
        p.End();
        p.ResolveFixups(root);
    } catch (...) {
        // Children are owned by the root: freeing it frees them.
        if (!created.empty()) created.front()->Free();
        throw;
    }
    if (owner && root) owner->InsertComponent(root);
    FinishLoading(root, created);
    return root;
}

namespace {

String Quote(const String& s) {
    String out;
    bool inQuote = false;
    for (unsigned char c : s) {
        if (c < 32) {
            if (inQuote) out += '\'', inQuote = false;
            out += '#' + std::to_string(c);
        } else {
            if (!inQuote) out += '\'', inQuote = true;
            if (c == '\'') out += '\'';
            out += static_cast<char>(c);
        }
    }
    if (inQuote) out += '\'';
    if (out.empty()) out = "''";
    return out;
}

String ValueText(const TPropValue& v) {
    static const char* hex = "0123456789ABCDEF";
    switch (v.Kind) {
    case TPropValue::vkInt:
        return std::to_string(v.Int);
    case TPropValue::vkFloat: {
        String t = std::to_string(v.Float);
        return t;
    }
    case TPropValue::vkString:
        return Quote(v.Str);
    case TPropValue::vkIdent:
        return v.Str;
    case TPropValue::vkSet: {
        String t = "[";
        for (std::size_t i = 0; i < v.Set.size(); ++i)
            t += (i ? ", " : "") + v.Set[i];
        return t + "]";
    }
    case TPropValue::vkList: {
        String t = "(";
        for (std::size_t i = 0; i < v.List.size(); ++i)
            t += (i ? " " : "") + ValueText(v.List[i]);
        return t + ")";
    }
    case TPropValue::vkBinary: {
        String t = "{";
        for (Byte b : v.Binary)
            t += hex[b >> 4], t += hex[b & 15];
        return t + "}";
    }
    }
    return String();
}

void WriteObject(String& out, TComponent* c, const TComponent* root, int indent) {
    const String pad(static_cast<std::size_t>(indent) * 2, ' ');
    out += pad + "object " + (c->Name().empty() ? String() : c->Name() + ": ") + c->ClassName() + "\n";
    TPropList props;
    c->GetProperties(props);
    for (const auto& [name, value] : props)
        out += pad + "  " + name + " = " + ValueText(value) + "\n";
    for (const auto& [name, value] : c->EventBindings)
        out += pad + "  " + name + " = " + ValueText(value) + "\n";
    std::vector<TComponent*> kids;
    c->GetReadChildren(kids, root);
    for (TComponent* k : kids)
        WriteObject(out, k, root, indent + 1);
    out += pad + "end\n";
}

} // namespace

String WriteComponentText(TComponent* root) {
    String out;
    WriteObject(out, root, root, 0);
    return out;
}

} // namespace vd
