#include "shell/UStringTable.h"

#include <algorithm>
#include <charconv>

#include "foundation/UknStrUtils.h"

namespace qb {

extern const char kStringTableText[];  // generated from res/strings.txt

namespace {

struct TTable {
    std::vector<TStringTableEntry> InFileOrder;
    std::vector<const TStringTableEntry*> ById;  // sorted by id, first entry of an id wins
};

bool ParseId(std::string_view s, int32_t& id) {
    if (s.empty()) return false;
    auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), id);
    return error == std::errc() && end == s.data() + s.size();
}

const TTable& Table() {
    static const TTable table = [] {
        TTable t;
        t.InFileOrder = ParseStringTable(kStringTableText);
        for (const auto& e : t.InFileOrder) t.ById.push_back(&e);
        std::stable_sort(t.ById.begin(), t.ById.end(),
                         [](auto* a, auto* b) { return a->Id < b->Id; });
        return t;
    }();
    return table;
}

const TStringTableEntry* Find(int32_t id) {
    const auto& byId = Table().ById;
    auto it = std::lower_bound(byId.begin(), byId.end(), id,
                               [](const TStringTableEntry* e, int32_t v) { return e->Id < v; });
    return it != byId.end() && (*it)->Id == id ? *it : nullptr;
}

}  // namespace

std::vector<TStringTableEntry> ParseStringTable(std::string_view utf8, std::vector<int>* bad) {
    std::vector<TStringTableEntry> entries;
    int lineNo = 0;
    while (!utf8.empty()) {
        size_t end = utf8.find('\n');
        std::string_view line = utf8.substr(0, end);
        utf8 = end == std::string_view::npos ? std::string_view() : utf8.substr(end + 1);
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.starts_with("//")) continue;
        size_t eq = line.find('=');
        int32_t id = 0;
        if (eq == std::string_view::npos || !ParseId(line.substr(0, eq), id)) {
            if (bad) bad->push_back(lineNo);
            continue;
        }
        entries.push_back({id, FromUtf8(line.substr(eq + 1))});
    }
    return entries;
}

std::u16string StringTableText(int32_t id) {
    const TStringTableEntry* e = Find(id);
    return e ? e->Text : std::u16string();
}

bool StringTableHas(int32_t id) {
    return Find(id) != nullptr;
}

std::vector<int32_t> StringTableIds() {
    std::vector<int32_t> ids;
    for (const auto& e : Table().InFileOrder) ids.push_back(e.Id);
    return ids;
}

}  // namespace qb
