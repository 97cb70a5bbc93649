#include "features/UContactPage.h"

#include "foundation/UknStrUtils.h"
#include "model/UPageFactory.h"

namespace qb {

template <class Self, class F>
void TContactProperty::ForEachText(Self& self, F f) {
    f(fiMobile, self.Mobile);
    f(fiEmail, self.Email);
    f(fiIM, self.IM);
    f(fiMSN, self.MSN);
    f(fiCompany, self.Company);
    f(fiDepartment, self.Department);
    f(fiAddress, self.Address);
    f(fiZipCode, self.ZipCode);
    f(fiTel, self.Tel);
    f(fiFax, self.Fax);
    f(fiOthers, self.Others);
}

void TContactProperty::Load(TknStrList& list) {
    int64_t sex = TakeIntEntry(list);
    Sex = (sex >= INT32_MIN && sex <= INT32_MAX) ? static_cast<int32_t>(sex) : 1;
    ForEachText(*this, [&](int32_t, std::u16string& field) { field = TakeEntry(list); });
    Remark = DecodeFromStorage(TakeEntry(list));
}

void TContactProperty::Save(TknStrList& list) const {
    AddIntEntry(list, Sex);
    ForEachText(*this, [&](int32_t, const std::u16string& field) { list.Add(field); });
    list.Add(EncodeForStorage(Remark));
}

std::u16string* TContactProperty::TextField(int32_t fieldId) {
    std::u16string* found = nullptr;
    ForEachText(*this, [&](int32_t id, std::u16string& field) {
        if (id == fieldId) found = &field;
    });
    return found;
}

bool TContactProperty::GetFieldText(int32_t fieldId, std::u16string& text) const {
    if (fieldId == fiSex) {
        text = PageText(Sex == 0 ? kMaleTextId : kFemaleTextId);
        return true;
    }
    if (fieldId == fiRemark) {
        text = EncodeForDisplay(Remark);
        return true;
    }
    bool found = false;
    ForEachText(*this, [&](int32_t id, const std::u16string& field) {
        if (id == fieldId) {
            text = field;
            found = true;
        }
    });
    return found;
}

void TContactPage::DefaultListSettings(TListProperty& listProperty) const {
    listProperty.SetReportDefaults({fiName, fiTel, fiMobile, fiEmail}, {60, 100, 100, 150});
}

void TContactPage::GetOptionalColumns(TknIntList& ids) {
    AddColumns(ids, {fiName, fiSex, fiMobile, fiEmail, fiIM, fiMSN, fiCompany, fiDepartment,
                     fiAddress, fiZipCode, fiTel, fiFax, fiOthers, fiRemark});
}

TContactItem::TContactItem(int32_t id) : TChildItemSuper(id) {
    SetItemProperty(std::make_unique<TContactProperty>(id));
}

}  // namespace qb
