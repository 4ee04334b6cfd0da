#pragma once
// TStringList: TStrings kept in memory, optionally sorted (Find, Duplicates), with OnChanging /
// OnChange around every change (held back between BeginUpdate and EndUpdate).
#include "platform/rtl/Strings.h"

#include <vector>

namespace vd {

enum class TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList;
using TStringListSortCompare = int (*)(TStringList& list, int index1, int index2);

class TStringList : public TStrings {
public:
    TStringList() = default;
    ~TStringList() override;

    int Add(const String& s) override;
    int AddObject(const String& s, TObject* object) override;
    void Clear() override;
    void Delete(int index) override;
    void Exchange(int index1, int index2) override;
    void Insert(int index, const String& s) override;
    void InsertObject(int index, const String& s, TObject* object) override;
    int IndexOf(const String& s) const override;
    // Binary search of a sorted list; index is where s is or would be inserted.
    virtual bool Find(const String& s, int& index) const;
    virtual void Sort();
    virtual void CustomSort(TStringListSortCompare compare);

    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool value);
    TDuplicates Duplicates = TDuplicates::dupIgnore;
    // With OwnsObjects the list deletes the objects of deleted lines and on destruction.
    bool OwnsObjects = false;

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    String Get(int index) const override;
    int GetCount() const override { return static_cast<int>(FList.size()); }
    TObject* GetObject(int index) const override;
    void Put(int index, const String& s) override;
    void PutObject(int index, TObject* object) override;
    void SetUpdateState(bool updating) override;
    int CompareStrings(std::string_view a, std::string_view b) const override;
    virtual void Changed();
    virtual void Changing();

private:
    struct TStringItem {
        String FString;
        TObject* FObject = nullptr;
    };
    std::vector<TStringItem> FList;
    bool FSorted = false;
    bool FCaseSensitive = false;

    void Check(int index) const;
    void InsertItem(int index, const String& s, TObject* object);
};

} // namespace vd
