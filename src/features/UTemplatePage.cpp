#include "features/UTemplatePage.h"

#include "features/ULinkPage.h"
#include "foundation/UknStrUtils.h"
#include "model/UPageFactory.h"

namespace qb {

void TTemplateProperty::Load(TknStrList& list) {
    Text = DecodeFromStorage(TakeEntry(list));
    HotKey = TakeHotKeyEntry(list);
    Abbrev = TakeEntry(list);
    Remark = DecodeFromStorage(TakeEntry(list));
}

void TTemplateProperty::Save(TknStrList& list) const {
    list.Add(EncodeForStorage(Text));
    AddIntEntry(list, HotKey);
    list.Add(Abbrev);
    list.Add(EncodeForStorage(Remark));
}

bool TTemplateProperty::GetFieldText(int32_t fieldId, std::u16string& text) const {
    switch (fieldId) {
        case fiText:
            text = EncodeForDisplay(Text);
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

void TTemplatePage::DefaultListSettings(TListProperty& listProperty) const {
    listProperty.SetReportDefaults({fiTitle, fiText, fiHotKey}, {100, 200, 60});
}

void TTemplatePage::GetOptionalColumns(TknIntList& ids) {
    AddColumns(ids, {fiTitle, fiText, fiHotKey, fiAbbrev, fiRemark});
}

TTemplateItem::TTemplateItem(int32_t id) : TChildItemSuper(id) {
    SetItemProperty(std::make_unique<TTemplateProperty>(id));
}

}  // namespace qb
