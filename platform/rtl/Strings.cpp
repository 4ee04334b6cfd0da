#include "platform/rtl/Strings.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/Stream.h"
#include "platform/rtl/SysUtils.h"

namespace vd {

int TStrings::Add(const String& s) {
    const int index = GetCount();
    Insert(index, s);
    return index;
}

int TStrings::AddObject(const String& s, TObject* object) {
    const int index = Add(s);
    PutObject(index, object);
    return index;
}

void TStrings::AddStrings(const TStrings& strings) {
    BeginUpdate();
    try {
        for (int i = 0; i < strings.Count(); ++i)
            AddObject(strings.Get(i), strings.GetObject(i));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::Assign(const TPersistent& source) {
    const auto* src = dynamic_cast<const TStrings*>(&source);
    if (!src) {
        TPersistent::Assign(source);
        return;
    }
    if (src == this) return;
    BeginUpdate();
    try {
        Clear();
        NameValueSeparator = src->NameValueSeparator;
        QuoteChar = src->QuoteChar;
        Delimiter = src->Delimiter;
        StrictDelimiter = src->StrictDelimiter;
        LineBreak = src->LineBreak;
        AddStrings(*src);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::AssignTo(TPersistent& dest) const {
    TPersistent::AssignTo(dest);
}

void TStrings::BeginUpdate() {
    if (FUpdateCount == 0) SetUpdateState(true);
    ++FUpdateCount;
}

void TStrings::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

void TStrings::Exchange(int index1, int index2) {
    BeginUpdate();
    try {
        const String s1 = Get(index1), s2 = Get(index2);
        TObject* o1 = GetObject(index1);
        TObject* o2 = GetObject(index2);
        Put(index1, s2);
        PutObject(index1, o2);
        Put(index2, s1);
        PutObject(index2, o1);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::InsertObject(int index, const String& s, TObject* object) {
    Insert(index, s);
    PutObject(index, object);
}

void TStrings::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex) return;
    BeginUpdate();
    try {
        const String s = Get(curIndex);
        TObject* o = GetObject(curIndex);
        Delete(curIndex);
        InsertObject(newIndex, s, o);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

int TStrings::IndexOf(const String& s) const {
    for (int i = 0; i < GetCount(); ++i)
        if (CompareStrings(Get(i), s) == 0) return i;
    return -1;
}

int TStrings::IndexOfName(std::string_view name) const {
    for (int i = 0; i < GetCount(); ++i) {
        const String s = Get(i);
        const std::size_t p = s.find(NameValueSeparator);
        if (p != String::npos && CompareStrings(std::string_view(s).substr(0, p), name) == 0) return i;
    }
    return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
    for (int i = 0; i < GetCount(); ++i)
        if (GetObject(i) == object) return i;
    return -1;
}

bool TStrings::Equals(const TStrings& other) const {
    if (GetCount() != other.GetCount()) return false;
    for (int i = 0; i < GetCount(); ++i)
        if (Get(i) != other.Get(i)) return false;
    return true;
}

TObject* TStrings::GetObject(int) const {
    return nullptr;
}

void TStrings::PutObject(int, TObject*) {}

void TStrings::Put(int index, const String& s) {
    TObject* object = GetObject(index);
    Delete(index);
    InsertObject(index, s, object);
}

int TStrings::CompareStrings(std::string_view a, std::string_view b) const {
    return CompareText(a, b);
}

String TStrings::Names(int index) const {
    const String s = Get(index);
    const std::size_t p = s.find(NameValueSeparator);
    return p == String::npos ? String() : s.substr(0, p);
}

String TStrings::Values(std::string_view name) const {
    const int i = IndexOfName(name);
    return i >= 0 ? ValueFromIndex(i) : String();
}

void TStrings::SetValues(std::string_view name, const String& value) {
    const int i = IndexOfName(name);
    if (value.empty()) {
        if (i >= 0) Delete(i);
        return;
    }
    const String line = String(name) + NameValueSeparator + value;
    if (i >= 0)
        Put(i, line);
    else
        Add(line);
}

String TStrings::ValueFromIndex(int index) const {
    const String s = Get(index);
    const std::size_t p = s.find(NameValueSeparator);
    return p == String::npos ? String() : s.substr(p + 1);
}

void TStrings::SetValueFromIndex(int index, const String& value) {
    if (index < 0) {
        if (!value.empty()) Add(String(1, NameValueSeparator) + value);
        return;
    }
    if (value.empty()) {
        Delete(index);
        return;
    }
    Put(index, Names(index) + NameValueSeparator + value);
}

String TStrings::Text() const {
    String out;
    for (int i = 0; i < GetCount(); ++i) {
        out += Get(i);
        out += LineBreak;
    }
    return out;
}

void TStrings::SetText(std::string_view text) {
    BeginUpdate();
    try {
        Clear();
        std::size_t i = 0;
        while (i < text.size()) {
            std::size_t e = i;
            while (e < text.size() && text[e] != '\n' && text[e] != '\r')
                ++e;
            Add(String(text.substr(i, e - i)));
            if (e < text.size() && text[e] == '\r') ++e;
            if (e < text.size() && text[e] == '\n') ++e;
            i = e;
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

String TStrings::JoinDelimited(char delimiter, char quoteChar, bool strict) const {
    String out;
    for (int i = 0; i < GetCount(); ++i) {
        if (i) out += delimiter;
        const String s = Get(i);
        bool quote = s.empty() && delimiter == ',' && !strict;
        for (char c : s) {
            if (c == quoteChar || c == delimiter || (!strict && static_cast<unsigned char>(c) <= ' ')) {
                quote = true;
                break;
            }
        }
        if (!quote) {
            out += s;
            continue;
        }
        out += quoteChar;
        for (char c : s) {
            out += c;
            if (c == quoteChar) out += c;
        }
        out += quoteChar;
    }
    return out;
}

void TStrings::SplitDelimited(std::string_view text, char delimiter, char quoteChar, bool strict) {
    auto isBlank = [&](char c) { return !strict && static_cast<unsigned char>(c) <= ' '; };
    BeginUpdate();
    try {
        Clear();
        std::size_t i = 0;
        while (i < text.size() && isBlank(text[i]))
            ++i;
        while (i < text.size()) {
            String item;
            if (text[i] == quoteChar) {
                for (++i; i < text.size(); ++i) {
                    if (text[i] != quoteChar) {
                        item += text[i];
                    } else if (i + 1 < text.size() && text[i + 1] == quoteChar) {
                        item += quoteChar;
                        ++i;
                    } else {
                        ++i;
                        break;
                    }
                }
            } else {
                while (i < text.size() && text[i] != delimiter && !isBlank(text[i]))
                    item += text[i++];
            }
            Add(item);
            while (i < text.size() && isBlank(text[i]))
                ++i;
            if (i < text.size() && text[i] == delimiter) {
                ++i;
                while (i < text.size() && isBlank(text[i]))
                    ++i;
                if (i >= text.size()) Add(String()); // a trailing delimiter ends with an empty item
            }
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

String TStrings::DelimitedText() const {
    return JoinDelimited(Delimiter, QuoteChar, StrictDelimiter);
}

void TStrings::SetDelimitedText(std::string_view text) {
    SplitDelimited(text, Delimiter, QuoteChar, StrictDelimiter);
}

String TStrings::CommaText() const {
    return JoinDelimited(',', '"', false);
}

void TStrings::SetCommaText(std::string_view text) {
    SplitDelimited(text, ',', '"', false);
}

void TStrings::LoadFromFile(const String& fileName) {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TStrings::LoadFromStream(TStream& stream) {
    const std::int64_t size = stream.Size() - stream.Position();
    String text(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (!text.empty()) stream.ReadBuffer(text.data(), static_cast<std::int64_t>(text.size()));
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
    SetText(text);
}

void TStrings::SaveToFile(const String& fileName) const {
    TFileStream stream(fileName, fmCreate);
    SaveToStream(stream);
}

void TStrings::SaveToStream(TStream& stream) const {
    const String text = Text();
    stream.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
}

} // namespace vd
