#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

#include "foundation/UknList.h"
#include "foundation/UknStrUtils.h"
#include "support/TestSupport.h"

namespace qb::test {

using namespace std::string_literals;

namespace {

// "Key:StrKey=Value" of every item joined by "|", for compact assertions.
std::string Dump(const TknStrList& list) {
    std::string out;
    for (int i = 0; i < list.Count(); ++i) {
        if (i > 0) out += "|";
        out += std::to_string(list.Keys(i)) + ":" + ToUtf8(list.StrKeys(i)) + "=" +
               ToUtf8(list.Items(i));
    }
    return out;
}

std::string Values(const TknStrList& list) {
    std::string out;
    for (int i = 0; i < list.Count(); ++i) out += (i > 0 ? "|" : "") + ToUtf8(list.Items(i));
    return out;
}

size_t EntriesIn(const std::string& folder) {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

std::string StrKeysOf(const TknStrList& list) {
    std::string out;
    for (int i = 0; i < list.Count(); ++i) out += (i > 0 ? "|" : "") + ToUtf8(list.StrKeys(i));
    return out;
}

}  // namespace

TEST(Lists, PlainTextFormSplitsAtEverySeparatorAndRoundTrips) {
    struct Case {
        std::u16string text;
        std::string values;
        int count;
    };
    const Case cases[] = {
        {u"", "", 0},
        {u"a\r\nb", "a|b", 2},
        {u"a\r\n", "a|", 2},
        {u"\r\n", "|", 2},
        {u"a\r\n\r\nb\r\n", "a||b|", 4},
        {u"a\rb\nc", "a\rb\nc", 1},                          // only the whole separator cuts
        {u"  //not a comment  ", "  //not a comment  ", 1},  // no trimming without delimiters
    };
    for (const Case& c : cases) {
        TknStrList list;
        list.SetText(c.text);
        EXPECT_EQ(list.Count(), c.count) << ToUtf8(c.text);
        EXPECT_EQ(Values(list), c.values) << ToUtf8(c.text);
        EXPECT_EQ(list.GetText(), c.text);
    }

    TknStrList list;
    list.Separator = u"::";
    list.SetText(u"a:::b::");  // the search resumes after each separator
    EXPECT_EQ(Values(list), "a|:b|");
    EXPECT_EQ(list.GetText(), u"a:::b::");
    list.Separator.clear();
    list.SetText(u"a\r\nb");
    EXPECT_EQ(list.Count(), 1);
}

TEST(Lists, StrKeyDelimiterParsesTrimsAndSkipsComments) {
    TknStrList list;
    list.StrKeyDelimiter = u"=";
    list.SetText(u"  //comment\r\n key=val \r\nno delimiter\r\nk = v\r\n=lead\r\na=b=c\r\n\t");
    EXPECT_EQ(Dump(list), "0:key=val|0:=no delimiter|0:k = v|0:=lead|0:a=b=c|0:=");
    EXPECT_EQ(list.StrKeys(2), u"k ");
    EXPECT_EQ(list.Items(2), u" v");
    // Items without a string key are written without the delimiter.
    EXPECT_EQ(list.GetText(), u"key=val\r\nno delimiter\r\nk = v\r\nlead\r\na=b=c\r\n");
    EXPECT_EQ(list.ItemsByStrKey(u"KEY"), u"val");  // unsorted: linear, ignoring case
}

TEST(Lists, KeyDelimiterParsesSignedKeysAndFallsBackToZero) {
    TknStrList list;
    list.KeyDelimiter = u"=";
    list.SetText(u"abc=x\r\n-5=minus\r\n 12 = twelve\r\n99999999999=big\r\nplain\r\n//c=1");
    EXPECT_EQ(Dump(list), "0:=x|-5:=minus|12:= twelve|0:=big|0:=plain");
    EXPECT_EQ(list.GetText(), u"0=x\r\n-5=minus\r\n12= twelve\r\n0=big\r\n0=plain");
    EXPECT_EQ(list.ItemsByKey(-5), u"minus");

    // Both delimiters: the text carries both keys, reading takes the string key only.
    TknStrList both;
    both.StrKeyDelimiter = u"=";
    both.KeyDelimiter = u":";
    both.AddByStrKey(u"name", u"v");
    both.AddByKey(-3, u"w");
    EXPECT_EQ(both.GetText(), u"name=0:v\r\n-3:w");
}

TEST(Lists, KeyedFileFormKeepsFirstDuplicateAndSortsByKey) {
    TknStrList marks(500);
    marks.KeyDelimiter = u"=";
    marks.SetSortType(stByKeyNoDup);
    marks.SetText(u"30=c\r\n10=a\r\n30=dup\r\n-2=neg\r\n20=b");
    EXPECT_EQ(marks.GetText(), u"-2=neg\r\n10=a\r\n20=b\r\n30=c");
    EXPECT_EQ(marks.AddByKey(10, u"again"), -1);
    EXPECT_EQ(marks.Count(), 4);
    marks.SetItemsByKey(10, u"A");    // replaces
    marks.SetItemsByKey(15, u"new");  // adds, in key order
    EXPECT_EQ(Values(marks), "neg|A|new|b|c");
}

TEST(Lists, InsertionPositionFollowsTheMiddleProbe) {
    // Keys 10 20 30 40: which slot does a new key get? On equality the probed middle is used.
    struct Case {
        int32_t key;
        int position;
    };
    const Case cases[] = {{5, 0}, {15, 1}, {20, 1}, {25, 2}, {30, 2}, {35, 3}, {40, 3}, {45, 4}};
    for (const Case& c : cases) {
        TknStrList list;
        list.SetSortType(stByKey);
        for (int32_t k : {40, 10, 30, 20}) list.AddByKey(k, u"old");
        EXPECT_EQ(list.AddByKey(c.key, u"new"), c.position) << c.key;
        EXPECT_EQ(list.Items(c.position), u"new");
    }
    TknStrList same;
    same.SetSortType(stByKey);
    for (int i = 0; i < 4; ++i) same.AddByKey(7, u"old");
    EXPECT_EQ(same.AddByKey(7, u"new"), 1);           // the middle of 0..3
    EXPECT_EQ(same.Insert(99, u"ignored index"), 0);  // key 0 sorts first whatever the index
}

TEST(Lists, SetSortTypeSortsPresentItemsAndRemovesDuplicates) {
    // Equal keys end where the binary insertion puts them; the duplicate removal then keeps
    // the lower of two equal neighbours.
    for (TSortType type : {stByKey, stByKeyNoDup}) {
        TknStrList list;
        for (auto [k, v] : {std::pair{4, u"a"}, {2, u"b"}, {4, u"c"}, {1, u"d"}})
            list.AddByKey(k, v);
        list.SetSortType(type);
        EXPECT_EQ(Dump(list), type == stByKey ? "1:=d|2:=b|4:=c|4:=a" : "1:=d|2:=b|4:=c");
        EXPECT_EQ(list.AddByKey(2, u"dup"), type == stByKey ? 1 : -1);
    }

    // String keys: sorted in locale order, duplicates only when equal code unit by code unit.
    TknStrList names;
    for (auto k : {u"b", u"a", u"B", u"b", u"\u00e4"}) names.AddByStrKey(k, k);
    names.SetSortType(stByStrKeyNoDup);
    EXPECT_EQ(StrKeysOf(names), "a|\u00e4|b|B");
}

TEST(Lists, StrKeyOrderIsTheLocaleOrderAndSortedLookupIsExact) {
    TknStrList list;
    list.SetSortType(stByStrKey);
    for (auto k : {u"b", u"Z", u"a", u"B", u"\u00e4", u"10", u"9"}) list.AddByStrKey(k, u"v");
    EXPECT_EQ(StrKeysOf(list), "10|9|a|\u00e4|b|B|Z");
    EXPECT_EQ(list.IndexOfStrKey(u"B"), 5);
    EXPECT_EQ(list.IndexOfStrKey(u"z"), -1);  // sorted lookup is case-sensitive
    EXPECT_FALSE(list.StrKeyExists(u"A"));

    TknStrList noDup;
    noDup.SetSortType(stByStrKeyNoDup);
    EXPECT_EQ(noDup.AddByStrKey(u"key", u"first"), 0);
    EXPECT_EQ(noDup.AddByStrKey(u"key", u"second"), -1);
    EXPECT_EQ(noDup.AddByStrKey(u"KEY", u"other case"), 1);
    EXPECT_EQ(noDup.ItemsByStrKey(u"key"), u"first");
}

TEST(Lists, LinearFindIgnoresCaseAndReturnsTheFirstMatch) {
    TknStrList list;
    list.SetSortType(stByKey);  // sorted by Key: a Value or StrKey search is still linear
    list.AddByKey(3, u"Word");
    list.AddByKey(1, u"\u00c4pfel");
    list.AddByKey(2, u"word");
    EXPECT_EQ(list.IndexOf(u"WORD"), 1);
    EXPECT_EQ(list.IndexOf(u"\u00e4PFEL"), 0);
    EXPECT_EQ(list.IndexOf(u"words"), -1);
    EXPECT_TRUE(list.KeyExists(2));
    EXPECT_FALSE(list.KeyExists(4));
    list.SetStrKeys(0, u"Name");
    EXPECT_EQ(list.IndexOfStrKey(u"NAME"), 0);

    EXPECT_TRUE(list.DeleteValue(u"WORD"));  // every match goes
    EXPECT_EQ(Values(list), "\u00c4pfel");
    EXPECT_FALSE(list.DeleteValue(u"word"));
}

TEST(Lists, NewKeyIgnoresNegativesAndNeverRepeatsAKey) {
    TknStrList list;
    EXPECT_EQ(list.NewKey(), 1);
    list.AddByKey(-7, u"");
    EXPECT_EQ(list.NewKey(), 1);
    list.AddByKey(3, u"");
    EXPECT_EQ(list.NewKey(), 4);
    list.AddByKey(1, u"");
    list.AddByKey(std::numeric_limits<int32_t>::max(), u"");
    EXPECT_EQ(list.NewKey(), 2);  // no larger key exists: the first free one
}

TEST(Lists, IterationMovesTheCursorAndStopsAtBothEnds) {
    TknStrList list;
    std::u16string v = u"untouched";
    EXPECT_FALSE(list.GetFirst(v));
    EXPECT_FALSE(list.GetLast(v));
    EXPECT_EQ(v, u"untouched");

    list.SetText(u"a\r\nb\r\nc");
    EXPECT_EQ(list.Cursor(), -1);
    std::string seen;
    for (bool ok = list.GetFirst(v); ok; ok = list.GetNext(v)) seen += ToUtf8(v);
    EXPECT_EQ(seen, "abc");
    EXPECT_FALSE(list.GetCurrent(v));
    EXPECT_TRUE(list.GetPrevious(v));
    EXPECT_EQ(v, u"c");
    EXPECT_TRUE(list.GetLast(v) && list.GetPrevious(v) && list.GetCurrent(v));
    EXPECT_EQ(v, u"b");
    list.SetText(u"x\r\ny");
    EXPECT_TRUE(list.GetNext(v));  // a cleared cursor steps onto the first item
    EXPECT_EQ(v, u"x");
}

TEST(Lists, DeleteExchangeAndIndexedAccessCheckTheirIndices) {
    TknStrList list;
    list.SetText(u"0\r\n1\r\n2\r\n3\r\n4");
    EXPECT_TRUE(list.Delete(1, 2));
    EXPECT_EQ(Values(list), "0|3|4");
    EXPECT_TRUE(list.Delete(2, 10));  // stops at the end
    EXPECT_EQ(Values(list), "0|3");
    EXPECT_FALSE(list.Delete(2));
    EXPECT_FALSE(list.Delete(-1));
    EXPECT_FALSE(list.Delete(0, 0));
    list.Exchange(0, 1);
    list.Exchange(0, 2);
    EXPECT_EQ(Values(list), "3|0");

    list.SetItems(5, u"ignored");
    list.SetStrKeys(-1, u"ignored");
    list.SetItems(1, u"set");
    EXPECT_EQ(Values(list), "3|set");
    EXPECT_EQ(list.Items(2), u"");
    EXPECT_EQ(list.StrKeys(-1), u"");
    EXPECT_EQ(list.Keys(9), 0);
    EXPECT_EQ(list.Insert(-4, u"first"), 0);  // clamped into 0..Count
    EXPECT_EQ(list.Insert(40, u"last"), 3);
    EXPECT_EQ(Values(list), "first|3|set|last");
}

TEST(Lists, ClearGivesTheCapacityBackToItsInitialSize) {
    TknStrList list(3);
    EXPECT_EQ(list.Capacity(), 3);
    for (int i = 0; i < 100; ++i) list.Add(u"x");
    EXPECT_GE(list.Capacity(), 100);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 3);
}

TEST(Lists, IntListTextFormAndValueOperations) {
    TknIntList list;
    list.Separator = u",";
    list.SetText(u"3,-1,x,,2147483647,2147483648,");
    EXPECT_EQ(list.Count(), 7);
    EXPECT_EQ(list.GetText(), u"3,-1,0,0,2147483647,0,0");
    EXPECT_EQ(list.Items(1), -1);
    EXPECT_EQ(list.Items(7), 0);
    EXPECT_EQ(list.IndexOf(0), 2);
    EXPECT_TRUE(list.DeleteValue(0));
    EXPECT_EQ(list.GetText(), u"3,-1,2147483647");

    list.Populate({5, 6});
    list.AddByKey(9, 7);  // keys are not part of the text form
    EXPECT_EQ(list.GetText(), u"5,6,7");
    EXPECT_EQ(list.ItemsByKey(9), 7);
    list.SetItemsByKey(9, 8);
    list.SetItemsByKey(4, 1);
    EXPECT_EQ(list.GetText(), u"5,6,8,1");
    int32_t v = 0, sum = 0;
    for (bool ok = list.GetFirst(v); ok; ok = list.GetNext(v)) sum += v;
    EXPECT_EQ(sum, 20);
    list.SetText(u"");
    EXPECT_EQ(list.Count(), 0);
}

namespace {

struct TCounted : TknObject {
    explicit TCounted(int& deaths) : Deaths(deaths) {}
    ~TCounted() override { ++Deaths; }
    int& Deaths;
};

struct TListener : IInterface {};

}  // namespace

TEST(Lists, ObjectListsHoldWithoutOwningUntilClearAndFree) {
    int deaths = 0;
    auto* a = new TCounted(deaths);
    auto* b = new TCounted(deaths);
    {
        TknObjList list;
        EXPECT_EQ(list.Add(a), 0);
        EXPECT_EQ(list.Add(b), 1);
        EXPECT_EQ(list.Add(a), 0);  // already present: nothing added
        EXPECT_EQ(list.Count(), 2);
        EXPECT_EQ(list.InsertFirst(b), 0);  // Insert does not check
        list.Remove(b);
        EXPECT_EQ(list.Count(), 1);
        EXPECT_EQ(list.Items(0), a);
        EXPECT_EQ(list.Items(1), nullptr);
    }
    EXPECT_EQ(deaths, 0);  // the list did not own them

    TknObjList owner;
    owner.AddByKey(2, a);
    owner.AddByKey(1, b);
    owner.Insert(0, a);  // held twice, freed once
    EXPECT_EQ(owner.ItemsByKey(1), b);
    EXPECT_EQ(owner.ItemsAs<TCounted>(0), a);
    owner.ClearAndFree();
    EXPECT_EQ(deaths, 2);
    EXPECT_EQ(owner.Count(), 0);

    TListener x, y;
    TknInterfaceList listeners;
    EXPECT_EQ(listeners.Add(&x), 0);
    EXPECT_EQ(listeners.Add(&y), 1);
    EXPECT_EQ(listeners.Add(&x), 0);
    EXPECT_EQ(listeners.IndexOf(&y), 1);
    listeners.Remove(&x);
    EXPECT_EQ(listeners.Items(0), &y);
    EXPECT_EQ(listeners.Count(), 1);
}

TEST(Lists, FilesAreReadInAnyEncodingAndWrittenAsUtf16WithMark) {
    TTempFolder folder(false);
    const std::string path = folder.File("list.txt");
    struct Case {
        std::string bytes;
        std::string values;
    };
    const Case cases[] = {
        {"\xFF\xFE" + Utf16LE(u"a\r\n\u00e4\r\n"), "a|\u00e4|"},
        {"\xFE\xFF\0a\0\r\0\n\0b"s, "a|b"},
        {"\xFD\xEF\xBB\xBFx=\xC3\xA4", "x=\u00e4"},  // marker, then UTF-8 with its mark
        {"k\xC3\xA4\r\n", "k\u00e4|"},               // UTF-8 found without a mark
        {"", ""},
    };
    for (const Case& c : cases) {
        WriteBytes(path, c.bytes);
        TknStrList list;
        list.Add(u"replaced");
        list.LoadFromFile(FromUtf8(path));
        EXPECT_EQ(Values(list), c.values) << Hex(c.bytes);
    }

    TknStrList list;
    list.StrKeyDelimiter = u"=";
    list.SetText(u"k=v\r\n\u00e4");
    list.SaveToFile(FromUtf8(path));
    EXPECT_EQ(Hex(ReadBytes(path)), Hex("\xFF\xFE" + Utf16LE(u"k=v\r\n\u00e4")));
    EXPECT_EQ(EntriesIn(folder.Path()), 1u);  // nothing left beside it

    TknIntList numbers;
    numbers.Separator = u",";
    numbers.Populate({-1, 20});
    numbers.SaveToFile(FromUtf8(path));
    EXPECT_EQ(ReadBytes(path), "\xFF\xFE" + Utf16LE(u"-1,20"));
    numbers.Clear();
    numbers.LoadFromFile(FromUtf8(path));
    EXPECT_EQ(numbers.GetText(), u"-1,20");
}

TEST(Lists, MillionItemListsBehave) {
    constexpr int n = 1'000'000;
    std::u16string text;
    for (int i = 0; i < n; ++i) text += u"item" + IntToStr(i) + u"\r\n";
    TknStrList list;
    list.SetText(text);
    ASSERT_EQ(list.Count(), n + 1);  // the trailing separator leaves an empty last item
    EXPECT_EQ(list.Items(n - 1), u"item999999");
    EXPECT_EQ(list.GetText(), text);
    EXPECT_TRUE(list.Delete(1, n - 1));
    EXPECT_EQ(Values(list), "item0|");

    TknIntList byKey(1000);
    byKey.SetSortType(stByKeyNoDup);
    for (int i = 0; i < n; ++i) byKey.AddByKey(2 * i, i);
    EXPECT_EQ(byKey.AddByKey(1000, 0), -1);
    EXPECT_EQ(byKey.AddByKey(1001, -1), 501);
    EXPECT_EQ(byKey.ItemsByKey(2 * 777'777), 777'777);
    EXPECT_EQ(byKey.NewKey(), 2 * (n - 1) + 1);
    byKey.Clear();
    EXPECT_EQ(byKey.Capacity(), 1000);
}

}  // namespace qb::test
