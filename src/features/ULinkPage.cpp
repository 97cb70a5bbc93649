#include "features/ULinkPage.h"

#include "foundation/UknStrUtils.h"
#include "model/UPageFactory.h"

namespace qb {

uint16_t TakeHotKeyEntry(TknStrList& list) {
    int64_t value = TakeIntEntry(list);
    return (value >= 0 && value <= 0xFFFF) ? static_cast<uint16_t>(value) : 0;
}

void TLinkProperty::Load(TknStrList& list) {
    LinkType = static_cast<TLinkType>(TakeByteEntry(list, ltBatch));
    Link = DecodeFromStorage(TakeEntry(list));
    HotKey = TakeHotKeyEntry(list);
    Abbrev = TakeEntry(list);
    Remark = DecodeFromStorage(TakeEntry(list));
}

void TLinkProperty::Save(TknStrList& list) const {
    AddIntEntry(list, LinkType);
    list.Add(EncodeForStorage(Link));
    AddIntEntry(list, HotKey);
    list.Add(Abbrev);
    list.Add(EncodeForStorage(Remark));
}

bool TLinkProperty::GetFieldText(int32_t fieldId, std::u16string& text) const {
    switch (fieldId) {
        case fiLink:
            text = EncodeForDisplay(Link);
            return true;
        case fiCategory:
            text = PageText(kLinkCategoryTextId + LinkType);
            return true;
        case fiHotKey:
            text = HotKeyText(HotKey);
            return true;
        case fiAbbrev:
            text = Abbrev;
            return true;
        case fiRemark:
            text = EncodeForDisplay(Remark);
            return true;
        default:
            return false;
    }
}

void TLinkPage::DefaultListSettings(TListProperty& listProperty) const {
    listProperty.SetReportDefaults({fiTitle, fiLink}, {100, 200});
}

void TLinkPage::GetOptionalColumns(TknIntList& ids) {
    AddColumns(ids, {fiTitle, fiLink, fiCategory, fiHotKey, fiAbbrev, fiRemark});
}

TLinkItem::TLinkItem(int32_t id) : TChildItemSuper(id) {
    SetItemProperty(std::make_unique<TLinkProperty>(id));
}

// Five icons are registered (file, folder, web address, mail, batch); node and other links
// share the last one rather than reaching into the next type's images.
int TLinkItem::ItemImageOffset() {
    return LinkProperty().LinkType < ltNode ? LinkProperty().LinkType : 4;
}

}  // namespace qb
