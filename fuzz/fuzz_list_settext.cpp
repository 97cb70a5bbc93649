// Arbitrary bytes read as UTF-16 text through every text form of the string list.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "foundation/UknList.h"
#include "foundation/UknStrUtils.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

// Without delimiters the text form is lossless.
void PlainRoundTrip(const std::u16string& text) {
    qb::TknStrList list;
    list.SetText(text);
    Check(list.GetText() == text);
    if (list.Count() > 0) Check(list.IndexOf(list.Items(list.High())) >= 0);
}

// With string keys on a list sorted by them: the order holds and every key is found.
void StrKeyForm(const std::u16string& text) {
    qb::TknStrList list;
    list.StrKeyDelimiter = u"=";
    list.SetSortType(qb::stByStrKeyNoDup);
    list.SetText(text);
    for (int i = 0; i < list.Count(); ++i) {
        if (i > 0) Check(qb::CompareText(list.StrKeys(i - 1), list.StrKeys(i)) < 0);
        int at = list.IndexOfStrKey(list.StrKeys(i));
        Check(at >= 0 && qb::CompareText(list.StrKeys(at), list.StrKeys(i)) == 0);
    }
    list.SetSortType(qb::stNone);
    list.SetText(text);
    for (int i = 0; i < list.Count(); ++i) {
        int at = list.IndexOfStrKey(list.StrKeys(i));
        Check(at >= 0 && at <= i);
    }
    list.GetText();
}

// With integer keys the written form reads back to itself, and sorting afterwards keeps the
// same keys as sorting while adding.
void KeyForm(const std::u16string& text) {
    qb::TknStrList list;
    list.KeyDelimiter = u"=";
    list.SetSortType(qb::stByKeyNoDup);
    list.SetText(text);
    for (int i = 0; i < list.Count(); ++i) {
        if (i > 0) Check(list.Keys(i - 1) < list.Keys(i));
        Check(list.IndexOfKey(list.Keys(i)) == i);
    }
    std::u16string written = list.GetText();
    list.SetText(written);
    Check(list.GetText() == written);

    qb::TknStrList later;
    later.KeyDelimiter = u"=";
    later.SetText(text);
    later.SetSortType(qb::stByKeyNoDup);
    Check(later.Count() == list.Count());
    for (int i = 0; i < list.Count(); ++i) Check(later.Keys(i) == list.Keys(i));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::u16string text(size / 2, u'\0');
    if (!text.empty()) std::memcpy(text.data(), data, text.size() * 2);
    PlainRoundTrip(text);
    StrKeyForm(text);
    KeyForm(text);
    return 0;
}
