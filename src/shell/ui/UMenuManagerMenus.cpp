#include "shell/ui/UMenuManagerMenus.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

#include "shell/UAccelText.h"
#include "shell/ULangManager.h"
#include "shell/UOptionManager.h"
#include "toolkit/UknTrackingTip.h"

namespace qb {

namespace {

constexpr int kTipLength = 200;

// A submenu of a TMenuSuper as the list rules see it.
class TMenuList : public IListSubmenu {
  public:
    TMenuList(TknMenu& menu, QMenu* submenu) : FMenu(menu), FSubmenu(submenu) {}
    int ListItemCount() override { return FMenu.ItemCount(FSubmenu); }
    void SetListItemText(int32_t id, std::u16string_view text) override {
        FMenu.SetItemText(id, text);
    }
    void AddListItem(int32_t id, std::u16string_view text) override {
        FMenu.AddItem(FSubmenu, id, text);
    }
    void DeleteListItem(int32_t id) override { FMenu.DeleteItem(id); }

  private:
    TknMenu& FMenu;
    QMenu* FSubmenu;
};

// Whether an action sits in a list submenu (its text is the list's, not the language's).
bool InList(const QAction* action) {
    auto* parent = qobject_cast<QMenu*>(action->parent());
    return parent && IsListSubmenuId(ActionId(parent->menuAction()));
}

}  // namespace

// --- TMenuSuper ---

TMenuSuper::TMenuSuper(QWidget* owner, bool menuBar, TknAccelTable* accelTable)
    : TknMenu(owner, menuBar), FTip(std::make_unique<TknTrackingTip>(400, 500, 0)) {
    SetAccelTable(accelTable);
}

TMenuSuper::~TMenuSuper() = default;

void TMenuSuper::OnCreate() {
    BuildItems();
    LangManager().AddObserver(this);
    CommandCenter().AddSender(this);
}

void TMenuSuper::OnDestroy() {
    if (TknCommandCenter* center = ExistingCommandCenter()) center->RemoveSender(this);
    if (TLangManager* lang = ExistingLangManager()) lang->RemoveObserver(this);
    FTip->Hide();
}

void TMenuSuper::LanguageChanged() {
    TknIntList ids;
    GetItemList(ids);
    for (int i = 0; i < ids.Count(); ++i) {
        QAction* action = Action(ids.Items(i));
        if (action && !InList(action)) Relabel(ids.Items(i), ids.Items(i));
    }
}

void TMenuSuper::Build(QWidget* parent, const TMenuItems& items) {
    for (const TMenuItemDef& item : items) {
        switch (item.Kind) {
            case TMenuItemKind::Command:
                AddItem(parent, item.Id, LangText(item.Id));
                break;
            case TMenuItemKind::Separator:
                AddSeparator(parent);
                break;
            case TMenuItemKind::Submenu:
            case TMenuItemKind::ListSubmenu:
                Build(AddPopup(parent, item.Id, LangText(item.Id)), item.Items);
                break;
        }
    }
}

void TMenuSuper::Relabel(int32_t id, int32_t textId) {
    SetItemText(id, LangText(textId));
}

void TMenuSuper::FillList(int32_t base) {
    if (QMenu* submenu = GetSubMenu(base)) {
        TMenuList list(*this, submenu);
        RefreshListSubmenu(base, list);
    }
}

void TMenuSuper::OnPopup(QMenu* submenu, int32_t id) {
    for (QAction* action : submenu->actions())
        if (int32_t itemId = ActionId(action)) CommandCenter().CheckCommand(itemId);
    RefreshSubmenu(submenu, id);
}

void TMenuSuper::CheckViewStyle(const TActivePageFacts& page) {
    const int32_t checked = CheckedViewStyleId(page);
    for (int style = 0; style <= 4; ++style) {
        const int32_t id = kFirstViewStyleId + 10 * style;
        CheckItem(id, id == checked);
    }
}

void TMenuSuper::RefreshSubmenu(QMenu* submenu, int32_t id) {
    const TActivePageFacts page = ActivePageFacts();
    switch (id) {
        case kFileMenuId:
            Relabel(kDeletePageId, DeletePageTextId(page));
            break;
        case kEditMenuId:
            Relabel(kDeleteId, DeleteTextId(page));
            break;
        case kViewMenuId:
            CheckViewStyle(page);
            break;
        case kFavoriteListId:
            ClearPopup(submenu);
            FillList(kFavoriteListId);
            Build(submenu, FavoriteTail(page));
            break;
        case kPopupFormMenuId:
            FillList(kClipListId);
            FillList(kTemplateListId);
            break;
        default:
            if (IsListSubmenuId(id)) FillList(id);
            break;
    }
}

void TMenuSuper::OnItemHovered(QMenu* menu, QAction* action) {
    int index = 0;
    std::u16string tip;
    const int32_t id = ActionId(action);
    if (id != 0 && ListCenter().GetItemTip(id, index, kTipLength, tip))
        ShowTip(menu, action, tip);
    else
        FTip->Hide();
}

void TMenuSuper::ShowTip(QMenu* menu, QAction* action, std::u16string_view tip) {
    // The tip belongs to the open menu: it goes with it, and one still waiting to appear
    // does not come up once the menu has closed.
    QObject::connect(menu, &QMenu::aboutToHide, FTip.get(), &TknTrackingTip::Hide,
                     Qt::UniqueConnection);
    const QRect item = menu->actionGeometry(action);
    QWidget* owner = Owner();
    if (owner && owner->isVisible() && !owner->isMinimized()) {
        FTip->ShowAt(tip, menu->mapToGlobal(item.topRight() + QPoint(5, 0)));
        return;
    }
    const QRect onScreen(menu->mapToGlobal(item.topLeft()), item.size());
    if (onScreen.contains(QCursor::pos()))
        FTip->ShowAtCursor(tip);
    else
        FTip->ShowAt(tip, QPoint(onScreen.center().x(), onScreen.bottom()));
}

// --- TMainMenu ---

TMainMenu::TMainMenu(QWidget* owner, TknAccelTable* accelTable, bool popupForm)
    : TMenuSuper(owner, !popupForm, accelTable), FPopupForm(popupForm) {
    Create();
}

TMainMenu::~TMainMenu() {
    Destroy();
}

void TMainMenu::BuildItems() {
    Build(Handle(), MainMenuItems(OptionManager().Options(), FPopupForm));
}

// --- TPopupMenu ---

TPopupMenu::TPopupMenu(QWidget* owner) : TMenuSuper(owner, false, nullptr) {
    Create();
    EventCenter().AddObserver(this);
}

TPopupMenu::~TPopupMenu() {
    if (TknEventCenter* events = ExistingEventCenter()) events->RemoveObserver(this);
    Destroy();
}

void TPopupMenu::BuildItems() {
    AddPopup(Handle(), kPopupFormMenuId, {});
}

bool TPopupMenu::Prepare(int32_t kind) {
    QMenu* submenu = GetSubMenu(kPopupFormMenuId);
    ClearPopup(submenu);
    const TActivePageFacts page = ActivePageFacts();
    const TMenuItems items = ContextMenuItems(kind, OptionManager().Options(), page);
    TknCommandCenter& commands = CommandCenter();
    for (const TMenuItemDef& item : items) {
        if (item.Kind == TMenuItemKind::Command) {
            AddItem(submenu, item.Id, LangText(item.Id));
            EnableItem(item.Id, commands.GetEnabled(item.Id));
            CheckItem(item.Id, commands.GetChecked(item.Id));
        } else if (item.Kind == TMenuItemKind::Separator) {
            AddSeparator(submenu);
        } else {
            // A submenu is named as its main-menu twin is now.
            std::u16string text = commands.GetItemText(item.Id);
            Build(AddPopup(submenu, item.Id, text.empty() ? LangText(item.Id) : text), item.Items);
        }
    }
    Relabel(kDeletePageId, DeletePageTextId(page));
    Relabel(kDeleteId, DeleteTextId(page));
    return !items.empty();
}

void TPopupMenu::EventNotify(int32_t event, int32_t wparam, int32_t) {
    if (event != kContextMenuEvent || wparam == kCaptionMenuKind) return;
    if (!Prepare(wparam)) return;
    TknEventCenter& events = EventCenter();
    events.EventNotify(kEnterMenuLoopEvent);
    TrackPopup(kPopupFormMenuId, -1, -1);
    events.EventNotify(kExitMenuLoopEvent);
}

// --- TTrayMenu ---

TTrayMenu::TTrayMenu(QWidget* owner) : TMenuSuper(owner, false, nullptr) {
    Create();
    EventCenter().AddObserver(this);
}

TTrayMenu::~TTrayMenu() {
    if (TknEventCenter* events = ExistingEventCenter()) events->RemoveObserver(this);
    Destroy();
}

void TTrayMenu::BuildItems() {
    Build(Handle(), TrayMenuItems(OptionManager().Options()));
}

void TTrayMenu::LanguageChanged() {
    TMenuSuper::LanguageChanged();
    Relabel(kRestoreId, RestoreTextId(FWindowStatus));
}

void TTrayMenu::EventNotify(int32_t event, int32_t wparam, int32_t) {
    if (event != kWindowStatusEvent) return;
    FWindowStatus = wparam;
    Relabel(kRestoreId, RestoreTextId(FWindowStatus));
}

void TTrayMenu::RefreshSubmenu(QMenu* submenu, int32_t id) {
    if (id != kTrayMenuId) {
        TMenuSuper::RefreshSubmenu(submenu, id);
        return;
    }
    for (int32_t base : {kClipListId, kTemplateListId, kFastLinkListId}) FillList(base);
    // Pasting into another program needs no editor, so these two are always offered here.
    EnableItem(kClipListId, true);
    EnableItem(kTemplateListId, true);
}

// --- TAccelTable ---

TAccelTable::TAccelTable(QWidget* owner) : TknAccelTable(owner) {
    Create();
}

void TAccelTable::OnCreate() {
    MutableEntries() = LoadAccelEntries(AccelFileName());
}

}  // namespace qb
