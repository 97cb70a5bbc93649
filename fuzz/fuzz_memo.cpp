// Arbitrary text as a memo time text, a day list and a link line: reading the rule and asking
// whether it is due at a few minutes never fails, link normalising only ever puts a prefix in
// front, and a quoted target never keeps a quote.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "features/ULinkOpener.h"
#include "features/UMemoHandler.h"
#include "features/UMemoPage.h"
#include "foundation/UknStrUtils.h"

namespace {

using namespace qb;

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::u16string text = FromUtf8(std::string(reinterpret_cast<const char*>(data), size));

    TMemoProperty memo(1);
    memo.SetTimeText(text);
    memo.DaySpec = text;
    memo.SetTimeText(memo.GetTimeText());
    for (const char16_t* at : {u"1601-01-01 00:00", u"2010-11-07 08:30", u"9999-12-31 23:59"}) {
        TSystemTime now = ParseDateTime(at, false);
        IsDueAt(memo, now);
        memo.IsExpired(now);
    }
    for (int day = -1; day <= 101; day += 17) DayListMatches(text, day);
    YearlyListMatches(text, 12, 25);

    std::u16string trimmed = Trim(text);
    for (TLinkType type : {ltUrl, ltEmail, ltNode, ltOthers, ltBatch})
        Check(NormalizeLink(text, type, true, true).ends_with(trimmed));

    TMemoryShell shell;
    SetShell(&shell);
    OpenTarget(text);
    SetShell(nullptr);
    Check(shell.Calls.size() == 1);
    if (trimmed.starts_with(u'"')) Check(shell.Calls[0].Target.find(u'"') == std::u16string::npos);
    return 0;
}
