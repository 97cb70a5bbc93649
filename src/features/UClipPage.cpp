#include "features/UClipPage.h"

#include "model/UPageFactory.h"

namespace qb {

// The clip item's two icons: a plain capture and a fixed one.
int TClipItem::GetImageIndex() {
    int custom = CustomImageIndex();
    if (custom >= 0) return custom;
    int base = PageImageList().GetBaseIndex(ptClipItem);
    return base < 0 ? -1 : base + (Fixed ? 1 : 0);
}

void TClipItem::LoadProperties(TknStrList& entries) {
    TPageSuper::LoadProperties(entries);
    Fixed = TakeBoolEntry(entries);
}

void TClipItem::SaveProperties(TknStrList& entries) {
    TPageSuper::SaveProperties(entries);
    AddBoolEntry(entries, Fixed);
}

void TClipItem::CopyFrom(TPageSuper& source) {
    TPageSuper::CopyFrom(source);
    if (auto* clip = dynamic_cast<TClipItem*>(&source)) Fixed = clip->Fixed;
}

}  // namespace qb
