#include "foundation/UknList.h"

#include <algorithm>
#include <unordered_set>

#include "foundation/UknStrUtils.h"

namespace qb {

namespace {

// Decimal digits of a key with its sign, written into `buffer`; returns their number.
size_t FormatKey(int32_t key, char16_t (&buffer)[12]) {
    uint32_t v = key < 0 ? 0u - static_cast<uint32_t>(key) : static_cast<uint32_t>(key);
    char16_t* end = buffer + 12;
    char16_t* p = end;
    do {
        *--p = static_cast<char16_t>(u'0' + v % 10);
        v /= 10;
    } while (v != 0);
    if (key < 0) *--p = u'-';
    std::copy(p, end, buffer);
    return static_cast<size_t>(end - p);
}

TListItem ValueItem(std::u16string value) {
    TListItem item;
    item.SetValue(std::move(value));
    return item;
}

TListItem IntItem(int32_t value) {
    TListItem item;
    item.IntValue = value;
    return item;
}

TListItem ObjItem(TknObject* obj) {
    TListItem item;
    item.Obj = obj;
    return item;
}

}  // namespace

// --- TknStrList ---

int TknStrList::Add(std::u16string value) {
    return Insert(Count(), std::move(value));
}

int TknStrList::Insert(int index, std::u16string value) {
    return InsertItem(index, ValueItem(std::move(value)));
}

int TknStrList::AddByKey(int32_t key, std::u16string value) {
    TListItem item = ValueItem(std::move(value));
    item.Key = key;
    return InsertItem(Count(), std::move(item));
}

int TknStrList::AddByStrKey(std::u16string strKey, std::u16string value) {
    TListItem item = ValueItem(std::move(value));
    item.SetStrKey(std::move(strKey));
    return InsertItem(Count(), std::move(item));
}

std::u16string TknStrList::Items(int index) const {
    const TListItem* item = ItemAt(index);
    return item ? item->Value() : std::u16string();
}

void TknStrList::SetItems(int index, std::u16string value) {
    if (TListItem* item = ItemAt(index)) item->SetValue(std::move(value));
}

std::u16string TknStrList::ItemsByKey(int32_t key) const {
    return Items(IndexOfKey(key));
}

void TknStrList::SetItemsByKey(int32_t key, std::u16string value) {
    int index = IndexOfKey(key);
    if (index >= 0)
        SetItems(index, std::move(value));
    else
        AddByKey(key, std::move(value));
}

std::u16string TknStrList::ItemsByStrKey(std::u16string_view strKey) const {
    return Items(IndexOfStrKey(strKey));
}

int TknStrList::IndexOf(std::u16string_view value) const {
    return Find(ValueItem(std::u16string(value)), lfValue);
}

bool TknStrList::DeleteValue(std::u16string_view value) {
    return DeleteWhere([&](const TListItem& item) { return IsSameText(item.Value(), value); });
}

int TknStrList::AddParsed(std::u16string_view piece) {
    return InsertParsed(Count(), piece);
}

int TknStrList::InsertParsed(int index, std::u16string_view piece) {
    if (StrKeyDelimiter.empty() && KeyDelimiter.empty())
        return InsertItem(index, ValueItem(std::u16string(piece)));
    std::u16string trimmed = Trim(piece);
    if (trimmed.starts_with(u"//")) return -1;
    const std::u16string& delimiter = StrKeyDelimiter.empty() ? KeyDelimiter : StrKeyDelimiter;
    size_t at = trimmed.find(delimiter);
    if (at == std::u16string::npos) return InsertItem(index, ValueItem(std::move(trimmed)));
    TListItem item = ValueItem(trimmed.substr(at + delimiter.size()));
    std::u16string_view left = std::u16string_view(trimmed).substr(0, at);
    if (!StrKeyDelimiter.empty())
        item.SetStrKey(std::u16string(left));
    else
        item.Key = StrToInt32Def(left, 0);
    return InsertItem(index, std::move(item));
}

bool TknStrList::IterateValue(TIterateDirection direction, std::u16string& value) {
    TListItem* item = nullptr;
    if (!Iterate(direction, item)) return false;
    value = item->Value();
    return true;
}

bool TknStrList::GetFirst(std::u16string& value) {
    return IterateValue(idFirst, value);
}
bool TknStrList::GetPrevious(std::u16string& value) {
    return IterateValue(idPrevious, value);
}
bool TknStrList::GetCurrent(std::u16string& value) {
    return IterateValue(idCurrent, value);
}
bool TknStrList::GetNext(std::u16string& value) {
    return IterateValue(idNext, value);
}
bool TknStrList::GetLast(std::u16string& value) {
    return IterateValue(idLast, value);
}

std::u16string TknStrList::GetText() const {
    char16_t digits[12];
    auto forEachPart = [&](auto part) {
        bool first = true;
        ForEachItem([&](const TListItem& item) {
            if (!first) part(Separator);
            first = false;
            if (!StrKeyDelimiter.empty() && !item.StrKey().empty()) {
                part(item.StrKey());
                part(StrKeyDelimiter);
            }
            if (!KeyDelimiter.empty()) {
                part(std::u16string_view(digits, FormatKey(item.Key, digits)));
                part(KeyDelimiter);
            }
            part(item.Value());
        });
    };
    size_t length = 0;
    forEachPart([&](std::u16string_view s) { length += s.size(); });
    std::u16string text;
    text.reserve(length);
    forEachPart([&](std::u16string_view s) { text.append(s); });
    return text;
}

void TknStrList::SetText(std::u16string_view text) {
    Clear();
    SplitText(text, Separator, [this](std::u16string_view piece) { AddParsed(piece); });
}

// --- TknIntList ---

int TknIntList::Add(int32_t value) {
    return Insert(Count(), value);
}

int TknIntList::Insert(int index, int32_t value) {
    return InsertItem(index, IntItem(value));
}

int TknIntList::AddByKey(int32_t key, int32_t value) {
    TListItem item = IntItem(value);
    item.Key = key;
    return InsertItem(Count(), std::move(item));
}

int TknIntList::AddByStrKey(std::u16string strKey, int32_t value) {
    TListItem item = IntItem(value);
    item.SetStrKey(std::move(strKey));
    return InsertItem(Count(), std::move(item));
}

int32_t TknIntList::Items(int index) const {
    const TListItem* item = ItemAt(index);
    return item ? item->IntValue : 0;
}

void TknIntList::SetItems(int index, int32_t value) {
    if (TListItem* item = ItemAt(index)) item->IntValue = value;
}

int32_t TknIntList::ItemsByKey(int32_t key) const {
    return Items(IndexOfKey(key));
}

void TknIntList::SetItemsByKey(int32_t key, int32_t value) {
    int index = IndexOfKey(key);
    if (index >= 0)
        SetItems(index, value);
    else
        AddByKey(key, value);
}

int32_t TknIntList::ItemsByStrKey(std::u16string_view strKey) const {
    return Items(IndexOfStrKey(strKey));
}

int TknIntList::IndexOf(int32_t value) const {
    return Find(IntItem(value), lfIntValue);
}

bool TknIntList::DeleteValue(int32_t value) {
    return DeleteWhere([&](const TListItem& item) { return item.IntValue == value; });
}

void TknIntList::Populate(const std::vector<int32_t>& values) {
    Clear();
    Reserve(static_cast<int>(values.size()));
    for (int32_t v : values) Add(v);
}

bool TknIntList::IterateValue(TIterateDirection direction, int32_t& value) {
    TListItem* item = nullptr;
    if (!Iterate(direction, item)) return false;
    value = item->IntValue;
    return true;
}

bool TknIntList::GetFirst(int32_t& value) {
    return IterateValue(idFirst, value);
}
bool TknIntList::GetNext(int32_t& value) {
    return IterateValue(idNext, value);
}

std::u16string TknIntList::GetText() const {
    std::u16string text;
    char16_t digits[12];
    bool first = true;
    ForEachItem([&](const TListItem& item) {
        if (!first) text.append(Separator);
        first = false;
        text.append(digits, FormatKey(item.IntValue, digits));
    });
    return text;
}

void TknIntList::SetText(std::u16string_view text) {
    Clear();
    SplitText(text, Separator, [this](std::u16string_view piece) { Add(StrToInt32Def(piece, 0)); });
}

// --- TknObjList ---

int TknObjList::Add(TknObject* obj) {
    int index = IndexOf(obj);
    return index >= 0 ? index : Insert(Count(), obj);
}

int TknObjList::Insert(int index, TknObject* obj) {
    return InsertItem(index, ObjItem(obj));
}

int TknObjList::AddByKey(int32_t key, TknObject* obj) {
    TListItem item = ObjItem(obj);
    item.Key = key;
    return InsertItem(Count(), std::move(item));
}

TknObject* TknObjList::Items(int index) const {
    const TListItem* item = ItemAt(index);
    return item ? item->Obj : nullptr;
}

TknObject* TknObjList::ItemsByKey(int32_t key) const {
    return Items(IndexOfKey(key));
}

int TknObjList::IndexOf(const TknObject* obj) const {
    return Find(ObjItem(const_cast<TknObject*>(obj)), lfObj);
}

void TknObjList::Remove(const TknObject* obj) {
    DeleteWhere([&](const TListItem& item) { return item.Obj == obj; });
}

void TknObjList::ClearAndFree() {
    // The list is emptied before any object dies, so a destructor that looks at the list
    // finds no dangling entries; an object held twice is destroyed once.
    std::vector<TknObject*> objects;
    std::unordered_set<TknObject*> seen;
    ForEachItem([&](const TListItem& item) {
        if (item.Obj && seen.insert(item.Obj).second) objects.push_back(item.Obj);
    });
    Clear();
    for (TknObject* obj : objects) delete obj;
}

// --- TknInterfaceList ---

int TknInterfaceList::Add(IInterface* intf) {
    int index = IndexOf(intf);
    return index >= 0 ? index : Insert(Count(), intf);
}

int TknInterfaceList::Insert(int index, IInterface* intf) {
    TListItem item;
    item.Intf = intf;
    return InsertItem(index, std::move(item));
}

int TknInterfaceList::IndexOf(const IInterface* intf) const {
    TListItem probe;
    probe.Intf = const_cast<IInterface*>(intf);
    return Find(probe, lfIntf);
}

void TknInterfaceList::Remove(const IInterface* intf) {
    DeleteWhere([&](const TListItem& item) { return item.Intf == intf; });
}

IInterface* TknInterfaceList::Items(int index) const {
    const TListItem* item = ItemAt(index);
    return item ? item->Intf : nullptr;
}

}  // namespace qb
