#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/UknListSuper.h"

namespace qb {

class TknStrList : public TknStreamList {
public:
    using TknStreamList::TknStreamList;

    int Add(std::u16string value);
    int Insert(int index, std::u16string value);
    int AddByKey(int32_t key, std::u16string value);
    int AddByStrKey(std::u16string strKey, std::u16string value);
    std::u16string Items(int index) const;
    void SetItems(int index, std::u16string value);
    std::u16string ItemsByKey(int32_t key) const;
    void SetItemsByKey(int32_t key, std::u16string value);
    std::u16string ItemsByStrKey(std::u16string_view strKey) const;
    int IndexOf(std::u16string_view value) const;
    bool ItemExists(std::u16string_view value) const { return IndexOf(value) >= 0; }
    bool DeleteValue(std::u16string_view value);
    int AddParsed(std::u16string_view piece);
    int InsertParsed(int index, std::u16string_view piece);

    bool GetFirst(std::u16string& value);
    bool GetPrevious(std::u16string& value);
    bool GetCurrent(std::u16string& value);
    bool GetNext(std::u16string& value);
    bool GetLast(std::u16string& value);

    std::u16string GetText() const override;
    void SetText(std::u16string_view text) override;

    std::u16string StrKeyDelimiter;
    std::u16string KeyDelimiter;

private:
    bool IterateValue(TIterateDirection direction, std::u16string& value);
};

class TknIntList : public TknStreamList {
public:
    using TknStreamList::TknStreamList;

    int Add(int32_t value);
    int Insert(int index, int32_t value);
    int AddByKey(int32_t key, int32_t value);
    int AddByStrKey(std::u16string strKey, int32_t value);
    int32_t Items(int index) const;
    void SetItems(int index, int32_t value);
    int32_t ItemsByKey(int32_t key) const;
    void SetItemsByKey(int32_t key, int32_t value);
    int32_t ItemsByStrKey(std::u16string_view strKey) const;
    int IndexOf(int32_t value) const;
    bool ItemExists(int32_t value) const { return IndexOf(value) >= 0; }
    bool DeleteValue(int32_t value);
    void Populate(const std::vector<int32_t>& values);

    bool GetFirst(int32_t& value);
    bool GetNext(int32_t& value);

    std::u16string GetText() const override;
    void SetText(std::u16string_view text) override;

private:
    bool IterateValue(TIterateDirection direction, int32_t& value);
};

// Object payloads are not owned, except through ClearAndFree.
class TknObjList : public TknListSuper {
public:
    using TknListSuper::TknListSuper;

    int Add(TknObject* obj);  // index of the present or new item
    int Insert(int index, TknObject* obj);
    int InsertFirst(TknObject* obj) { return Insert(0, obj); }
    int AddByKey(int32_t key, TknObject* obj);
    TknObject* Items(int index) const;
    TknObject* ItemsByKey(int32_t key) const;
    int IndexOf(const TknObject* obj) const;
    void Remove(const TknObject* obj);
    void ClearAndFree();

    template <class T>
    T* ItemsAs(int index) const { return static_cast<T*>(Items(index)); }
};

// An ordered set of listener references (not owned).
class TknInterfaceList : public TknListSuper {
public:
    using TknListSuper::TknListSuper;

    int Add(IInterface* intf);  // index of the present or new item
    int Insert(int index, IInterface* intf);
    int IndexOf(const IInterface* intf) const;
    void Remove(const IInterface* intf);
    IInterface* Items(int index) const;
};

}  // namespace qb
