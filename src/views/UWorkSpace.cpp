#include "views/UWorkSpace.h"

#include <algorithm>

#include "model/UPageProperty.h"
#include "model/UPageSuper.h"
#include "model/USysPageManager.h"
#include "shell/UMemoryManager.h"
#include "shell/UOptionManager.h"
#include "storage/UIOHandler.h"
#include "storage/UPageStore.h"

namespace qb {

namespace {

constexpr int32_t kMinSplitterWidth = 1;
constexpr int32_t kMaxSplitterWidth = 10;

// Moves the child one place within the parent's list; nothing at either end.
void MoveChild(TPageSuper& parent, int32_t childId, int delta) {
    TPageChilds* childs = parent.Childs();
    if (!childs) return;
    const int from = childs->IndexOf(childId);
    const int to = from + delta;
    if (from < 0 || to < 0 || to >= childs->Count()) return;
    childs->RemoveChild(childId);
    childs->InsertChild(childId, to);
}

}  // namespace

TWorkSpaceLayout DecideLayout(bool treeShown, bool roomForTree, bool roomForTabBar,
                              bool treeOnRight, bool tabsOnBottom, int32_t splitterWidth) {
    TWorkSpaceLayout layout;
    layout.TreeShown = treeShown;
    layout.TreeVisible = treeShown && roomForTree;
    layout.TreeOnRight = treeOnRight;
    layout.SplitterWidth = std::clamp(splitterWidth, kMinSplitterWidth, kMaxSplitterWidth);
    layout.TabsVisible = !treeShown && roomForTabBar;
    layout.TabsOnBottom = tabsOnBottom;
    return layout;
}

TWorkSpace::TWorkSpace(IWorkSpaceControl& control) : FControl(control) {
    FSpace = std::make_unique<TSpace>(FControl);
    FTreeNavigator = std::make_unique<TTreeNavigator>(FControl.TreeControl(), *this);
    FTabNavigator = std::make_unique<TTabNavigator>(FControl.TabControl(), *this);
    FEditorClient = FControl.CreateClient(ckEditor, *this);
    FListClient = FControl.CreateClient(ckList, *this);
    FBlogClient = FControl.CreateClient(ckAbstract, *this);
    for (int kind = ckEditor; kind <= ckAbstract; ++kind)
        if (IClientControl* shown = Client(kind).Control()) shown->ShowControl(false);
    FSysPages = std::make_unique<TSysPageManager>();
    FTreeWidth = std::make_unique<TTreeWidthHandler>(FControl.TreeWidthSite());
    PageCenter().AddObserver(this);
    OptionManager().AddObserver(this);
    MemoryManager().AddObserver(this);
    SizeCenter().AddObserver(this);
    CommandCenter().AddExecutor(this);
}

TWorkSpace::~TWorkSpace() {
    if (TknCommandCenter* commands = ExistingCommandCenter()) commands->RemoveExecutor(this);
    if (TSizeManager* sizes = ExistingSizeCenter()) sizes->RemoveObserver(this);
    if (TMemoryManager* memory = ExistingMemoryManager()) memory->RemoveObserver(this);
    if (TOptionManager* options = ExistingOptionManager()) options->RemoveObserver(this);
    if (PageCenterExists()) PageCenter().RemoveObserver(this);
    FTreeWidth.reset();
    FSysPages.reset();
    FCurrentClient = nullptr;
    FBlogClient.reset();
    FListClient.reset();
    FEditorClient.reset();
    FTabNavigator.reset();
    FTreeNavigator.reset();
    FSpace.reset();
}

TNavigatorSuper& TWorkSpace::ActiveNavigator() const {
    if (FTreeShown) return *FTreeNavigator;
    return *FTabNavigator;
}

TClientSuper& TWorkSpace::Client(int clientKind) const {
    switch (clientKind) {
        case ckEditor:
            return *FEditorClient;
        case ckList:
            return *FListClient;
        default:
            return *FBlogClient;
    }
}

// --- layout ---

void TWorkSpace::ShowTree(bool shown) {
    FTreeShown = shown;
    Relayout();
    if (shown) {
        FTabNavigator->SetActive(false);
        FTreeWidth->Apply();
        FTreeNavigator->SetActive(true);
    } else {
        FTreeNavigator->SetActive(false);
        FTabNavigator->SetActive(true);
    }
    CommandCenter().CheckCommand(cmTreeNarrower);
    CommandCenter().CheckCommand(cmTreeWider);
}

void TWorkSpace::Relayout() {
    const TOptions& o = OptionManager().Options();
    const TSizeManager& sizes = SizeCenter();
    FLayout = DecideLayout(FTreeShown, sizes.RoomForTree(), sizes.RoomForTabBar(), o.TreeOnRight,
                           o.TabOnBottom, o.SplitterWidth);
    FTreeWidth->SetTreeOnRight(FLayout.TreeOnRight);
    FControl.ApplyLayout(FLayout);
}

void TWorkSpace::AdjustAppearance() {
    Relayout();
}

void TWorkSpace::OptionChanged() {
    Relayout();
}

// --- clients ---

void TWorkSpace::PageEvent(uint8_t event, int32_t pageId, int32_t) {
    if (event != peClientKindChanged) return;
    if (TPageSuper* page = GetStore().GetPage(pageId)) ChooseClient(*page);
}

void TWorkSpace::ChooseClient(TPageSuper& page) {
    const int kind = page.ClientKind();
    // The others go first, so that only the new client is registered when it starts.
    for (int k = ckEditor; k <= ckAbstract; ++k) {
        if (k == kind) continue;
        TClientSuper& client = Client(k);
        client.SetActive(false);
        if (IClientControl* shown = client.Control()) shown->ShowControl(false);
    }
    if (kind >= ckEditor && kind <= ckAbstract) {
        TClientSuper& client = Client(kind);
        if (IClientControl* shown = client.Control()) shown->ShowControl(true);
        client.SetActive(true);
    }
    FCurrentClient = &Client(kind == ckEditor || kind == ckList ? kind : ckAbstract);
}

// --- commands ---

bool TWorkSpace::CheckCommand(int32_t id) {
    if (id == cmTreeNarrower || id == cmTreeWider) return FLayout.TreeVisible;
    return true;
}

void TWorkSpace::ExecuteCommand(int32_t id) {
    switch (id) {
        case cmMovePageUp:
        case cmMovePageDown:
            MoveActive(id == cmMovePageUp ? -1 : 1);
            break;
        case cmSwitchFocus:
            SwitchFocus();
            break;
        case cmTreeNarrower:
            if (FLayout.TreeVisible) FTreeWidth->Narrower();
            break;
        case cmTreeWider:
            if (FLayout.TreeVisible) FTreeWidth->Wider();
            break;
        default:
            break;
    }
}

void TWorkSpace::MoveActive(int delta) {
    TPageSuper* active = PageCenter().ActivePage();
    if (!active) return;
    if (ActiveNavigator().Control().ControlHasFocus()) {
        if (TPageSuper* parent = active->GetParent()) MoveChild(*parent, active->Id(), delta);
        return;
    }
    const TknIntList& selection = FSpace->Selection();
    IClientControl* shown = FCurrentClient ? FCurrentClient->Control() : nullptr;
    const bool listClient = FCurrentClient == FListClient.get() || FCurrentClient == FBlogClient.get();
    if (listClient && shown && shown->ControlHasFocus() && selection.Count() == 1)
        MoveChild(*active, selection.Items(0), delta);
}

void TWorkSpace::SwitchFocus() {
    IClientControl& navigator = ActiveNavigator().Control();
    IClientControl* client = FCurrentClient ? FCurrentClient->Control() : nullptr;
    if (navigator.ControlHasFocus() && client)
        client->FocusControl();
    else
        navigator.FocusControl();
}

void TWorkSpace::BackgroundDoubleClicked() {
    CommandCenter().ExecuteCommand(OptionManager().GroupDblClick == 1 ? cmLevelUp
                                                                      : cmNewPageNoteBeside);
}

// --- memory ---

void TWorkSpace::SaveMemory() {
    TMemoryManager& memory = MemoryManager();
    memory.TreeWidth = FTreeWidth->Width();
    memory.TreeHide = FTreeWidth->Collapsed();
    if (TPageSuper* active = PageCenter().ActivePage()) memory.PageId = active->Id();
}

void TWorkSpace::RestoreMemory() {
    const TMemoryManager& memory = MemoryManager();
    FTreeWidth->Restore(memory.TreeWidth, memory.TreeHide);
    const int32_t start = OptionManager().StartPage;
    // A page that is gone gives a new note in the group root, as on the first start.
    PageCenter().SetActivePage(GetStore().GetPage(start >= 0 ? start : memory.PageId));
}

// --- drops ---

void TWorkSpace::DropOnPage(const TDropObject& object, int32_t targetId, int32_t targetParentId) {
    TPageStore& store = GetStore();
    if (!object.FileNames.empty()) {
        TPageSuper* target = TIOHandler::ImportTarget(store.GetPage(targetId));
        if (!target) return;
        TIOHandler io(FControl.ImportProgress());
        io.ImportPaths(target, object.FileNames, false,
                       TIOHandler::DropLinksOnly(object.AsSibling, object.Copy));
        FControl.EndImportProgress();
        return;
    }
    std::optional<int32_t> last;
    for (int32_t id : object.PageIds)
        if (std::optional<int32_t> placed =
                MoveOrCopy(id, targetId, targetParentId, object.AsSibling, object.Copy))
            last = placed;
    if (last && object.FromTree) PageCenter().SetActivePage(store.GetPage(*last));
}

void TWorkSpace::DropFiles(const std::vector<std::u16string>& files, bool shift, bool ctrl) {
    TPageSuper* active = PageCenter().ActivePage();
    if (!active) return;
    TDropObject object;
    object.FileNames = files;
    object.Copy = ctrl;
    object.AsSibling = shift;
    DropOnPage(object, active->Id(), active->OwnerId());
}

}  // namespace qb
