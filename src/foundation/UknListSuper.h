#pragma once

// The keyed-list family: an ordered array of items, each with an integer key, a string key and
// one payload, optionally kept sorted by one of the keys.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qb {

// Base of every object a TknObjList may own and free.
class TknObject {
public:
    virtual ~TknObject() = default;
};

// Base of every listener interface kept in a TknInterfaceList. Lists never own them.
class IInterface {
public:
    virtual ~IInterface() = default;
};

struct TListItem {
    int32_t Key = 0;
    int32_t IntValue = 0;
    TknObject* Obj = nullptr;
    IInterface* Intf = nullptr;

    const std::u16string& StrKey() const { return FTexts ? FTexts->StrKey : NoText(); }
    const std::u16string& Value() const { return FTexts ? FTexts->Value : NoText(); }
    void SetStrKey(std::u16string key) { Texts().StrKey = std::move(key); }
    void SetValue(std::u16string value) { Texts().Value = std::move(value); }

  private:
    // The texts are held apart: the many lists without any (ids, objects, listeners) keep
    // their items a third of the size, and a child list of thousands of pages stays small.
    struct TTexts {
        std::u16string StrKey;
        std::u16string Value;
    };
    static const std::u16string& NoText();
    TTexts& Texts();
    std::unique_ptr<TTexts> FTexts;
};

enum TSortType : uint8_t {
    stNone = 0,
    stByKey = 1,
    stByStrKey = 2,
    stByKeyNoDup = 3,
    stByStrKeyNoDup = 4,
};

enum TListField : uint8_t { lfKey, lfStrKey, lfValue, lfIntValue, lfObj, lfIntf };

enum TIterateDirection : uint8_t {
    idFirst = 0,
    idPrevious = 1,
    idCurrent = 2,
    idNext = 3,
    idLast = 4,
};

class TknCollection {
public:
    virtual ~TknCollection() = default;
    virtual int Count() const = 0;
    int Low() const { return 0; }
    int High() const { return Count() - 1; }
    bool PosValid(int i) const { return i >= Low() && i <= High(); }
    bool IsEmpty() const { return Count() == 0; }
};

class TknListSuper : public TknCollection {
public:
    explicit TknListSuper(int initCapacity = 10);
    ~TknListSuper() override;
    TknListSuper(const TknListSuper&) = delete;
    TknListSuper& operator=(const TknListSuper&) = delete;

    int Count() const override { return static_cast<int>(FItems.size()); }
    int Capacity() const { return static_cast<int>(FItems.capacity()); }
    int InitCapacity() const { return FInitCapacity; }

    void Clear();  // also gives the capacity back down to InitCapacity
    TSortType SortType() const { return FSortType; }
    void SetSortType(TSortType type);
    bool Delete(int index, int n = 1);
    void Exchange(int i, int j);

    // A probe for Find: only the member named by `field` is looked at.
    int Find(const TListItem& probe, TListField field) const;
    int IndexOfKey(int32_t key) const;
    int IndexOfStrKey(std::u16string_view key) const;
    bool KeyExists(int32_t key) const { return IndexOfKey(key) >= 0; }
    bool StrKeyExists(std::u16string_view key) const { return IndexOfStrKey(key) >= 0; }
    int32_t Keys(int index) const;
    std::u16string StrKeys(int index) const;
    void SetStrKeys(int index, std::u16string key);
    int32_t NewKey() const;

    // Moves Cursor and reports whether it rests on a valid item (then `item` points at it,
    // else it is null).
    bool Iterate(TIterateDirection direction, TListItem*& item);
    int Cursor() const { return FCursor; }

    std::u16string Separator = u"\r\n";

protected:
    // The common path of every add: applies the sort and duplicate rules and returns the
    // position of the new item, or -1 when a NoDup list refused it.
    int InsertItem(int index, TListItem item);
    void Reserve(int count) { FItems.reserve(static_cast<size_t>(std::max(count, 0))); }
    TListItem* ItemAt(int index) { return PosValid(index) ? &FItems[index] : nullptr; }
    const TListItem* ItemAt(int index) const { return PosValid(index) ? &FItems[index] : nullptr; }
    template <class F>
    void ForEachItem(F f) const {
        for (const TListItem& item : FItems) f(item);
    }
    // Deletes every item for which `match` holds, keeping the order of the rest.
    template <class F>
    bool DeleteWhere(F match);

private:
    bool SortedByKey() const { return FSortType == stByKey || FSortType == stByKeyNoDup; }
    bool SortedByStrKey() const { return FSortType == stByStrKey || FSortType == stByStrKeyNoDup; }
    // Binary search of `probe`'s sort key among the items 0 .. hi.
    int Search(const TListItem& probe, int hi, bool exact) const;
    int FindLinear(const TListItem& probe, TListField field) const;
    void RemoveDuplicates();

    // The items themselves, not pointers to them: a child list of thousands of pages is one
    // allocation.
    std::vector<TListItem> FItems;
    int FInitCapacity;
    int FCursor = -1;
    TSortType FSortType = stNone;
};

template <class F>
bool TknListSuper::DeleteWhere(F match) {
    return std::erase_if(FItems, [&](const TListItem& item) { return match(item); }) > 0;
}

// Calls `piece` for every piece of `text` cut at each exact occurrence of `separator`, the
// last piece included even when empty. An empty text has no pieces; an empty separator leaves
// the text whole.
template <class F>
void SplitText(std::u16string_view text, std::u16string_view separator, F piece) {
    if (text.empty()) return;
    if (separator.empty()) {
        piece(text);
        return;
    }
    size_t start = 0;
    for (;;) {
        size_t at = text.find(separator, start);
        if (at == std::u16string_view::npos) {
            piece(text.substr(start));
            return;
        }
        piece(text.substr(start, at - start));
        start = at + separator.size();
    }
}

// StrToIntDef narrowed to a 32-bit key or payload: a number out of range gives the default.
int32_t StrToInt32Def(std::u16string_view s, int32_t defaultValue);

// A list with a text form; files are read with encoding detection and written as UTF-16 LE
// with its byte-order mark.
class TknStreamList : public TknListSuper {
public:
    using TknListSuper::TknListSuper;
    virtual std::u16string GetText() const = 0;
    virtual void SetText(std::u16string_view text) = 0;
    void LoadFromFile(const std::u16string& path);
    void SaveToFile(const std::u16string& path) const;
};

}  // namespace qb
