#include "platform/rtl/StringList.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Stream.h"

#include <gtest/gtest.h>

namespace vd {
namespace {

std::vector<String> Lines(const TStrings& s) {
    std::vector<String> out;
    for (int i = 0; i < s.Count(); ++i)
        out.push_back(s[i]);
    return out;
}

using V = std::vector<String>;

TEST(TStringList, TextSplitsAtEveryLineBreakKind) {
    struct TCase {
        const char* Text;
        V Want;
    };
    const TCase cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\n", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\nc", {"a", "b", "c"}},
        {"a\n\nb", {"a", "", "b"}},
        {"\n", {""}},
        {"a\r\n\r\n", {"a", ""}},
    };
    for (const TCase& c : cases) {
        TStringList list;
        list.SetText(c.Text);
        EXPECT_EQ(Lines(list), c.Want) << c.Text;
    }
    TStringList list;
    list.SetText("x\r\ny");
    EXPECT_EQ(list.Text(), "x\ny\n");
    list.LineBreak = "\r\n";
    EXPECT_EQ(list.Text(), "x\r\ny\r\n");
}

TEST(TStringList, CommaTextQuotesWhatNeedsIt) {
    TStringList list;
    for (const char* s : {"plain", "two words", "", "say \"hi\"", "a,b"})
        list.Add(s);
    EXPECT_EQ(list.CommaText(), "plain,\"two words\",\"\",\"say \"\"hi\"\"\",\"a,b\"");
    TStringList back;
    back.SetCommaText(list.CommaText());
    EXPECT_EQ(Lines(back), Lines(list));
    back.SetCommaText("a b, c ,\"d e\",");
    EXPECT_EQ(Lines(back), (V{"a", "b", "c", "d e", ""}));
    back.Delimiter = ';';
    back.StrictDelimiter = true;
    back.SetDelimitedText("1.2.3.*; 10.*.*.*");
    EXPECT_EQ(Lines(back), (V{"1.2.3.*", " 10.*.*.*"}));
}

TEST(TStringList, IndexOfIgnoresCaseUnlessCaseSensitive) {
    TStringList list;
    list.Add("Stream001");
    list.Add("Setting");
    EXPECT_EQ(list.IndexOf("STREAM001"), 0);
    EXPECT_EQ(list.IndexOf("setting"), 1);
    EXPECT_EQ(list.IndexOf("Stream002"), -1);
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf("STREAM001"), -1);
    EXPECT_EQ(list.IndexOf("Stream001"), 0);
}

TEST(TStringList, SortedListsFindAndHandleDuplicates) {
    TStringList list;
    for (const char* s : {"Stream002", "Setting", "stream001", "E-mail", "Stream1000", "Stream101"})
        list.Add(s);
    list.SetSorted(true);
    EXPECT_EQ(Lines(list), (V{"E-mail", "Setting", "stream001", "Stream002", "Stream1000", "Stream101"}));
    int index = -1;
    EXPECT_TRUE(list.Find("STREAM002", index));
    EXPECT_EQ(index, 3);
    EXPECT_FALSE(list.Find("Stream0015", index));
    EXPECT_EQ(index, 3);
    EXPECT_EQ(list.Add("Plugins"), 1);
    EXPECT_EQ(list.Add("SETTING"), 2); // dupIgnore: the existing line
    EXPECT_EQ(list.Count(), 7);
    list.Duplicates = TDuplicates::dupError;
    try {
        list.Add("setting");
        ADD_FAILURE();
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), "String list does not allow duplicates");
    }
    list.Duplicates = TDuplicates::dupAccept;
    EXPECT_EQ(list.Add("setting"), 3); // after its equal
    EXPECT_EQ(list.Count(), 8);
    try {
        list.Insert(0, "x");
        ADD_FAILURE();
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), "Operation not allowed on sorted list");
    }
    EXPECT_THROW(list.SetStrings(0, "x"), EStringListError);
}

TEST(TStringList, BadIndexesRaiseStringListError) {
    TStringList list;
    list.Add("a");
    const std::pair<int, std::function<void()>> bad[] = {
        {1, [&] { list.Strings(1); }},     {-1, [&] { list.Objects(-1); }},
        {3, [&] { list.Delete(3); }},      {2, [&] { list.Insert(2, "x"); }},
        {1, [&] { list.Exchange(0, 1); }}, {1, [&] { list.SetStrings(1, "x"); }},
    };
    for (const auto& [index, call] : bad) {
        try {
            call();
            ADD_FAILURE() << index;
        } catch (const EStringListError& e) {
            EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(index) + ")");
        }
    }
}

TEST(TStringList, NameValueAccess) {
    TStringList list;
    list.SetText("Language=English\nMSG.Start=Go\nnoequals\nEmpty=\n=orphan");
    EXPECT_EQ(list.Names(0), "Language");
    EXPECT_EQ(list.Names(2), "");
    EXPECT_EQ(list.Values("language"), "English");
    EXPECT_EQ(list.Values("MSG.START"), "Go");
    EXPECT_EQ(list.Values("missing"), "");
    EXPECT_EQ(list.ValueFromIndex(4), "orphan");
    EXPECT_EQ(list.IndexOfName("empty"), 3);
    EXPECT_EQ(list.IndexOfName("noequals"), -1);
    list.SetValues("Language", "Deutsch");
    EXPECT_EQ(list[0], "Language=Deutsch");
    list.SetValues("New", "1");
    EXPECT_EQ(list[list.Count() - 1], "New=1");
    list.SetValues("MSG.Start", "");
    EXPECT_EQ(list.IndexOfName("MSG.Start"), -1);
    list.SetValueFromIndex(0, "x=y");
    EXPECT_EQ(list[0], "Language=x=y");
    EXPECT_EQ(list.ValueFromIndex(0), "x=y");
}

TEST(TStringList, ChangeEventsFollowUpdates) {
    TStringList list;
    int changing = 0, changed = 0;
    TObject* sender = nullptr;
    list.OnChanging = [&](TObject*) { ++changing; };
    list.OnChange = [&](TObject* s) {
        ++changed;
        sender = s;
    };
    list.Add("a");
    list.Add("b");
    EXPECT_EQ(changing, 2);
    EXPECT_EQ(changed, 2);
    EXPECT_EQ(sender, &list);
    list.BeginUpdate();
    list.Add("c");
    list.Delete(0);
    list.BeginUpdate();
    list.Clear();
    list.EndUpdate();
    EXPECT_EQ(changed, 2);
    list.EndUpdate();
    EXPECT_EQ(changing, 3);
    EXPECT_EQ(changed, 3);
    list.SetText("x\ny\nz");
    EXPECT_EQ(changed, 4); // one event for the whole text
}

TEST(TStringList, AssignCopiesStringsAndObjects) {
    TStringList src, dst;
    TObject o1, o2;
    src.AddObject("one", &o1);
    src.AddObject("two", &o2);
    dst.Add("old");
    int changed = 0;
    dst.OnChange = [&](TObject*) { ++changed; };
    dst.Assign(src);
    EXPECT_EQ(Lines(dst), (V{"one", "two"}));
    EXPECT_EQ(dst.Objects(1), &o2);
    EXPECT_EQ(dst.IndexOfObject(&o1), 0);
    EXPECT_EQ(changed, 1);
    EXPECT_TRUE(dst.Equals(src));
    dst.Move(0, 1);
    EXPECT_EQ(Lines(dst), (V{"two", "one"}));
    EXPECT_EQ(dst.Objects(1), &o1);
    try {
        TPersistent p;
        dst.Assign(p);
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a TPersistent to a TStringList");
    }
}

TEST(TStringList, CustomSortAndOwnedObjects) {
    TStringList list;
    list.OwnsObjects = true;
    for (const char* s : {"Stream10", "Stream9", "Stream100"})
        list.AddObject(s, new TObject);
    list.CustomSort(
        [](TStringList& l, int i, int j) { return std::stoi(l[i].substr(6)) - std::stoi(l[j].substr(6)); });
    EXPECT_EQ(Lines(list), (V{"Stream9", "Stream10", "Stream100"}));
    list.Delete(0); // ASan would report the object if it leaked
}

TEST(TStringList, StreamsRoundTripAndDropAByteOrderMark) {
    TMemoryStream mem;
    const String bom = "\xEF\xBB\xBF";
    TStringList loaded;
    TStringStream in(bom + "a\r\nb\r\n");
    loaded.LoadFromStream(in);
    EXPECT_EQ(Lines(loaded), (V{"a", "b"}));
    loaded.SaveToStream(mem);
    EXPECT_EQ(mem.View(), "a\nb\n");
}

} // namespace
} // namespace vd
