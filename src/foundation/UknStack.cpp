#include "foundation/UknStack.h"

#include "foundation/UknListSuper.h"
#include "foundation/UknStrUtils.h"

namespace qb {

bool TknIntStackQueueSuper::Pop(int32_t& value) {
    if (!Peek(value)) return false;
    RemovePeeked();
    return true;
}

std::u16string TknIntStackQueueSuper::GetText() const {
    std::u16string text;
    for (size_t i = 0; i < FItems.size(); ++i) {
        if (i > 0) text.append(Separator);
        text.append(IntToStr(FItems[i]));
    }
    return text;
}

void TknIntStackQueueSuper::SetText(std::u16string_view text) {
    Clear();
    SplitText(text, Separator,
              [this](std::u16string_view piece) { Push(StrToInt32Def(piece, 0)); });
}

bool TknIntStack::Peek(int32_t& value) const {
    if (FItems.empty()) return false;
    value = FItems.back();
    return true;
}

void TknIntStack::RemovePeeked() {
    FItems.pop_back();
}

bool TknIntQueue::Peek(int32_t& value) const {
    if (FItems.empty()) return false;
    value = FItems.front();
    return true;
}

void TknIntQueue::RemovePeeked() {
    FItems.erase(FItems.begin());
}

bool TknStrStackQueueSuper::Pop(std::u16string& value) {
    if (!Peek(value)) return false;
    RemovePeeked();
    return true;
}

bool TknStrQueue::Peek(std::u16string& value) const {
    if (FItems.empty()) return false;
    value = FItems.front();
    return true;
}

void TknStrQueue::RemovePeeked() {
    FItems.erase(FItems.begin());
}

}  // namespace qb
