#pragma once
// TStrings: the class library's abstract list of strings with an object per line, NAME=VALUE
// access, Text/CommaText and file and stream I/O. Descendants supply storage through the
// protected virtual slots (Get, GetCount, Put, Insert, ...), as TStringList does.
#include "platform/rtl/Object.h"

namespace vd {

class TStream;

class TStrings : public TPersistent {
public:
    ~TStrings() override = default;

    virtual int Add(const String& s);
    virtual int AddObject(const String& s, TObject* object);
    void Append(const String& s) { Add(s); }
    virtual void AddStrings(const TStrings& strings);
    void Assign(const TPersistent& source) override;
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }
    virtual void Clear() = 0;
    virtual void Delete(int index) = 0;
    virtual void Exchange(int index1, int index2);
    virtual void Insert(int index, const String& s) = 0;
    virtual void InsertObject(int index, const String& s, TObject* object);
    virtual void Move(int curIndex, int newIndex);
    // First index of s (compared by CompareStrings: case-insensitive unless a descendant says
    // otherwise), -1 when absent.
    virtual int IndexOf(const String& s) const;
    int IndexOfName(std::string_view name) const;
    int IndexOfObject(const TObject* object) const;
    bool Equals(const TStrings& other) const;

    int Count() const { return GetCount(); }
    String Strings(int index) const { return Get(index); }
    void SetStrings(int index, const String& s) { Put(index, s); }
    String operator[](int index) const { return Get(index); }
    TObject* Objects(int index) const { return GetObject(index); }
    void SetObjects(int index, TObject* object) { PutObject(index, object); }

    // NAME=VALUE lines: the name is the text before the first separator ("=").
    String Names(int index) const;
    String Values(std::string_view name) const;
    // An empty value deletes the line; a new name is added at the end.
    void SetValues(std::string_view name, const String& value);
    String ValueFromIndex(int index) const;
    void SetValueFromIndex(int index, const String& value);

    // Lines joined with LineBreak after each; setting splits at LF, CRLF or a lone CR.
    String Text() const;
    virtual void SetText(std::string_view text);
    String CommaText() const;
    void SetCommaText(std::string_view text);
    // Items separated by Delimiter; items holding blanks, delimiters or quotes are quoted.
    String DelimitedText() const;
    void SetDelimitedText(std::string_view text);

    // Reading strips a UTF-8 byte order mark; a missing file raises EFOpenError.
    void LoadFromFile(const String& fileName);
    virtual void LoadFromStream(TStream& stream);
    void SaveToFile(const String& fileName) const;
    virtual void SaveToStream(TStream& stream) const;

    char Delimiter = ',';
    char QuoteChar = '"';
    char NameValueSeparator = '=';
    bool StrictDelimiter = false;
    String LineBreak = "\n";

protected:
    virtual String Get(int index) const = 0;
    virtual int GetCount() const = 0;
    virtual TObject* GetObject(int index) const;
    virtual void Put(int index, const String& s);
    virtual void PutObject(int index, TObject* object);
    virtual void SetUpdateState(bool updating);
    virtual int CompareStrings(std::string_view a, std::string_view b) const;
    void AssignTo(TPersistent& dest) const override;

private:
    int FUpdateCount = 0;
    String JoinDelimited(char delimiter, char quoteChar, bool strict) const;
    void SplitDelimited(std::string_view text, char delimiter, char quoteChar, bool strict);
};

} // namespace vd
