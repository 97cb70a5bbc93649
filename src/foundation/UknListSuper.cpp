#include "foundation/UknListSuper.h"

#include <algorithm>
#include <limits>

#include "foundation/UknFile.h"
#include "foundation/UknStrUtils.h"

namespace qb {

namespace {

int CompareKeys(int32_t a, int32_t b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

}  // namespace

const std::u16string& TListItem::NoText() {
    static const std::u16string none;
    return none;
}

TListItem::TTexts& TListItem::Texts() {
    if (!FTexts) FTexts = std::make_unique<TTexts>();
    return *FTexts;
}

TknListSuper::TknListSuper(int initCapacity) : FInitCapacity(std::max(initCapacity, 0)) {
    FItems.reserve(static_cast<size_t>(FInitCapacity));
}

TknListSuper::~TknListSuper() = default;

void TknListSuper::Clear() {
    std::vector<TListItem> fresh;
    fresh.reserve(static_cast<size_t>(FInitCapacity));
    FItems.swap(fresh);
    FCursor = -1;
}

int TknListSuper::Search(const TListItem& probe, int hi, bool exact) const {
    auto compare = [&](int i) {
        const TListItem& item = FItems[i];
        return SortedByKey() ? CompareKeys(item.Key, probe.Key)
                             : CompareText(item.StrKey(), probe.StrKey());
    };
    if (hi < 0) return exact ? -1 : 0;
    int lo = 0;
    int mid = 0;
    int last = 0;  // comparison result at the last middle probed
    while (lo <= hi) {
        mid = lo + (hi - lo) / 2;
        last = compare(mid);
        if (last == 0) return mid;
        if (last < 0)
            lo = mid + 1;
        else
            hi = mid - 1;
    }
    if (exact) return -1;
    return last > 0 ? mid : mid + 1;
}

int TknListSuper::InsertItem(int index, TListItem item) {
    bool sorted = SortedByKey() || SortedByStrKey();
    if ((FSortType == stByKeyNoDup || FSortType == stByStrKeyNoDup) &&
        Search(item, High(), true) >= 0)
        return -1;
    if (sorted) index = Search(item, High(), false);
    index = std::clamp(index, 0, Count());
    FItems.insert(FItems.begin() + index, std::move(item));
    return index;
}

void TknListSuper::SetSortType(TSortType type) {
    FSortType = type;
    if (!SortedByKey() && !SortedByStrKey()) return;
    // Insertion sort with the same binary search as every insertion, so that equal keys end
    // up in the order a fresh list built item by item would have.
    for (int i = 1; i < Count(); ++i) {
        int at = Search(FItems[i], i - 1, false);
        std::rotate(FItems.begin() + at, FItems.begin() + i, FItems.begin() + i + 1);
    }
    if (type == stByKeyNoDup || type == stByStrKeyNoDup) RemoveDuplicates();
}

void TknListSuper::RemoveDuplicates() {
    // Of each run of equal neighbours the first stays, as when walking down from the end and
    // deleting every item equal to the one before it.
    bool byKey = SortedByKey();
    auto same = [byKey](const TListItem& a, const TListItem& b) {
        return byKey ? a.Key == b.Key : a.StrKey() == b.StrKey();
    };
    FItems.erase(std::unique(FItems.begin(), FItems.end(), same), FItems.end());
}

bool TknListSuper::Delete(int index, int n) {
    if (!PosValid(index) || n <= 0) return false;
    int end = index + std::min(n, Count() - index);
    FItems.erase(FItems.begin() + index, FItems.begin() + end);
    return true;
}

void TknListSuper::Exchange(int i, int j) {
    if (PosValid(i) && PosValid(j)) std::swap(FItems[i], FItems[j]);
}

int TknListSuper::Find(const TListItem& probe, TListField field) const {
    if ((field == lfKey && SortedByKey()) || (field == lfStrKey && SortedByStrKey()))
        return Search(probe, High(), true);
    return FindLinear(probe, field);
}

int TknListSuper::FindLinear(const TListItem& probe, TListField field) const {
    auto matches = [&](const TListItem& item) {
        switch (field) {
            case lfKey:
                return item.Key == probe.Key;
            case lfStrKey:
                return IsSameText(item.StrKey(), probe.StrKey());
            case lfValue:
                return IsSameText(item.Value(), probe.Value());
            case lfIntValue:
                return item.IntValue == probe.IntValue;
            case lfObj:
                return item.Obj == probe.Obj;
            case lfIntf:
                return item.Intf == probe.Intf;
        }
        return false;
    };
    for (int i = Low(); i <= High(); ++i)
        if (matches(FItems[i])) return i;
    return -1;
}

int TknListSuper::IndexOfKey(int32_t key) const {
    TListItem probe;
    probe.Key = key;
    return Find(probe, lfKey);
}

int TknListSuper::IndexOfStrKey(std::u16string_view key) const {
    TListItem probe;
    probe.SetStrKey(std::u16string(key));
    return Find(probe, lfStrKey);
}

int32_t TknListSuper::Keys(int index) const {
    const TListItem* item = ItemAt(index);
    return item ? item->Key : 0;
}

std::u16string TknListSuper::StrKeys(int index) const {
    const TListItem* item = ItemAt(index);
    return item ? item->StrKey() : std::u16string();
}

void TknListSuper::SetStrKeys(int index, std::u16string key) {
    if (TListItem* item = ItemAt(index)) item->SetStrKey(std::move(key));
}

int32_t StrToInt32Def(std::u16string_view s, int32_t defaultValue) {
    int64_t v = StrToIntDef(s, defaultValue);
    bool fits =
        v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max();
    return fits ? static_cast<int32_t>(v) : defaultValue;
}

int32_t TknListSuper::NewKey() const {
    int32_t largest = 0;
    for (const TListItem& item : FItems) largest = std::max(largest, item.Key);
    if (largest < std::numeric_limits<int32_t>::max()) return largest + 1;
    // No key above the largest one exists: hand out the smallest unused positive key instead,
    // so that a new key never repeats a present one.
    std::vector<int32_t> keys;
    keys.reserve(FItems.size());
    for (const TListItem& item : FItems)
        if (item.Key > 0) keys.push_back(item.Key);
    std::sort(keys.begin(), keys.end());
    int32_t next = 1;
    for (int32_t k : keys) {
        if (k > next) break;
        if (k == next) ++next;
    }
    return next;
}

bool TknListSuper::Iterate(TIterateDirection direction, TListItem*& item) {
    switch (direction) {
        case idFirst:
            FCursor = Low();
            break;
        case idPrevious:
            --FCursor;
            break;
        case idCurrent:
            break;
        case idNext:
            ++FCursor;
            break;
        case idLast:
            FCursor = High();
            break;
    }
    item = ItemAt(FCursor);
    return item != nullptr;
}

void TknStreamList::LoadFromFile(const std::u16string& path) {
    TknMemoryTextFile file(path, fmRead, enUnknown);
    SetText(file.Text());
}

// Written beside the target and renamed over it, so a failed save leaves the old file whole.
void TknStreamList::SaveToFile(const std::u16string& path) const {
    TknTextFile file(path, fmWriteAtomic, enUTF16LE);
    file.Write(GetText());
    file.Commit();
}

}  // namespace qb
