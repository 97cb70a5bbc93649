#include "views/UPropertyBox.h"

#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"
#include "model/UPageFactory.h"
#include "model/UPageProperty.h"
#include "model/UPageSuper.h"
#include "shell/ULangManager.h"
#include "storage/UPageStore.h"
#include "views/UEditBox.h"

namespace qb {

namespace {

constexpr int32_t kPageTypeCaptionBase = 25360;  // + type: "NotePage", "CalcPage", ...

void AddChoice(TListSettings& settings, int32_t fieldId, bool shown, int32_t width) {
    for (const TColumnChoice& c : settings.Columns)
        if (c.FieldId == fieldId) return;
    settings.Columns.push_back({fieldId, LangText(fieldId), shown, width});
}

}  // namespace

TListSettings LoadListSettings(TPageSuper& page, const TListProperty& list) {
    TListSettings s;
    s.ViewStyle = list.ViewStyle;
    s.FullRowSelect = list.FullRowSelect;
    s.ShowCheckBoxes = list.ShowCheckBoxes;
    s.ShowGrids = list.ShowGrids;
    for (int i = 0; i < list.Columns.Count(); ++i)
        AddChoice(s, list.Columns.Items(i), true,
                  i < list.Widths.Count() ? list.Widths.Items(i) : TListProperty::kDefaultWidth);
    TknIntList optional;
    if (auto* listPage = dynamic_cast<TListPageSuper*>(&page)) listPage->GetOptionalColumns(optional);
    for (int i = 0; i < optional.Count(); ++i)
        AddChoice(s, optional.Items(i), false, TListProperty::kDefaultWidth);
    return s;
}

TGeneralFields LoadGeneralFields(TPageSuper& page) {
    TGeneralFields f;
    f.Name = page.Name();
    f.Status = page.Status();
    f.CreateTime = page.GetFieldText(fiCreateTime);
    f.ModifyTime = page.GetFieldText(fiModifyTime);
    f.VisitTime = page.GetFieldText(fiVisitTime);
    f.NodePath = GetStore().GetNodePath(&page);
    f.TypeName = LangText(kPageTypeCaptionBase + page.PageType());
    f.IconFile = ItemIconPath(page);
    return f;
}

void SaveGeneralFields(const TGeneralFields& fields, TPageSuper& page) {
    if (!Trim(fields.Name).empty() && fields.Name != page.Name()) page.SetName(fields.Name);
    if (fields.Status != page.Status()) page.SetStatus(fields.Status);
    page.SetIconFile(fields.IconFile);
}

void StoreListSettings(const TListSettings& settings, TListProperty& list) {
    list.ViewStyle = settings.ViewStyle;
    list.FullRowSelect = settings.FullRowSelect;
    list.ShowCheckBoxes = settings.ShowCheckBoxes;
    list.ShowGrids = settings.ShowGrids;
    list.Columns.Clear();
    list.Widths.Clear();
    for (const TColumnChoice& c : settings.Columns) {
        if (!c.Shown) continue;
        list.Columns.Add(c.FieldId);
        list.Widths.Add(c.Width > 0 ? c.Width : TListProperty::kDefaultWidth);
    }
}

TListSettings DefaultListSettings(TPageSuper& page) {
    TListProperty defaults(page.Id());
    ListPageDefSettings().LoadDefault(page.PageType(), defaults);
    return LoadListSettings(page, defaults);
}

void SaveDefaultListSettings(uint8_t pageType, const TListSettings& settings) {
    TListProperty defaults(-1);
    StoreListSettings(settings, defaults);
    ListPageDefSettings().SaveDefault(pageType, defaults);
}

int ApplyListSettingsToAll(uint8_t pageType, const TListSettings& settings) {
    TknIntList ids;
    TPageStore& store = GetStore();
    store.GetIdsOfType(pageType, ids);
    int count = 0;
    for (int i = 0; i < ids.Count(); ++i) {
        TPageSuper* page = store.GetPage(ids.Items(i));
        if (!page || !page->ListProperty()) continue;
        StoreListSettings(settings, *page->ListProperty());
        PageCenter().Notify(pePageViewChanged, page->Id());
        ++count;
    }
    return count;
}

}  // namespace qb
